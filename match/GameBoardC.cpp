#include "match/GameBoardC.h"

namespace qm {

GameBoardC::GameBoardC(std::int32_t bestOfSets, std::int32_t bestOfLegs)
    : bestOfLegs_(bestOfLegs), bestOfSets_(bestOfSets) {}

GameBoardC::GameBoardC(std::int32_t bestOfSets, std::int32_t bestOfLegs,
                       std::array<std::int32_t, 2> legs, std::array<std::int32_t, 2> sets)
    : legs_(legs), sets_(sets), bestOfLegs_(bestOfLegs), bestOfSets_(bestOfSets) {}

bool GameBoardC::legWon(int p) {
    ++legs_[p];
    const std::int32_t legsNeeded = (bestOfLegs_ + 1) / 2;
    const std::int32_t setsNeeded = (bestOfSets_ + 1) / 2;
    if (bestOfSets_ == 1) {
        return legs_[p] >= legsNeeded;
    }
    if (legs_[p] >= legsNeeded) {
        ++sets_[p];
        legs_ = {0, 0};
    }
    return sets_[p] >= setsNeeded;
}

}  // namespace qm
