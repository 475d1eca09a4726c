#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "match/GameStatsC.h"
#include "match/ScoreBoardC.h"
#include "stats/civilDate.h"

namespace qm {

// Why a leg record was not saved: the file could not be written, or the leg itself does not
// fit a record (more darts than a record holds), in which case nothing was tried.
enum class saveError { fileFailed, legNotStorable };
using errorReport = std::function<void(const std::string& message, saveError kind)>;

// Everything the leg-end save needs to know about the leg that has just been won.
struct legEndS {
    int winner = 0;  // the current player, who has just won the leg
    std::int32_t finishScore = 0;
    civilDate today;
};

// What came of the leg's records: whether both were written, and where each went in its
// player's file (none where it was not written, or the writer cannot tell).
struct savedLegS {
    bool allSaved = true;
    std::array<std::optional<std::int64_t>, 2> places;
    explicit operator bool() const { return allSaved; }
};

// Appends one leg record for each player (player 1 first). Each failure is reported as
// "Unable to save statistics for player: " and the name, followed by the reason in
// parentheses (the system's, or that the leg does not fit a record); the other player is
// still saved.
savedLegS saveStatistics(const legEndS& leg, const std::array<ScoreBoardC, 2>& board,
                         std::array<GameStatsC, 2>& gstats, const std::array<std::string, 2>& names,
                         const legRecordWriter& write, const errorReport& reportError);

// The record of player i for the leg.
legRecordS buildLegRecord(const legEndS& leg, int player, const ScoreBoardC& board,
                          const GameStatsC& stats);

}  // namespace qm
