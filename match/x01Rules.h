#pragma once

#include <cstdint>
#include <span>

#include "match/dart.h"

namespace qm {

// The x01 rules, in one place: what one dart does to the score left, what a visit's total
// does, and which scores can be finished. No other code decides a bust or a checkout.
//
// A leg is won by a dart that leaves exactly 0 on a double (the bull's eye is double 25). A
// dart that leaves less than 0, leaves 1, or leaves 0 off a double busts the visit: its points
// do not count and the visit ends.

// A target a dart can hit: a number from 1 to 20 in any ring, the outer bull (single 25) or the
// bull's eye (double 25), or a miss (type 0, whatever number comes with it).
[[nodiscard]] constexpr bool isValidTarget(const dartS& dart) {
    if (dart.type == 0) {
        return true;
    }
    const bool number = (dart.number >= 1 && dart.number <= 20) || dart.number == 25;
    return dart.type >= 1 && dart.type <= 3 && number && !(dart.type == 3 && dart.number == 25);
}

enum class x01Result {
    scores,     // the dart or visit counts; the score left has come down by its points
    busts,      // nothing counts, the visit ends, the score is as at the visit's start
    checksOut,  // the leg is won
    refused,    // a typed total no three darts can make (never a dart's result)
};

// One dart from `left` (the score before it). `left` after it: the score left on `scores`, 0 on
// `checksOut`, and what the dart would have left on `busts` (below 2, or 0 off a double).
struct x01DartS {
    x01Result result = x01Result::scores;
    std::int32_t left = 0;
};
[[nodiscard]] constexpr x01DartS applyX01Dart(std::int32_t left, const dartS& dart) {
    const std::int32_t rest = left - dart.score();
    if (rest == 0 && dart.type == 2) {
        return {x01Result::checksOut, 0};
    }
    return {rest < 2 ? x01Result::busts : x01Result::scores, rest};
}

// A visit's darts from `left`: what they come to, the darts that counted (a visit ends at a
// checkout or a bust; later darts are not thrown), and the points it scores (0 on a bust).
struct x01VisitS {
    x01Result result = x01Result::scores;
    std::int32_t darts = 0;
    std::int32_t points = 0;
    std::int32_t total = 0;  // the sum of the darts thrown, a bust's included
};
[[nodiscard]] constexpr x01VisitS applyX01Visit(std::int32_t left, std::span<const dartS> darts) {
    x01VisitS visit;
    for (const dartS& dart : darts) {
        const x01DartS after = applyX01Dart(left - visit.total, dart);
        ++visit.darts;
        visit.total += dart.score();
        if (after.result != x01Result::scores) {
            visit.result = after.result;
            visit.points = after.result == x01Result::busts ? 0 : visit.total;
            return visit;
        }
    }
    visit.points = visit.total;
    return visit;
}

// A visit typed as its total (the darts are not known). A total outside 0 to 180, or one of
// 166, 169, 172, 173, 175, 176, 178 and 179, is refused; one that overshoots or leaves 1 busts
// (an impossible one too); one that reaches 0 checks out (a total cannot show which dart ended
// on a double) but above 170 and at 159, 162, 163, 165, 168 and 169, where it busts. Those are
// the game's lists for typed totals: they take 163 as a total and 166 as a checkout, though no
// darts make them, so a typed total agrees with the darts wherever darts can make it.
[[nodiscard]] x01Result applyX01Total(std::int32_t left, std::int32_t total);

// Whether three darts can make the total at all.
[[nodiscard]] bool isThreeDartTotal(std::int32_t total);
// A score one dart can finish: an even number from 2 to 40 (a double) or 50 (the bull).
[[nodiscard]] constexpr bool isOneDartFinish(std::int32_t score) {
    return score == 50 || (score >= 2 && score <= 40 && score % 2 == 0);
}
// The fewest darts that can finish a leg from this score (1 to 3); 0 for a score that three
// darts cannot finish.
[[nodiscard]] std::int32_t dartsToFinish(std::int32_t score);
// Whether three darts can finish it: 2 to 170 but 159, 162, 163, 165, 166, 168 and 169.
[[nodiscard]] inline bool isFinishable(std::int32_t score) {
    return dartsToFinish(score) != 0;
}

}  // namespace qm
