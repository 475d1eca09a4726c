#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "computer/gameRandom.h"
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

    // Each axis's offset is one of a few values, a table magnitude scaled and truncated, with
    // a sign: an axis state names one of them. States 0 to distinctOffsets() - 1 are the plus
    // signs, the next as many the minus signs of the same magnitudes.
    [[nodiscard]] int distinctOffsets() const { return static_cast<int>(offsetValues_.size()); }
    [[nodiscard]] int axisStateCount() const { return 2 * distinctOffsets(); }
    // The state of a magnitude draw (0 to 4974) and a sign draw.
    [[nodiscard]] int axisState(int magnitudeDraw, bool positive) const {
        return stateOfDraw_[static_cast<std::size_t>(magnitudeDraw)] +
               (positive ? 0 : distinctOffsets());
    }
    [[nodiscard]] float axisOffsetOf(int state) const {
        return stateOffsets_[static_cast<std::size_t>(state)];
    }

    // The four draws of throwOffset from a copy of the generator's state that the caller keeps
    // (and hands back with gameRandom::setState): the dart's two axis states.
    struct axisStatesS {
        int x;
        int y;
    };
    [[nodiscard]] axisStatesS drawStates(std::uint32_t& generator) const {
        const auto step = gameRandom::stepFour(generator);
        generator = step.s4;
        return {axisState(gameRandom::output(step.s1) % expectedSpreadCount,
                          gameRandom::output(step.s2) % 2 == 1),
                axisState(gameRandom::output(step.s3) % expectedSpreadCount,
                          gameRandom::output(step.s4) % 2 == 1)};
    }
    [[nodiscard]] boardPointS offsetOf(axisStatesS states) const {
        return {axisOffsetOf(states.x), axisOffsetOf(states.y)};
    }

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
    std::vector<float> offsetValues_;         // the distinct scaled magnitudes, ascending
    std::vector<std::uint16_t> stateOfDraw_;  // magnitude draw -> its value's position
    // The offset of each axis state: the magnitudes, then the same negated. A table read
    // instead of a branch on the sign, which is a coin toss for the branch predictor.
    std::vector<float> stateOffsets_;
};

}  // namespace qm
