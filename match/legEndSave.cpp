#include "match/legEndSave.h"

#include <algorithm>
#include <limits>

namespace qm {

namespace {

// A figure too large for its field stays too large, so the record is refused instead of
// wrapping round into a plausible value.
std::int16_t saturated(std::int32_t value) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(
        value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

}  // namespace

legRecordS buildLegRecord(const legEndS& leg, int player, const ScoreBoardC& board,
                          const GameStatsC& stats) {
    const bool won = player == leg.winner;
    legRecordS record;
    record.year = static_cast<std::int16_t>(leg.today.year);
    record.month = static_cast<std::int16_t>(leg.today.month);
    record.day = static_cast<std::int16_t>(leg.today.day);
    record.darts = saturated(board.darts());
    record.points = saturated(board.startScore() - board.remaining());
    record.won = won ? 1 : 0;
    record.count180 = saturated(stats.leg180s());
    record.finish = static_cast<std::int16_t>(won ? leg.finishScore : 0);
    return record;
}

savedLegS saveStatistics(const legEndS& leg, const std::array<ScoreBoardC, 2>& board,
                         std::array<GameStatsC, 2>& gstats, const std::array<std::string, 2>& names,
                         const legRecordWriter& write, const errorReport& reportError) {
    savedLegS result;
    for (int i = 0; i < 2; ++i) {
        const legRecordS record = buildLegRecord(leg, i, board[i], gstats[i]);
        const std::string problem = recordProblem(record);
        const legRecordWriter noWrite;
        const legWriteS saved =
            gstats[i].saveLeg(names[i], record, problem.empty() ? write : noWrite);
        if (saved && saved.index >= 0) {
            result.places[static_cast<std::size_t>(i)] = saved.index;
        }
        if (!saved) {
            result.allSaved = false;
            if (reportError) {
                const std::string message = "Unable to save statistics for player: " + names[i];
                if (problem.empty()) {
                    reportError(
                        saved.problem.empty() ? message : message + " (" + saved.problem + ")",
                        saveError::fileFailed);
                } else {
                    reportError(message + " (" + problem + ")", saveError::legNotStorable);
                }
            }
        }
    }
    return result;
}

}  // namespace qm
