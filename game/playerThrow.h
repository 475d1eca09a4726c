#pragma once

#include <string>
#include <vector>

#include "computer/throwFit.h"
#include "stats/dartHistoryC.h"

namespace qm {

// Every drill dart of the player's that the history knows the target and landing point of.
[[nodiscard]] std::vector<fitDartS> fitDartsOf(dartHistoryC& history, const std::string& player);

// A player's own scatter, fitted from every drill dart of theirs whose target and landing
// point the history knows (darts entered by notation have no point and are left out).
[[nodiscard]] throwFitS fitPlayerThrow(dartHistoryC& history, const std::string& player,
                                       const virtualBoardC& board);

}  // namespace qm
