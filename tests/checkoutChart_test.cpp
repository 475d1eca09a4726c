#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "computer/checkoutRoute.h"
#include "computer/vPlayerC.h"
#include "match/x01Rules.h"

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
    testing::internal::CaptureStdout();
    for (int r = 0; r <= 170; ++r) {
        // The chart gives up exactly where the rules say three darts cannot finish.
        const bool isNoCheck = chart().chartEntry(r) == "No check";
        EXPECT_EQ(isNoCheck, !qm::isFinishable(r)) << r;
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
    // The chart's own darts take four from 161: the second sets up the bull instead.
    EXPECT_EQ(route(161), "T20 T17 Bull");
    // A route wherever the rules can finish, and none elsewhere: above the chart, below a
    // double and the "No check" scores.
    testing::internal::CaptureStdout();
    for (int r = 0; r <= 171; ++r) {
        const auto darts = checkoutRoute(chart(), r);
        ASSERT_EQ(darts.empty(), !qm::isFinishable(r)) << r;
        if (darts.empty()) {
            continue;
        }
        int total = 0;
        for (const dartS& dart : darts) {
            total += dart.score();
        }
        EXPECT_EQ(total, r);
        EXPECT_EQ(darts.back().type, 2) << r;
        EXPECT_LE(darts.size(), 3u);
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");  // never asks the chart out of range
    // With fewer darts in hand the chart is asked with the later dart numbers: 50 is the bull
    // on the last dart, 41 cannot be finished with one, 101 sets up the bull with two.
    const auto inHand = [](int r, int darts) {
        return routeText(checkoutRoute(chart(), r, darts));
    };
    EXPECT_EQ(inHand(50, 1), "Bull");
    EXPECT_EQ(inHand(40, 1), "D20");
    EXPECT_EQ(inHand(41, 1), "");
    EXPECT_EQ(inHand(41, 2), "S17 D12");  // the alternative chart from the second dart on
    EXPECT_EQ(inHand(101, 2), "T17 Bull");
    EXPECT_EQ(inHand(111, 2), "");
    EXPECT_EQ(inHand(141, 0), "");
    EXPECT_EQ(inHand(40, 4), "");
    EXPECT_EQ(dartNotation({1, 25}), "25");
    EXPECT_EQ(dartNotation({1, 7}), "S7");
    EXPECT_EQ(inHand(81, 2), "T15 D18");  // after T20 from 141
}

TEST(CheckoutRoute, DartNotationIsReadBack) {
    std::string bad;
    const auto read = [&bad](const std::string& text) {
        bad.clear();
        const auto darts = qm::parseDartNotation(text, bad);
        return darts ? routeText(*darts) : "refused " + bad;
    };
    EXPECT_EQ(read("T20 t19 D12"), "T20 T19 D12");
    EXPECT_EQ(read(" s5,25  bull\tD1"), "S5 25 Bull D1");
    EXPECT_EQ(read("5 D25 50"), "S5 Bull Bull");
    EXPECT_EQ(read("S1 S20 D1"), "S1 S20 D1");
    EXPECT_EQ(read(""), "");
    const auto misses = qm::parseDartNotation("Miss m 0", bad);
    ASSERT_TRUE(misses);
    EXPECT_EQ(*misses, (std::vector<dartS>(3, dartS{0, 0})));
    for (const std::string word : {"T25", "S21", "D0", "T", "20x", "100", "-1", "X20"}) {
        EXPECT_EQ(read("T20 " + word), "refused " + word) << word;
    }
    // A fourth dart is read: the visit, not the notation, says how many darts it takes.
    EXPECT_EQ(read("T20 T20 T20 T20"), "T20 T20 T20 T20");
}

namespace {

// A copy of the chart kept apart from the program's own, in short notation: T, D and S for
// "Triple", "Double" and "Single", NC for "No check". Any changed entry shows, even one that
// swaps a route for another legal one.
const char* const goldenChart[171] = {
    "NC",  "NC",  "D1",  "S1",  "D2",  "S1",  "D3",  "S3",  "D4",  "S5",   // 0
    "D5",  "S3",  "D6",  "S5",  "D7",  "S7",  "D8",  "S1",  "D9",  "S3",   // 10
    "D10", "S5",  "D11", "S7",  "D12", "S9",  "D13", "S11", "D14", "S13",  // 20
    "D15", "S15", "D16", "S1",  "D17", "S3",  "D18", "S5",  "D19", "S3",   // 30
    "D20", "S9",  "S10", "S11", "S12", "S13", "S10", "S15", "S16", "S17",  // 40
    "S18", "S19", "S20", "S13", "S18", "S15", "S20", "S17", "S18", "S19",  // 50
    "S20", "S25", "T10", "T13", "T16", "S25", "T10", "T17", "T20", "T15",  // 60
    "T18", "T13", "T12", "T19", "T14", "T17", "T20", "T19", "T18", "T19",  // 70
    "T20", "T15", "D25", "T17", "T20", "T15", "T18", "T17", "T20", "T19",  // 80
    "T20", "T17", "T20", "T19", "T18", "T19", "T20", "T19", "T20", "T17",  // 90
    "T20", "T20", "T20", "T20", "T18", "T20", "T20", "T19", "T20", "T20",  // 100
    "T20", "T20", "T20", "T20", "T20", "S19", "T20", "T20", "T20", "S19",  // 110
    "T20", "S25", "T18", "S19", "T20", "S25", "T19", "T20", "S18", "S19",  // 120
    "T20", "T20", "S25", "T20", "T20", "S25", "T20", "T20", "T20", "T20",  // 130
    "T20", "T20", "T20", "T20", "T20", "T20", "T20", "T20", "T20", "T20",  // 140
    "T20", "T20", "T20", "T20", "T20", "T20", "T20", "T20", "T20", "NC",   // 150
    "T20", "T20", "NC",  "NC",  "T20", "NC",  "NC",  "T20", "NC",  "NC",   // 160
    "T20",                                                                 // 170
};

std::string longForm(const std::string& shortForm) {
    if (shortForm == "NC") {
        return "No check";
    }
    const char* word = shortForm[0] == 'T'   ? "Triple "
                       : shortForm[0] == 'D' ? "Double "
                                             : "Single ";
    return word + shortForm.substr(1);
}

}  // namespace

TEST(CheckoutChart, EveryEntryMatchesTheGoldenCopy) {
    for (int r = 0; r <= 170; ++r) {
        EXPECT_EQ(chart().chartEntry(r), longForm(goldenChart[r])) << r;
    }
    const std::pair<int, const char*> alternatives[] = {
        {70, "T20"}, {69, "T19"}, {68, "T18"}, {67, "T17"}, {66, "T16"}, {65, "T15"}, {64, "T14"},
        {63, "T13"}, {62, "T12"}, {61, "T11"}, {54, "S18"}, {53, "S17"}, {48, "S16"}, {47, "S7"},
        {46, "S10"}, {45, "S19"}, {44, "S8"},  {43, "S7"},  {42, "S10"}, {41, "S17"}, {39, "S7"},
        {37, "S17"}, {35, "S3"},  {33, "S17"}, {31, "S7"},  {29, "S17"}, {27, "S7"},  {25, "S17"},
        {23, "S7"},  {21, "S17"}, {19, "S3"},
    };
    std::set<int> withAlternative;
    for (const auto& [r, entry] : alternatives) {
        EXPECT_EQ(chart().alternativeEntry(r), longForm(entry)) << r;
        withAlternative.insert(r);
    }
    ASSERT_EQ(withAlternative.size(), 31u);
    for (int r = 0; r <= 70; ++r) {
        if (withAlternative.count(r) == 0) {
            EXPECT_EQ(chart().alternativeEntry(r), "") << r;
        }
    }
}
