#include "game/personalRoutes.h"

#include <stdexcept>

#include "computer/checkoutRoute.h"
#include "match/x01Rules.h"

namespace qm {

std::vector<dartS> everyTarget() {
    std::vector<dartS> targets;
    for (std::int32_t type = 1; type <= 3; ++type) {
        for (std::int32_t number = 1; number <= 20; ++number) {
            targets.push_back({type, number});
        }
    }
    targets.push_back({1, 25});
    targets.push_back({2, 25});
    return targets;
}

personalRoutesC::personalRoutesC(dartOutcomesC& outcomes, const vPlayerC& chart) {
    const std::vector<dartS> targets = everyTarget();
    outcomes.prepare(targets);
    const auto size = static_cast<std::size_t>(highest) + 1;
    // best[d][s], chart[d][s]: the chance to finish from s with d darts in hand (d 0: none).
    std::array<std::vector<double>, 4> best;
    std::array<std::vector<double>, 4> byChart;
    best[0].assign(size, 0.0);
    byChart[0].assign(size, 0.0);
    std::array<std::vector<dartS>, 4> bestTarget;
    const auto chanceAt = [&outcomes](const dartS& target, std::int32_t score,
                                      const std::vector<double>& next) {
        double chance = 0.0;
        for (const hitChanceS& o : outcomes.at(target)) {
            const x01DartS after = applyX01Dart(score, o.hit);
            if (after.result == x01Result::checksOut) {
                chance += o.chance;
            } else if (after.result == x01Result::scores && after.left <= highest) {
                chance += o.chance * next[static_cast<std::size_t>(after.left)];
            }
        }
        return chance;
    };
    for (int d = 1; d <= 3; ++d) {
        const auto ud = static_cast<std::size_t>(d);
        best[ud].assign(size, 0.0);
        byChart[ud].assign(size, 0.0);
        bestTarget[ud].assign(size, dartS{0, 0});
        for (std::int32_t s = 2; s <= highest; ++s) {
            const auto us = static_cast<std::size_t>(s);
            for (const dartS& t : targets) {
                const double chance = chanceAt(t, s, best[ud - 1]);
                if (chance > best[ud][us]) {
                    best[ud][us] = chance;
                    bestTarget[ud][us] = t;
                }
            }
            const std::vector<dartS> hint = checkoutRoute(chart, s, d);
            if (!hint.empty()) {
                byChart[ud][us] = chanceAt(hint.front(), s, byChart[ud - 1]);
            }
        }
    }
    for (int d = 1; d <= 3; ++d) {
        std::vector<personalRouteS>& rows = table_[static_cast<std::size_t>(d - 1)];
        rows.resize(size);
        for (std::int32_t s = 2; s <= highest; ++s) {
            personalRouteS& row = rows[static_cast<std::size_t>(s)];
            row.chance = best[static_cast<std::size_t>(d)][static_cast<std::size_t>(s)];
            row.chartChance = byChart[static_cast<std::size_t>(d)][static_cast<std::size_t>(s)];
            row.chartRoute = checkoutRoute(chart, s, d);
            // The darts the best aims take if each one hits, to the finish.
            std::int32_t left = s;
            for (int inHand = d; inHand >= 1 && row.chance > 0.0; --inHand) {
                const dartS t =
                    bestTarget[static_cast<std::size_t>(inHand)][static_cast<std::size_t>(left)];
                if (t.type == 0) {
                    break;  // no aim from here finishes: the best aims hope for a lucky miss
                }
                row.route.push_back(t);
                const x01DartS after = applyX01Dart(left, t);
                if (after.result != x01Result::scores) {
                    break;
                }
                left = after.left;
            }
        }
    }
}

const personalRouteS& personalRoutesC::at(std::int32_t score, int inHand) const {
    if (score < 2 || score > highest || inHand < 1 || inHand > 3) {
        throw std::out_of_range("a checkout is from 2 to 170 with 1 to 3 darts in hand");
    }
    return table_[static_cast<std::size_t>(inHand - 1)][static_cast<std::size_t>(score)];
}

}  // namespace qm
