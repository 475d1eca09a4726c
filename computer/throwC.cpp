#include "computer/throwC.h"

#include <cmath>
#include <ctime>

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
    spreadTable_.reserve(static_cast<std::size_t>(tail[0]));
    for (int k = 0; k < 280; ++k) {
        const int repeats = k + 1 < 280 ? tail[k] - tail[k + 1] : 1;
        spreadTable_.insert(spreadTable_.end(), static_cast<std::size_t>(repeats), k + 1);
    }
    spreadCount_ = static_cast<int>(spreadTable_.size());
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
    const int xMagnitude = spreadTable_[static_cast<std::size_t>(randomBelow(spreadCount_))];
    const int xSign = randomBelow(2);
    const int yMagnitude = spreadTable_[static_cast<std::size_t>(randomBelow(spreadCount_))];
    const int ySign = randomBelow(2);
    return {axisOffset(xMagnitude, xSign, strength_), axisOffset(yMagnitude, ySign, strength_)};
}

}  // namespace qm
