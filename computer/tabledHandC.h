#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "computer/hitTable.h"
#include "computer/throwC.h"
#include "computer/throwFit.h"
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
//
// A twin's hand throws by a human's fitted scatter instead: the same four draws of the shared
// generator per dart, made into two normal draws, and the hit test for every dart.
class tabledHandC {
  public:
    tabledHandC(float strength, const virtualBoardC& board,
                throwC::seeding seed = throwC::seeding::keep,
                std::optional<throwFitS> twin = std::nullopt);
    tabledHandC(const tabledHandC&) = delete;
    tabledHandC& operator=(const tabledHandC&) = delete;
    tabledHandC(tabledHandC&&) = default;

    // One dart at `target`, whose aim point is `aim`, with its four draws from `generator`.
    landedDartS throwAt(dartS target, boardPointS aim, std::uint32_t& generator) {
        if (twin_) {
            return twinThrow(target, aim, generator);
        }
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
    [[nodiscard]] bool isTwin() const { return twin_.has_value(); }

  private:
    landedDartS twinThrow(dartS target, boardPointS aim, std::uint32_t& generator) const;

    struct targetSlot {
        long long darts = 0;
        std::unique_ptr<hitTableC> table;
    };
    throwC hand_;
    const virtualBoardC* board_;
    long long tableEntries_;
    std::optional<throwFitS> twin_;
    std::array<targetSlot, 4 * 26> slots_{};
};

}  // namespace qm
