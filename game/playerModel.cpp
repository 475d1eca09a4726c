#include "game/playerModel.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qm {

std::optional<recentAverageS> recentAverage(const std::vector<legRecordS>& records) {
    const std::size_t from =
        records.size() > historyLegsToModel ? records.size() - historyLegsToModel : 0;
    long long points = 0;
    long long darts = 0;
    for (std::size_t r = from; r < records.size(); ++r) {
        points += records[r].points;
        darts += records[r].darts;
    }
    if (darts == 0) {
        return std::nullopt;
    }
    return recentAverageS{3.0 * static_cast<double>(points) / static_cast<double>(darts),
                          static_cast<int>(records.size() - from)};
}

int nearestStrength(double average, const strengthAverages& table) {
    int best = minStrength;
    double bestGap = std::numeric_limits<double>::infinity();
    for (int s = minStrength; s <= maxStrength; ++s) {
        if (const std::optional<double> expected = table[static_cast<std::size_t>(s)]) {
            const double gap = std::fabs(*expected - average);
            if (gap < bestGap) {
                best = s;
                bestGap = gap;
            }
        }
    }
    return best;
}

playerModelS modelPlayer(bool isComputer, std::int32_t strength, const GameStatsC& game,
                         const std::optional<recentAverageS>& history,
                         const strengthAverages& table) {
    using basis = playerModelS::basis;
    if (isComputer) {
        return {basis::computer, std::clamp(strength, minStrength, maxStrength), 0, 0};
    }
    if (game.dartsThrown() >= gameDartsToModel) {
        const double average = 3.0 * static_cast<double>(game.pointsScored()) /
                               static_cast<double>(game.dartsThrown());
        return {basis::thisGame, nearestStrength(average, table), game.dartsThrown(), 0};
    }
    if (history) {
        return {basis::history, nearestStrength(history->average, table), 0, history->legs};
    }
    return {};
}

}  // namespace qm
