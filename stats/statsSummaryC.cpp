#include "stats/statsSummaryC.h"

#include "stats/decimals.h"

namespace qm {

void statsSummaryC::reset() {
    *this = statsSummaryC{};
}

void statsSummaryC::addRecord(const legRecordS& record) {
    totalDarts += record.darts;
    totalPoints += record.points;
    recentLegs.add(record.points, record.darts);
    if (record.isWon()) {
        ++legsWon;
        recentWonLegs.add(record.points, record.darts);
        if (record.points == 501 && record.darts < bestLeg) {
            bestLeg = record.darts;
        }
    } else {
        ++legsLost;
    }
    ++legsPlayed;
    total180s += record.count180;
    if (record.finish > bestFinish) {
        bestFinish = record.finish;
    }
}

std::array<std::string, 9> statsSummaryC::figureTexts() const {
    const double overall =
        totalDarts == 0 ? 0.0 : static_cast<double>(totalPoints) / static_cast<double>(totalDarts);
    return {twoDecimals(overall),
            twoDecimals(recentLegs.ppd()),
            twoDecimals(recentWonLegs.ppd()),
            std::to_string(legsPlayed),
            std::to_string(legsWon),
            std::to_string(legsLost),
            std::to_string(total180s),
            std::to_string(bestFinish),
            bestLeg == noBestLeg ? std::string("-") : std::to_string(bestLeg)};
}

}  // namespace qm
