#include "sim/practiceRun.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "computer/gameRandom.h"
#include "computer/tabledHandC.h"
#include "game/practiceC.h"
#include "sim/simRun.h"
#include "stats/dartHistoryC.h"

namespace qm::sim {

practiceRunS runPractice(const practiceOptions& options, const std::filesystem::path& dataDir) {
    const vPlayerC chart;
    const virtualBoardC board;
    tabledHandC hand(static_cast<float>(options.strength), board, throwC::seeding::keep,
                     options.twinFit);
    std::optional<dartHistoryC> history;
    std::vector<drillRecordS> batch;
    if (options.saveDarts) {
        history.emplace(dataDir / dartHistoryFileName);
    }
    practiceRunS run;
    const auto keep = [&] {
        if (history && !batch.empty() && !history->writeDrills(batch) && run.problem.empty()) {
            run.problem = history->problem();
        }
        batch.clear();
    };
    gameRandom::seed(options.seed);
    std::uint32_t generator = gameRandom::state();
    const bool fewerIsBetter = options.setup.kind == drillKind::aroundTheClock;
    double sum = 0.0;
    double squares = 0.0;
    for (long long session = 0; session < options.sessions; ++session) {
        drillSetupS setup = options.setup;
        setup.seed = options.seed * 2654435761u + static_cast<std::uint32_t>(session);
        drillC drill(setup);
        std::vector<dartRecordS> thrown;
        int visit = 1;
        while (!drill.finished()) {
            const dartS aim = drillAim(drill, chart);
            const landedDartS landed =
                hand.throwAt(aim, board.getCoordinates(aim.type, aim.number), generator);
            if (history) {
                thrown.push_back(drillDart(drill, visit, landed.hit, landed.point, chart));
            }
            if (drill.dart(landed.hit)) {
                ++visit;
            }
        }
        if (history) {
            const drillScoreS score = drill.score();
            batch.push_back({options.player, localToday(), static_cast<std::int32_t>(setup.kind),
                             setup.variant, true, score.value, score.darts, score.hits,
                             std::move(thrown)});
            if (batch.size() == 2000) {
                keep();  // a transaction a batch, as the legs are kept
            }
        }
        const double value = drill.score().value;
        sum += value;
        squares += value * value;
        run.best = session == 0
                       ? value
                       : (fewerIsBetter ? std::min(run.best, value) : std::max(run.best, value));
    }
    keep();
    gameRandom::setState(generator);
    const auto n = static_cast<double>(options.sessions);
    run.sessions = options.sessions;
    run.mean = sum / n;
    run.spread = n > 1 ? std::sqrt(std::max(0.0, (squares - sum * sum / n) / (n - 1))) : 0.0;
    return run;
}

std::string practiceJson(const practiceOptions& options, const practiceRunS& run) {
    char figures[160];
    std::snprintf(figures, sizeof figures, "\"mean\":%.4f,\"spread\":%.4f,\"best\":%.4g", run.mean,
                  run.spread, run.best);
    return std::string("{\"drill\":\"") + options.drillText +
           "\",\"variant\":" + std::to_string(options.setup.variant) +
           (options.twin.empty() ? ",\"strength\":" + std::to_string(options.strength)
                                 : ",\"twin\":" + jsonString(options.twin)) +
           ",\"sessions\":" + std::to_string(run.sessions) + "," + figures + "}";
}

}  // namespace qm::sim
