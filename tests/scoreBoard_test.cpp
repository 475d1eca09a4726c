#include <gtest/gtest.h>

#include "match/GameBoardC.h"
#include "match/ScoreBoardC.h"
#include "match/x01Rules.h"

using qm::GameBoardC;
using qm::ScoreBoardC;
using qm::visitS;

namespace {

ScoreBoardC boardAt(int remaining) {
    // Reach the wanted score from 501 with legal visits.
    ScoreBoardC board(501);
    int toScore = 501 - remaining;
    while (toScore > 0) {
        const int visit = toScore >= 140 ? 140 : toScore;
        EXPECT_TRUE(board.addScore(visit, 3));
        toScore -= visit;
    }
    EXPECT_EQ(board.remaining(), remaining);
    return board;
}

}  // namespace

TEST(ScoreBoard, ScoresFinishesAndBusts) {
    ScoreBoardC board(501);
    EXPECT_TRUE(board.addScore(180, 3));
    EXPECT_EQ(board.remaining(), 321);
    EXPECT_EQ(board.darts(), 3);

    auto finishing = boardAt(32);
    EXPECT_TRUE(finishing.addScore(32, 3));
    EXPECT_EQ(finishing.remaining(), 0);

    for (int visit : {31, 40}) {
        auto busting = boardAt(32);
        const int dartsBefore = busting.darts();
        EXPECT_TRUE(busting.addScore(visit, 3)) << visit;
        EXPECT_EQ(busting.remaining(), 32);
        EXPECT_EQ(busting.darts(), dartsBefore + 3);
        EXPECT_EQ(busting.lastThrow(), (visitS{0, 3}));
    }
}

// The board takes a typed total as the rules say, from every score a leg can be on.
TEST(ScoreBoard, EveryTotalFromEveryScoreAsTheRulesSay) {
    for (int left = 2; left <= 501; left += left < 230 ? 1 : 271) {
        for (int total = -1; total <= 181; ++total) {
            ScoreBoardC board(501, left);
            const qm::x01Result rule = qm::applyX01Total(left, total);
            ASSERT_EQ(board.addScore(total, 3), rule != qm::x01Result::refused) << left << total;
            const bool counts = rule == qm::x01Result::scores || rule == qm::x01Result::checksOut;
            ASSERT_EQ(board.remaining(), counts ? left - total : left) << left << " " << total;
            ASSERT_EQ(board.darts(), rule == qm::x01Result::refused ? 0 : 3);
            ASSERT_EQ(board.lastThrow().points, counts ? total : 0);
        }
    }
}

TEST(ScoreBoard, PointsPerDartOfTheLeg) {
    ScoreBoardC board(501);
    EXPECT_EQ(board.getPPD(), 0.0);
    for (int visit : {100, 100, 100, 100}) {
        board.addScore(visit, 3);
    }
    board.addScore(101, 3);
    EXPECT_DOUBLE_EQ(board.getPPD(), 33.4);
}

TEST(ScoreBoardHistory, UndoRedoAndANewVisitDiscardingRedo) {
    ScoreBoardC board(501);
    board.addScore(60, 3);
    board.addScore(100, 3);
    board.addScore(45, 3);
    EXPECT_EQ(board.lastThrow(), (visitS{45, 3}));

    EXPECT_TRUE(board.undo());
    EXPECT_EQ(board.remaining(), 341);
    EXPECT_EQ(board.darts(), 6);
    EXPECT_EQ(board.lastThrow(), (visitS{100, 3}));
    EXPECT_TRUE(board.redo());
    EXPECT_EQ(board.remaining(), 296);
    EXPECT_FALSE(board.redo());

    EXPECT_TRUE(board.undo());
    EXPECT_TRUE(board.undo());
    EXPECT_TRUE(board.addScore(26, 3));  // overwrites the undone entries
    EXPECT_EQ(board.historyPos(), 2);
    EXPECT_EQ(board.historyTop(), 2);
    EXPECT_EQ(board.remainingHistory().size(), 4u);  // the stale entry stays, unreachable
    EXPECT_FALSE(board.redo());
    EXPECT_EQ(board.remaining(), 415);

    EXPECT_TRUE(board.undo());
    EXPECT_TRUE(board.undo());
    EXPECT_FALSE(board.undo());
    EXPECT_EQ(board.lastThrow(), (visitS{0, 0}));
    EXPECT_EQ(board.remaining(), 501);
}

TEST(ScoreBoardHistory, ResetStartsAFreshLeg) {
    ScoreBoardC board(301);
    board.addScore(100, 3);
    board.undo();
    board.reset();
    EXPECT_EQ(board.remaining(), 301);
    EXPECT_EQ(board.darts(), 0);
    EXPECT_FALSE(board.redo());
    EXPECT_EQ(board.dartsHistory().size(), 1u);
}

TEST(GameBoard, LegsOnlyMatch) {
    GameBoardC best3(1, 3);
    EXPECT_FALSE(best3.legWon(0));
    EXPECT_FALSE(best3.legWon(1));
    EXPECT_TRUE(best3.legWon(0));

    GameBoardC best1(1, 1);
    EXPECT_TRUE(best1.legWon(1));
}

TEST(GameBoard, SetsResetLegsAndDecideTheMatch) {
    GameBoardC board(3, 5);
    EXPECT_FALSE(board.legWon(0));
    EXPECT_FALSE(board.legWon(1));
    EXPECT_FALSE(board.legWon(0));
    EXPECT_FALSE(board.legWon(0));  // third leg in the set wins it
    EXPECT_EQ(std::tuple(board.sets(0), board.legs(0), board.legs(1)), std::tuple(1, 0, 0));
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(board.legWon(0));
    }
    EXPECT_TRUE(board.legWon(0));
    EXPECT_EQ(board.sets(0), 2);
}
