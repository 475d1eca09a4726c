// A player's own scatter: the fit, what it means for where to aim, and the twin's darts.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "computer/normalScatter.h"
#include "computer/tabledHandC.h"
#include "computer/throwFit.h"
#include "game/personalRoutes.h"

using namespace qm;

namespace {

const virtualBoardC board;

std::vector<boardPointS> drawn(const normalScatterS& s, int count, unsigned seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> normal;
    std::vector<boardPointS> out;
    for (int i = 0; i < count; ++i) {
        const double z1 = normal(random);
        out.push_back(s.offset(z1, normal(random)));
    }
    return out;
}

}  // namespace

TEST(ThrowFit, DartsFromAKnownScatterAreFittedBackWithinTheirSamplingError) {
    const normalScatterS truth{3.0, -5.0, 12.0, 20.0, 0.4};
    for (unsigned seed = 1; seed <= 5; ++seed) {
        const scatterFitS fit = fitScatter(drawn(truth, 300, seed));
        EXPECT_EQ(fit.darts, 300);
        // 300 darts: a deviation's standard error is about 4%, a mean's sigma / 17.
        EXPECT_NEAR(fit.scatter.sigmaX, truth.sigmaX, 0.1 * truth.sigmaX);
        EXPECT_NEAR(fit.scatter.sigmaY, truth.sigmaY, 0.1 * truth.sigmaY);
        EXPECT_NEAR(fit.scatter.biasX, truth.biasX, 3 * truth.sigmaX / std::sqrt(300.0));
        EXPECT_NEAR(fit.scatter.biasY, truth.biasY, 3 * truth.sigmaY / std::sqrt(300.0));
        // A correlation's standard error is (1 - rho^2) / sqrt(n).
        EXPECT_NEAR(fit.scatter.rho, truth.rho, 4 * (1 - 0.16) / std::sqrt(300.0));
    }
}

TEST(ThrowFit, EachDartCountsToItsKindAndThePoolFromItsTargetsAimPoint) {
    EXPECT_EQ(kindOf({3, 20}), aimKind::trebles);
    EXPECT_EQ(kindOf({2, 16}), aimKind::doubles);
    EXPECT_EQ(kindOf({2, 25}), aimKind::bull);
    EXPECT_EQ(kindOf({1, 25}), aimKind::bull);
    EXPECT_EQ(kindOf({1, 5}), aimKind::all);
    // Darts 2 units right of D16's aim point and 4 below T20's, 30 each, and 5 singles.
    std::vector<fitDartS> darts;
    const boardPointS d16 = board.getCoordinates(2, 16);
    const boardPointS t20 = board.getCoordinates(3, 20);
    for (int i = 0; i < 30; ++i) {
        const float wobble = i % 2 == 0 ? 1.0f : -1.0f;  // a spread, not a point
        darts.push_back({{2, 16}, {d16.x + 2.0f + wobble, d16.y + wobble * (i % 3)}});
        darts.push_back({{3, 20}, {t20.x + wobble, t20.y - 4.0f + wobble * (i % 5)}});
    }
    for (int i = 0; i < 5; ++i) {
        darts.push_back({{1, 5}, board.getCoordinates(1, 5)});
    }
    const throwFitS fit = fitThrow(darts, board);
    EXPECT_EQ(fit.of(aimKind::doubles).darts, 30);
    EXPECT_NEAR(fit.of(aimKind::doubles).scatter.biasX, 2.0, 1e-4);
    EXPECT_NEAR(fit.of(aimKind::trebles).scatter.biasY, -4.0, 1e-4);
    EXPECT_EQ(fit.of(aimKind::bull).darts, 0);
    EXPECT_EQ(fit.of(aimKind::all).darts, 65);
    EXPECT_TRUE(fit.usable());
    // A kind with enough darts throws by its own fit, the bull by the pool.
    EXPECT_EQ(fit.forTarget({2, 3}), fit.of(aimKind::doubles).scatter);
    EXPECT_EQ(fit.forTarget({2, 25}), fit.of(aimKind::all).scatter);

    // 29 darts are not enough; 30 are.
    const normalScatterS round{0, 0, 10, 10, 0};
    EXPECT_FALSE(fitScatter(drawn(round, minFitDarts - 1, 3)).enough());
    EXPECT_TRUE(fitScatter(drawn(round, minFitDarts, 3)).enough());
    // Darts on a point or a line are no spread: neither deviation may be 0, nor the
    // correlation whole.
    const auto line = [](float dx, float dy) {
        std::vector<boardPointS> points;
        for (int i = 0; i < 40; ++i) {
            points.push_back({dx * static_cast<float>(i), dy * static_cast<float>(i)});
        }
        return fitScatter(points);
    };
    for (const scatterFitS& flat : {line(0, 0), line(1, 0), line(0, 1), line(1, 1), line(1, -2)}) {
        EXPECT_EQ(flat.darts, 40);
        EXPECT_FALSE(flat.enough()) << flat.scatter.sigmaX << " " << flat.scatter.sigmaY;
    }
}

TEST(ThrowFit, TheBestAimLeavesTreble20AsTheScatterWidens) {
    const auto best = [](double sigma) {
        const normalScatterS s{0, 0, sigma, sigma, 0};
        return bestAim(scatterChancesC(s, board), expectedPointsMap(s), board);
    };
    const bestAimS tight = best(5);
    EXPECT_EQ(board.getHit(tight.aim), (dartS{3, 20}));
    EXPECT_DOUBLE_EQ(tight.points, tight.treble20);
    EXPECT_GT(tight.treble20, tight.treble19);
    // Wider: toward the treble 19 on the lower left, then inward toward the bull.
    const bestAimS medium = best(25);
    EXPECT_EQ(board.getHit(medium.aim), (dartS{3, 19}));
    EXPECT_GT(medium.treble19, medium.treble20);
    const bestAimS wide = best(50);
    const bestAimS widest = best(80);
    for (const bestAimS& b : {wide, widest}) {
        EXPECT_LT(b.aim.x, 0.0f);
        EXPECT_LT(b.aim.y, 0.0f);
        EXPECT_GT(b.points, b.treble19);
    }
    EXPECT_LT(std::hypot(widest.aim.x, widest.aim.y), std::hypot(wide.aim.x, wide.aim.y));
    EXPECT_LT(std::hypot(widest.aim.x, widest.aim.y), 25.0);
}

TEST(ThrowFit, ATightScattersMapFollowsTheRingsToTheUnit) {
    // Deviation 5: a unit off shows on the treble's edges.
    const normalScatterS s{0, 0, 5, 5, 0};
    const scatterChancesC chances(s, board);
    const expectedMapS map = expectedPointsMap(s);
    for (const boardPointS aim :
         {boardPointS{0, 100}, boardPointS{0, 93}, boardPointS{0, 107}, boardPointS{-6, 100},
          boardPointS{164, 0}, boardPointS{0, 170}, boardPointS{170, 0}}) {
        EXPECT_NEAR(map.at(static_cast<int>(aim.x), static_cast<int>(aim.y)),
                    chances.expectedPoints(aim), 0.15)
            << aim.x << "," << aim.y;
    }
}

TEST(ThrowFit, ExpectedPointsAgreeWithSampledDartsAndTheMap) {
    const normalScatterS s{4.0, -6.0, 18.0, 30.0, -0.3};
    const scatterChancesC chances(s, board);
    const expectedMapS map = expectedPointsMap(s);
    std::mt19937 random(7);
    std::normal_distribution<double> normal;
    for (const boardPointS aim :
         {boardPointS{0, 100}, boardPointS{-31, -95}, boardPointS{0, 0}, boardPointS{150, -40}}) {
        const int n = 200000;
        double sum = 0.0;
        double squares = 0.0;
        for (int i = 0; i < n; ++i) {
            const double z1 = normal(random);
            const boardPointS o = s.offset(z1, normal(random));
            const double points = board.getHit({aim.x + o.x, aim.y + o.y}).score();
            sum += points;
            squares += points * points;
        }
        const double mean = sum / n;
        const double error = std::sqrt((squares / n - mean * mean) / n);
        const double exact = chances.expectedPoints(aim);
        EXPECT_NEAR(exact, mean, 4 * error) << aim.x << "," << aim.y;
        EXPECT_NEAR(map.at(static_cast<int>(aim.x), static_cast<int>(aim.y)), exact, 0.1);
    }
}

TEST(ThrowFit, ATwinsDartsLandByItsFitFromFourDrawsEach) {
    throwFitS fit;
    fit.kinds[static_cast<std::size_t>(aimKind::all)] = {{5.0, -3.0, 10.0, 16.0, 0.5}, 100};
    fit.kinds[static_cast<std::size_t>(aimKind::doubles)] = {{0.0, 0.0, 2.0, 2.0, 0.0}, 40};
    tabledHandC twin(20.0f, board, throwC::seeding::keep, fit);
    EXPECT_TRUE(twin.isTwin());
    const boardPointS aim = board.getCoordinates(3, 20);
    std::uint32_t generator = 12345;
    std::vector<boardPointS> offsets;
    for (int i = 0; i < 20000; ++i) {
        const std::uint32_t before = generator;
        const landedDartS d = twin.throwAt({3, 20}, aim, generator);
        ASSERT_EQ(generator, gameRandom::stepFour(before).s4);
        ASSERT_EQ(d.hit, board.getHit(d.point));
        offsets.push_back({d.point.x - aim.x, d.point.y - aim.y});
    }
    const scatterFitS back = fitScatter(offsets);
    EXPECT_NEAR(back.scatter.biasX, 5.0, 0.3);
    EXPECT_NEAR(back.scatter.biasY, -3.0, 0.4);
    EXPECT_NEAR(back.scatter.sigmaX, 10.0, 0.3);
    EXPECT_NEAR(back.scatter.sigmaY, 16.0, 0.4);
    EXPECT_NEAR(back.scatter.rho, 0.5, 0.03);
    // A double throws by the doubles' own fit; the same seed, the same dart.
    std::uint32_t again = 99;
    std::uint32_t same = 99;
    const boardPointS d16 = board.getCoordinates(2, 16);
    const landedDartS first = twin.throwAt({2, 16}, d16, again);
    EXPECT_EQ(first.point, twin.throwAt({2, 16}, d16, same).point);
    EXPECT_LT(std::hypot(first.point.x - d16.x, first.point.y - d16.y), 12.0);
}

TEST(PersonalRoutes, TheBestRouteFinishesAtLeastAsOftenAsTheChartsAndKnowsItsLimits) {
    const vPlayerC chart;
    scatterChancesC tight({0, 0, 0.5, 0.5, 0}, board);  // every dart where it is aimed
    const personalRoutesC sure(tight, chart);
    EXPECT_EQ(sure.at(40, 1).route, (std::vector<dartS>{{2, 20}}));
    EXPECT_NEAR(sure.at(40, 1).chance, 1.0, 1e-6);
    EXPECT_EQ(sure.at(170, 3).route, (std::vector<dartS>{{3, 20}, {3, 20}, {2, 25}}));
    EXPECT_NEAR(sure.at(170, 3).chance, 1.0, 1e-6);
    EXPECT_EQ(sure.at(170, 3).chartRoute, sure.at(170, 3).route);
    EXPECT_NEAR(sure.at(170, 3).chartChance, 1.0, 1e-6);
    // No dart finishes 41, nor two darts 111, nor three 171 (not in the table at all).
    EXPECT_TRUE(sure.at(41, 1).route.empty());
    EXPECT_EQ(sure.at(41, 1).chance, 0.0);
    EXPECT_EQ(sure.at(111, 2).chance, 0.0);
    EXPECT_NEAR(sure.at(110, 2).chance, 1.0, 1e-6);
    EXPECT_THROW((void)sure.at(171, 3), std::out_of_range);
    EXPECT_THROW((void)sure.at(1, 3), std::out_of_range);
    EXPECT_THROW((void)sure.at(40, 0), std::out_of_range);
    EXPECT_THROW((void)sure.at(40, 4), std::out_of_range);

    // A real scatter: the best route is the best, and sometimes better than the chart's.
    scatterChancesC wide({2, -4, 20, 26, 0.1}, board);
    const personalRoutesC own(wide, chart);
    bool better = false;
    for (std::int32_t score = 2; score <= personalRoutesC::highest; ++score) {
        for (int inHand = 1; inHand <= 3; ++inHand) {
            const personalRouteS& r = own.at(score, inHand);
            ASSERT_GE(r.chance, r.chartChance - 1e-12) << score << " " << inHand;
            better = better || r.chance > r.chartChance + 0.01;
            if (inHand > 1) {
                ASSERT_GE(r.chance, own.at(score, inHand - 1).chance - 1e-12);  // a dart more helps
            }
        }
    }
    EXPECT_TRUE(better);
}
