#include <gtest/gtest.h>

#include "match/GameBoardC.h"
#include "match/ScoreBoardC.h"

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

TEST(ScoreBoard, FinishesAbove170AndImpossibleFinishesBust) {
    struct finishCase {
        int remaining;
        bool finishes;
    };
    // Every impossible finish and each neighbour that is a finish.
    for (const auto& c : {finishCase{170, true}, finishCase{180, false}, finishCase{171, false},
                          finishCase{169, false}, finishCase{168, false}, finishCase{165, false},
                          finishCase{163, false}, finishCase{162, false}, finishCase{159, false},
                          finishCase{167, true}, finishCase{166, true}, finishCase{164, true},
                          finishCase{161, true}, finishCase{160, true}, finishCase{158, true},
                          finishCase{2, true}}) {
        auto board = boardAt(c.remaining);
        EXPECT_TRUE(board.addScore(c.remaining, 3));
        EXPECT_EQ(board.remaining(), c.finishes ? 0 : c.remaining) << c.remaining;
    }
}

TEST(ScoreBoard, RefusesImpossibleTotalsUnlessTheyBust) {
    for (int visit : {179, 178, 176, 175, 173, 172, 169, 166, 181, -1}) {  // every one of them
        ScoreBoardC board(501);
        EXPECT_FALSE(board.addScore(visit, 3)) << visit;
        EXPECT_EQ(board.remaining(), 501);
        EXPECT_EQ(board.darts(), 0);
        EXPECT_EQ(board.historyPos(), 0);
    }
    // Their neighbours are totals that three darts make.
    for (int visit : {180, 177, 174, 171, 170, 168, 167, 165, 163, 0}) {
        ScoreBoardC board(501);
        EXPECT_TRUE(board.addScore(visit, 3)) << visit;
        EXPECT_EQ(board.remaining(), 501 - visit);
    }

    // The bust test comes before the impossible-total test.
    auto low = boardAt(100);
    EXPECT_TRUE(low.addScore(179, 3));
    EXPECT_EQ(low.remaining(), 100);

    ScoreBoardC zero(501);
    EXPECT_TRUE(zero.addScore(0, 3));
    EXPECT_EQ(zero.remaining(), 501);
    EXPECT_EQ(zero.darts(), 3);
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
    EXPECT_EQ(board.sets(0), 1);
    EXPECT_EQ(board.legs(0), 0);
    EXPECT_EQ(board.legs(1), 0);
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(board.legWon(0));
    }
    EXPECT_TRUE(board.legWon(0));
    EXPECT_EQ(board.sets(0), 2);
}
