#include "computer/tabledHandC.h"

#include <cmath>
#include <numbers>

namespace qm {

tabledHandC::tabledHandC(float strength, const virtualBoardC& board, throwC::seeding seed,
                         std::optional<throwFitS> twin)
    : hand_(strength, seed),
      board_(&board),
      tableEntries_(hitTableC::entriesFor(hand_)),
      twin_(std::move(twin)) {}

landedDartS tabledHandC::twinThrow(dartS target, boardPointS aim, std::uint32_t& generator) const {
    // Two uniform numbers of 30 bits from the four draws, never 0 (the logarithm below), and
    // Box and Muller's pair of independent normal draws from them.
    const auto step = gameRandom::stepFour(generator);
    generator = step.s4;
    const auto uniform = [](std::uint32_t high, std::uint32_t low) {
        const auto bits = (static_cast<std::uint32_t>(gameRandom::output(high)) << 15U) |
                          static_cast<std::uint32_t>(gameRandom::output(low));
        return (static_cast<double>(bits) + 0.5) / static_cast<double>(1U << 30U);
    };
    const double u1 = uniform(step.s1, step.s2);
    const double u2 = uniform(step.s3, step.s4);
    const double radius = std::sqrt(-2.0 * std::log(u1));
    const double angle = 2.0 * std::numbers::pi * u2;
    const boardPointS offset =
        twin_->forTarget(target).offset(radius * std::cos(angle), radius * std::sin(angle));
    const boardPointS landing{aim.x + offset.x, aim.y + offset.y};
    return {landing, board_->getHit(landing)};
}

}  // namespace qm
