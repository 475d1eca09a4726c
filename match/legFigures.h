#pragma once

#include <span>

#include "stats/dartRecord.h"

namespace qm {

// Plays one player's darts of a leg through the x01 rules and gives what they come to: points
// (busted visits score 0), the first nine darts' points, the darts thrown with a one-dart
// finish left, and the checkout.
[[nodiscard]] legFiguresS legFigures(std::span<const dartRecordS> darts);

}  // namespace qm
