// Practice for one to four players on the game session: turns, undo, the computer's aim and
// the results kept; and the simulator's drill means against the computer's own hit rates.
#include <gtest/gtest.h>

#include <cmath>

#include "computer/dartChances.h"
#include "computer/gameRandom.h"
#include "game/practiceC.h"
#include "sim/practiceRun.h"
#include "stats/dartHistoryC.h"
#include "tempDir.h"

using namespace qm;

namespace {

struct practiceFixture : testing::Test {
    vPlayerC chart;
    virtualBoardC board;
    std::vector<practiceResultS> kept;
    std::uint32_t generator = 99;

    practiceContextS context() {
        practiceContextS c;
        c.chart = &chart;
        c.vBoard = &board;
        c.writeResult = [this](const practiceResultS& r) { kept.push_back(r); };
        c.today = [] { return civilDate{2026, 12, 9}; };
        c.generator = &generator;
        return c;
    }
    static void visit(practiceC& p, std::initializer_list<dartS> darts) {
        for (const dartS& d : darts) {
            p.enterHumanDart({d, std::nullopt});
        }
    }
};

}  // namespace

TEST_F(practiceFixture, TwoHumansTakeTurnsAndAFinishedPlayerIsPassedOver) {
    practiceC p({drillKind::bobs27}, {{"Ann"}, {"Bob"}}, context());
    EXPECT_EQ(p.aim(), (dartS{2, 1}));
    visit(p, {{2, 1}, {0, 0}});
    EXPECT_EQ(p.completeEnteredDarts(), practiceStep::visitOver);  // the third is a miss
    EXPECT_EQ(p.drill(0).score().value, 29);
    EXPECT_EQ(p.toThrow(), 1);
    // Bob misses D1 to D5 and falls below 0; Ann plays on alone, D2 to the bull.
    for (int round = 1; round <= 5; ++round) {
        if (round > 1) {
            visit(p, {{0, 0}, {0, 0}, {0, 0}});  // Ann
        }
        visit(p, {{0, 0}, {0, 0}, {0, 0}});  // Bob
    }
    EXPECT_TRUE(p.drill(1).finished());
    EXPECT_EQ(p.toThrow(), 0);
    const undoResultS back = p.undo();  // Bob's last visit: he is back in round 5
    ASSERT_EQ(back.steps.size(), 1u);
    EXPECT_EQ(back.steps[0].player, 1);
    EXPECT_FALSE(p.drill(1).finished());
    EXPECT_EQ(p.redo().outcome, redoResultS::status::Done);
    EXPECT_TRUE(p.drill(1).finished());
    for (int round = 6; round <= 21 && !p.drill(0).finished(); ++round) {
        EXPECT_EQ(p.toThrow(), 0);
        visit(p, {p.aim(), p.aim(), p.aim()});
    }
    EXPECT_TRUE(p.gameOver());
    EXPECT_EQ(p.enterHumanDart({{1, 1}, std::nullopt}), practiceStep::ignored);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].player, "Ann");
    EXPECT_TRUE(kept[0].finished);
    EXPECT_EQ(kept[1].score.round, 5);
    EXPECT_EQ(kept[1].darts.size(), 15u);
    EXPECT_EQ(kept[1].darts.back().visit, 5);
    EXPECT_EQ(kept[1].darts.back().targetNumber, 5);  // meant for D5
    EXPECT_EQ(kept[1].day, (civilDate{2026, 12, 9}));
}

TEST_F(practiceFixture, AComputerAimsByTheChartAndAnAbandonedDrillKeepsItsDarts) {
    drillSetupS setup{drillKind::checkout121};
    practiceC p(setup, {{"Cy", true, 45}, {"Ann"}}, context());
    EXPECT_EQ(p.aim(), chart.dartCheck(1, 121, false));
    const auto first = p.throwComputerDart();
    EXPECT_EQ(first.target, chart.dartCheck(1, 121, false));
    EXPECT_EQ(board.getHit(first.point), first.hit);
    if (first.step == practiceStep::dartEntered) {
        // The second dart is aimed from what the first left.
        EXPECT_EQ(p.aim(), chart.dartCheck(2, 121 - first.hit.score(), false));
    }
    while (p.toThrow() == 0) {
        p.throwComputerDart();
    }
    EXPECT_EQ(p.throwComputerDart().step, practiceStep::ignored);  // Ann's turn
    p.abandon();
    EXPECT_TRUE(p.gameOver());
    ASSERT_EQ(kept.size(), 1u);  // Ann threw nothing: nothing of hers to keep
    EXPECT_FALSE(kept[0].finished);
    EXPECT_EQ(kept[0].player, "Cy");
    EXPECT_TRUE(kept[0].darts.front().point.has_value());
    // Each entered dart keeps the target it was meant for after the darts before it.
    kept.clear();
    practiceC clock({drillKind::aroundTheClock}, {{"Ann"}}, context());
    visit(clock, {{1, 1}, {1, 2}, {0, 0}});
    visit(clock, {{1, 3}});
    clock.abandon();
    EXPECT_EQ(clock.completeEnteredDarts(), practiceStep::ignored);  // nothing after the end
    ASSERT_EQ(kept.size(), 1u);
    std::vector<int> targets;
    for (const dartRecordS& dart : kept[0].darts) {
        targets.push_back(dart.targetNumber.value_or(0));
    }
    EXPECT_EQ(targets, (std::vector<int>{1, 2, 3}));
    EXPECT_THROW(practiceC(setup, {}, context()), std::invalid_argument);
    EXPECT_THROW(practiceC(setup, std::vector<practicePlayerS>(5), context()),
                 std::invalid_argument);
}

// The simulated means against what the computer's own scatter says: a dart at D16 at strength
// 60 hits it with the exact chance; at T20, Scoring's average is three darts' expected points.
TEST(PracticeRun, MeansAgreeWithTheScattersHitRates) {
    const virtualBoardC board;
    for (const int strength : {60, 15}) {
        dartChancesC darts(static_cast<float>(strength), board);
        double hit = 0.0;
        double points = 0.0;
        for (const hitChanceS& h : darts.at({2, 16})) {
            hit += h.hit == dartS{2, 16} ? h.chance : 0.0;
        }
        for (const hitChanceS& h : darts.at({3, 20})) {
            points += h.chance * h.hit.score();
        }
        sim::practiceOptions doubles;
        doubles.setup = {drillKind::doubles, 16, 99};
        doubles.strength = strength;
        doubles.sessions = 2000;
        const sim::practiceRunS d = sim::runPractice(doubles);
        EXPECT_NEAR(d.mean, 100.0 * hit, 4.0 * d.spread / std::sqrt(2000.0)) << strength;
        sim::practiceOptions scoring = doubles;
        scoring.setup = {drillKind::scoring, 20, 99};
        const sim::practiceRunS s = sim::runPractice(scoring);
        EXPECT_NEAR(s.mean, 3.0 * points, 4.0 * s.spread / std::sqrt(2000.0)) << strength;
    }
}

// Kept: every drill a computer plays, with each dart's visit, target and landing point.
TEST(PracticeRun, SavedDrillsKeepEveryDartAndItsTarget) {
    tempDir dir;
    sim::practiceOptions options;
    options.setup = {drillKind::checkout121};
    options.strength = 30;
    options.sessions = 3;
    options.saveDarts = true;
    options.player = "Cy";
    const sim::practiceRunS run = sim::runPractice(options, dir.path());
    EXPECT_TRUE(run.problem.empty());
    dartHistoryC history(dir / dartHistoryFileName, dartHistoryC::mode::readOnly);
    const auto drills = history.drillsOf("Cy", static_cast<int>(drillKind::checkout121),
                                         {1900, 1, 1}, {9999, 12, 31}, true);
    ASSERT_EQ(drills.size(), 3u);
    const vPlayerC chart;
    double sum = 0.0;
    for (const drillRecordS& d : drills) {
        sum += d.score;
        ASSERT_EQ(static_cast<int>(d.thrown.size()), d.darts);
        // Replayed, the darts make the drill again, each aimed as the chart says.
        drillC replay(options.setup);
        int visit = 1;
        for (const dartRecordS& dart : d.thrown) {
            EXPECT_EQ(dart.targetNumber, drillAim(replay, chart).number);
            EXPECT_EQ(dart.remainingBefore, replay.checkoutLeft());
            EXPECT_EQ(dart.visit, visit);
            EXPECT_EQ(dart.order, replay.dartsInVisit() + 1);
            EXPECT_TRUE(dart.point.has_value());
            visit += replay.dart({dart.type, dart.number}) ? 1 : 0;
        }
        EXPECT_TRUE(replay.finished());
        EXPECT_EQ(replay.score().value, d.score);
    }
    EXPECT_NEAR(sum / 3.0, run.mean, 1e-9);
}
