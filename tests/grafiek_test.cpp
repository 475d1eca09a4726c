#include <gtest/gtest.h>

#include "stats/grafiekC.h"
#include "stats/recentLegsC.h"

using namespace qm;

TEST(Grafiek, OneValueIsOnePointAtTheStartOnTheTopLine) {
    const auto chart = layoutPpdChart({25.0}, 10, 20);
    ASSERT_EQ(chart.xs.size(), 1u);
    EXPECT_EQ(chart.xs[0], chart.x0);
    EXPECT_EQ(chart.ys[0], chart.y0 - 327);
    EXPECT_EQ(chart.x0, 46);
    EXPECT_EQ(chart.y0, 375);
}

TEST(Grafiek, UpTo340ValuesAreAllPlottedAbove340Sampled) {
    std::vector<double> series(340, 10.0);
    grafiekC all(36, 355, 681, 327, 0.0, 10.0, 340);
    EXPECT_EQ(all.computePoints(series), grafiekC::allPlotted);
    EXPECT_NE(grafiekC::allPlotted, grafiekC::sampled);  // the caller tells them apart
    EXPECT_EQ(all.xs.size(), 340u);
    EXPECT_EQ(all.xs.front(), 36);
    EXPECT_EQ(all.xs.back(), 36 + 681);

    series.push_back(12.7);
    grafiekC sampled(36, 355, 681, 327, 0.0, 12.7, 341);
    EXPECT_EQ(sampled.computePoints(series), grafiekC::sampled);
    ASSERT_EQ(sampled.xs.size(), 341u);
    ASSERT_EQ(sampled.ys.size(), 341u);
    for (std::size_t i = 0; i < sampled.xs.size(); ++i) {
        EXPECT_EQ(sampled.xs[i], 36 + 2 * static_cast<int>(i));
    }
    // Sampled values are cut to whole points per dart before scaling.
    EXPECT_EQ(sampled.ys.back(), static_cast<int>(355 - 12 * (327 / 12.7)));
    EXPECT_EQ(sampled.ys.front(), static_cast<int>(355 - 10 * (327 / 12.7)));
}

TEST(Grafiek, SamplingSpreadsOverTheWholeHistoryUpToTheNewestLegs) {
    // 1000 legs whose whole points per dart tell their index: leg k scores k / 10.
    std::vector<double> series;
    for (int k = 0; k < 1000; ++k) {
        series.push_back(k / 10.0);
    }
    grafiekC graph(36, 355, 681, 327, 0.0, 99.9, 1000);
    ASSERT_EQ(graph.computePoints(series), grafiekC::sampled);
    ASSERT_EQ(graph.ys.size(), 341u);
    const double scale = 327 / 99.9;
    // Point i shows leg trunc(i * 1000 / 341): the last one leg 997, not leg 680.
    EXPECT_EQ(graph.ys[340], static_cast<int>(355 - 99 * scale));
    EXPECT_EQ(graph.ys[170], static_cast<int>(355 - 49 * scale));  // leg 498
    EXPECT_EQ(graph.ys[1], static_cast<int>(355 - 0 * scale));     // leg 2
    EXPECT_EQ(graph.ys[4], static_cast<int>(355 - 1 * scale));     // leg 11
    EXPECT_EQ(graph.xs[340], 36 + 680);
}

TEST(Grafiek, LowestLabelOnlyWhenItClearsTheHighest) {
    const auto wide = layoutPpdChart({20.5, 30.25}, 0, 0);
    EXPECT_DOUBLE_EQ(wide.lowest, 20.5);
    EXPECT_DOUBLE_EQ(wide.highest, 30.25);
    // The pixel is the truncated difference, so a point sits on the pixel row just above its
    // exact height: 355 - 221.6 is row 133.
    EXPECT_EQ(wide.ys[0], static_cast<int>(wide.y0 - 20.5 * (327 / 30.25)));
    EXPECT_EQ(wide.ys[0], 133);
    EXPECT_EQ(wide.ys[1], wide.y0 - 327);
    EXPECT_EQ(wide.yLow, wide.y0 - static_cast<int>(20.5 * (327 / 30.25)));
    EXPECT_TRUE(wide.showLowest);

    const auto narrow = layoutPpdChart({40.0, 40.5}, 0, 0);
    EXPECT_FALSE(narrow.showLowest);

    const auto zeros = layoutPpdChart({0.0, 0.0, 0.0}, 0, 0);
    EXPECT_EQ(zeros.ys, (std::vector<std::int32_t>{zeros.y0, zeros.y0, zeros.y0}));
}

TEST(RecentLegs, KeepsTheLastTenOnceFull) {
    recentLegsC recent;
    EXPECT_EQ(recent.ppd(), 0.0);
    for (int i = 0; i < 12; ++i) {
        recent.add(i < 2 ? 1000 : 60, i < 2 ? 1 : 20);
    }
    EXPECT_EQ(recent.count(), 10);
    EXPECT_DOUBLE_EQ(recent.ppd(), 3.0);
    recent.add(0, 0);  // overwrites the oldest 60-in-20
    EXPECT_DOUBLE_EQ(recent.ppd(), 540.0 / 180.0);
    recent.clear();
    EXPECT_EQ(recent.count(), 0);
    recent.add(90, 30);  // counted from the start again, no old leg beside it
    EXPECT_DOUBLE_EQ(recent.ppd(), 3.0);
    recent.add(10, 10);
    EXPECT_DOUBLE_EQ(recent.ppd(), 100.0 / 40.0);
}
