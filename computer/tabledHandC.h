#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "computer/hitTable.h"
#include "computer/throwC.h"
#include "computer/virtualBoardC.h"

namespace qm {

// Where one dart went: the board point it landed on and what it hit there.
struct landedDartS {
    boardPointS point;
    dartS hit;
};

// A computer player's hand that learns where it throws: once it has thrown as many darts at a
// target as a hit table of that target has entries, it builds the table and looks its hits up
// from then on. A game in the window never gets that far; a simulated run of thousands of
// matches keeps one hand per player for the whole run and throws most darts from tables. The
// darts are the same either way: the table gives exactly what the hit test gives.
class tabledHandC {
  public:
    tabledHandC(float strength, const virtualBoardC& board,
                throwC::seeding seed = throwC::seeding::keep);
    tabledHandC(const tabledHandC&) = delete;
    tabledHandC& operator=(const tabledHandC&) = delete;
    tabledHandC(tabledHandC&&) = default;

    // One dart at `target`, whose aim point is `aim`, with its four draws from `generator`.
    landedDartS throwAt(dartS target, boardPointS aim, std::uint32_t& generator) {
        const throwC::axisStatesS states = hand_.drawStates(generator);
        const boardPointS offset = hand_.offsetOf(states);
        const boardPointS landing{aim.x + offset.x, aim.y + offset.y};
        targetSlot& slot = slots_[static_cast<std::size_t>(target.type * 26 + target.number)];
        if (slot.table) {
            return {landing, slot.table->hit(states.x, states.y)};
        }
        if (++slot.darts >= tableEntries_) {
            slot.table = std::make_unique<hitTableC>(hand_, *board_, aim);
        }
        return {landing, board_->getHit(landing)};
    }

    [[nodiscard]] const throwC& hand() const { return hand_; }

  private:
    struct targetSlot {
        long long darts = 0;
        std::unique_ptr<hitTableC> table;
    };
    throwC hand_;
    const virtualBoardC* board_;
    long long tableEntries_;
    std::array<targetSlot, 4 * 26> slots_{};
};

}  // namespace qm
