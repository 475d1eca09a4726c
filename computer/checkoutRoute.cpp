#include "computer/checkoutRoute.h"

namespace qm {

namespace {

// The chart's darts from dart `first` on, if they finish on a double by the third.
std::vector<dartS> chartRoute(const vPlayerC& chart, int remaining, int first) {
    std::vector<dartS> route;
    for (int k = first; k <= 3; ++k) {
        const dartS aim = chart.dartCheck(k, remaining, true);
        route.push_back(aim);
        remaining -= aim.score();
        if (remaining == 0) {
            return aim.type == 2 ? route : std::vector<dartS>{};
        }
        if (remaining < 2) {
            return {};
        }
    }
    return {};
}

// What a setting-up dart may be, in the order it is looked for: trebles from 20 down. For
// every score the chart can be asked about, a treble is found before any bull or single
// would be, so those are not tried.
std::vector<dartS> setupDarts() {
    std::vector<dartS> darts;
    for (int n = 20; n >= 1; --n) {
        darts.push_back({3, n});
    }
    return darts;
}

}  // namespace

std::vector<dartS> checkoutRoute(const vPlayerC& chart, int remaining, int dartsInHand) {
    if (remaining < 2 || remaining > 170 || dartsInHand < 1 || dartsInHand > 3) {
        return {};
    }
    std::vector<dartS> route = chartRoute(chart, remaining, 4 - dartsInHand);
    if (!route.empty() || dartsInHand == 1) {
        return route;
    }
    static const std::vector<dartS> setups = setupDarts();
    for (const dartS& setup : setups) {
        std::vector<dartS> rest = checkoutRoute(chart, remaining - setup.score(), dartsInHand - 1);
        if (!rest.empty()) {
            rest.insert(rest.begin(), setup);
            return rest;
        }
    }
    return {};
}

std::string dartNotation(const dartS& dart) {
    if (dart.number == 25) {
        return dart.type == 2 ? "Bull" : "25";
    }
    const char* prefix = dart.type == 3 ? "T" : dart.type == 2 ? "D" : "S";
    return prefix + std::to_string(dart.number);
}

std::string routeText(const std::vector<dartS>& route) {
    std::string text;
    for (const dartS& dart : route) {
        text += (text.empty() ? "" : " ") + dartNotation(dart);
    }
    return text;
}

}  // namespace qm
