#pragma once

#include <cstdint>
#include <vector>

namespace qm {

// The points and darts of one visit as the history knows them: points is the drop in the
// remaining score (0 for a bust), darts the darts the visit added.
struct visitS {
    std::int32_t points = 0;
    std::int32_t darts = 0;
    friend constexpr bool operator==(const visitS&, const visitS&) = default;
};

// One player's score sheet for the current leg: the x01 rules for a visit total and the
// history of visits that undo and redo move in.
class ScoreBoardC {
  public:
    explicit ScoreBoardC(std::int32_t startScore);
    // A leg taken up part-way, with `remaining` left and no visits to take back before it. A
    // new leg (reset) begins at the start score again.
    ScoreBoardC(std::int32_t startScore, std::int32_t remaining);

    // Begins a new leg: start score, no darts, empty history.
    void reset();

    // Applies the x01 rules to one visit total. False: refused, nothing changed.
    // True: accepted, either scored (possibly finishing the leg) or a bust.
    bool checkScore(std::int32_t score);

    // The one entry point for a visit: rules, darts and history.
    bool addScore(std::int32_t score, std::int32_t dartsUsed);

    bool undo();
    bool redo();
    [[nodiscard]] visitS lastThrow() const;
    [[nodiscard]] double getPPD() const;

    // After a human checkout the darts-used answer corrects the darts of the finished leg.
    void correctDarts(std::int32_t delta) { darts_ += delta; }

    [[nodiscard]] std::int32_t darts() const { return darts_; }
    [[nodiscard]] std::int32_t remaining() const { return remaining_; }
    [[nodiscard]] std::int32_t startScore() const { return startScore_; }
    [[nodiscard]] std::int32_t historyPos() const { return historyPos_; }
    [[nodiscard]] std::int32_t historyTop() const { return historyTop_; }
    [[nodiscard]] const std::vector<std::int32_t>& dartsHistory() const { return dartsHistory_; }
    [[nodiscard]] const std::vector<std::int32_t>& remainingHistory() const {
        return remainingHistory_;
    }
    [[nodiscard]] bool canRedo() const { return historyPos_ < historyTop_; }

  private:
    void pushHistory(std::int32_t remaining, std::int32_t darts);
    void restoreFromHistory();

    std::int32_t darts_ = 0;
    std::int32_t remaining_;
    std::int32_t startScore_;
    std::int32_t historyPos_ = 0;
    std::int32_t historyTop_ = 0;
    std::vector<std::int32_t> dartsHistory_;
    std::vector<std::int32_t> remainingHistory_;
};

// The fewest darts that can finish a leg from this score (dartsToFinish of the x01 rules), and 3
// where three cannot: the darts-used answer after a checkout can never be below it.
[[nodiscard]] std::int32_t fewestDartsToFinish(std::int32_t score);

}  // namespace qm
