#pragma once

#include <QDate>
#include <QPixmap>
#include <QThreadPool>
#include <QWidget>
#include <array>
#include <atomic>
#include <filesystem>
#include <optional>
#include <vector>

#include "stats/dartFigures.h"
#include "stats/grafiekC.h"
#include "stats/statsReader.h"
#include "stats/statsSummaryC.h"

class QBrush;
class QComboBox;
class QFont;
class QPainter;
class QDateEdit;
class QFrame;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QStatusBar;

namespace qm {

class promptService;
class practiceView;
class settingsStoreC;
class soundPlayer;

// "Statistics": the nine summary figures of one player's whole history and the chart of the
// points per dart of each leg in a date range. It is not modal and can stay open during a game.
//
// The files are read on a worker thread and the results come back as queued calls, so the
// window stays responsive without a nested event loop: no game timer, box or leg record of the
// main window can run in the middle of a read.
// A progress bar counts in int: a file larger than that (a 40 GiB history) is counted in units
// of 2^shift bytes, the smallest shift that fits, so the bar still moves from start to end.
[[nodiscard]] int progressShift(std::int64_t maximum);

// The dart figures of a player's legs in a date range, as read from the dart history.
struct dartFiguresReadS {
    std::optional<dartFiguresS> figures;  // none: not read (no player, or the history failed)
    std::string problem;                  // why the history could not be read
    QDate from;
    QDate to;
};
dartFiguresReadS readDartFigures(const std::filesystem::path& dataDir, const std::string& player,
                                 QDate from, QDate to);

// A series laid out by layoutPpdChart, painted as the points-per-dart chart is: `title` at the
// top of the value axis, the first and last day under the time axis.
void paintSeriesChart(QPainter& painter, const ppdChartS& chart, const QString& title, QDate start,
                      QDate end, const QFont& base, const QBrush& fill);

class TForm4 : public QWidget, private statsReportSink {
    Q_OBJECT
  public:
    TForm4(settingsStoreC& store, soundPlayer& sounds, promptService& prompts,
           std::filesystem::path dataDir, QWidget* parent = nullptr);
    ~TForm4() override;
    TForm4(const TForm4&) = delete;
    TForm4& operator=(const TForm4&) = delete;

    void ComboBox1Select();
    void ComboBox2Select();
    void Button3Click();
    void drawPpdChart();
    // The practice page: each player's drills, their best and average, and their chart.
    void showPractice();
    [[nodiscard]] practiceView* practicePage() const { return practiceView_; }

    [[nodiscard]] QString infoText() const;
    [[nodiscard]] QString systemInfoText() const;
    // The chart being shown, if any.
    [[nodiscard]] const std::optional<ppdChartS>& chart() const { return chart_; }
    // True from a player's choice (or "PPD Chart") until its last pass has reported.
    [[nodiscard]] bool isReading() const { return reading_; }

    // The chart area's context menu: "Export legs as CSV…" and "Save chart as PNG…", offered
    // while a chart is shown. Each asks for a file and reports a failed write.
    QMenu* chartMenu();
    void exportLegsCsv();
    void saveChartPng();

    // The chart frame's top-left corner in the window.
    static constexpr int chartLeft = 16;
    static constexpr int chartTop = 190;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void buildControls();
    void loadPictures();
    void selectPlayer(const QString& name);
    void resetFigures();
    void resetForPlayer();
    void resetOnShow();
    void showSummary();
    // Ends interest in any read under way: whatever it still reports is dropped.
    void cancelRead();
    void summaryRead(bool whole, const statsSummaryC& summary);
    void seriesRead(bool whole, const std::vector<double>& series, QDate start, QDate end);
    void paintChart(QPainter& painter) const;
    // The first-9 average and checkout % of the legs in the chart's range (statsDartFigures.cpp).
    void buildDartFigures();
    void showDartFigures(const dartFiguresReadS& read);

    // How the reading passes report.
    void showInfo(const std::string& text) override;
    void showSystemInfo(const std::string& text) override;
    void playSound(const std::string& name) override;
    // The chart menu's exports: a file chosen, given its suffix, checked against the game's
    // own files and, if it exists, confirmed; written whole or not at all.
    std::optional<QString> askExportFile(const QString& caption, const QString& fileName,
                                         const QString& filter, const QString& suffix);
    [[nodiscard]] bool isKeptByTheGame(const QString& file) const;
    bool saveWhole(const QString& file, const QByteArray& bytes, const std::string& failure);
    // An export not made: INVALID and the reason in the system panel.
    void refuseExport(const std::string& message);

    void startProgress(std::int64_t maximum) override;
    void setProgress(std::int64_t position) override;

    settingsStoreC& store_;
    soundPlayer& sounds_;
    promptService& prompts_;
    std::filesystem::path dataDir_;
    QMenu* chartMenu_ = nullptr;
    int progressShift_ = 0;

    QString playerName;
    statsSummaryC summary_;
    std::optional<ppdChartS> chart_;
    QDate chartStart_;
    QDate chartEnd_;
    bool reading_ = false;
    std::atomic<std::uint64_t> readSerial_{0};
    // One worker: a new read waits for a superseded one, which stops within a few thousand
    // records.
    QThreadPool readers_;

    std::array<QPixmap, 4> pictures_;
    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    std::array<QLabel*, 9> values_{};
    QLabel* dartFigures_ = nullptr;
    QDateEdit* DateTimePicker1 = nullptr;
    QDateEdit* DateTimePicker2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button1 = nullptr;
    practiceView* practiceView_ = nullptr;  // made at its first opening
    QProgressBar* ProgressBar1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    std::array<QLabel*, 2> panels_{};
};

}  // namespace qm
