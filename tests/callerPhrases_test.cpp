#include <gtest/gtest.h>

#include "game/callerPhrases.h"

using namespace qm;

TEST(CallerPhrases, ScoresRequirementsAndGameShots) {
    const std::vector<std::pair<int, std::string>> scores{{0, "no score"},
                                                          {1, "one"},
                                                          {19, "nineteen"},
                                                          {20, "twenty"},
                                                          {21, "twenty-one"},
                                                          {60, "sixty"},
                                                          {99, "ninety-nine"},
                                                          {100, "one hundred"},
                                                          {101, "one hundred and one"},
                                                          {140, "one hundred and forty"},
                                                          {179, "one hundred and seventy-nine"},
                                                          {180, "one hundred and eighty!"}};
    for (const auto& [points, words] : scores) {
        EXPECT_EQ(scoreCall(points), words) << points;
    }
    EXPECT_EQ(numberWords(199), "one hundred and ninety-nine");
    EXPECT_EQ(numberWords(200), "two hundred");
    EXPECT_EQ(numberWords(999), "nine hundred and ninety-nine");
    const vPlayerC chart;
    // Only a score the chart can finish is required: 2 to 170 without the impossible ones.
    EXPECT_EQ(requireCall(chart, "Ann", 170), "Ann, you require 170");
    EXPECT_EQ(requireCall(chart, "Ann", 161), "Ann, you require 161");
    EXPECT_EQ(requireCall(chart, "Ann", 2), "Ann, you require 2");
    for (const int none : {171, 169, 159, 1, 0, 501}) {
        EXPECT_EQ(requireCall(chart, "Ann", none), "") << none;
    }
    EXPECT_EQ(visitCalls(chart, 0, "Bob", 32),
              (std::vector<std::string>{"no score", "Bob, you require 32"}));
    EXPECT_EQ(visitCalls(chart, 45, "Bob", 301), (std::vector<std::string>{"forty-five"}));

    EXPECT_EQ(gameShotCall(0, false, false), "Game shot, and the leg");  // no leg to name
    EXPECT_EQ(gameShotCall(1, false, false), "Game shot, and the first leg");
    EXPECT_EQ(gameShotCall(11, false, false), "Game shot, and the eleventh leg");
    EXPECT_EQ(gameShotCall(12, false, false), "Game shot, and the twelfth leg");
    EXPECT_EQ(gameShotCall(13, false, false), "Game shot, and the leg");
    EXPECT_EQ(gameShotCall(0, true, false), "Game shot, and the set");
    EXPECT_EQ(gameShotCall(3, true, true), "Game shot, and the match");
}
