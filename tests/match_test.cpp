#include <gtest/gtest.h>

#include "computer/gameRandom.h"
#include "game/MatchC.h"
#include "match/legFigures.h"
#include "match/x01Rules.h"
#include "tempDir.h"

using namespace qm;

namespace {

const vPlayerC chart;
const virtualBoardC vBoard;

gameSettingsS settingsFor(bool computer1, bool computer2, int legs = 3, int sets = 1,
                          int start = 501) {
    gameSettingsS s;
    s.names = {"Ann", "Bob"};
    s.isComputer = {computer1, computer2};
    s.strengths = {40, 40};
    s.startScore = start;
    s.bestOfLegs = legs;
    s.bestOfSets = sets;
    return s;
}

class Match : public testing::Test {
  protected:
    MatchC make(const gameSettingsS& s) { return MatchC(s, context()); }
    MatchC make(const gameSettingsS& s, const matchStateS& from) {
        return MatchC(s, context(), from);
    }
    matchContextS context() {
        matchContextS context;
        context.writeLegRecord = directoryWriter(dir.path());
        context.reportError = [this](const std::string& e, saveError) { errors.push_back(e); };
        context.today = [] { return civilDate{2026, 12, 6}; };
        context.chart = &chart;
        context.vBoard = &vBoard;
        context.seeding = throwC::seeding::keep;
        return context;
    }
    std::vector<legRecordS> records(const std::string& name) const {
        const auto bytes = readBytes(dir / (name + ".dat"));
        std::vector<legRecordS> out;
        for (std::size_t i = 0; i + 16 <= bytes.size(); i += 16) {
            out.push_back(decodeLegRecord(bytes.data() + i));
        }
        return out;
    }
    // Plays visits for whoever is to throw, each expected to be accepted and not finish.
    static void visits(MatchC& m, std::initializer_list<int> totals) {
        for (int total : totals) {
            ASSERT_EQ(m.enterHumanVisit(total).result, VisitResult::Scored) << total;
        }
    }
    tempDir dir;
    std::vector<std::string> errors;
};

}  // namespace

TEST_F(Match, WholeHumanMatchBestOfThreeLegs) {
    MatchC m = make(settingsFor(false, false));
    EXPECT_EQ(m.currentPlayer(), 0);

    // Leg 1, Ann starts: a refused total keeps the turn, a bust passes it.
    EXPECT_EQ(m.enterHumanVisit(179).result, VisitResult::Refused);
    EXPECT_EQ(m.currentPlayer(), 0);
    visits(m, {180, 60, 180, 60, 100, 60});  // Ann 41 left, Bob 321
    visits(m, {50});                         // Ann busts: 41 - 50
    EXPECT_EQ(m.board(0).remaining(), 41);
    EXPECT_EQ(m.board(0).darts(), 12);
    visits(m, {60});
    EXPECT_EQ(m.enterHumanVisit(41).result, VisitResult::CheckoutPending);
    EXPECT_TRUE(m.awaitingDartsUsed());
    EXPECT_EQ(m.enterHumanVisit(20).result, VisitResult::Ignored);
    const auto leg1 = m.setDartsUsed(2);
    ASSERT_EQ(leg1.result, VisitResult::LegWon);
    EXPECT_EQ(leg1.player, 0);
    EXPECT_EQ(leg1.leg->darts[0], 14);  // 15 darts typed, the checkout used 2 of 3
    EXPECT_NEAR(leg1.leg->winnerPpd, 501.0 / 14.0, 1e-9);
    EXPECT_EQ(m.gstats(0).dartsThrown(), 14);
    EXPECT_EQ(m.gstats(0).bestFinish(), 41);
    EXPECT_EQ(m.gstats(0).count180(), 2);
    EXPECT_EQ(m.gstats(0).pointsScored(), 551);  // the bust's 50 counts in the game's points
    // The finished leg stays on the boards until the next one is begun.
    EXPECT_EQ(m.board(0).remaining(), 0);
    EXPECT_EQ(m.enterHumanVisit(60).result, VisitResult::Ignored);
    m.startNextLeg();

    // Leg 2: Bob starts and wins with 2 darts.
    EXPECT_EQ(m.currentPlayer(), 1);
    EXPECT_EQ(m.legStarter(), 1);
    EXPECT_EQ(m.board(0).remaining(), 501);
    visits(m, {140, 100, 140, 100, 140, 100});
    EXPECT_EQ(m.enterHumanVisit(81).result, VisitResult::CheckoutPending);
    ASSERT_EQ(m.setDartsUsed(2).result, VisitResult::LegWon);
    m.startNextLeg();

    // Leg 3: Ann starts again; winning it wins the match.
    EXPECT_EQ(m.currentPlayer(), 0);
    visits(m, {180, 0, 180, 0});
    EXPECT_EQ(m.enterHumanVisit(141).result, VisitResult::CheckoutPending);
    const auto last = m.setDartsUsed(3);
    ASSERT_EQ(last.result, VisitResult::MatchWon);
    EXPECT_TRUE(m.matchOver());
    EXPECT_EQ(m.enterHumanVisit(60).result, VisitResult::Ignored);
    EXPECT_EQ(m.gboard().legs(0), 2);

    const auto ann = records("Ann");
    const auto bob = records("Bob");
    ASSERT_EQ(ann.size(), 3u);
    ASSERT_EQ(bob.size(), 3u);
    const auto fields = [](const legRecordS& r) {
        return std::tuple<int, int, int, int, bool>(r.points, r.darts, r.finish, r.count180,
                                                    r.isWon());
    };
    EXPECT_EQ(fields(ann[0]), std::tuple(501, 14, 41, 2, true));
    EXPECT_EQ(fields(bob[0]), std::tuple(240, 12, 0, 0, false));
    EXPECT_EQ(fields(bob[1]), std::tuple(501, 11, 81, 0, true));
    EXPECT_EQ(fields(ann[2]), std::tuple(501, 9, 141, 2, true));  // a nine-darter
    EXPECT_EQ(ann[2].date(), (civilDate{2026, 12, 6}));
    EXPECT_TRUE(errors.empty());
}

TEST_F(Match, SetsAndTheStarterAlternation) {
    MatchC m = make(settingsFor(false, false, 3, 3, 101));
    std::vector<int> starters;
    VisitResult result = VisitResult::Scored;
    while (result != VisitResult::MatchWon) {
        starters.push_back(m.currentPlayer());
        // Whoever starts takes the leg out in one visit.
        ASSERT_EQ(m.enterHumanVisit(101).result, VisitResult::CheckoutPending);
        result = m.setDartsUsed(3).result;
        m.startNextLeg();
    }
    // Legs alternate starters, and so winners: sets go 2-0 to nobody until the deciding leg.
    EXPECT_EQ(starters, (std::vector<int>{0, 1, 0, 1, 0, 1, 0, 1, 0}));
    EXPECT_EQ(m.gboard().sets(0), 2);
    EXPECT_EQ(m.gboard().sets(1), 1);
    EXPECT_EQ(records("Ann").size(), 9u);
}

TEST_F(Match, DartsUsedIsHeldToWhatCanMakeTheFinish) {
    // 101 takes at least two darts (T17 Bull): an answer of 0 or 1 stores two, 4 stores three.
    for (const auto& [answer, stored] :
         std::vector<std::pair<int, int>>{{0, 2}, {1, 2}, {2, 2}, {4, 3}}) {
        MatchC m = make(settingsFor(false, false, 1, 1, 101));
        EXPECT_EQ(m.fewestDartsForCheckout(), 0);
        ASSERT_EQ(m.enterHumanVisit(101).result, VisitResult::CheckoutPending);
        EXPECT_EQ(m.fewestDartsForCheckout(), 2);
        const auto outcome = m.setDartsUsed(answer);
        EXPECT_EQ(outcome.leg->darts[0], stored) << answer;
        EXPECT_EQ(m.dartsUsed(), stored);
        EXPECT_EQ(m.gstats(0).dartsThrown(), stored);
        EXPECT_EQ(m.fewestDartsForCheckout(), 0);
    }
    EXPECT_EQ(records("Ann").back().darts, 3);
    // A typed 166 checks out, though no three darts make it: it is held to all three.
    matchStateS at166;
    at166.remaining = {166, 501};
    MatchC m = make(settingsFor(false, false, 1, 1, 501), at166);
    ASSERT_EQ(m.enterHumanVisit(166).result, VisitResult::CheckoutPending);
    EXPECT_EQ(m.fewestDartsForCheckout(), 3);
}

TEST_F(Match, FailedSavesAreReportedAndThePlayGoesOn) {
    auto s = settingsFor(false, false, 3, 1, 101);
    s.names = {"../Ann", "Bob"};
    MatchC m = make(s);
    ASSERT_EQ(m.enterHumanVisit(101).result, VisitResult::CheckoutPending);
    EXPECT_EQ(m.setDartsUsed(3).result, VisitResult::LegWon);
    EXPECT_EQ(errors,
              (std::vector<std::string>{
                  "Unable to save statistics for player: ../Ann (the name cannot name a file)"}));
    EXPECT_EQ(records("Bob").size(), 1u);
}

TEST_F(Match, UndoAndRedoBetweenTwoHumans) {
    MatchC m = make(settingsFor(false, false));
    EXPECT_EQ(m.undo().outcome, undoResultS::status::NothingToUndo);
    EXPECT_EQ(m.currentPlayer(), 0);

    visits(m, {60, 180, 100});  // Ann, Bob, Ann; Bob to throw
    auto undo = m.undo();
    ASSERT_EQ(undo.outcome, undoResultS::status::Done);
    ASSERT_EQ(undo.steps.size(), 1u);
    EXPECT_EQ(undo.steps[0].player, 0);
    EXPECT_EQ(undo.steps[0].visit, (visitS{100, 3}));
    EXPECT_EQ(m.currentPlayer(), 0);
    EXPECT_EQ(m.gstats(0).count100(), 0);

    undo = m.undo();
    EXPECT_EQ(undo.steps[0].player, 1);
    EXPECT_EQ(m.currentPlayer(), 1);
    EXPECT_EQ(m.gstats(1).count180(), 0);
    EXPECT_EQ(m.gstats(1).leg180s(), 0);
    const auto redo = m.redo();
    ASSERT_EQ(redo.outcome, redoResultS::status::Done);
    EXPECT_EQ(redo.visit, (visitS{180, 3}));
    EXPECT_EQ(m.currentPlayer(), 0);
    EXPECT_EQ(m.gstats(1).pointsScored(), 180);
    // The restored visit is counted in its class again, and in no other.
    EXPECT_EQ(m.gstats(1).count180(), 1);
    EXPECT_EQ(m.gstats(1).leg180s(), 1);
    EXPECT_EQ(m.gstats(1).count140(), 0);

    visits(m, {26});  // a new visit discards Ann's redo entry
    m.undo();
    visits(m, {26});
    EXPECT_EQ(m.redo().outcome, redoResultS::status::NothingToRedo);
}

TEST_F(Match, UndoOfABustTakesBackTheDartsOnly) {
    MatchC m = make(settingsFor(false, false, 3, 1, 101));
    visits(m, {60, 0});  // Ann 41 left
    visits(m, {140});    // Ann busts with 140
    visits(m, {0});
    m.undo();                    // Bob's 0
    const auto undo = m.undo();  // Ann's bust
    EXPECT_EQ(undo.steps[0].visit, (visitS{0, 3}));
    EXPECT_EQ(m.gstats(0).pointsScored(), 200);
    EXPECT_EQ(m.gstats(0).count140(), 1);
}

namespace {

// Plays the computer's visit the way the window does, dart by dart; lastHit gets the hit of
// the visit's last dart.
visitOutcomeS playComputerVisit(MatchC& m, dartS* lastHit = nullptr) {
    const auto start = m.beginComputerTurn();
    EXPECT_FALSE(start.replayed);
    for (int k = 1; k <= 3; ++k) {
        m.aimDart(k);
        if (!m.throwDart(k).goesOn || k == 3) {
            break;
        }
    }
    if (lastHit != nullptr) {
        *lastHit = m.computerVisit()->hit(m.computerVisit()->visitDarts());
    }
    return m.completeComputerVisit();
}

}  // namespace

TEST_F(Match, HumanAgainstComputerUndoRedoAndReplay) {
    gameRandom::seed(8);  // the computer's first visit is a 180
    MatchC m = make(settingsFor(false, true));
    // Before anyone has thrown there is nothing to take back, and the human stays to throw.
    EXPECT_EQ(m.undo().outcome, undoResultS::status::NothingToUndo);
    EXPECT_EQ(m.currentPlayer(), 0);
    EXPECT_EQ(m.turn().what, turnS::waitingFor::humanVisit);
    visits(m, {60});
    EXPECT_EQ(m.undo().outcome, undoResultS::status::ComputerToThrow);
    EXPECT_EQ(m.redo().outcome, redoResultS::status::ComputerToThrow);

    ASSERT_EQ(playComputerVisit(m).result, VisitResult::Scored);
    const visitS computerVisit = m.board(1).lastThrow();
    ASSERT_EQ(computerVisit, (visitS{180, 3}));
    const int computerPoints = m.gstats(1).pointsScored();

    // One undo takes back the computer's visit and the human's before it.
    const auto undo = m.undo();
    ASSERT_EQ(undo.outcome, undoResultS::status::Done);
    ASSERT_EQ(undo.steps.size(), 2u);
    EXPECT_EQ(undo.steps[0].player, 1);
    EXPECT_EQ(undo.steps[0].visit, computerVisit);
    EXPECT_EQ(undo.steps[1].visit, (visitS{60, 3}));
    EXPECT_EQ(m.currentPlayer(), 0);
    EXPECT_EQ(m.gstats(1).dartsThrown(), 0);
    EXPECT_EQ(m.gstats(1).count180(), 0);

    // A new total from the human; the computer then replays its visit instead of throwing.
    visits(m, {85});
    const std::uint32_t generatorBefore = gameRandom::state();
    const auto replay = m.beginComputerTurn();
    EXPECT_TRUE(replay.replayed);
    EXPECT_EQ(replay.visit, computerVisit);
    EXPECT_EQ(gameRandom::state(), generatorBefore);
    EXPECT_EQ(m.gstats(1).pointsScored(), computerPoints);
    EXPECT_EQ(m.gstats(1).count180(), 1);  // the replayed visit keeps its class
    EXPECT_EQ(m.gstats(1).leg180s(), 1);
    EXPECT_EQ(m.currentPlayer(), 0);
}

TEST_F(Match, ComputerMatchPlaysToTheEndAndSavesEveryLeg) {
    gameRandom::seed(1234);
    auto s = settingsFor(true, true, 5, 3);
    s.strengths = {45, 35};
    MatchC m = make(s);
    int legs = 0;
    int visitsPlayed = 0;
    for (;;) {
        dartS lastHit;
        const auto outcome = playComputerVisit(m, &lastHit);
        ++visitsPlayed;
        ASSERT_LT(visitsPlayed, 10000);
        if (outcome.result == VisitResult::LegWon || outcome.result == VisitResult::MatchWon) {
            ++legs;
            EXPECT_EQ(outcome.leg->points[outcome.leg->winner], 501);
            // Double out: the winning dart is a double (bull's-eye included).
            EXPECT_EQ(lastHit.type, 2) << "finish " << outcome.leg->finish;
        }
        if (outcome.result == VisitResult::MatchWon) {
            break;
        }
        m.startNextLeg();
    }
    EXPECT_EQ(records("Ann").size(), static_cast<std::size_t>(legs));
    EXPECT_EQ(records("Bob").size(), static_cast<std::size_t>(legs));
    EXPECT_EQ(std::max(m.gboard().sets(0), m.gboard().sets(1)), 2);
    for (const auto& r : records("Ann")) {
        EXPECT_TRUE(isValidRecord(r));
    }
}

namespace {

// Lands dart k of the visit exactly on the aim point of `where`.
bool landOn(ComputerVisitC& visit, int k, dartS where) {
    const auto aim = visit.aimPoint();
    const auto spot = vBoard.getCoordinates(where.type, where.number);
    return visit.landDart(k, {spot.x - aim.x, spot.y - aim.y}, vBoard);
}

}  // namespace

TEST(ComputerVisit, APerfectHandFollowsTheChart) {
    const throwC perfect(100000.0f, throwC::seeding::keep);  // every offset truncates to 0
    struct visitCase {
        int remaining;
        int total;
        int darts;
    };
    for (const auto& c : {visitCase{40, 40, 1}, visitCase{100, 100, 2}, visitCase{48, 48, 2},
                          visitCase{170, 138, 3}, visitCase{501, 180, 3}}) {
        ComputerVisitC visit(c.remaining);
        for (int k = 1; k <= 3; ++k) {
            visit.aimDart(k, chart, vBoard);
            if (!visit.throwDart(k, perfect, vBoard)) {
                break;
            }
        }
        EXPECT_EQ(visit.visitTotal(), c.total) << c.remaining;
        EXPECT_EQ(visit.visitDarts(), c.darts) << c.remaining;
    }
}

TEST(ComputerVisit, ACheckoutAndADartOffTheBoard) {
    ComputerVisitC checkout(40);
    EXPECT_EQ(checkout.aimDart(1, chart, vBoard), (dartS{2, 20}));
    EXPECT_FALSE(landOn(checkout, 1, {2, 20}));
    EXPECT_EQ(checkout.visitTotal(), 40);
    EXPECT_EQ(checkout.visitDarts(), 1);

    // Every other bust and checkout of a computer's visit is in the exhaustive rules test.
    // A dart off the board scores nothing, reports the sector beside it, and the visit goes on.
    ComputerVisitC offBoard(501);
    offBoard.aimDart(1, chart, vBoard);
    EXPECT_TRUE(offBoard.landDart(1, {0.0f, 80.0f}, vBoard));
    EXPECT_EQ(offBoard.hit(1), (dartS{0, 20}));
    EXPECT_EQ(offBoard.visitTotal(), 0);
    EXPECT_EQ(offBoard.visitRemaining(), 501);
}

// Calls that break an operation's preconditions are refused, never undefined behaviour.
TEST_F(Match, MisuseIsRefused) {
    // A human checkout waiting for its darts is not a second leg.
    MatchC human = make(settingsFor(false, false, 3, 1, 101));
    ASSERT_EQ(human.enterHumanVisit(101).result, VisitResult::CheckoutPending);
    EXPECT_EQ(human.completeVisit(101, 3).result, VisitResult::Ignored);
    EXPECT_THROW(human.beginComputerTurn(), std::logic_error);  // a human is to throw
    EXPECT_THROW(human.aimDart(1), std::logic_error);
    EXPECT_EQ(human.setDartsUsed(3).result, VisitResult::LegWon);
    EXPECT_EQ(records("Ann").size(), 1u);

    gameRandom::seed(5);
    MatchC computer = make(settingsFor(true, false));
    computer.beginComputerTurn();
    EXPECT_THROW(computer.beginComputerTurn(), std::logic_error);  // a visit is under way
    EXPECT_THROW(computer.throwDart(1), std::logic_error);         // not aimed yet
    computer.aimDart(1);
    EXPECT_THROW(computer.throwDart(2), std::logic_error);
    EXPECT_THROW(computer.throwDart(0), std::logic_error);
    EXPECT_TRUE(computer.throwDart(1).goesOn);
    EXPECT_THROW((void)computer.computerVisit()->hit(2), std::out_of_range);
    EXPECT_THROW((void)computer.computerVisit()->dartPoint(0), std::out_of_range);

    ComputerVisitC visit(501);
    EXPECT_THROW(visit.landDart(1, {0.0f, 0.0f}, vBoard), std::logic_error);  // not aimed yet
    for (int k = 1; k <= 3; ++k) {
        visit.aimDart(k, chart, vBoard);
        visit.landDart(k, {0.0f, 0.0f}, vBoard);
    }
    EXPECT_THROW(visit.aimDart(4, chart, vBoard), std::logic_error);
    EXPECT_THROW(visit.landDart(4, {0.0f, 0.0f}, vBoard), std::logic_error);
    ComputerVisitC finished(40);
    finished.aimDart(1, chart, vBoard);
    ASSERT_FALSE(landOn(finished, 1, {2, 20}));
    EXPECT_THROW(finished.aimDart(2, chart, vBoard), std::logic_error);  // checked out

    EXPECT_THROW((void)chart.setupCheck(10), std::out_of_range);
    EXPECT_THROW((void)chart.setupCheck(230), std::out_of_range);
    EXPECT_NO_THROW((void)chart.setupCheck(171));
    EXPECT_NO_THROW((void)chart.setupCheck(229));
    EXPECT_THROW((void)chart.chartEntry(-1), std::out_of_range);
    EXPECT_THROW((void)chart.chartEntry(100000), std::out_of_range);
    EXPECT_THROW((void)chart.alternativeEntry(-1), std::out_of_range);
}

TEST_F(Match, TakenUpPartWayFromAnyState) {
    using waitingFor = turnS::waitingFor;
    // Best of 3 sets of 3 legs at 301: Ann has a set and a leg, Bob began this leg and Ann is
    // to throw with 40 left.
    const matchStateS state{.remaining{40, 100}, .legs{1, 0}, .sets{0, 1}, .legStarter = 1};
    MatchC m = make(settingsFor(false, false, 3, 3, 301), state);
    EXPECT_EQ(m.turn().what, waitingFor::humanVisit);
    EXPECT_EQ(m.turn().player, 0);
    EXPECT_EQ(m.board(1).remaining(), 100);
    EXPECT_EQ(m.board(0).lastThrow(), visitS{});  // nothing before the state to take back
    ASSERT_EQ(m.enterHumanVisit(40).result, VisitResult::CheckoutPending);
    EXPECT_EQ(m.turn().what, waitingFor::dartsUsed);
    const visitOutcomeS won = m.setDartsUsed(1);
    ASSERT_EQ(won.result, VisitResult::LegWon);  // Ann's second leg: one set each
    EXPECT_EQ(won.leg->starter, 1);
    EXPECT_EQ(won.leg->points[1], 201);
    EXPECT_EQ(m.gboard().sets(0), 1);
    EXPECT_EQ(m.gboard().sets(1), 1);
    EXPECT_EQ(m.turn().what, waitingFor::nextLeg);
    m.startNextLeg();
    EXPECT_EQ(m.turn().player, 0);  // the other of the leg's starter, not of the last to throw
    EXPECT_EQ(m.board(1).remaining(), 301);
    // The new leg's history starts from the start score, not from the state's.
    visits(m, {60});
    EXPECT_EQ(m.board(0).lastThrow(), (visitS{60, 3}));

    // The edges a state may take, and one past each.
    const auto accepted = [this](auto change) {
        matchStateS s{.remaining{301, 2}, .legs{1, 1}, .sets{1, 1}, .toThrow = 1, .legStarter = 1};
        change(s);
        try {
            (void)make(settingsFor(false, false, 3, 3, 301), s);
            return true;
        } catch (const std::invalid_argument&) {
            return false;
        }
    };
    EXPECT_TRUE(accepted([](matchStateS&) {}));
    EXPECT_FALSE(accepted([](matchStateS& s) { s.remaining[0] = 302; }));
    EXPECT_FALSE(accepted([](matchStateS& s) { s.remaining[1] = 1; }));
    EXPECT_FALSE(accepted([](matchStateS& s) { s.legs[0] = 2; }));
    EXPECT_FALSE(accepted([](matchStateS& s) { s.sets[1] = 2; }));
    EXPECT_FALSE(accepted([](matchStateS& s) { s.legs[1] = -1; }));
    EXPECT_FALSE(accepted([](matchStateS& s) { s.sets[0] = -1; }));
    EXPECT_FALSE(accepted([](matchStateS& s) { s.toThrow = 2; }));
    EXPECT_FALSE(accepted([](matchStateS& s) { s.legStarter = -1; }));
}

TEST_F(Match, TurnSaysWhatTheGameWaitsFor) {
    using waitingFor = turnS::waitingFor;
    gameRandom::seed(3);
    MatchC m = make(settingsFor(false, true, 1, 1, 101));
    EXPECT_EQ(m.turn().what, waitingFor::humanVisit);
    visits(m, {60});
    EXPECT_EQ(m.turn().what, waitingFor::computerTurn);
    EXPECT_EQ(m.turn().player, 1);
    m.beginComputerTurn();
    EXPECT_EQ(m.turn().what, waitingFor::computerDart);
    // A dart's whole result: the aim point of its target, and the hit where it landed.
    const aimedDartS aimed = m.aimDart(1);
    EXPECT_EQ(aimed.point, vBoard.getCoordinates(aimed.target.type, aimed.target.number));
    const thrownDartS thrown = m.throwDart(1);
    EXPECT_EQ(vBoard.getHit(thrown.point), thrown.hit);
    EXPECT_NE(thrown.point, aimed.point);  // scattered
    EXPECT_EQ(m.turn().what, waitingFor::computerDart);
    m.completeComputerVisit();
    if (m.turn().what == waitingFor::humanVisit) {
        ASSERT_EQ(m.enterHumanVisit(41).result, VisitResult::CheckoutPending);
        ASSERT_EQ(m.setDartsUsed(3).result, VisitResult::MatchWon);
    }
    EXPECT_EQ(m.turn().what, waitingFor::nothing);
}

// A simulation beside a running game draws from a generator of its own: the game's generator
// is left exactly where it was, and the darts are those the game's generator would have given.
TEST_F(Match, OwnGeneratorLeavesTheGamesAlone) {
    gameRandom::seed(21);
    const std::uint32_t gameState = gameRandom::state();
    std::uint32_t own = gameState;
    matchContextS withOwn = context();
    withOwn.generator = &own;
    MatchC apart(settingsFor(true, true, 3, 1, 1001), withOwn);
    MatchC shared = make(settingsFor(true, true, 3, 1, 1001));
    for (int turn = 0; turn < 12; ++turn) {
        apart.playComputerTurn();
        EXPECT_EQ(gameRandom::state(), gameState);
    }
    for (int turn = 0; turn < 12; ++turn) {
        shared.playComputerTurn();
    }
    EXPECT_NE(own, gameState);
    EXPECT_EQ(gameRandom::state(), own);
    for (int p = 0; p < 2; ++p) {
        EXPECT_EQ(apart.board(p).remaining(), shared.board(p).remaining());
        EXPECT_EQ(apart.board(p).darts(), shared.board(p).darts());
    }
}

namespace {

enteredDartS at(int type, int number) {
    return {{type, number}, std::nullopt};
}

}  // namespace

TEST_F(Match, HumanDartsOneAtATimeAndTheLegsTheyMake) {
    std::vector<legDartsS> written;
    matchContextS c = context();
    c.writeLegDarts = [&](const std::vector<legDartsS>& legs) {
        written.insert(written.end(), legs.begin(), legs.end());
    };
    MatchC m(settingsFor(false, false, 1, 1, 101), c);
    EXPECT_EQ(m.enterHumanDart(at(3, 25)).result, VisitResult::Refused);  // no treble bull
    EXPECT_EQ(m.enterHumanDart(at(1, 21)).result, VisitResult::Refused);
    EXPECT_EQ(m.enterHumanDart(at(2, 0)).result, VisitResult::Refused);
    EXPECT_TRUE(m.enteredDarts().empty());
    EXPECT_EQ(m.enterHumanDart({{3, 20}, boardPointS{0.0f, 100.0f}}).result,
              VisitResult::DartEntered);
    EXPECT_EQ(m.remainingAfterEntered(), 41);
    EXPECT_EQ(m.turn().what, turnS::waitingFor::humanVisit);
    // A typed total waits until the darts entered are taken back.
    EXPECT_EQ(m.enterHumanVisit(60).result, VisitResult::Ignored);
    EXPECT_TRUE(m.takeBackDart());
    EXPECT_FALSE(m.takeBackDart());
    EXPECT_EQ(m.remainingAfterEntered(), 101);
    // Ann: T20 S1 S20, complete after the third dart.
    EXPECT_EQ(m.enterHumanDart({{3, 20}, boardPointS{0.0f, 100.0f}}).result,
              VisitResult::DartEntered);
    EXPECT_EQ(m.enterHumanDart(at(1, 1)).result, VisitResult::DartEntered);
    const visitOutcomeS third = m.enterHumanDart(at(1, 20));
    EXPECT_EQ(third.result, VisitResult::Scored);
    EXPECT_EQ(third.player, 0);
    EXPECT_EQ(m.board(0).remaining(), 20);
    EXPECT_EQ(m.board(0).lastThrow(), (visitS{81, 3}));
    EXPECT_EQ(m.currentPlayer(), 1);
    visits(m, {60});  // Bob types his
    // Ann reaches 0 off a double: a bust the board alone could not see, worth its total in the
    // game's points as a typed bust is.
    EXPECT_EQ(m.enterHumanDart(at(1, 20)).result, VisitResult::Scored);
    EXPECT_EQ(m.board(0).remaining(), 20);
    EXPECT_EQ(m.board(0).lastThrow(), (visitS{0, 3}));
    EXPECT_EQ(m.gstats(0).pointsScored(), 101);
    // Bob leaves 1 with his second dart: a bust on that dart.
    EXPECT_EQ(m.enterHumanDart(at(1, 20)).result, VisitResult::DartEntered);
    EXPECT_EQ(m.enterHumanDart(at(1, 20)).result, VisitResult::Scored);
    EXPECT_EQ(m.board(1).remaining(), 41);
    // Ann: S2 and a miss (kept as 0 x 0, whatever number came with it), then Enter: the dart
    // not entered is a miss too.
    EXPECT_EQ(m.enterHumanDart(at(1, 2)).result, VisitResult::DartEntered);
    EXPECT_EQ(m.enterHumanDart(at(0, 7)).result, VisitResult::DartEntered);
    EXPECT_EQ(m.completeEnteredDarts().result, VisitResult::Scored);
    EXPECT_EQ(m.completeEnteredDarts().result, VisitResult::Ignored);  // nothing entered
    EXPECT_EQ(m.board(0).remaining(), 18);
    // Bob's visit by darts is taken back and put back, darts and all.
    EXPECT_EQ(m.enterHumanDart(at(1, 1)).result, VisitResult::DartEntered);
    EXPECT_EQ(m.enterHumanDart(at(0, 7)).result, VisitResult::DartEntered);  // a miss is 0 x 0
    EXPECT_EQ(m.enterHumanDart(at(1, 20)).result, VisitResult::Scored);
    ASSERT_EQ(m.undo().steps.size(), 1u);
    EXPECT_EQ(m.currentPlayer(), 1);
    // With darts entered, redo does nothing and undo takes back the last dart, not a visit.
    EXPECT_EQ(m.enterHumanDart(at(1, 5)).result, VisitResult::DartEntered);
    EXPECT_EQ(m.enterHumanDart(at(1, 3)).result, VisitResult::DartEntered);
    EXPECT_EQ(m.redo().outcome, redoResultS::status::NothingToRedo);
    EXPECT_EQ(m.undo().outcome, undoResultS::status::DartTakenBack);
    EXPECT_EQ(m.enteredDarts(), (std::vector<enteredDartS>{at(1, 5)}));
    EXPECT_EQ(m.undo().outcome, undoResultS::status::DartTakenBack);
    EXPECT_EQ(m.board(1).remaining(), 41);
    EXPECT_EQ(m.currentPlayer(), 1);
    EXPECT_EQ(m.redo().outcome, redoResultS::status::Done);
    EXPECT_EQ(m.board(1).remaining(), 20);
    // Ann checks out on D9 with one dart: no darts-used answer is asked for.
    const visitOutcomeS out = m.enterHumanDart(at(2, 9));
    EXPECT_EQ(out.result, VisitResult::MatchWon);
    EXPECT_FALSE(m.awaitingDartsUsed());
    EXPECT_EQ(m.dartsUsed(), 1);
    ASSERT_TRUE(out.leg);
    EXPECT_EQ(out.leg->darts[0], 10);  // three visits of three, as typed ones count, and one
    EXPECT_EQ(records("Ann").back().darts, 10);
    EXPECT_EQ(m.gstats(0).bestFinish(), 18);

    // Both players' legs are known dart by dart: Bob's typed 60 makes his unknown.
    ASSERT_EQ(written.size(), 1u);
    const legDartsS& ann = written[0];
    EXPECT_EQ(ann.player, "Ann");
    EXPECT_TRUE(ann.won);
    EXPECT_EQ(ann.startScore, 101);
    EXPECT_EQ(ann.day, (civilDate{2026, 12, 6}));
    std::vector<std::array<int, 5>> darts;  // visit, order, type x number, left before
    for (const dartRecordS& d : ann.darts) {
        darts.push_back({d.visit, d.order, d.type, d.number, d.remainingBefore});
    }
    const std::vector<std::array<int, 5>> expected{
        {1, 1, 3, 20, 101}, {1, 2, 1, 1, 41}, {1, 3, 1, 20, 40}, {2, 1, 1, 20, 20},
        {3, 1, 1, 2, 20},   {3, 2, 0, 0, 18}, {3, 3, 0, 0, 18},  {4, 1, 2, 9, 18}};
    EXPECT_EQ(darts, expected);
    EXPECT_EQ(ann.darts[0].point, (dartPointS{0.0f, 100.0f}));
    EXPECT_FALSE(ann.darts[1].point);
    EXPECT_FALSE(ann.darts[0].targetType);
    EXPECT_EQ(m.dartFigures(0).legs, 1);
    EXPECT_EQ(m.dartFigures(0).atDouble, 6);  // at 40, 20, 20, 18, 18 and 18
    EXPECT_EQ(m.dartFigures(0).doublesHit, 1);
    EXPECT_EQ(m.dartFigures(1).legs, 0);
}

TEST_F(Match, AComputerLegKeepsWhereEachDartWasAimedAndLanded) {
    std::vector<legDartsS> written;
    matchContextS c = context();
    c.writeLegDarts = [&](const std::vector<legDartsS>& legs) {
        written.insert(written.end(), legs.begin(), legs.end());
    };
    gameRandom::setState(99);
    MatchC m(settingsFor(true, true, 3), c);
    while (m.turn().what != turnS::waitingFor::nothing) {
        if (m.turn().what == turnS::waitingFor::nextLeg) {
            m.startNextLeg();
        } else {
            m.playComputerTurn();
        }
    }
    ASSERT_GE(written.size(), 4u);  // two players' legs, at least two legs
    EXPECT_EQ(written.size() % 2, 0u);
    std::array<std::int64_t, 2> darts{};
    for (const legDartsS& leg : written) {
        const legFiguresS figures = legFigures(leg.darts);
        EXPECT_EQ(figures.checkout > 0, leg.won);
        if (leg.won) {
            EXPECT_EQ(figures.points, 501);
        }
        EXPECT_EQ(leg.darts.front().remainingBefore, 501);
        for (const dartRecordS& d : leg.darts) {
            ASSERT_TRUE(d.point && d.targetType && d.targetNumber);
            EXPECT_EQ(vBoard.getHit({d.point->x, d.point->y}), (dartS{d.type, d.number}));
        }
        darts[leg.player == "Bob"] += figures.darts;
    }
    EXPECT_EQ(darts[0], m.gstats(0).dartsThrown());
    EXPECT_EQ(darts[1], m.gstats(1).dartsThrown());
    EXPECT_EQ(m.dartFigures(0).legs + m.dartFigures(1).legs,
              static_cast<std::int64_t>(written.size()));
}
