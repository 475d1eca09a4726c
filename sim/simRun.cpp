#include "sim/simRun.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <ctime>
#include <memory>
#include <optional>

#include "computer/checkoutRoute.h"
#include "computer/gameRandom.h"
#include "computer/hitTable.h"
#include "computer/normalScatter.h"
#include "computer/tabledHandC.h"
#include "game/MatchC.h"
#include "game/exactOdds.h"
#include "game/expectedFigures.h"
#include "game/matchOdds.h"
#include "sim/calibration.h"
#include "stats/dartHistoryC.h"
#include "stats/legRecorderC.h"

namespace qm::sim {

namespace {

void seedGenerator(const std::optional<std::uint32_t>& seed) {
    // Seeded once, before anything else; no throwC built here reseeds it.
    gameRandom::seed(seed ? *seed : static_cast<std::uint32_t>(std::time(nullptr)));
}

std::string jsonNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

}  // namespace

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

throwsResult runThrows(const throwsOptions& options, std::FILE* trace) {
    seedGenerator(options.seed);
    const virtualBoardC board;
    const throwC hand(static_cast<float>(options.strength), throwC::seeding::keep);
    const boardPointS aim = board.getCoordinates(options.target.type, options.target.number);
    // The table pays for itself once the run throws as many darts as it has entries.
    std::optional<hitTableC> table;
    if (options.count >= hitTableC::entriesFor(hand)) {
        table.emplace(hand, board, aim);
    }
    // How often each hit came up, by type and number: the totals are worked out at the end.
    std::array<std::array<long long, 26>, 4> tally{};
    std::uint32_t generator = gameRandom::state();
    if (table && trace == nullptr) {
        // The hot loop: four generator steps, two index look-ups and one table read a dart.
        for (long long i = 0; i < options.count; ++i) {
            const throwC::axisStatesS states = hand.drawStates(generator);
            const dartS hit = table->hit(states.x, states.y);
            ++tally[static_cast<std::size_t>(hit.type)][static_cast<std::size_t>(hit.number)];
        }
    } else {
        for (long long i = 0; i < options.count; ++i) {
            const throwC::axisStatesS states = hand.drawStates(generator);
            const boardPointS offset = hand.offsetOf(states);
            const dartS hit = table ? table->hit(states.x, states.y)
                                    : board.getHit({aim.x + offset.x, aim.y + offset.y});
            ++tally[static_cast<std::size_t>(hit.type)][static_cast<std::size_t>(hit.number)];
            if (trace != nullptr) {
                std::fprintf(trace, "%d %d %d %d\n", static_cast<int>(offset.x),
                             static_cast<int>(offset.y), hit.type, hit.number);
            }
        }
    }
    gameRandom::setState(generator);

    throwsResult result;
    result.darts = options.count;
    for (int type = 0; type < 4; ++type) {
        for (int number = 0; number <= 25; ++number) {
            const long long count =
                tally[static_cast<std::size_t>(type)][static_cast<std::size_t>(number)];
            const dartS hit{type, number};
            result.hitTarget += hit == options.target ? count : 0;
            result.offBoard += type == 0 ? count : 0;
            result.points += count * hit.score();
        }
    }
    return result;
}

throwsResult runThrowsPlain(const throwsOptions& options, std::FILE* trace) {
    seedGenerator(options.seed);
    const virtualBoardC board;
    const throwC hand(static_cast<float>(options.strength), throwC::seeding::keep);
    const boardPointS aim = board.getCoordinates(options.target.type, options.target.number);
    throwsResult result;
    result.darts = options.count;
    for (long long i = 0; i < options.count; ++i) {
        const boardPointS offset = hand.throwOffset();
        const dartS hit = board.getHit({aim.x + offset.x, aim.y + offset.y});
        result.hitTarget += hit == options.target ? 1 : 0;
        result.offBoard += hit.type == 0 ? 1 : 0;
        result.points += hit.score();
        if (trace != nullptr) {
            std::fprintf(trace, "%d %d %d %d\n", static_cast<int>(offset.x),
                         static_cast<int>(offset.y), hit.type, hit.number);
        }
    }
    return result;
}

namespace {

// Today's date, worked out again only when the clock has moved to another second: a run of a
// million legs asks for it two million times.
class cachedToday {
  public:
    civilDate operator()() {
        const std::time_t now = std::time(nullptr);
        if (now != second_) {
            second_ = now;
            date_ = localToday();
        }
        return date_;
    }

  private:
    std::time_t second_ = -1;
    civilDate date_;
};

// A computer turn as the window plays it, one step per timer tick.
visitOutcomeS dartByDart(MatchC& match) {
    if (match.beginComputerTurn().replayed) {
        return {VisitResult::Scored, MatchC::other(match.currentPlayer()), std::nullopt};
    }
    for (int k = 1; k <= 3; ++k) {
        match.aimDart(k);
        if (!match.throwDart(k).goesOn) {
            break;
        }
    }
    return match.completeComputerVisit();
}

// The matches, played by the game-flow model. `shared` hands the model what a run of many
// matches can keep from one to the next: the two hands with the hit tables they learn, the
// statistics files kept open and written per match, and a date worked out once a second.
// Without it every match builds its own hands, every record opens its file and the turns go
// dart by dart, as in the window. The darts, legs and records are the same either way.
matchRunResult playMatches(const matchOptions& options, const std::filesystem::path& dataDir,
                           bool shared) {
    seedGenerator(options.seed);
    const vPlayerC chart;
    const virtualBoardC vBoard;

    const gameSettingsS settings =
        computerMatch(options.names, options.strengths, options.start, options.legs, options.sets);

    matchRunResult result;
    matchContextS context;
    context.chart = &chart;
    context.vBoard = &vBoard;
    context.seeding = throwC::seeding::keep;
    context.twins = options.twins.fits;
    std::vector<tabledHandC> hands;
    if (shared) {
        hands.reserve(2);
        for (int p = 0; p < 2; ++p) {
            hands.emplace_back(static_cast<float>(options.strengths[p]), vBoard,
                               throwC::seeding::keep,
                               options.twins.fits[static_cast<std::size_t>(p)]);
        }
        context.hands = {&hands[0], &hands[1]};
        context.today = cachedToday();
    }
    // The records and the darts go through one recorder. The darts are committed a batch at a
    // time (one transaction per leg would cost the run more than its play), at the same point
    // as the records are flushed: after a kill each store holds the legs up to some point.
    legRecorderC::optionsS keep;
    keep.records = options.saveStats;
    keep.gatherRecords = shared;
    keep.darts =
        options.saveDarts ? legRecorderC::dartsKept::batched : legRecorderC::dartsKept::none;
    // Longer than another writer's batch takes: a second simulator on the folder waits its turn.
    keep.busyMilliseconds = historyBusyMilliseconds;
    legRecorderC recorder(dataDir, keep,
                          [&result](legRecorderC::reportKind, const std::string& text) {
                              result.notes.push_back("quivermark-sim: " + text);
                          });
    if (options.saveStats) {
        context.writeLegRecord = shared ? recorder.recordWriter() : directoryWriter(dataDir);
        context.reportError = [&result](const std::string& error, saveError kind) {
            (kind == saveError::legNotStorable ? result.skipped : result.errors).push_back(error);
        };
    }
    std::size_t batched = 0;
    auto batchStart = std::chrono::steady_clock::now();
    if (options.saveDarts) {
        if (!recorder.historyUsable()) {
            result.errors.push_back("quivermark-sim: " + recorder.problem());
            return result;
        }
        context.writeLegDarts = [&](const std::vector<legDartsS>& legs) {
            for (const legDartsS& leg : legs) {
                result.players[leg.player == options.names[0] ? 0 : 1].dartFigures.add(leg.figures);
            }
            batched += legs.size();
            recorder.writeDarts(legs);
        };
    }
    const auto commit = [&] {
        const legRecorderC::commitS committed = recorder.commit();
        result.errors.insert(result.errors.end(), committed.records.begin(),
                             committed.records.end());
        if (!committed.history.empty()) {
            result.errors.push_back("quivermark-sim: " + committed.history);
        }
        batched = 0;
        batchStart = std::chrono::steady_clock::now();
        return result.errors.empty();
    };

    for (long long matchNo = 1; matchNo <= options.matches; ++matchNo) {
        MatchC match(settings, context);
        for (;;) {
            const GameBoardC before = match.gboard();
            const visitOutcomeS outcome = shared ? match.playComputerTurn() : dartByDart(match);
            if (!outcome.leg) {
                continue;
            }
            const legResultS& leg = *outcome.leg;
            legTraceS traced;
            traced.match = matchNo;
            traced.set = before.sets(0) + before.sets(1) + 1;
            traced.leg = before.legs(0) + before.legs(1) + 1;
            traced.starter = leg.starter;
            traced.winner = leg.winner;
            traced.darts = {leg.darts[0], leg.darts[1]};
            traced.points = {leg.points[0], leg.points[1]};
            traced.finish = leg.finish;
            countLeg(result, traced, options);
            const bool matchWon = outcome.result == VisitResult::MatchWon;
            // A batch of darts is a fraction of a second of work, so that another writer
            // never waits long; the records gathered go out at the end of every match.
            const bool batchDone = batched >= historyBatchLegs ||
                                   std::chrono::steady_clock::now() - batchStart >=
                                       std::chrono::milliseconds(historyBatchMilliseconds);
            if (!result.errors.empty() || ((matchWon || batchDone) && !commit())) {
                return result;
            }
            if (matchWon) {
                ++result.players[leg.winner].matchesWon;
                for (int p = 0; p < 2; ++p) {
                    result.players[p].count180 += match.gstats(p).count180();
                }
                break;
            }
            match.startNextLeg();
        }
    }
    return result;
}

}  // namespace

matchRunResult runMatches(const matchOptions& options, const std::filesystem::path& dataDir) {
    return playMatches(options, dataDir, true);
}

matchRunResult runMatchesPlain(const matchOptions& options, const std::filesystem::path& dataDir) {
    return playMatches(options, dataDir, false);
}

void countLeg(matchRunResult& result, const legTraceS& leg, const matchOptions& options) {
    ++result.totalLegs;
    ++result.players[leg.winner].legsWon;
    for (int p = 0; p < 2; ++p) {
        result.players[p].darts += leg.darts[p];
        result.players[p].points += leg.points[p];
    }
    auto& best = result.players[leg.winner].bestFinish;
    best = std::max(best, leg.finish);
    if (!options.traceLegs) {
        return;
    }
    if (options.legTraceStream != nullptr) {
        const std::string line = legJson(leg) + "\n";
        std::fwrite(line.data(), 1, line.size(), options.legTraceStream);
    } else {
        result.legs.push_back(leg);
    }
}

std::string calibrationJson(const calibrateOptions& options, int strength) {
    gameRandom::seed(options.seed);
    const calibrationRowS row = calibrateStrength(strength, options.start, options.legs);
    char averages[64];
    std::snprintf(averages, sizeof averages, "%.2f,\"darts_per_leg_won\":%.2f",
                  row.threeDartAverage(), row.dartsPerLegWon());
    return "{\"strength\":" + std::to_string(strength) + ",\"legs\":" + std::to_string(row.legs) +
           ",\"three_dart_average\":" + averages + "}";
}

namespace {

// A player's strength, or the human whose twin they are.
template <typename Options>
std::string playerModelJson(const Options& options, int p) {
    const std::string& twin = options.twins.of[static_cast<std::size_t>(p)];
    return twin.empty() ? ",\"strength\":" + std::to_string(options.strengths[p])
                        : ",\"twin\":" + jsonString(twin);
}

}  // namespace

std::string aimJson(const aimOptions& options) {
    const virtualBoardC board;
    const scatterChancesC chances(options.scatter, board);
    const bestAimS best = bestAim(chances, expectedPointsMap(options.scatter), board);
    const dartS hit = board.getHit(best.aim);
    char text[320];
    std::snprintf(text, sizeof text,
                  "{\"best\":{\"x\":%.0f,\"y\":%.0f,\"in\":\"%s\",\"points\":%.4f},"
                  "\"treble20\":%.4f,\"treble19\":%.4f}",
                  best.aim.x, best.aim.y, dartNotation(hit).c_str(), best.points, best.treble20,
                  best.treble19);
    return text;
}

std::string oddsJson(const oddsOptions& options) {
    oddsQuestionS question;
    question.startScore = options.start;
    question.bestOfLegs = options.legs;
    question.bestOfSets = options.sets;
    question.strengths = options.strengths;
    question.fitted = options.twins.fits;
    for (std::size_t p = 0; p < 2; ++p) {
        question.state.remaining.at(p) = options.left.at(p) == 0 ? options.start : options.left[p];
    }
    question.state.legs = options.legsWon;
    question.state.sets = options.setsWon;
    question.state.toThrow = options.next - 1;
    question.state.legStarter = options.starter.value_or(options.next) - 1;
    question.continuations = options.continuations;
    question.seed = options.seed;
    const bool exact = options.how == oddsOptions::method::exact;
    const oddsS odds = exact ? exactOddsC().odds(question) : *matchOdds(question);
    const std::array<double, 2> chance = oddsRounded(odds, 4);  // printed to four places
    std::string out = "{\"players\":[";
    for (int p = 0; p < 2; ++p) {
        out += (p ? "," : "");
        out += "{\"name\":" + jsonString(options.names[p]) + playerModelJson(options, p) +
               ",\"chance\":" + jsonNumber(chance[p]) + "}";
    }
    if (exact) {
        return out + "],\"method\":\"exact\"}";
    }
    return out + "],\"method\":\"sample\",\"continuations\":" + std::to_string(odds.continuations) +
           ",\"standard_error\":" + jsonNumber(odds.standardError) + "}";
}

std::string expectedJson(const expectedOptions& options) {
    const virtualBoardC board;
    const vPlayerC chart;
    dartChancesC darts(static_cast<float>(options.strength), board);
    const visitChancesC visits(darts, chart, options.start);
    const std::vector<double> expected = expectedDartsToFinish(visits);
    char number[32];
    std::snprintf(number, sizeof number, "%.4f", headToHeadAverage(visits));
    std::string out = "{\"strength\":" + std::to_string(options.strength) +
                      ",\"start\":" + std::to_string(options.start) +
                      ",\"three_dart_average\":" + number + ",\"expected_darts\":{";
    for (std::int32_t score = 2; score <= options.start; ++score) {
        std::snprintf(number, sizeof number, "%.3f", expected[static_cast<std::size_t>(score)]);
        out += (score > 2 ? ",\"" : "\"") + std::to_string(score) + "\":" + number;
    }
    return out + "}}";
}

std::string throwsJson(const throwsOptions& options, const throwsResult& result) {
    return "{\"strength\":" + std::to_string(options.strength) +
           ",\"target\":" + jsonString(options.targetText) +
           ",\"darts\":" + std::to_string(result.darts) +
           ",\"hit_target\":" + std::to_string(result.hitTarget) +
           ",\"off_board\":" + std::to_string(result.offBoard) +
           ",\"points\":" + std::to_string(result.points) + "}";
}

std::string matchJsonHead(const matchOptions& options, const matchRunResult& result) {
    std::string out = "{\"matches\":" + std::to_string(options.matches) +
                      ",\"total_legs\":" + std::to_string(result.totalLegs) + ",\"players\":[";
    for (int p = 0; p < 2; ++p) {
        const auto& totals = result.players[p];
        const double ppd = totals.darts > 0 ? static_cast<double>(totals.points) /
                                                  static_cast<double>(totals.darts)
                                            : 0.0;
        out += (p ? "," : "");
        out += "{\"name\":" + jsonString(options.names[p]) + playerModelJson(options, p) +
               ",\"matches_won\":" + std::to_string(totals.matchesWon) +
               ",\"legs_won\":" + std::to_string(totals.legsWon) +
               ",\"darts\":" + std::to_string(totals.darts) +
               ",\"points\":" + std::to_string(totals.points) + ",\"ppd\":" + jsonNumber(ppd) +
               ",\"three_dart_average\":" + jsonNumber(3.0 * ppd) +
               ",\"180s\":" + std::to_string(totals.count180) +
               ",\"best_finish\":" + std::to_string(totals.bestFinish);
        if (options.saveDarts) {
            const dartFiguresS& f = totals.dartFigures;
            out += ",\"first9_average\":" + jsonNumber(f.first9Average()) +
                   ",\"darts_at_double\":" + std::to_string(f.atDouble) +
                   ",\"doubles_hit\":" + std::to_string(f.doublesHit) +
                   ",\"checkout_percent\":" + jsonNumber(f.checkoutPercent());
        }
        out += "}";
    }
    return out + "]";
}

std::string legJson(const legTraceS& leg) {
    return "{\"match\":" + std::to_string(leg.match) + ",\"set\":" + std::to_string(leg.set) +
           ",\"leg\":" + std::to_string(leg.leg) + ",\"starter\":" + std::to_string(leg.starter) +
           ",\"winner\":" + std::to_string(leg.winner) + ",\"darts\":[" +
           std::to_string(leg.darts[0]) + "," + std::to_string(leg.darts[1]) + "],\"points\":[" +
           std::to_string(leg.points[0]) + "," + std::to_string(leg.points[1]) +
           "],\"finish\":" + std::to_string(leg.finish) + "}";
}

std::string matchJson(const matchOptions& options, const matchRunResult& result) {
    std::string out = matchJsonHead(options, result);
    if (options.traceLegs) {
        out += ",\"legs\":[";
        bool first = true;
        for (const auto& leg : result.legs) {
            out += first ? "" : ",";
            first = false;
            out += legJson(leg);
        }
        out += "]";
    }
    return out + "}";
}

}  // namespace qm::sim
