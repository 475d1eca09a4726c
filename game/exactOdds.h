#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "computer/dartChances.h"
#include "computer/vPlayerC.h"
#include "computer/virtualBoardC.h"
#include "game/matchOdds.h"
#include "game/visitChances.h"

namespace qm {

// The chance that the first of two modelled players wins a leg, from every pair of scores,
// exactly. From a and b left, with the first to throw, the chance is that of the first's visit
// checking out, plus the chance of each score it leaves times the second's chance of losing
// from there with the second to throw. Every score a visit leaves is smaller but one: a bust or
// nothing scored. Where both players stay where they were, the two chances depend on each other
// and are solved for together; all else was worked out before, from smaller scores.
class legChancesC {
  public:
    // Both players' visits from every score up to the same highest one.
    legChancesC(const visitChancesC& first, const visitChancesC& second);

    // The first player's chance with `a` and `b` left and `firstToThrow`. Scores outside 2 to
    // the highest throw std::out_of_range.
    [[nodiscard]] double firstWins(std::int32_t a, std::int32_t b, bool firstToThrow) const;
    // The same part-way through the visit of the player to throw: begun at `start`, `thrown`
    // darts thrown (0 to 2), their score `left` now.
    [[nodiscard]] double firstWinsPartWay(std::int32_t a, std::int32_t b, bool firstToThrow,
                                          std::int32_t start, int thrown) const;

  private:
    [[nodiscard]] std::size_t at(std::int32_t a, std::int32_t b) const;

    const visitChancesC* first_;
    const visitChancesC* second_;
    std::int32_t highest_;
    // By the first's score a and the second's b: the chance of the player to throw to win.
    std::vector<double> firstToThrow_;
    std::vector<double> secondToThrow_;
};

// The match odds worked out exactly from the model's own distributions, with no sampling. It
// keeps what it has worked out (each strength's darts and visits, each pair's leg tables) for
// later figures, so that it pays for a pair once a game. Not for two threads at once.
class exactOddsC {
  public:
    exactOddsC();

    // The players' chances to win the match from the question's state, part-way through a
    // visit where it says so. A state no match can reach throws std::invalid_argument.
    oddsS odds(const oddsQuestionS& question);
    // One strength's visits from every score up to `start`.
    const visitChancesC& visits(std::int32_t strength, std::int32_t start);
    // A pair's leg tables.
    const legChancesC& leg(std::int32_t first, std::int32_t second, std::int32_t start);

    // How a player is modelled: a strength, or a fitted scatter where there is one.
    struct modelS {
        std::int32_t strength = 20;
        std::optional<throwFitS> fitted;
    };

  private:
    const visitChancesC& visits(const modelS& model, std::int32_t start);
    const legChancesC& leg(const modelS& first, const modelS& second, std::int32_t start);
    [[nodiscard]] static std::string keyOf(const modelS& model);

    virtualBoardC board_;
    vPlayerC chart_;
    std::map<std::string, std::unique_ptr<dartOutcomesC>> darts_;
    std::map<std::pair<std::string, std::int32_t>, std::unique_ptr<visitChancesC>> visits_;
    std::map<std::tuple<std::string, std::string, std::int32_t>, std::unique_ptr<legChancesC>>
        legs_;
};

}  // namespace qm
