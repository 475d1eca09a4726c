// The session's own rules, for any number of players, over a mode that only tallies visits.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "game/gameSession.h"

using namespace qm;

namespace {

// Any dart but a 13 counts; a bull ends the visit. Visits are kept for undo and redo.
class tallyMode final : public gameModeC {
  public:
    explicit tallyMode(std::size_t players) : gameModeC(true), visits_(players), kept_(players) {}
    bool acceptsDart(const dartS& dart) const override { return dart.number != 13; }
    bool visitEnds(int, std::span<const dartS> darts) const override {
        return darts.back().number == 25;
    }
    bool acceptsVisits() const override { return open; }
    bool gameOver() const override { return false; }
    bool passesTurns(int player) const override { return done.count(player) == 1; }
    std::int32_t visitsKept(int p) const override { return kept_[p]; }
    std::optional<visitS> takeBackVisit(int p) override {
        return kept_[p] == 0 ? std::nullopt : std::optional(visits_[p][--kept_[p]]);
    }
    std::optional<visitS> bringBackVisit(int p) override {
        const bool none = kept_[p] == std::ssize(visits_[p]);
        return none ? std::nullopt : std::optional(visits_[p][kept_[p]++]);
    }
    // A visit of `points`, its darts kept by the session unless `keep` is false.
    void play(gameSessionC& session, std::int32_t points, bool keep = true) {
        const int p = session.toThrow();
        visits_[p].resize(kept_[p]);
        visits_[p].push_back({points, 3});
        ++kept_[p];
        dartRecordS dart;
        dart.visit = points;  // marks which visit the darts came with
        if (keep) {
            session.keepVisitDarts(p, std::vector<dartRecordS>(1, dart));
        }
        session.passTurn();
    }
    bool open = true;
    std::set<int> done;  // players whose turns are passed over

  private:
    std::vector<std::vector<visitS>> visits_;
    std::vector<std::int32_t> kept_;
};

}  // namespace

TEST(GameSession, UndoWalksBackThroughTheComputersToAHuman) {
    EXPECT_THROW(gameSessionC({}, *std::make_unique<tallyMode>(0)), std::invalid_argument);
    tallyMode rules(3);
    gameSessionC session({{"Ann", false}, {"Cy", true}, {"Di", true}}, rules);
    for (const std::int32_t points : {10, 11, 12, 20}) {
        rules.play(session, points);
    }
    ASSERT_EQ(session.toThrow(), 1);
    EXPECT_EQ(session.undo().outcome, undoResultS::status::ComputerToThrow);
    rules.play(session, 21);
    rules.play(session, 22);
    // Di's 22, Cy's 21, then Ann's 20: the turn is Ann's again.
    const undoResultS back = session.undo();
    ASSERT_EQ(back.steps.size(), 3u);
    EXPECT_EQ(back.outcome, undoResultS::status::Done);
    EXPECT_EQ(back.steps[0].player, 2);
    EXPECT_EQ(back.steps[0].visit.points, 22);
    EXPECT_EQ(back.steps[2].player, 0);
    EXPECT_EQ(back.steps[2].visit.points, 20);
    EXPECT_EQ(session.toThrow(), 0);
    const redoResultS again = session.redo();
    EXPECT_EQ(again.visit.points, 20);
    EXPECT_TRUE(again.computerTurnStarts);  // Cy's turn: it throws again
    EXPECT_EQ(session.toThrow(), 1);
    EXPECT_EQ(session.redo().outcome, redoResultS::status::ComputerToThrow);
    // Di has finished: her turns are passed over, and undo goes back through the visits as
    // they were thrown.
    rules.done = {2};
    rules.play(session, 23);
    EXPECT_EQ(session.toThrow(), 0);
    const undoResultS skip = session.undo();  // Cy's 23, then Ann's 20
    ASSERT_EQ(skip.steps.size(), 2u);
    EXPECT_EQ(skip.steps[0].visit.points, 23);
    EXPECT_EQ(skip.steps[1].visit.points, 20);
    EXPECT_EQ(session.undo().steps.size(), 3u);  // Di's 12, Cy's 11, Ann's 10
    const undoResultS start = session.undo();    // the leg's start
    EXPECT_EQ(start.outcome, undoResultS::status::NothingToUndo);
    EXPECT_TRUE(start.steps.empty());
    EXPECT_FALSE(start.computerTurnStarts);
    EXPECT_EQ(session.toThrow(), 0);
    // A computer began the leg and Ann has nothing to take back: its turn starts again.
    tallyMode began(2);
    gameSessionC late({{"Cy", true}, {"Ann", false}}, began);
    began.play(late, 9);
    const undoResultS first = late.undo();
    EXPECT_EQ(first.steps.size(), 1u);
    EXPECT_TRUE(first.computerTurnStarts);
    EXPECT_EQ(late.toThrow(), 0);
    tallyMode none(2);
    gameSessionC computers({{"Cy", true}, {"Di", true}}, none);
    EXPECT_EQ(computers.undo().outcome, undoResultS::status::ComputerGame);
}

TEST(GameSession, OnePlayerDartsVisitsAndTheLegsDarts) {
    tallyMode rules(1);
    std::vector<legDartsS> handed;
    gameSessionC session({{"Ann", false}}, rules,
                         [&](const std::vector<legDartsS>& legs) { handed = legs; });
    EXPECT_EQ(session.enterDart({{1, 13}, std::nullopt}), dartEntry::refused);
    EXPECT_EQ(session.enterDart({{0, 7}, boardPointS{1, 2}}), dartEntry::goesOn);
    EXPECT_EQ(session.enteredDarts()[0], (enteredDartS{{0, 0}, boardPointS{1, 2}}));
    EXPECT_EQ(session.enterDart({{3, 20}, std::nullopt}), dartEntry::goesOn);
    EXPECT_EQ(session.takeVisit().size(), 3u);  // a visit cut short: the rest are misses
    EXPECT_EQ(session.lastVisit()[2], enteredDartS{});
    EXPECT_EQ(session.enterDart({{1, 25}, std::nullopt}), dartEntry::endsVisit);
    EXPECT_EQ(session.takeVisit().size(), 1u);  // ended by the mode: no misses added
    EXPECT_EQ(session.enterDart({{1, 1}, std::nullopt}), dartEntry::goesOn);
    EXPECT_EQ(session.enterDart({{1, 1}, std::nullopt}), dartEntry::goesOn);
    EXPECT_EQ(session.enterDart({{1, 1}, std::nullopt}), dartEntry::endsVisit);
    EXPECT_EQ(session.redo().outcome, redoResultS::status::NothingToRedo);  // darts entered
    EXPECT_EQ(session.undo().outcome, undoResultS::status::DartTakenBack);
    session.clearEnteredDarts();
    rules.open = false;
    EXPECT_EQ(session.enterDart({{1, 1}, std::nullopt}), dartEntry::ignored);
    rules.open = true;

    EXPECT_FALSE(session.legDarts(0));  // no visit yet
    rules.play(session, 5);
    rules.play(session, 6);
    EXPECT_EQ(session.toThrow(), 0);
    EXPECT_EQ(session.legDarts(0)->size(), 2u);
    EXPECT_EQ(session.undo().steps.at(0).visit.points, 6);  // alone: her own last visit
    EXPECT_EQ(session.legDarts(0)->back().visit, 5);
    rules.open = false;  // a mode that takes no visits brings none back
    EXPECT_EQ(session.redo().outcome, redoResultS::status::NothingToRedo);
    rules.open = true;
    EXPECT_EQ(session.redo().visit.points, 6);
    EXPECT_EQ(session.legDarts(0)->back().visit, 6);  // its darts came back with it
    session.undo();
    rules.play(session, 7);  // in place of the 6 taken back
    EXPECT_EQ(session.legDarts(0)->back().visit, 7);
    EXPECT_EQ(session.legDarts(0)->size(), 2u);
    session.handOverLeg(0, [](int p, legDartsS& leg) { leg.startScore = 100 + p; });
    ASSERT_EQ(handed.size(), 1u);
    EXPECT_EQ(handed[0].player, "Ann");
    EXPECT_TRUE(handed[0].won);
    EXPECT_EQ(handed[0].startScore, 100);  // the mode's part, filled in for player 0
    EXPECT_EQ(handed[0].darts.size(), 2u);
    gameSessionC nextLeg = session;
    nextLeg.startLeg(0);
    EXPECT_FALSE(nextLeg.legDarts(0).has_value());  // a new leg keeps none of the last one's
    session.keepVisitDarts(0, std::nullopt);  // the last visit's darts are not known after all
    EXPECT_FALSE(session.legDarts(0).has_value());
    session.keepVisitDarts(0, std::vector<dartRecordS>(1));  // known again
    ASSERT_TRUE(session.legDarts(0).has_value());
    rules.play(session, 8, false);  // a visit whose darts the session never heard of
    EXPECT_FALSE(session.legDarts(0).has_value());
    session.startLeg(0);
    EXPECT_THROW(session.setToThrow(1), std::invalid_argument);
}
