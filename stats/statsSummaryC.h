#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "stats/legRecord.h"
#include "stats/recentLegsC.h"

namespace qm {

// The nine summary figures of a player's whole history, accumulated record by record in
// file order.
class statsSummaryC {
  public:
    static constexpr std::int32_t noBestLeg = 999;

    void reset();
    void addRecord(const legRecordS& record);

    // "PPD (overall)" ... "Best leg (501 in X darts)", formatted as the window shows them.
    [[nodiscard]] std::array<std::string, 9> figureTexts() const;

    std::int64_t totalPoints = 0;
    std::int64_t totalDarts = 0;
    recentLegsC recentLegs;
    recentLegsC recentWonLegs;
    std::int32_t legsPlayed = 0;
    std::int32_t legsWon = 0;
    std::int32_t legsLost = 0;
    std::int64_t total180s = 0;
    std::int32_t bestFinish = 0;
    std::int32_t bestLeg = noBestLeg;
    // Dates of the file's first and last record; absent for an empty file.
    std::optional<civilDate> firstDate;
    std::optional<civilDate> lastDate;
};

}  // namespace qm
