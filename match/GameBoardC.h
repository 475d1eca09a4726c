#pragma once

#include <array>
#include <cstdint>

namespace qm {

// Legs and sets of the whole match.
class GameBoardC {
  public:
    GameBoardC(std::int32_t bestOfSets, std::int32_t bestOfLegs);
    // A match part-way: the legs won in the set under way and the sets won.
    GameBoardC(std::int32_t bestOfSets, std::int32_t bestOfLegs, std::array<std::int32_t, 2> legs,
               std::array<std::int32_t, 2> sets);

    // Records a leg won by player p; true when that won the match.
    bool legWon(int p);

    [[nodiscard]] std::int32_t legs(int p) const { return legs_[p]; }
    [[nodiscard]] std::int32_t sets(int p) const { return sets_[p]; }
    [[nodiscard]] std::int32_t bestOfLegs() const { return bestOfLegs_; }
    [[nodiscard]] std::int32_t bestOfSets() const { return bestOfSets_; }

  private:
    std::array<std::int32_t, 2> legs_{};
    std::array<std::int32_t, 2> sets_{};
    std::int32_t bestOfLegs_;
    std::int32_t bestOfSets_;
};

}  // namespace qm
