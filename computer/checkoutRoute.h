#pragma once

#include <optional>
#include <string>
#include <vector>

#include "computer/vPlayerC.h"

namespace qm {

// The darts the chart aims at from this score if every one of them hits, with the chart's
// alternative finishes for the second and third dart (the bull for 50 on the last dart), as a
// player who takes advice would throw them: a checkout route when they finish on a double
// with the darts still in hand (1 to 3; the chart is asked with the right dart number),
// otherwise empty (scores above 170 or below 2, the "No check" scores, and with fewer darts
// in hand the scores those darts cannot finish).
//
// Where the chart's own darts would need one dart more than is left (161: T20 leaves 101,
// whose entry T20 leaves 41), the first dart sets up a finish the chart takes with the darts
// that remain, trying trebles from 20 down (T20 T17 Bull).
std::vector<dartS> checkoutRoute(const vPlayerC& chart, int remaining, int dartsInHand = 3);

// Dart notation: "T20", "D16", "S5", "25" for the outer bull and "Bull" for the bull's eye.
std::string dartNotation(const dartS& dart);

// Darts in that notation, separated by blanks or commas, any case: "T20 t19 D12", "S5", "5"
// (a single), "25", "Bull" (or "50"), "Miss" (or "M", "0"), as many as are typed (the visit
// says how many it takes). A word that names no dart makes it fail with `bad` set to it.
std::optional<std::vector<dartS>> parseDartNotation(const std::string& text, std::string& bad);

// The route in dart notation, darts separated by blanks ("T20 T19 D12"); empty for no route.
std::string routeText(const std::vector<dartS>& route);

}  // namespace qm
