#pragma once

#include <QDate>
#include <QPixmap>
#include <QWidget>
#include <array>
#include <filesystem>
#include <optional>

#include "stats/grafiekC.h"
#include "stats/statsReader.h"
#include "stats/statsSummaryC.h"

class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;

namespace qm {

class settingsStoreC;
class soundPlayer;

// "Statistics": the nine summary figures of one player's whole history and the chart of the
// points per dart of each leg in a date range. It is not modal and can stay open during a game.
class TForm4 : public QWidget, private statsReportSink {
    Q_OBJECT
  public:
    TForm4(settingsStoreC& store, soundPlayer& sounds, std::filesystem::path dataDir,
           QWidget* parent = nullptr);

    void ComboBox1Select();
    void ComboBox2Select();
    void Button3Click();
    void drawPpdChart();

    [[nodiscard]] QString infoText() const;
    [[nodiscard]] QString systemInfoText() const;
    // The chart being shown, if any.
    [[nodiscard]] const std::optional<ppdChartS>& chart() const { return chart_; }

    // The chart frame's top-left corner in the window.
    static constexpr int chartLeft = 16;
    static constexpr int chartTop = 190;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void buildControls();
    void loadPictures();
    void selectPlayer(const QString& name);
    void resetFigures();
    void resetForPlayer();
    void resetOnShow();
    void showSummary();
    void paintChart(QPainter& painter) const;

    // How the reading passes report.
    void showInfo(const std::string& text) override;
    void showSystemInfo(const std::string& text) override;
    void playSound(const std::string& name) override;
    void startProgress(std::int64_t maximum) override;
    void setProgress(std::int64_t position) override;

    settingsStoreC& store_;
    soundPlayer& sounds_;
    std::filesystem::path dataDir_;

    QString playerName;
    statsSummaryC summary_;
    std::optional<ppdChartS> chart_;
    QDate chartStart_;
    QDate chartEnd_;
    std::int64_t progressStep_ = 1;

    std::array<QPixmap, 4> pictures_;
    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    std::array<QLabel*, 9> values_{};
    QDateEdit* DateTimePicker1 = nullptr;
    QDateEdit* DateTimePicker2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    std::array<QLabel*, 2> panels_{};
};

}  // namespace qm
