#include "sim/leanMatch.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <memory>

#include "computer/ComputerVisitC.h"
#include "computer/gameRandom.h"
#include "computer/hitTable.h"
#include "computer/vPlayerC.h"
#include "match/GameBoardC.h"
#include "match/legEndSave.h"

namespace qm::sim {

namespace {

// One computer player's hand with a hit table for each target it aims at often: a target's
// table is built once the hand has thrown as many darts at it as the table has entries, so a
// short run never pays for tables it would not use.
class leanHand {
  public:
    leanHand(int strength, const virtualBoardC& board)
        : hand_(static_cast<float>(strength), throwC::seeding::keep),
          board_(board),
          tableEntries_(static_cast<long long>(hand_.axisStateCount()) * hand_.axisStateCount()) {}

    dartS throwAt(dartS target, boardPointS aim, std::uint32_t& generator) {
        const throwC::axisStatesS states = hand_.drawStates(generator);
        targetSlot& slot = slots_[static_cast<std::size_t>(target.type * 26 + target.number)];
        if (slot.table) {
            return slot.table->hit(states.x, states.y);
        }
        if (++slot.darts >= tableEntries_) {
            slot.table = std::make_unique<hitTableC>(hand_, board_, aim);
        }
        const boardPointS offset = hand_.offsetOf(states);
        return board_.getHit({aim.x + offset.x, aim.y + offset.y});
    }

  private:
    struct targetSlot {
        long long darts = 0;
        std::unique_ptr<hitTableC> table;
    };
    throwC hand_;
    const virtualBoardC& board_;
    long long tableEntries_;
    std::array<targetSlot, 4 * 26> slots_{};
};

// Today's date, worked out again only when the clock has moved to another second.
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

// One computer visit as ComputerVisitC plays it: the total it hands to the score board and the
// darts it took.
struct leanVisitS {
    std::int32_t total = 0;
    std::int32_t darts = 0;
};

leanVisitS playVisit(int remaining, leanHand& hand, const vPlayerC& chart,
                     const virtualBoardC& board, std::uint32_t& generator) {
    leanVisitS visit;
    for (int k = 1; k <= 3; ++k) {
        const dartS aim = chart.dartCheck(k, remaining, false);
        const dartS hit = hand.throwAt(aim, board.getCoordinates(aim.type, aim.number), generator);
        const dartOutcomeS outcome = applyDart(visit.total, remaining, hit);
        visit.total = outcome.total;
        remaining = outcome.remaining;
        visit.darts = k;
        if (!outcome.goesOn) {
            break;
        }
    }
    return visit;
}

// Writes what the files have gathered, at the end of every match; a failure is reported like
// a record that could not be written.
bool flushed(std::array<std::unique_ptr<legFileAppender>, 2>& files, const matchOptions& options,
             matchRunResult& result) {
    for (int p = 0; p < 2; ++p) {
        if (const legWriteS written = files[p]->flush(); !written) {
            result.errors.push_back("Unable to save statistics for player: " + options.names[p] +
                                    (written.problem.empty() ? "" : " (" + written.problem + ")"));
        }
    }
    return result.errors.empty();
}

}  // namespace

matchRunResult runMatchesLean(const matchOptions& options, const std::filesystem::path& dataDir) {
    gameRandom::seed(options.seed ? *options.seed : static_cast<std::uint32_t>(std::time(nullptr)));
    const vPlayerC chart;
    const virtualBoardC board;
    std::array<leanHand, 2> hands{leanHand(options.strengths[0], board),
                                  leanHand(options.strengths[1], board)};
    std::array<std::unique_ptr<legFileAppender>, 2> files;
    for (int p = 0; p < 2; ++p) {
        files[p] = std::make_unique<legFileAppender>(dataDir, options.names[p]);
    }

    matchRunResult result;
    cachedToday today;
    const legRecordWriter write = [&files, &options](const std::string& name,
                                                     const legRecordS& record) {
        return files[name == options.names[0] ? 0 : 1]->append(record);
    };
    const errorReport report = [&result](const std::string& error, saveError kind) {
        (kind == saveError::legNotStorable ? result.skipped : result.errors).push_back(error);
    };

    // The generator lives in a register for the run and is handed back however the run ends.
    std::uint32_t generator = gameRandom::state();
    struct handBack {
        std::uint32_t& state;
        ~handBack() { gameRandom::setState(state); }
    } handBackGenerator{generator};

    std::array<ScoreBoardC, 2> boards{ScoreBoardC(options.start), ScoreBoardC(options.start)};
    for (long long matchNo = 1; matchNo <= options.matches; ++matchNo) {
        GameBoardC gboard(options.sets, options.legs);
        std::array<GameStatsC, 2> gstats;
        int legStarter = 0;
        int current = 0;
        boards[0].reset();
        boards[1].reset();
        for (;;) {
            const int p = current;
            const leanVisitS visit =
                playVisit(boards[p].remaining(), hands[p], chart, board, generator);
            if (!boards[p].addScore(visit.total, visit.darts)) {
                continue;  // refused: the same player throws again, as in the game
            }
            gstats[p].countHighScore(visit.total);
            if (boards[p].remaining() != 0) {
                current = 1 - p;
                continue;
            }

            const GameBoardC before = gboard;
            const bool matchWon = gboard.legWon(p);
            if (options.saveStats) {
                saveStatistics({p, visit.total, today()}, boards, gstats, options.names, write,
                               report);
            } else {
                gstats[0].saveLeg(options.names[0], {}, nullptr);
                gstats[1].saveLeg(options.names[1], {}, nullptr);
            }
            legTraceS traced;
            traced.match = matchNo;
            traced.set = before.sets(0) + before.sets(1) + 1;
            traced.leg = before.legs(0) + before.legs(1) + 1;
            traced.starter = legStarter;
            traced.winner = p;
            traced.darts = {boards[0].darts(), boards[1].darts()};
            traced.points = {boards[0].startScore() - boards[0].remaining(),
                             boards[1].startScore() - boards[1].remaining()};
            traced.finish = visit.total;
            countLeg(result, traced, options);
            if (!result.errors.empty() || (matchWon && !flushed(files, options, result))) {
                return result;
            }
            if (matchWon) {
                ++result.players[p].matchesWon;
                for (int i = 0; i < 2; ++i) {
                    result.players[i].count180 += gstats[i].count180();
                }
                break;
            }
            boards[0].reset();
            boards[1].reset();
            legStarter = 1 - legStarter;
            current = legStarter;
        }
    }
    return result;
}

calibrationRowS calibrateStrength(int strength, int start, long long legs) {
    const vPlayerC chart;
    const virtualBoardC board;
    std::array<leanHand, 2> hands{leanHand(strength, board), leanHand(strength, board)};
    std::uint32_t generator = gameRandom::state();
    calibrationRowS row;
    row.strength = strength;
    row.legs = legs;
    // For the standard error of a ratio of sums: the sums of squares and cross products of the
    // legs' points (p) and darts (d).
    double sumPP = 0.0, sumDD = 0.0, sumPD = 0.0;
    std::array<ScoreBoardC, 2> boards{ScoreBoardC(start), ScoreBoardC(start)};
    for (long long leg = 0; leg < legs; ++leg) {
        boards[0].reset();
        boards[1].reset();
        int current = static_cast<int>(leg % 2);  // the starter alternates
        for (;;) {
            const int p = current;
            const leanVisitS visit =
                playVisit(boards[p].remaining(), hands[p], chart, board, generator);
            if (!boards[p].addScore(visit.total, visit.darts)) {
                continue;
            }
            if (boards[p].remaining() == 0) {
                row.winnerDarts += boards[p].darts();
                break;
            }
            current = 1 - p;
        }
        const double legPoints = 2.0 * start - boards[0].remaining() - boards[1].remaining();
        const double legDarts = static_cast<double>(boards[0].darts() + boards[1].darts());
        row.points += static_cast<long long>(legPoints);
        row.darts += static_cast<long long>(legDarts);
        sumPP += legPoints * legPoints;
        sumDD += legDarts * legDarts;
        sumPD += legPoints * legDarts;
    }
    gameRandom::setState(generator);
    if (legs > 1 && row.darts > 0) {
        // Delta method for R = sum p / sum d: var(R) ~ sum (p - R d)^2 / ((n - 1) n dbar^2).
        const double n = static_cast<double>(legs);
        const double ratio = static_cast<double>(row.points) / static_cast<double>(row.darts);
        const double residual = sumPP - 2.0 * ratio * sumPD + ratio * ratio * sumDD;
        const double meanDarts = static_cast<double>(row.darts) / n;
        row.standardError = 3.0 * std::sqrt(std::max(0.0, residual) / ((n - 1.0) * n)) / meanDarts;
    }
    return row;
}

}  // namespace qm::sim
