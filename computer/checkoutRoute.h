#pragma once

#include <string>
#include <vector>

#include "computer/vPlayerC.h"

namespace qm {

// The darts the chart aims at from this score if every one of them hits, with the chart's
// alternative finishes for the second and third dart (the bull for 50 on the last dart), as a
// player who takes advice would throw them: a checkout route when they finish on a double
// within three darts, otherwise empty (scores above 170 or below 2, the "No check" scores, and
// the few the chart takes more darts to finish, 161 among them).
std::vector<dartS> checkoutRoute(const vPlayerC& chart, int remaining);

// Dart notation: "T20", "D16", "S5", "25" for the outer bull and "Bull" for the bull's eye.
std::string dartNotation(const dartS& dart);

// The route in dart notation, darts separated by blanks ("T20 T19 D12"); empty for no route.
std::string routeText(const std::vector<dartS>& route);

}  // namespace qm
