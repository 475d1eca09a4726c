#pragma once

#include <cstdint>
#include <vector>

#include "computer/throwC.h"
#include "computer/virtualBoardC.h"

namespace qm {

// Every hit one hand can make at one target, worked out once. A dart lands on the aim point
// plus one of axisStateCount() offsets on each axis, so there are only that many squared
// landing points, and each one's hit never changes: looking it up gives exactly what getHit
// gives. Building costs one getHit per entry, so it pays only for a target aimed at more
// often than the table has entries (the simulator decides).
class hitTableC {
  public:
    hitTableC(const throwC& hand, const virtualBoardC& board, boardPointS aim);

    [[nodiscard]] dartS hit(int xState, int yState) const {
        const std::uint8_t packed = hits_[static_cast<std::size_t>(xState * states_ + yState)];
        return {packed >> 5, packed & 31};
    }
    [[nodiscard]] int entries() const { return states_ * states_; }
    // A table built for a hand has this many entries; it pays for itself once that many darts
    // are thrown at its target.
    [[nodiscard]] static long long entriesFor(const throwC& hand) {
        return static_cast<long long>(hand.axisStateCount()) * hand.axisStateCount();
    }

  private:
    int states_;
    std::vector<std::uint8_t> hits_;  // type in the top bits, number (1 to 25) in the low five
};

}  // namespace qm
