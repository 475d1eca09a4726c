#pragma once

#include <array>

#include "computer/throwC.h"
#include "computer/vPlayerC.h"
#include "computer/virtualBoardC.h"
#include "match/dart.h"

namespace qm {

// One computer visit, dart by dart: aim dart k, throw dart k, and whether the visit goes on.
// The window runs one step per timer tick; the simulator runs them back to back.
class ComputerVisitC {
  public:
    // remaining: the player's score before the visit.
    explicit ComputerVisitC(int remaining);

    // Chooses the target of dart k (1 to 3) from the score left now and remembers it.
    dartS aimDart(int k, const vPlayerC& chart, const virtualBoardC& board);

    // Throws dart k at the remembered target. True only while the visit goes on: the dart did
    // not finish and at least 2 remain. A checkout needs a double; finishing on anything
    // else, or leaving 1 or less, is a bust.
    bool throwDart(int k, const throwC& hand, const virtualBoardC& board);
    // The same with the scatter already drawn.
    bool landDart(int k, boardPointS offset, const virtualBoardC& board);

    [[nodiscard]] const dartS& aim() const { return aim_; }
    [[nodiscard]] const boardPointS& aimPoint() const { return aimPoint_; }
    [[nodiscard]] int visitTotal() const { return visitTotal_; }
    [[nodiscard]] int visitDarts() const { return visitDarts_; }
    [[nodiscard]] int visitRemaining() const { return visitRemaining_; }
    // Landing point and hit of dart k (1 to visitDarts()).
    [[nodiscard]] const boardPointS& dartPoint(int k) const { return dartPoint_[k - 1]; }
    [[nodiscard]] const dartS& hit(int k) const { return hits_[k - 1]; }

  private:
    dartS aim_;
    boardPointS aimPoint_;
    int visitTotal_ = 0;
    int visitDarts_ = 0;
    int visitRemaining_;
    std::array<boardPointS, 3> dartPoint_{};
    std::array<dartS, 3> hits_{};
};

}  // namespace qm
