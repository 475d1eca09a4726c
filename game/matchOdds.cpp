#include "game/matchOdds.h"

#include <cmath>
#include <thread>
#include <vector>

#include "computer/tabledHandC.h"
#include "computer/vPlayerC.h"
#include "computer/virtualBoardC.h"

namespace qm {

namespace {

constexpr int workers = 2;

struct tallyS {
    long long played = 0;
    long long wonByFirst = 0;
    bool stopped = false;
};

tallyS playOn(const oddsQuestionS& question, long long count, std::uint32_t seed,
              const std::atomic<bool>* cancelled) {
    const vPlayerC chart;
    const virtualBoardC board;
    std::vector<tabledHandC> hands;
    hands.reserve(2);
    for (int p = 0; p < 2; ++p) {
        const auto strength = std::clamp(question.strengths[p], minStrength, maxStrength);
        hands.emplace_back(static_cast<float>(strength), board, throwC::seeding::keep,
                           question.fitted[static_cast<std::size_t>(p)]);
    }
    // The generator is seeded as the game seeds its own: the state is the seed itself.
    std::uint32_t generator = seed;
    matchContextS context;
    context.chart = &chart;
    context.vBoard = &board;
    context.seeding = throwC::seeding::keep;
    context.hands = {&hands[0], &hands[1]};
    context.generator = &generator;

    const gameSettingsS settings = computerMatch({}, question.strengths, question.startScore,
                                                 question.bestOfLegs, question.bestOfSets);

    tallyS tally;
    for (; tally.played < count; ++tally.played) {
        if (cancelled != nullptr && tally.played % 64 == 0 &&
            cancelled->load(std::memory_order_relaxed)) {
            tally.stopped = true;
            return tally;
        }
        MatchC match(settings, context, question.state);
        for (;;) {
            const visitOutcomeS outcome = match.playComputerTurn();
            if (outcome.result == VisitResult::MatchWon) {
                tally.wonByFirst += outcome.player == 0 ? 1 : 0;
                break;
            }
            if (outcome.result == VisitResult::LegWon) {
                match.startNextLeg();
            }
        }
    }
    return tally;
}

}  // namespace

std::optional<oddsS> matchOdds(const oddsQuestionS& question, const std::atomic<bool>* cancelled) {
    if (question.partWay) {
        throw std::invalid_argument("the sampled odds start at the beginning of a visit");
    }
    // Refuses a state no match can reach before any thread starts.
    {
        const vPlayerC chart;
        const virtualBoardC board;
        // Two humans: the check needs no hands, and building one could reseed the game's
        // generator from this thread.
        gameSettingsS settings;
        settings.startScore = question.startScore;
        settings.bestOfLegs = question.bestOfLegs;
        settings.bestOfSets = question.bestOfSets;
        matchContextS context;
        context.chart = &chart;
        context.vBoard = &board;
        const MatchC check(settings, context, question.state);
    }
    const long long total = std::max(1LL, question.continuations);
    std::array<tallyS, workers> tallies;
    std::vector<std::thread> threads;
    for (int w = 0; w < workers; ++w) {
        const long long share = total / workers + (w < total % workers ? 1 : 0);
        const std::uint32_t seed = question.seed * 2654435761u + static_cast<std::uint32_t>(w);
        threads.emplace_back([&, w, share, seed] {
            tallies.at(static_cast<std::size_t>(w)) = playOn(question, share, seed, cancelled);
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    oddsS odds;
    long long won = 0;
    for (const tallyS& tally : tallies) {
        if (tally.stopped) {
            return std::nullopt;
        }
        odds.continuations += tally.played;
        won += tally.wonByFirst;
    }
    const double share = static_cast<double>(won) / static_cast<double>(odds.continuations);
    odds.chance = {share, 1.0 - share};
    odds.standardError = std::sqrt(share * (1.0 - share) / static_cast<double>(odds.continuations));
    return odds;
}

std::array<std::string, 2> oddsPercentText(const oddsS& odds) {
    const long long first = std::llround(100.0 * odds.chance[0]);
    const auto text = [&odds](long long percent) {
        if (!odds.decided && percent <= 0) {
            return std::string("<1%");
        }
        if (!odds.decided && percent >= 100) {
            return std::string(">99%");
        }
        return std::to_string(percent) + "%";
    };
    return {text(first), text(100 - first)};
}

std::array<double, 2> oddsRounded(const oddsS& odds, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double first = std::round(odds.chance[0] * scale);
    return {first / scale, (scale - first) / scale};
}

}  // namespace qm
