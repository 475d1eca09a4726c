#include "computer/throwC.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <stdexcept>

#include "computer/gameRandom.h"

namespace qm {

const std::array<int, 280>& tailCounts() {
    static const std::array<int, 280> table = [] {
        std::array<int, 280> counts{};
        for (int k = 0; k < 280; ++k) {
            counts[k] =
                static_cast<int>(std::lround(5000.0 * std::erfc(k / (100.0 * std::sqrt(2.0)))));
        }
        return counts;
    }();
    return table;
}

throwC::throwC(float strength, seeding seed) : strength_(strength) {
    if (seed == seeding::fromClock) {
        gameRandom::seed(static_cast<std::uint32_t>(std::time(nullptr)));
    }
    const auto& tail = tailCounts();
    // The simulator builds two of these per match, so the tables are filled in bulk.
    spreadTable_.resize(static_cast<std::size_t>(tail[0] - tail[279] + 1));
    auto next = spreadTable_.begin();
    for (int k = 0; k < 280; ++k) {
        const int repeats = k + 1 < 280 ? tail[k] - tail[k + 1] : 1;
        next = std::fill_n(next, repeats, k + 1);
    }
    spreadCount_ = static_cast<int>(next - spreadTable_.begin());
    if (spreadCount_ != expectedSpreadCount) {
        throw std::logic_error("spread table does not hold 4975 entries");
    }
    std::array<float, 281> offsetOf{};
    for (int magnitude = 1; magnitude <= 280; ++magnitude) {
        offsetOf[magnitude] = axisOffset(magnitude, 1, strength_);
    }
    scaledSpread_.resize(spreadTable_.size());
    std::transform(spreadTable_.begin(), spreadTable_.end(), scaledSpread_.begin(),
                   [&offsetOf](int magnitude) { return offsetOf[magnitude]; });
    // The table rises with its index, so equal offsets sit side by side.
    stateOfDraw_.resize(scaledSpread_.size());
    for (std::size_t i = 0; i < scaledSpread_.size(); ++i) {
        if (offsetValues_.empty() || offsetValues_.back() != scaledSpread_[i]) {
            offsetValues_.push_back(scaledSpread_[i]);
        }
        stateOfDraw_[i] = static_cast<std::uint16_t>(offsetValues_.size() - 1);
    }
    stateOffsets_ = offsetValues_;
    for (const float value : offsetValues_) {
        stateOffsets_.push_back(-value);
    }
}

int throwC::randomBelow(int n) {
    return gameRandom::next() % n;
}

float throwC::axisOffset(int magnitude, int signDraw, float strength) {
    const int sign = signDraw == 1 ? 1 : -1;
    return static_cast<float>(
        static_cast<int>(sign * 4 * magnitude / static_cast<double>(strength)));
}

boardPointS throwC::throwOffset() const {
    // randomBelow(spreadCount_) with the count known to the compiler; truncation toward zero
    // makes the negative offset the exact mirror of the positive one.
    const float x =
        scaledSpread_[static_cast<std::size_t>(gameRandom::next() % expectedSpreadCount)];
    const bool xPositive = randomBelow(2) == 1;
    const float y =
        scaledSpread_[static_cast<std::size_t>(gameRandom::next() % expectedSpreadCount)];
    const bool yPositive = randomBelow(2) == 1;
    return {xPositive ? x : -x, yPositive ? y : -y};
}

}  // namespace qm
