#include "computer/vPlayerC.h"

#include <iostream>
#include <stdexcept>

#include "match/x01Rules.h"

namespace qm {

namespace {

constexpr dartS triple20{3, 20};
constexpr dartS bullsEye{2, 25};
const std::string noCheckText = "No check";

}  // namespace

vPlayerC::vPlayerC() {
    for (std::size_t r = 0; r < mainChartSize; ++r) {
        chart_[r] = mainChartTexts[r];
        noCheck_[r] = chart_[r] == noCheckText;
        if (!noCheck_[r]) {
            chartDarts_[r] = string2dart(chart_[r]);
        }
    }
    for (const auto& entry : alternativeChartTexts) {
        alternativeChart_[entry.remaining] = entry.text;
    }
    for (int remaining = 2; remaining < lastDartTableSize; ++remaining) {
        lastDartAim_[static_cast<std::size_t>(remaining)] =
            remaining >= 171 ? setupCheck(remaining) : normalCheck(remaining);
    }
}

bool vPlayerC::isNoCheck(int remaining) const {
    return noCheck_[remaining];
}

dartS vPlayerC::normalCheck(int remaining) const {
    if (remaining < 2 || remaining > 170) {
        std::cout << "ERROR: normalCheck(" << remaining << ")" << std::endl;
        return {0, 0};
    }
    if (isNoCheck(remaining)) {
        return triple20;
    }
    return chartDarts_[remaining];
}

dartS vPlayerC::alternativeCheck(int remaining) const {
    if (remaining >= 1 && remaining <= 70 && !alternativeChart_[remaining].empty()) {
        return string2dart(alternativeChart_[remaining]);
    }
    return normalCheck(remaining);
}

dartS vPlayerC::firstDartCheck(int remaining) const {
    return remaining > 170 ? triple20 : normalCheck(remaining);
}

dartS vPlayerC::secondDartCheck(int remaining, bool alternative) const {
    if (remaining >= 110) {
        return triple20;
    }
    return alternative ? alternativeCheck(remaining) : normalCheck(remaining);
}

dartS vPlayerC::thirdDartCheck(int remaining, bool alternative) const {
    if (remaining >= lastDartTableSize) {
        return triple20;
    }
    if (!alternative && remaining >= 2) {
        return lastDartAim_[static_cast<std::size_t>(remaining)];
    }
    if (remaining >= 171) {
        return setupCheck(remaining);
    }
    if (alternative && remaining == 50) {
        return bullsEye;
    }
    return normalCheck(remaining);
}

dartS vPlayerC::setupCheck(int remaining) const {
    if (remaining < 171 || remaining > 229) {
        throw std::out_of_range("setupCheck is for 171 to 229 left, not " +
                                std::to_string(remaining));
    }
    if (remaining == 195 || remaining == 192) {
        return bullsEye;
    }
    if (remaining >= 196) {
        for (int n = 20; n >= 15; --n) {
            if (isFinishable(remaining - 3 * n)) {
                return {3, n};
            }
        }
        return triple20;
    }
    for (int n = 20; n >= 11; --n) {
        const int afterSingle = remaining - n;
        if (!isFinishable(afterSingle)) {
            continue;
        }
        if (isFinishable(remaining - 3 * n)) {
            return {3, n};
        }
    }
    return triple20;
}

}  // namespace qm
