#pragma once

#include <QDate>
#include <QWidget>
#include <filesystem>
#include <optional>
#include <vector>

#include "game/playerModel.h"
#include "match/drill.h"
#include "stats/drillRecord.h"
#include "stats/grafiekC.h"

class QComboBox;
class QDateEdit;
class QLabel;

namespace qm {

class settingsStoreC;

// What a drill scores at each strength, from the shipped table (made by the simulator's
// practice command); none for a drill or variant the table does not hold.
const strengthAverages& drillMeans(drillKind kind, int variant);

// What a player's results of one drill in a date range come to.
struct practiceSummaryS {
    std::size_t results = 0;
    double best = 0.0;
    double average = 0.0;
    std::optional<int> strength;  // the strength whose mean is nearest the average
};
practiceSummaryS summarisePractice(const std::vector<drillRecordS>& drills, drillKind kind,
                                   int variant);

// The statistics window's practice page: for a player and a drill (and its variant or
// target), the finished drills in a date range, their best and average, what strength that
// is worth, and a chart of the score over time drawn as the points-per-dart chart is.
class practiceView : public QWidget {
  public:
    practiceView(const settingsStoreC& store, std::filesystem::path dataDir, QWidget* parent);

    // Reads the history again for the choices made.
    void refresh();
    void refreshPlayers();

    static constexpr int chartLeft = 16;
    static constexpr int chartTop = 120;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void drillChanged();

    const settingsStoreC& store_;
    std::filesystem::path dataDir_;
    QComboBox* player_ = nullptr;
    QComboBox* drill_ = nullptr;
    QComboBox* variant_ = nullptr;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    QLabel* summary_ = nullptr;
    std::optional<ppdChartS> chart_;
    QDate chartStart_;
    QDate chartEnd_;
};

}  // namespace qm
