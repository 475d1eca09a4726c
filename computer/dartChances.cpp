#include "computer/dartChances.h"

#include <map>
#include <thread>

namespace qm {

namespace {

constexpr int generatorResults = 32768;

}  // namespace

std::size_t outcomeSlot(const dartS& hit) {
    return hit.type == 0 ? 0 : static_cast<std::size_t>(hit.type * 26 + hit.number);
}

std::vector<hitChanceS> outcomesOf(const std::array<double, 4 * 26>& chances) {
    std::vector<hitChanceS> known;
    for (std::size_t slot = 0; slot < chances.size(); ++slot) {
        if (chances[slot] > 0.0) {
            const dartS hit = slot == 0 ? dartS{0, 0}
                                        : dartS{static_cast<std::int32_t>(slot / 26),
                                                static_cast<std::int32_t>(slot % 26)};
            known.push_back({hit, chances[slot]});
        }
    }
    return known;
}

dartChancesC::dartChancesC(float strength, const virtualBoardC& board)
    : strength_(strength), board_(&board) {
    const throwC hand(strength, throwC::seeding::keep);
    const int size = hand.spreadCount();
    // 32768 results fall on `size` entries: the first `often` entries get one more each.
    const int each = generatorResults / size;
    const int often = generatorResults % size;
    std::map<float, double> offsets;
    for (int draw = 0; draw < size; ++draw) {
        const double chance = static_cast<double>(each + (draw < often ? 1 : 0)) /
                              static_cast<double>(generatorResults) / 2.0;
        for (const bool positive : {true, false}) {
            offsets[hand.axisOffsetOf(hand.axisState(draw, positive))] += chance;
        }
    }
    for (const auto& [offset, chance] : offsets) {
        axis_.push_back({offset, chance});
    }
}

const std::vector<hitChanceS>& dartOutcomesC::at(const dartS& target) {
    std::vector<hitChanceS>& known = targets_.at(outcomeSlot(target));
    if (known.empty()) {
        known = workOut(target);
    }
    return known;
}

void dartOutcomesC::prepare(const std::vector<dartS>& targets) {
    std::vector<std::size_t> missing;
    for (const dartS& target : targets) {
        const std::size_t slot = outcomeSlot(target);
        if (targets_.at(slot).empty()) {
            targets_[slot] = {{}};  // taken: a target asked for twice is worked out once
            missing.push_back(slot);
        }
    }
    const auto share = [&](std::size_t from) {
        for (std::size_t i = from; i < missing.size(); i += 2) {
            const std::size_t slot = missing[i];
            targets_[slot] = workOut(
                {static_cast<std::int32_t>(slot / 26), static_cast<std::int32_t>(slot % 26)});
        }
    };
    std::thread other(share, 1);
    share(0);
    other.join();
}

std::vector<hitChanceS> dartChancesC::workOut(const dartS& target) const {
    const boardPointS aim = board_->getCoordinates(target.type, target.number);
    std::array<double, 4 * 26> chances{};
    for (const offsetChanceS& x : axis_) {
        for (const offsetChanceS& y : axis_) {
            const dartS hit = board_->getHit({aim.x + x.offset, aim.y + y.offset});
            chances[outcomeSlot(hit)] += x.chance * y.chance;
        }
    }
    return outcomesOf(chances);
}

}  // namespace qm
