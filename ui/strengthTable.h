#pragma once

#include <optional>

#include "game/playerModel.h"

namespace qm {

// What a computer player of a strength scores: the three-dart average that
// "quivermark-sim calibrate" measured with the game's own model, shipped with the program
// (data/strength-averages.jsonl). Nothing for a strength the table does not hold.
std::optional<double> expectedAverage(int strength);
// The whole table, for the odds' model of a human.
const strengthAverages& strengthAverageTable();

}  // namespace qm
