#include "stats/dartFigures.h"

#include <algorithm>
#include <cstdio>

#include "stats/decimals.h"

namespace qm {

void dartFiguresS::add(const legFiguresS& leg) {
    ++legs;
    if (leg.first9Darts > 0) {
        first9Sum += 3.0 * leg.first9Points / leg.first9Darts;
        ++first9Legs;
    }
    atDouble += leg.atDouble;
    doublesHit += leg.doublesHit;
    highestCheckout = std::max(highestCheckout, leg.checkout);
}

double dartFiguresS::first9Average() const {
    return first9Legs == 0 ? 0.0 : first9Sum / static_cast<double>(first9Legs);
}

double dartFiguresS::checkoutPercent() const {
    return atDouble == 0 ? 0.0 : 100.0 * static_cast<double>(doublesHit) / atDouble;
}

std::string checkoutText(const dartFiguresS& figures) {
    if (figures.atDouble == 0) {
        return "-";
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.1f%% (%lld/%lld)", figures.checkoutPercent(),
                  static_cast<long long>(figures.doublesHit),
                  static_cast<long long>(figures.atDouble));
    return text;
}

std::string first9Text(const dartFiguresS& figures) {
    if (figures.first9Legs == 0) {
        return "-";
    }
    return twoDecimals(figures.first9Average());
}

}  // namespace qm
