#include "sim/calibration.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "computer/tabledHandC.h"
#include "computer/vPlayerC.h"
#include "game/MatchC.h"

namespace qm::sim {

calibrationRowS calibrateStrength(int strength, int start, long long legs) {
    const vPlayerC chart;
    const virtualBoardC vBoard;
    std::vector<tabledHandC> hands;
    hands.reserve(2);
    hands.emplace_back(static_cast<float>(strength), vBoard);
    hands.emplace_back(static_cast<float>(strength), vBoard);
    matchContextS context;
    context.chart = &chart;
    context.vBoard = &vBoard;
    context.seeding = throwC::seeding::keep;
    context.hands = {&hands[0], &hands[1]};
    // The legs are those of one long match that nobody wins, so the starter alternates as in a
    // game; a match holds an even number of them, so a new one goes on with the same starter.
    constexpr long long legsPerMatch = 1 << 20;
    const gameSettingsS settings =
        computerMatch({}, {strength, strength}, start, 2 * legsPerMatch + 1, 1);

    calibrationRowS row;
    row.strength = strength;
    row.legs = legs;
    // For the standard error of a ratio of sums: the sums of squares and cross products of the
    // legs' points (p) and darts (d).
    double sumPP = 0.0, sumDD = 0.0, sumPD = 0.0;
    std::optional<MatchC> match;
    for (long long leg = 0; leg < legs; ++leg) {
        if (leg % legsPerMatch == 0) {
            match.emplace(settings, context);
        } else {
            match->startNextLeg();
        }
        std::optional<legResultS> result;
        while (!result) {
            result = match->playComputerTurn().leg;
        }
        row.winnerDarts += result->darts[static_cast<std::size_t>(result->winner)];
        const double legPoints = result->points[0] + result->points[1];
        const double legDarts = result->darts[0] + result->darts[1];
        row.points += static_cast<long long>(legPoints);
        row.darts += static_cast<long long>(legDarts);
        sumPP += legPoints * legPoints;
        sumDD += legDarts * legDarts;
        sumPD += legPoints * legDarts;
    }
    if (legs > 1 && row.darts > 0) {
        // Delta method for R = sum p / sum d: var(R) ~ sum (p - R d)^2 / ((n - 1) n dbar^2).
        const double n = static_cast<double>(legs);
        const double ratio = static_cast<double>(row.points) / static_cast<double>(row.darts);
        const double residual = sumPP - 2.0 * ratio * sumPD + ratio * ratio * sumDD;
        const double meanDarts = static_cast<double>(row.darts) / n;
        row.standardError = 3.0 * std::sqrt(std::max(0.0, residual) / ((n - 1.0) * n)) / meanDarts;
    }
    return row;
}

}  // namespace qm::sim
