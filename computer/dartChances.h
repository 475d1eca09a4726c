#pragma once

#include <array>
#include <vector>

#include "computer/throwC.h"
#include "computer/virtualBoardC.h"
#include "match/dart.h"

namespace qm {

struct hitChanceS {
    dartS hit;  // a miss is {0, 0}, wherever it went off the board
    double chance = 0.0;
};

// The chance of every outcome of one dart aimed at a target, by some model of a hand: worked
// out at the first ask for a target and kept. Not for two threads at once.
class dartOutcomesC {
  public:
    virtual ~dartOutcomesC() = default;

    // The outcomes of a dart at `target`, each region once, the chances adding up to 1.
    const std::vector<hitChanceS>& at(const dartS& target);
    // Works out the targets not yet known, split over two threads: a model's first use asks
    // for some sixty targets at once.
    void prepare(const std::vector<dartS>& targets);

  protected:
    dartOutcomesC() = default;
    dartOutcomesC(const dartOutcomesC&) = default;
    dartOutcomesC& operator=(const dartOutcomesC&) = default;
    // A target's outcomes; called from two threads at once by prepare.
    [[nodiscard]] virtual std::vector<hitChanceS> workOut(const dartS& target) const = 0;

  private:
    std::array<std::vector<hitChanceS>, 4 * 26> targets_{};
};

// Each region's chance in a table of 4 x 26 (the miss at 0), as outcomes.
std::vector<hitChanceS> outcomesOf(const std::array<double, 4 * 26>& chances);
// A region's place in that table.
std::size_t outcomeSlot(const dartS& hit);

// The exact chance of every outcome of one dart that a hand of one strength aims at a target.
// Each axis's offset is one of a few values: a spread-table entry, drawn as a generator result
// (0 to 32767) modulo the table's size, so that the first 32768 mod 4975 entries come up
// seven times in 32768 and the others six, scaled and truncated, with a sign drawn as a coin
// toss. The two axes are taken as independent. Summing the board's hit test over every pair of
// offsets gives each region's chance; nothing is sampled and no generator is touched.
// Each target is a few tens of thousands of hit tests.
class dartChancesC final : public dartOutcomesC {
  public:
    dartChancesC(float strength, const virtualBoardC& board);

    [[nodiscard]] float strength() const { return strength_; }

  private:
    [[nodiscard]] std::vector<hitChanceS> workOut(const dartS& target) const override;

    struct offsetChanceS {
        float offset;
        double chance;
    };

    float strength_;
    const virtualBoardC* board_;
    std::vector<offsetChanceS> axis_;  // the distinct offsets of one axis, with their chances
};

}  // namespace qm
