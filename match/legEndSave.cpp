#include "match/legEndSave.h"

namespace qm {

legRecordS buildLegRecord(const legEndS& leg, int player, const ScoreBoardC& board,
                          const GameStatsC& stats) {
    const bool won = player == leg.winner;
    legRecordS record;
    record.year = static_cast<std::int16_t>(leg.today.year);
    record.month = static_cast<std::int16_t>(leg.today.month);
    record.day = static_cast<std::int16_t>(leg.today.day);
    record.darts = static_cast<std::int16_t>(board.darts());
    record.points = static_cast<std::int16_t>(board.startScore() - board.remaining());
    record.won = won ? 1 : 0;
    record.count180 = static_cast<std::int16_t>(stats.leg180s());
    record.finish = static_cast<std::int16_t>(won ? leg.finishScore : 0);
    return record;
}

bool saveStatistics(const legEndS& leg, const std::array<ScoreBoardC, 2>& board,
                    std::array<GameStatsC, 2>& gstats, const std::array<std::string, 2>& names,
                    const legRecordWriter& write, const errorReport& reportError) {
    bool allSaved = true;
    for (int i = 0; i < 2; ++i) {
        const legRecordS record = buildLegRecord(leg, i, board[i], gstats[i]);
        if (!gstats[i].saveLeg(names[i], record, write)) {
            allSaved = false;
            if (reportError) {
                reportError("Unable to save statistics for player: " + names[i]);
            }
        }
    }
    return allSaved;
}

}  // namespace qm
