#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "computer/dartChances.h"
#include "computer/vPlayerC.h"

namespace qm {

// One score's checkout with some darts in hand, for one player's hand: the route that finishes
// most often and how often, beside the chart's route and how often that finishes.
struct personalRouteS {
    std::vector<dartS> route;  // empty: no dart gives a chance to finish
    double chance = 0.0;
    std::vector<dartS> chartRoute;  // the checkout hint's route; empty where it has none
    double chartChance = 0.0;
};

// The checkout table of one hand, from 2 to 170 with one to three darts in hand. A dart's
// outcomes come from the hand's model (a fitted scatter's or a strength's), the x01 rules
// decide what each does, and the chance is that of finishing before the darts run out:
//
// - the best route aims each dart at the target (any single, double or treble, either bull)
//   with the highest chance to finish from there, the next darts aimed as well from wherever
//   it lands; shown as the darts it aims at if each of them hits;
// - the chart's route aims each dart where the hint says from the score it has come to, and
//   counts nothing where the hint has no route.
class personalRoutesC {
  public:
    static constexpr std::int32_t highest = 170;

    personalRoutesC(dartOutcomesC& outcomes, const vPlayerC& chart);

    // A score outside 2 to 170 or darts in hand outside 1 to 3 throw std::out_of_range.
    [[nodiscard]] const personalRouteS& at(std::int32_t score, int inHand) const;

  private:
    std::array<std::vector<personalRouteS>, 3> table_;
};

// Every target a dart may be aimed at: the singles, doubles and trebles, the two bulls.
[[nodiscard]] std::vector<dartS> everyTarget();

}  // namespace qm
