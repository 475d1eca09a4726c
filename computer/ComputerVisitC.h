#pragma once

#include <array>

#include "computer/tabledHandC.h"
#include "computer/throwC.h"
#include "computer/vPlayerC.h"
#include "computer/virtualBoardC.h"
#include "match/dart.h"
#include "match/x01Rules.h"

namespace qm {

// One dart of a computer visit under the x01 rules (match/x01Rules). The visit ends at a
// checkout or a bust. Its total goes to the score board: a checkout's whole, an overshoot or a
// 1 left as thrown (the board's rules make it a bust), and nothing for a 0 off a double.
struct dartOutcomeS {
    int total = 0;      // what the visit hands to the score board so far
    int remaining = 0;  // the score left after the dart
    bool goesOn = false;
};
inline dartOutcomeS applyDart(int total, int remaining, const dartS& hit) {
    const x01DartS after = applyX01Dart(remaining, hit);
    if (after.result == x01Result::busts && after.left == 0) {
        return {0, 0, false};
    }
    return {total + hit.score(), after.left, after.result == x01Result::scores};
}

// One computer visit, dart by dart: aim dart k, throw dart k, and whether the visit goes on.
// The window runs one step per timer tick; the simulator runs them back to back.
class ComputerVisitC {
  public:
    // remaining: the player's score before the visit.
    explicit ComputerVisitC(int remaining) : visitRemaining_(remaining) {}

    // Dart k must be the next dart of the visit: 1, 2 or 3, in order, and only while the visit
    // goes on. Any other k throws std::logic_error, before anything changes.

    // Chooses the target of dart k from the score left now and remembers it.
    dartS aimDart(int k, const vPlayerC& chart, const virtualBoardC& board);

    // Throws dart k at the target it was aimed at. True only while the visit goes on: the dart did
    // not finish and at least 2 remain. A checkout needs a double; finishing on anything
    // else, or leaving 1 or less, is a bust.
    bool throwDart(int k, const throwC& hand, const virtualBoardC& board);
    // The same with the scatter already drawn.
    bool landDart(int k, boardPointS offset, const virtualBoardC& board);
    // The same with the landing point and its hit already known (from a hand's hit table).
    bool placeDart(int k, const landedDartS& dart);
    // The same thrown by a hand that may look its hits up, its draws from `generator`; a dart
    // out of turn throws before anything is drawn.
    bool throwDart(int k, tabledHandC& hand, std::uint32_t& generator);
    // The darts still to come, each aimed and thrown as aimDart and placeDart do it, back to back:
    // the simulator's visits, kept in one function so the compiler sees the whole loop.
    void playOut(const vPlayerC& chart, const virtualBoardC& board, tabledHandC& hand,
                 std::uint32_t& generator);

    [[nodiscard]] const dartS& aim() const { return aim_; }
    [[nodiscard]] const boardPointS& aimPoint() const { return aimPoint_; }
    [[nodiscard]] int visitTotal() const { return visitTotal_; }
    [[nodiscard]] int visitDarts() const { return visitDarts_; }
    [[nodiscard]] int visitRemaining() const { return visitRemaining_; }
    // Landing point and hit of dart k (1 to visitDarts()); another k throws std::out_of_range.
    [[nodiscard]] const boardPointS& dartPoint(int k) const;
    [[nodiscard]] const dartS& hit(int k) const;
    // What dart k (1 to visitDarts()) was aimed at.
    [[nodiscard]] const dartS& aimOf(int k) const {
        return aims_.at(static_cast<std::size_t>(k - 1));
    }

  private:
    void checkNextDart(int k) const;
    // Aims and places the next dart, the checks already made.
    void aimNext(const vPlayerC& chart, const virtualBoardC& board);
    bool placeNext(const landedDartS& dart);

    dartS aim_;
    boardPointS aimPoint_;
    int visitTotal_ = 0;
    int visitDarts_ = 0;
    int visitRemaining_;
    bool finished_ = false;
    int aimed_ = 0;  // the dart last aimed
    std::array<boardPointS, 3> dartPoint_{};
    std::array<dartS, 3> hits_{};
    std::array<dartS, 3> aims_{};
};

}  // namespace qm
