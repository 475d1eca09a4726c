#pragma once

#include <string>

#include "computer/throwFit.h"
#include "stats/dartHistoryC.h"

namespace qm {

// A player's own scatter, fitted from every drill dart of theirs whose target and landing
// point the history knows (darts entered by notation have no point and are left out).
[[nodiscard]] throwFitS fitPlayerThrow(dartHistoryC& history, const std::string& player,
                                       const virtualBoardC& board);

}  // namespace qm
