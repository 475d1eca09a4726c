#pragma once

#include <string>
#include <vector>

#include "match/ScoreBoardC.h"

namespace qm {

// The lines of a player's score list: one per visit of the leg, the score before it right-
// aligned in four places and the visit's points in the next nine, then the score left.
std::vector<std::string> scoreListLines(const ScoreBoardC& board);

}  // namespace qm
