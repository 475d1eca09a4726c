#pragma once

#include <QDialog>
#include <QImage>
#include <QWidget>
#include <filesystem>
#include <optional>
#include <vector>

#include "computer/normalScatter.h"
#include "computer/throwFit.h"
#include "computer/vPlayerC.h"
#include "computer/virtualBoardC.h"

class QComboBox;
class QLabel;
class QTableWidget;

namespace qm {

class settingsStoreC;

// The board as the "Your throw" window draws it: the expected points of one dart at every aim
// point as colours, the rings and sectors over them, the player's darts as dots, and where
// the best aim's darts land (the one- and two-deviation ellipses around it).
class throwBoardView : public QWidget {
  public:
    explicit throwBoardView(QWidget* parent = nullptr);

    struct pictureS {
        std::optional<expectedMapS> map;  // none: no fit to show
        std::vector<boardPointS> darts;
        std::optional<normalScatterS> scatter;
        boardPointS best;
    };
    void show(pictureS picture);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    [[nodiscard]] QPointF toWidget(double x, double y) const;

    pictureS picture_;
    QImage heat_;
};

// Options / "Your throw": one player's own scatter, fitted from their practice darts, per kind
// of target; what it means for where to aim; and their personal checkout routes.
class yourThrowWindow : public QDialog {
  public:
    yourThrowWindow(std::filesystem::path dataDir, settingsStoreC& store,
                    const virtualBoardC& board, const vPlayerC& chart, QWidget* parent = nullptr);

    // Lists the players again and shows `player` (the first one where empty).
    void showFor(const QString& player);
    // The figures shown, as the label has them (for tests and screen readers).
    [[nodiscard]] QString figuresText() const;

  private:
    void readPlayer();
    void showKind();
    void showRoutes();

    std::filesystem::path dataDir_;
    settingsStoreC& store_;
    const virtualBoardC& board_;
    const vPlayerC& chart_;
    std::vector<fitDartS> darts_;
    throwFitS fit_;
    QComboBox* playerBox_ = nullptr;
    QComboBox* kindBox_ = nullptr;
    throwBoardView* view_ = nullptr;
    QLabel* figures_ = nullptr;
    QTableWidget* routes_ = nullptr;
};

}  // namespace qm
