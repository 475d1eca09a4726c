#include <gtest/gtest.h>

#include <array>

#include "match/GameStatsC.h"
#include "match/legEndSave.h"
#include "stats/legFile.h"
#include "tempDir.h"

using namespace qm;

TEST(GameStats, HighScoreClassesAreDisjointWithInclusiveLowerBounds) {
    GameStatsC stats;
    for (int score : {99, 100, 119, 120, 139, 140, 179, 180}) {
        stats.countHighScore(score);
    }
    EXPECT_EQ(stats.count100(), 2);
    EXPECT_EQ(stats.count120(), 2);
    EXPECT_EQ(stats.count140(), 2);
    EXPECT_EQ(stats.count180(), 1);
    EXPECT_EQ(stats.leg180s(), 1);
}

TEST(GameStats, UndoTakesBackTheVisitAndItsClass) {
    GameStatsC stats;
    stats.countHighScore(180);
    stats.addVisit(180, 3);
    stats.undoVisit(180, 3);
    EXPECT_EQ(stats.count180(), 0);
    EXPECT_EQ(stats.leg180s(), 0);
    EXPECT_EQ(stats.dartsThrown(), 0);
    stats.countHighScore(180);  // redo
    stats.addVisit(180, 3);
    EXPECT_EQ(stats.count180(), 1);
    EXPECT_EQ(stats.leg180s(), 1);
    stats.addVisit(100, 3);
    EXPECT_NEAR(stats.ppd(), 280.0 / 6, 1e-9);

    // A bust entered as 140 is undone as the history knows it: no points, three darts.
    GameStatsC bust;
    bust.countHighScore(140);
    bust.addVisit(140, 3);
    bust.undoVisit(0, 3);
    EXPECT_EQ(bust.pointsScored(), 140);
    EXPECT_EQ(bust.dartsThrown(), 0);
    EXPECT_EQ(bust.count140(), 1);
    EXPECT_EQ(bust.ppd(), 0.0);  // points, but no darts
}

TEST(GameStats, BestFinishNeedsBothTotalAndDartsAtLeastTheStoredOnes) {
    GameStatsC stats;
    EXPECT_EQ(stats.bestFinish(), 0);  // none before a leg is won
    // A finish in its darts, and the best kept after it.
    for (const auto& [finish, darts, best] : {std::array{80, 3, 80}, std::array{100, 2, 80},
                                              std::array{90, 3, 90}, std::array{60, 3, 90}}) {
        stats.updateBestFinish(finish, darts);
        EXPECT_EQ(stats.bestFinish(), best) << finish;
    }
}

namespace {

std::array<ScoreBoardC, 2> playLeg() {
    // Player 1 scores 420 in 15 darts, player 2 takes out 501 in 15 with a 60 checkout.
    std::array<ScoreBoardC, 2> board{ScoreBoardC(501), ScoreBoardC(501)};
    for (int v : {100, 80, 80, 80, 80}) {
        board[0].addScore(v, 3);
    }
    for (int v : {180, 100, 81, 80, 60}) {
        board[1].addScore(v, 3);
    }
    return board;
}

}  // namespace

TEST(SaveStatistics, WritesOneRecordPerPlayerWithTheirOwnFigures) {
    tempDir dir;
    auto board = playLeg();
    std::array<GameStatsC, 2> stats;
    stats[0].countHighScore(180);
    stats[0].countHighScore(180);
    stats[1].countHighScore(180);
    std::vector<std::string> errors;
    const legEndS leg{1, 60, civilDate{2026, 12, 6}};
    EXPECT_TRUE(saveStatistics(leg, board, stats, {"Ann", "Bob"}, directoryWriter(dir.path()),
                               [&](const std::string& e, saveError) { errors.push_back(e); }));
    EXPECT_TRUE(errors.empty());

    const auto ann = decodeLegRecord(readBytes(dir / "Ann.dat").data());
    EXPECT_EQ(ann.darts, 15);
    EXPECT_EQ(ann.points, 420);
    EXPECT_FALSE(ann.isWon());
    EXPECT_EQ(ann.finish, 0);
    EXPECT_EQ(ann.count180, 2);
    const auto bob = decodeLegRecord(readBytes(dir / "Bob.dat").data());
    EXPECT_EQ(bob.points, 501);
    EXPECT_TRUE(bob.isWon());
    EXPECT_EQ(bob.finish, 60);
    EXPECT_EQ(bob.count180, 1);
    EXPECT_EQ(bob.date(), (civilDate{2026, 12, 6}));
    // The leg's 180s are cleared, the game's stay.
    EXPECT_EQ(stats[0].leg180s(), 0);
    EXPECT_EQ(stats[0].count180(), 2);
}

TEST(SaveStatistics, ReportsEachFailureAndStillSavesTheOtherPlayer) {
    tempDir dir;
    auto board = playLeg();
    std::array<GameStatsC, 2> stats;
    stats[0].countHighScore(180);
    std::vector<std::string> errors;
    const legEndS leg{1, 60, civilDate{2026, 12, 6}};
    EXPECT_FALSE(saveStatistics(leg, board, stats, {"../escape", "Bob"},
                                directoryWriter(dir.path()),
                                [&](const std::string& e, saveError) { errors.push_back(e); }));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0],
              "Unable to save statistics for player: ../escape (the name cannot name a file)");
    EXPECT_EQ(stats[0].leg180s(), 0);  // cleared even though the record was lost
    EXPECT_EQ(readBytes(dir / "Bob.dat").size(), 16u);
    EXPECT_FALSE(std::filesystem::exists(dir.path().parent_path() / "escape.dat"));
}

TEST(SaveStatistics, ALegTooLongForARecordIsReportedWithItsReasonAndNotWritten) {
    tempDir dir;
    auto board = playLeg();
    // 1000 darts still fit a record; one visit more does not.
    for (int visit = 0; visit < 328; ++visit) {  // 15 + 984 darts
        board[0].addScore(0, 3);
    }
    board[0].addScore(0, 1);
    ASSERT_EQ(board[0].darts(), 1000);
    std::array<GameStatsC, 2> stats;
    std::vector<std::pair<std::string, saveError>> errors;
    const errorReport report = [&](const std::string& e, saveError kind) {
        errors.emplace_back(e, kind);
    };
    const legEndS leg{1, 60, civilDate{2026, 12, 6}};
    EXPECT_TRUE(
        saveStatistics(leg, board, stats, {"Ann", "Bob"}, directoryWriter(dir.path()), report));
    board[0].addScore(0, 1);
    stats[0].countHighScore(180);
    EXPECT_FALSE(
        saveStatistics(leg, board, stats, {"Ann", "Bob"}, directoryWriter(dir.path()), report));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].first,
              "Unable to save statistics for player: Ann (a leg of 1001 darts is more than "
              "the 1000 a statistics record holds)");
    EXPECT_EQ(errors[0].second, saveError::legNotStorable);
    EXPECT_EQ(stats[0].leg180s(), 0);
    EXPECT_EQ(readBytes(dir / "Ann.dat").size(), 16u);
    EXPECT_EQ(readBytes(dir / "Bob.dat").size(), 32u);
}
