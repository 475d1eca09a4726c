// The exact odds: one dart's outcomes against the long-run table and a million darts, the
// match figure against a hundred thousand played matches, a visit part-way against its darts,
// and a strength's average against the shipped table.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>

#include "computer/ComputerVisitC.h"
#include "computer/gameRandom.h"
#include "game/exactOdds.h"
#include "game/expectedFigures.h"
#include "sim/calibration.h"

using namespace qm;

namespace {

const virtualBoardC& board() {
    static const virtualBoardC shared;
    return shared;
}

double chanceOf(dartChancesC& darts, const dartS& target, const dartS& hit) {
    double chance = 0.0;
    for (const hitChanceS& h : darts.at(target)) {
        chance += h.hit == hit ? h.chance : 0.0;
    }
    return chance;
}

}  // namespace

TEST(DartChances, TheLongRunTableAndAMillionDarts) {
    gameRandom::seed(7);
    const std::uint32_t before = gameRandom::state();
    const dartS t20{3, 20}, d16{2, 16}, eye{2, 25}, miss{0, 0};
    // Strength, then in percent: T20 at T20, off the board at T20, D16 at D16, off the board at
    // D16, the bull's eye at it; printed to one decimal.
    const std::vector<std::array<double, 6>> table{{60, 61.4, 0, 61.3, 19.8, 56.1},
                                                   {40, 39.7, 0, 42.5, 29.5, 31.3},
                                                   {20, 13.7, 0, 18.3, 41.4, 8.5},
                                                   {10, 3.6, 4.8, 5.6, 49.1, 2.1},
                                                   {1, 0, 90.8, 0, 91.2, 0}};
    for (const auto& row : table) {
        dartChancesC darts(static_cast<float>(row[0]), board());
        const std::array<double, 5> exact{chanceOf(darts, t20, t20), chanceOf(darts, t20, miss),
                                          chanceOf(darts, d16, d16), chanceOf(darts, d16, miss),
                                          chanceOf(darts, eye, eye)};
        for (std::size_t c = 0; c < exact.size(); ++c) {
            // "under 0.1 %" where the table shows 0 at strength 1.
            EXPECT_NEAR(100.0 * exact[c], row[c + 1], row[0] == 1 ? 0.1 : 0.05001)
                << row[0] << " column " << c;
        }
        for (const dartS& target : {t20, d16, eye, dartS{1, 7}}) {
            double sum = 0.0;
            for (const hitChanceS& h : darts.at(target)) {
                sum += h.chance;
            }
            EXPECT_NEAR(sum, 1.0, 1e-12);
        }
    }
    EXPECT_EQ(gameRandom::state(), before);  // nothing drawn from the game's generator

    // A million darts of the game's own hand at two targets: every outcome within 4 standard
    // errors of its chance, and none the chances rule out.
    for (const dartS& target : {t20, d16}) {
        dartChancesC darts(20.0f, board());
        const throwC hand(20.0f, throwC::seeding::keep);
        const boardPointS aim = board().getCoordinates(target.type, target.number);
        std::map<std::pair<int, int>, long> counts;
        constexpr long thrown = 1'000'000;
        for (long i = 0; i < thrown; ++i) {
            const boardPointS offset = hand.throwOffset();
            const dartS hit = board().getHit({aim.x + offset.x, aim.y + offset.y});
            ++counts[{hit.type, hit.type == 0 ? 0 : hit.number}];
        }
        for (const hitChanceS& h : darts.at(target)) {
            const double share = static_cast<double>(counts[{h.hit.type, h.hit.number}]) / thrown;
            EXPECT_NEAR(share, h.chance, 4.0 * std::sqrt(h.chance * (1.0 - h.chance) / thrown))
                << h.hit.type << " " << h.hit.number;
            counts.erase({h.hit.type, h.hit.number});
        }
        EXPECT_TRUE(counts.empty());
    }
}

TEST(ExactOdds, AgreeWithAHundredThousandPlayedMatches) {
    struct caseS {
        std::int32_t start, legs, sets;
        std::array<std::int32_t, 2> strengths, left, legsWon, setsWon;
        int toThrow, starter;
    };
    const std::vector<caseS> cases{
        {501, 5, 1, {40, 40}, {501, 501}, {0, 0}, {0, 0}, 0, 0},  // from the first dart
        {301, 3, 3, {30, 35}, {141, 301}, {0, 1}, {1, 0}, 1, 1},  // sets, the second to throw
        {501, 7, 1, {25, 45}, {60, 32}, {3, 1}, {0, 0}, 0, 0},    // unequal legs, part-way
        {101, 1, 1, {20, 20}, {101, 40}, {0, 0}, {0, 0}, 1, 1},   // one leg
    };
    exactOddsC exact;
    for (const caseS& c : cases) {
        oddsQuestionS q;
        q.startScore = c.start, q.bestOfLegs = c.legs, q.bestOfSets = c.sets;
        q.strengths = c.strengths;
        q.state = {c.left, c.legsWon, c.setsWon, c.toThrow, c.starter};
        q.continuations = 100'000;
        const double worked = exact.odds(q).chance[0];
        const double played = matchOdds(q)->chance[0];
        const double error = std::sqrt(worked * (1.0 - worked) / 100'000.0);
        EXPECT_NEAR(played, worked, 3.0 * error) << c.start << " " << c.left[0];
        EXPECT_TRUE(exact.odds(q).exact);
        EXPECT_NEAR(exact.odds(q).chance[1], 1.0 - worked, 1e-15);
    }
    // A player by their own fitted scatter, whose played darts land by it as a twin's do.
    oddsQuestionS q;
    q.startScore = 301, q.bestOfLegs = 3;
    q.strengths = {20, 35};
    q.state = {{301, 301}, {0, 0}, {0, 0}, 0, 0};
    throwFitS fit;
    fit.kinds[static_cast<std::size_t>(aimKind::all)] = {{1.0, -2.0, 8.0, 10.0, 0.2}, 300};
    q.fitted[0] = fit;
    q.continuations = 100'000;
    const double worked = exact.odds(q).chance[0];
    const double error = std::sqrt(worked * (1.0 - worked) / 100'000.0);
    EXPECT_NEAR(matchOdds(q)->chance[0], worked, 3.0 * error);
    EXPECT_THROW(legChancesC(exact.visits(20, 301), exact.visits(20, 501)), std::invalid_argument);
    q.fitted[0].reset();  // without it, the strength models the player, as a weaker one
    EXPECT_LT(exact.odds(q).chance[0], worked - 0.3);
}

// A visit part-way is the visit from its start, dart by dart: the figure before a visit is the
// first dart's outcomes weighed by their chances, each followed from where it leaves the visit.
TEST(ExactOdds, AVisitPartWayIsTheVisitDartByDart) {
    exactOddsC exact;
    const vPlayerC chart;
    dartChancesC darts(30.0f, board());
    const legChancesC& leg = exact.leg(30, 45, 501);
    for (const std::int32_t a : {501, 170, 100, 41, 3, 2}) {
        const std::int32_t b = 77;
        double dartByDart = 0.0;
        for (const hitChanceS& h : darts.at(chart.dartCheck(1, a, false))) {
            const dartOutcomeS after = applyDart(0, a, h.hit);
            if (after.goesOn) {
                dartByDart += h.chance * leg.firstWinsPartWay(after.remaining, b, true, a, 1);
            } else if (after.remaining == 0 && after.total == a) {
                dartByDart += h.chance;  // checked out
            } else {
                dartByDart += h.chance * leg.firstWins(a, b, false);  // bust: the turn passes
            }
        }
        EXPECT_NEAR(leg.firstWins(a, b, true), dartByDart, 1e-12) << a;
        EXPECT_NEAR(leg.firstWinsPartWay(a, b, true, a, 0), leg.firstWins(a, b, true), 1e-12);
        EXPECT_NEAR(leg.firstWinsPartWay(b, a, false, a, 0), leg.firstWins(b, a, false), 1e-12);
    }
    for (const auto& [a, b] : {std::pair{1, 77}, {77, 1}, {502, 77}, {77, 502}}) {
        EXPECT_THROW((void)leg.firstWins(a, b, true), std::out_of_range) << a << " " << b;
    }
    EXPECT_NO_THROW((void)leg.firstWins(501, 2, true));
    oddsQuestionS q;
    q.state.remaining = {121, 501};
    q.partWay = visitPartWayS{120, 1};  // a visit cannot have gone up
    EXPECT_THROW((void)exact.odds(q), std::invalid_argument);
    q.partWay = visitPartWayS{501, 3};
    EXPECT_THROW((void)exact.odds(q), std::invalid_argument);
    EXPECT_THROW((void)matchOdds(q), std::invalid_argument);  // sampling starts with a visit
    q.partWay.reset();
    q.state.legs = {3, 0};  // already won a best of 5
    EXPECT_THROW((void)exact.odds(q), std::invalid_argument);
}

// The shipped table's simulated averages against the exact ones: within three of their
// standard errors, all below (the generator's draws are not quite independent).
TEST(ExpectedFigures, TheStrengthTableAgreesWithTheExactAverage) {
    const virtualBoardC& shared = board();
    const vPlayerC chart;
    for (const int strength : {10, 40}) {
        gameRandom::seed(1);
        const sim::calibrationRowS row = sim::calibrateStrength(strength, 501, 25'000);
        dartChancesC darts(static_cast<float>(strength), shared);
        testing::internal::CaptureStdout();
        const visitChancesC visits(darts, chart, 501);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");  // the chart asked within range
        EXPECT_THROW((void)visits.from(1), std::out_of_range);
        EXPECT_THROW((void)visits.from(502), std::out_of_range);
        EXPECT_THROW((void)visits.partWay(100, 1, 101), std::out_of_range);  // never up
        EXPECT_NEAR(headToHeadAverage(visits), row.threeDartAverage(), 3.0 * row.standardError)
            << strength;
        // Alone from 2 every dart is aimed at double 1, a bust changes nothing, and the first
        // hit ends the leg: the darts it takes are those of the first success of a coin.
        const std::vector<double> toFinish = expectedDartsToFinish(visits);
        EXPECT_NEAR(toFinish[2], 1.0 / chanceOf(darts, {2, 1}, {2, 1}), 1e-9);
        EXPECT_EQ(visits.from(2).front().left, 0);  // checked out on any of its three darts
        EXPECT_GT(visits.from(2).front().chance, chanceOf(darts, {2, 1}, {2, 1}));
        EXPECT_GT(toFinish[501], toFinish[401] + 2.0);  // every score up to the start
    }
}
