#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "match/GameStatsC.h"
#include "settings/gameSettingsS.h"
#include "stats/legRecord.h"

namespace qm {

// The three-dart average a computer player of each strength scores (from 1 to 60); none where
// the table has no row.
using strengthAverages = std::array<std::optional<double>, maxStrength + 1>;

// A player's recent history: the three-dart average of their last legs, and how many.
struct recentAverageS {
    double average = 0.0;
    int legs = 0;
};
// The legs of history a human is modelled by before they have thrown enough in the game.
inline constexpr std::size_t historyLegsToModel = 100;
// The darts a human must have thrown in the game before their average there models them.
inline constexpr std::int64_t gameDartsToModel = 9;

// The average of the last historyLegsToModel records; none without a dart in them.
[[nodiscard]] std::optional<recentAverageS> recentAverage(const std::vector<legRecordS>& records);

// The strength whose average is nearest `average` (the weaker of two as near); minStrength
// for an empty table.
[[nodiscard]] int nearestStrength(double average, const strengthAverages& table);

// How the odds model a player: as a computer player of some strength, and what it rests on.
struct playerModelS {
    enum class basis { computer, thisGame, history, nothing };
    basis from = basis::nothing;
    std::optional<int> strength;  // none: nothing yet to model the player by
    std::int64_t darts = 0;       // thisGame: the darts thrown in the game
    int legs = 0;                 // history: the legs of history
};
// A computer player is its own strength (held to 1 to 60). A human is the strength nearest
// their average in this game once they have thrown gameDartsToModel darts, else nearest
// their recent history's, else nothing yet.
[[nodiscard]] playerModelS modelPlayer(bool isComputer, std::int32_t strength,
                                       const GameStatsC& game,
                                       const std::optional<recentAverageS>& history,
                                       const strengthAverages& table);

}  // namespace qm
