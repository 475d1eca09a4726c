#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

#include "computer/throwFit.h"
#include "game/MatchC.h"

namespace qm {

// Where a visit under way stands, for a figure taken while a human enters darts one at a time:
// the score the visit began at (the score now is the state's) and the darts entered so far.
struct visitPartWayS {
    std::int32_t start = 0;
    int thrown = 0;  // 0 to 2
};

// What the odds are worked out from: the match format, each player modelled as a computer
// player of a strength, and the state the match is in.
struct oddsQuestionS {
    std::int32_t startScore = 501;
    std::int32_t bestOfLegs = 5;
    std::int32_t bestOfSets = 1;
    std::array<std::int32_t, 2> strengths{20, 20};
    // A player modelled by their own fitted scatter in place of a strength.
    std::array<std::optional<throwFitS>, 2> fitted;
    matchStateS state;
    std::optional<visitPartWayS> partWay;  // none: the player to throw begins a visit
    long long continuations = defaultContinuations;
    std::uint32_t seed = 1;

    // Enough that the whole percentage shown is steady: the standard error of a share of
    // 12,000 is at most 0.46 points (at an even chance).
    static constexpr long long defaultContinuations = 12'000;
};

struct oddsS {
    std::array<double, 2> chance{};  // shares of the continuations won, adding up to 1
    long long continuations = 0;
    double standardError = 0.0;  // of player 1's share
    bool decided = false;        // the match is over: the chances are 1 and 0
    bool exact = false;          // worked out from the model's distributions, not sampled
};

// The chances as whole percentages ("37%"), adding up to 100. A match not yet decided shows
// "<1%" and ">99%" where its chances round to 0 and 100: those two are kept for a match that
// is over.
std::array<std::string, 2> oddsPercentText(const oddsS& odds);

// The chances to `decimals` places, the second worked out from the first so that the two
// printed figures add up to 1 exactly.
std::array<double, 2> oddsRounded(const oddsS& odds, int decimals);

// Plays the match on from the state `continuations` times with the two modelled players and
// counts who wins. The darts come from generators of the computation's own (seeded from
// `seed`), never from the game's. The work is split over two threads, each with its own
// generator and hands, so the figure is the same on any machine. Nothing when `cancelled`
// turned true meanwhile (a newer state has come). A state no match can reach, and a visit
// part-way (the continuations begin with a visit), throw std::invalid_argument.
std::optional<oddsS> matchOdds(const oddsQuestionS& question,
                               const std::atomic<bool>* cancelled = nullptr);

}  // namespace qm
