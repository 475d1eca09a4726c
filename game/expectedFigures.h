#pragma once

#include <cstdint>
#include <vector>

#include "game/visitChances.h"

namespace qm {

// What a modelled player scores, worked out exactly from its visits.

// The darts a player needs on average to finish from each score (index: the score; 0 and 1
// unused), throwing alone.
std::vector<double> expectedDartsToFinish(const visitChancesC& visits);

// The three-dart average of legs from the highest score between two players of this model,
// the points and darts of both counted (the winner's and the loser's), as a long run of such
// legs gives it: three times the expected points over the expected darts.
double headToHeadAverage(const visitChancesC& visits);

}  // namespace qm
