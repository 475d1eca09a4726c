#include "computer/hitTable.h"

namespace qm {

hitTableC::hitTableC(const throwC& hand, const virtualBoardC& board, boardPointS aim)
    : states_(hand.axisStateCount()),
      hits_(static_cast<std::size_t>(states_) * static_cast<std::size_t>(states_)) {
    std::size_t i = 0;
    for (int x = 0; x < states_; ++x) {
        const float landingX = aim.x + hand.axisOffsetOf(x);
        for (int y = 0; y < states_; ++y) {
            const dartS hit = board.getHit({landingX, aim.y + hand.axisOffsetOf(y)});
            hits_[i++] = static_cast<std::uint8_t>((hit.type << 5) | hit.number);
        }
    }
}

}  // namespace qm
