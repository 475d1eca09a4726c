#pragma once

#include <array>
#include <vector>

#include "computer/virtualBoardC.h"

namespace qm {

// 5000 times the chance that a standard normal variable lies at least k/100 from 0, rounded.
const std::array<int, 280>& tailCounts();

// A computer player's hand: the random offset of each dart from its aim point. Each axis draws a
// magnitude from a table shaped like the normal distribution's tail (in hundredths of a
// standard deviation, cut at 2.8), gives it a random sign and scales it by 4 / strength, so the
// spread is close to a normal one with a standard deviation of 400 / strength board units.
class throwC {
  public:
    enum class seeding {
        fromClock,  // reseed the shared generator with the current second, as a new game does
        keep,       // leave the generator as it is (seeded tests, the simulator)
    };

    explicit throwC(float strength, seeding seed = seeding::fromClock);

    // The table always holds 5000 - 26 + 1 entries.
    static constexpr int expectedSpreadCount = 4975;

    // Four draws in this order: x index, x sign, y index, y sign.
    [[nodiscard]] boardPointS throwOffset() const;
    [[nodiscard]] static int randomBelow(int n);
    // The offset on one axis for a magnitude drawn from the table and a sign draw (0 negative).
    [[nodiscard]] static float axisOffset(int magnitude, int signDraw, float strength);

    [[nodiscard]] float strength() const { return strength_; }
    [[nodiscard]] int spreadCount() const { return spreadCount_; }
    [[nodiscard]] const std::vector<int>& spreadTable() const { return spreadTable_; }

  private:
    float strength_;
    int spreadCount_ = 0;
    std::vector<int> spreadTable_;
    // Each table entry already scaled by 4 / strength and truncated: the offset for a plus sign.
    // A dart is thrown millions of times per second in the simulator.
    std::vector<float> scaledSpread_;
};

}  // namespace qm
