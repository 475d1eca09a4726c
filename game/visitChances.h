#pragma once

#include <cstdint>
#include <vector>

#include "computer/dartChances.h"
#include "computer/vPlayerC.h"

namespace qm {

// Where one visit of a modelled player can end, exactly: from a score, the chance of every
// score it can leave. The player aims each dart from the chart as a computer does and throws
// with its hand's outcomes (a strength's or a fitted scatter's); the x01 rules decide what each
// dart does.
struct leftChanceS {
    std::int32_t left = 0;  // 0: checked out
    double chance = 0.0;
};

class visitChancesC {
  public:
    // Every score from 2 to `highest` (the start score) is worked out at once.
    visitChancesC(dartOutcomesC& darts, const vPlayerC& chart, std::int32_t highest);

    // A visit from `score`: each score it leaves, once; a bust and a visit that scores nothing
    // both leave `score`. A score outside 2 to the highest throws std::out_of_range.
    [[nodiscard]] const std::vector<leftChanceS>& from(std::int32_t score) const;
    // A visit part-way: begun at `start`, `thrown` darts (0 to 2) thrown, `left` left now.
    [[nodiscard]] std::vector<leftChanceS> partWay(std::int32_t start, int thrown,
                                                   std::int32_t left) const;
    // The darts the visit from `score` throws, on average (fewer than 3 where it can end early).
    [[nodiscard]] double expectedDarts(std::int32_t score) const;
    [[nodiscard]] std::int32_t highest() const { return highest_; }

  private:
    // What the darts from dart k on do with `left` left: each score they leave (0 checked
    // out) and, as left -1, a bust.
    [[nodiscard]] const std::vector<leftChanceS>& rest(int k, std::int32_t left) const;

    std::int32_t highest_;
    // Per dart k (1 to 3), per score left: the outcomes of the darts from k on.
    std::array<std::vector<std::vector<leftChanceS>>, 3> rest_;
    std::array<std::vector<double>, 3> restDarts_;  // and the darts they throw, on average
    std::vector<std::vector<leftChanceS>> visits_;  // from(): busts folded into the start
};

}  // namespace qm
