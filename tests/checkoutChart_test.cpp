#include <gtest/gtest.h>

#include <set>

#include "computer/checkoutRoute.h"
#include "computer/vPlayerC.h"

using qm::checkoutRoute;
using qm::dartNotation;
using qm::dartS;
using qm::routeText;
using qm::vPlayerC;

namespace {

const vPlayerC& chart() {
    static const vPlayerC instance;
    return instance;
}

// Follows the chart dart by dart with every dart hitting; the number of darts to finish, or 0
// when the route does not end on a double.
int routeLength(int remaining) {
    for (int darts = 1; darts <= 6; ++darts) {
        const dartS target = chart().normalCheck(remaining);
        remaining -= target.score();
        if (remaining == 0) {
            return target.type == 2 ? darts : 0;
        }
        if (remaining < 2) {
            return 0;
        }
    }
    return 0;
}

}  // namespace

TEST(CheckoutChart, EntriesAndNoCheckScores) {
    EXPECT_EQ(chart().chartEntry(170), "Triple 20");
    EXPECT_EQ(chart().chartEntry(2), "Double 1");
    EXPECT_EQ(chart().chartEntry(3), "Single 1");
    EXPECT_EQ(chart().chartEntry(50), "Single 18");
    EXPECT_EQ(chart().chartEntry(82), "Double 25");
    EXPECT_EQ(chart().chartEntry(99), "Triple 17");
    const std::set<int> noCheck{0, 1, 159, 162, 163, 165, 166, 168, 169};
    testing::internal::CaptureStdout();
    for (int r = 0; r <= 170; ++r) {
        const bool isNoCheck = chart().chartEntry(r) == "No check";
        EXPECT_EQ(isNoCheck, noCheck.count(r) == 1) << r;
        if (isNoCheck) {
            continue;
        }
        const dartS target = qm::string2dart(chart().chartEntry(r));
        EXPECT_GE(target.type, 1);
        EXPECT_LE(target.type, 3);
        EXPECT_TRUE((target.number >= 1 && target.number <= 20) || target.number == 25) << r;
        if (r <= 40 && r % 2 == 0) {
            EXPECT_EQ(target, (dartS{2, r / 2})) << r;
        }
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(CheckoutChart, EveryRouteEndsOnADoubleWithinFourDarts) {
    std::set<int> fourDartRoutes;
    for (int r = 2; r <= 170; ++r) {
        if (chart().chartEntry(r) == "No check") {
            continue;
        }
        const int darts = routeLength(r);
        EXPECT_GE(darts, 1) << r;
        EXPECT_LE(darts, 4) << r;
        if (darts == 4) {
            fourDartRoutes.insert(r);
        }
    }
    EXPECT_EQ(fourDartRoutes, (std::set<int>{123, 128, 129, 132, 135, 161, 164, 167, 170}));
}

TEST(AimPlanning, ThresholdsOfTheThreeDarts) {
    const dartS t20{3, 20};
    EXPECT_EQ(chart().firstDartCheck(501), t20);
    EXPECT_EQ(chart().firstDartCheck(171), t20);
    EXPECT_EQ(chart().firstDartCheck(169), t20);  // no finish: attack the treble
    EXPECT_EQ(chart().firstDartCheck(61), (dartS{1, 25}));
    EXPECT_EQ(chart().secondDartCheck(110, false), t20);
    EXPECT_EQ(chart().secondDartCheck(107, false), (dartS{3, 19}));
    EXPECT_EQ(chart().secondDartCheck(50, false), (dartS{1, 18}));
    EXPECT_EQ(chart().thirdDartCheck(40, false), (dartS{2, 20}));
    EXPECT_EQ(chart().thirdDartCheck(41, false), (dartS{1, 9}));
    EXPECT_EQ(chart().thirdDartCheck(82, false), (dartS{2, 25}));
    EXPECT_EQ(chart().thirdDartCheck(50, false), (dartS{1, 18}));
    EXPECT_EQ(chart().thirdDartCheck(230, false), t20);
}

TEST(AimPlanning, SetupDartFrom171To229) {
    for (int r = 171; r <= 229; ++r) {
        dartS expected{3, 20};
        if (r == 179 || r == 183 || r == 186 || r == 189) {
            expected = {3, 19};
        } else if (r == 182 || r == 185 || r == 188) {
            expected = {3, 18};
        } else if (r == 192 || r == 195) {
            expected = {2, 25};
        }
        EXPECT_EQ(chart().thirdDartCheck(r, false), expected) << r;
    }
}

TEST(AimPlanning, AlternativeOption) {
    EXPECT_EQ(chart().secondDartCheck(70, true), (dartS{3, 20}));
    EXPECT_EQ(chart().secondDartCheck(70, false), (dartS{3, 18}));
    EXPECT_EQ(chart().secondDartCheck(60, true), (dartS{1, 20}));
    EXPECT_EQ(chart().secondDartCheck(71, true), (dartS{3, 13}));
    EXPECT_EQ(chart().thirdDartCheck(50, true), (dartS{2, 25}));
}

TEST(AimPlanning, OutOfRangeLookupWritesADiagnostic) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(chart().normalCheck(1), (dartS{0, 0}));
    EXPECT_EQ(chart().normalCheck(171), (dartS{0, 0}));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ERROR: normalCheck(1)\nERROR: normalCheck(171)\n");
}

TEST(CheckoutRoute, ThreeDartFinishesOnADoubleOnly) {
    const auto route = [](int r) { return routeText(checkoutRoute(chart(), r)); };
    EXPECT_EQ(route(170), "T20 T20 Bull");  // the alternative finish of 50 on the last dart
    EXPECT_EQ(route(141), "T20 T15 D18");
    EXPECT_EQ(route(121), "25 T20 D18");
    EXPECT_EQ(route(41), "S9 D16");
    EXPECT_EQ(route(3), "S1 D1");
    EXPECT_EQ(route(2), "D1");
    // No route: above the chart, below a double, the "No check" scores, and 161, which the
    // chart takes four darts to finish.
    for (const int r : {171, 1, 0, 159, 162, 163, 165, 166, 168, 169, 161}) {
        EXPECT_EQ(route(r), "") << r;
    }
    int finishable = 0;
    for (int r = 2; r <= 170; ++r) {
        const auto darts = checkoutRoute(chart(), r);
        if (darts.empty()) {
            continue;
        }
        ++finishable;
        int total = 0;
        for (const dartS& dart : darts) {
            total += dart.score();
        }
        EXPECT_EQ(total, r);
        EXPECT_EQ(darts.back().type, 2) << r;
        EXPECT_LE(darts.size(), 3u);
    }
    EXPECT_EQ(finishable, 169 - 8);
    EXPECT_EQ(dartNotation({1, 25}), "25");
    EXPECT_EQ(dartNotation({1, 7}), "S7");
}
