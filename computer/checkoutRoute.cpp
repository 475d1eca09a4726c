#include "computer/checkoutRoute.h"

namespace qm {

std::vector<dartS> checkoutRoute(const vPlayerC& chart, int remaining) {
    if (remaining < 2 || remaining > 170) {
        return {};
    }
    std::vector<dartS> route;
    for (int k = 1; k <= 3; ++k) {
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
