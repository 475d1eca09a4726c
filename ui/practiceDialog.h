#pragma once

#include <QDialog>
#include <array>
#include <optional>

#include "game/practiceC.h"
#include "settings/settingsStoreC.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

namespace qm {

// Each drill's variants or targets as the game lists them, with the number the drill takes
// (none for Bob's 27 and Checkout 121).
std::vector<std::pair<QString, int>> drillVariants(drillKind kind);

// What the practice dialog chose: the drill and its players.
struct practiceChoiceS {
    drillSetupS setup;
    std::vector<practicePlayerS> players;
};

// Game / Practice...: the drill, its variant or target, and one to four known players, each
// a human or a computer with its strength. Start is refused, with the reason shown in the
// dialog, while a player is chosen twice.
class practiceDialog : public QDialog {
  public:
    practiceDialog(const settingsStoreC& store, QWidget* parent);

    // Fills the player lists from the INI file's players, as they stand now.
    void refreshPlayers();
    [[nodiscard]] practiceChoiceS choice() const;

    static constexpr int mostPlayers = 4;

  private:
    void drillChanged();
    void playersChanged();
    void playerChosen(int row);
    void tryAccept();

    const settingsStoreC& store_;
    playerListsS known_;
    QComboBox* drill_ = nullptr;
    QComboBox* variant_ = nullptr;
    QComboBox* darts_ = nullptr;
    QSpinBox* count_ = nullptr;
    std::array<QComboBox*, mostPlayers> names_{};
    std::array<QCheckBox*, mostPlayers> computers_{};
    std::array<QSpinBox*, mostPlayers> strengths_{};
    QLabel* problem_ = nullptr;
};

}  // namespace qm
