// The computer player's speed: one dart (scatter plus hit test) and one whole 501 leg.
#include <benchmark/benchmark.h>

#include "computer/gameRandom.h"
#include "game/MatchC.h"

namespace {

void BM_OneDart(benchmark::State& state) {
    qm::gameRandom::seed(1);
    const qm::virtualBoardC board;
    const qm::throwC hand(40.0f, qm::throwC::seeding::keep);
    const auto aim = board.getCoordinates(3, 20);
    for (auto _ : state) {
        const auto offset = hand.throwOffset();
        benchmark::DoNotOptimize(board.getHit({aim.x + offset.x, aim.y + offset.y}));
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_GetHit(benchmark::State& state) {
    const qm::virtualBoardC board;
    float x = -150.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(board.getHit({x, 37.0f}));
        x = x > 150.0f ? -150.0f : x + 0.37f;
    }
    state.SetItemsProcessed(state.iterations());
}

// One leg of 501 between two strength-40 players, best of one leg, records dropped.
void BM_WholeLeg(benchmark::State& state) {
    qm::gameRandom::seed(1);
    const qm::vPlayerC chart;
    const qm::virtualBoardC vBoard;
    const qm::gameSettingsS settings = qm::computerMatch({"A", "B"}, {40, 40}, 501, 1, 1);
    qm::matchContextS context;
    context.chart = &chart;
    context.vBoard = &vBoard;
    context.seeding = qm::throwC::seeding::keep;
    context.writeLegRecord = [](const std::string&, const qm::legRecordS&) { return true; };
    for (auto _ : state) {
        qm::MatchC match(settings, context);
        while (!match.matchOver()) {
            match.beginComputerTurn();
            for (int k = 1; k <= 3; ++k) {
                match.aimDart(k);
                if (!match.throwDart(k).goesOn) {
                    break;
                }
            }
            if (match.completeComputerVisit().result == qm::VisitResult::LegWon) {
                match.startNextLeg();
            }
        }
    }
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(BM_OneDart);
BENCHMARK(BM_GetHit);
BENCHMARK(BM_WholeLeg);
BENCHMARK_MAIN();
