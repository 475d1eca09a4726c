#include "match/x01Rules.h"

#include <algorithm>
#include <array>

namespace qm {

namespace {

constexpr std::int32_t mostThreeDarts = 180;

// Every total one dart can score, a miss's 0 among them.
constexpr std::array<bool, 61> oneDartTotals = [] {
    std::array<bool, 61> can{};
    can[0] = true;
    for (std::int32_t n = 1; n <= 20; ++n) {
        can[static_cast<std::size_t>(n)] = can[static_cast<std::size_t>(2 * n)] =
            can[static_cast<std::size_t>(3 * n)] = true;
    }
    can[25] = can[50] = true;
    return can;
}();

// For each score up to 180: the fewest darts, ending on a double, that make it (0 for none)
// and whether any three darts make it as a total.
struct tablesS {
    std::array<std::int32_t, mostThreeDarts + 1> toFinish{};
    std::array<bool, mostThreeDarts + 1> total{};
};

// Worked out once, at first use.
const tablesS& tables() {
    static const tablesS worked = [] {
        tablesS t;
        for (std::int32_t a = 0; a <= 60; ++a) {
            for (std::int32_t b = 0; b <= 60; ++b) {
                for (std::int32_t c = 0; c <= 60; ++c) {
                    if (oneDartTotals[static_cast<std::size_t>(a)] &&
                        oneDartTotals[static_cast<std::size_t>(b)] &&
                        oneDartTotals[static_cast<std::size_t>(c)]) {
                        t.total[static_cast<std::size_t>(a + b + c)] = true;
                    }
                }
            }
        }
        for (std::int32_t score = 2; score <= 170; ++score) {
            std::int32_t fewest = isOneDartFinish(score) ? 1 : 0;
            for (std::int32_t first = 1; fewest == 0 && first <= 60; ++first) {
                const bool one = oneDartTotals[static_cast<std::size_t>(first)];
                if (one && score - first >= 2 && isOneDartFinish(score - first)) {
                    fewest = 2;
                }
            }
            for (std::int32_t two = 2; fewest == 0 && two <= 120; ++two) {
                bool reached = false;
                for (std::int32_t a = 1; !reached && a <= 60 && a < two; ++a) {
                    reached = oneDartTotals[static_cast<std::size_t>(a)] && two - a <= 60 &&
                              oneDartTotals[static_cast<std::size_t>(two - a)];
                }
                if (reached && score - two >= 2 && isOneDartFinish(score - two)) {
                    fewest = 3;
                }
            }
            t.toFinish[static_cast<std::size_t>(score)] = fewest;
        }
        return t;
    }();
    return worked;
}

// The game's own lists for typed totals, as it has always kept them: a total of 163 is taken
// and 166 checks out, though no three darts make either.
constexpr std::array<std::int32_t, 8> impossibleTotals{179, 178, 176, 175, 173, 172, 169, 166};
constexpr std::array<std::int32_t, 6> unfinishableTotals{169, 168, 165, 163, 162, 159};

}  // namespace

bool isThreeDartTotal(std::int32_t total) {
    return total >= 0 && total <= mostThreeDarts && tables().total[static_cast<std::size_t>(total)];
}

std::int32_t dartsToFinish(std::int32_t score) {
    if (score < 2 || score > 170) {
        return 0;
    }
    return tables().toFinish[static_cast<std::size_t>(score)];
}

x01Result applyX01Total(std::int32_t left, std::int32_t total) {
    if (total < 0 || total > mostThreeDarts) {
        return x01Result::refused;
    }
    const auto listed = [total](const auto& list) {
        return std::find(list.begin(), list.end(), total) != list.end();
    };
    if (total == left) {
        return total > 170 || listed(unfinishableTotals) ? x01Result::busts : x01Result::checksOut;
    }
    // The bust comes first: an impossible total that overshoots is still a bust.
    if (left - total < 2) {
        return x01Result::busts;
    }
    return listed(impossibleTotals) ? x01Result::refused : x01Result::scores;
}

}  // namespace qm
