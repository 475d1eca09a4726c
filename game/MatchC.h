#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "computer/ComputerVisitC.h"
#include "computer/tabledHandC.h"
#include "computer/throwC.h"
#include "game/gameMode.h"
#include "game/gameSession.h"
#include "match/GameBoardC.h"
#include "match/GameStatsC.h"
#include "match/ScoreBoardC.h"
#include "match/legEndSave.h"
#include "settings/gameSettingsS.h"
#include "stats/dartFigures.h"
#include "stats/dartRecord.h"

namespace qm {

enum class VisitResult {
    Ignored,          // not this player's turn to type, or the match is over
    Refused,          // the score board refused the total; the turn stays
    Scored,           // accepted (a bust included); the turn has passed
    CheckoutPending,  // a human checked out; waiting for the darts used
    DartEntered,      // one dart of a human visit entered; the visit goes on
    LegWon,           // the leg was won; startNextLeg begins the next one
    MatchWon,         // the match was won; the game is over
};

// What the window shows when a leg ends: all figures are the finished leg's.
struct legResultS {
    int winner = 0;
    int starter = 0;
    std::array<std::int32_t, 2> darts{};
    std::array<std::int32_t, 2> points{};
    std::int32_t finish = 0;
    double winnerPpd = 0.0;
};

struct visitOutcomeS {
    VisitResult result = VisitResult::Ignored;
    int player = 0;  // who threw the visit
    std::optional<legResultS> leg;
};

struct turnStartS {
    bool replayed = false;  // a taken-back visit came back from the history instead
    visitS visit;
};

// Everything the game needs from outside: where leg records go, how errors are reported,
// today's date, and the program-wide chart and board.
struct matchContextS {
    legRecordWriter writeLegRecord;  // none: nothing is saved (a simulation without history)
    errorReport reportError;
    std::function<civilDate()> today = localToday;
    const vPlayerC* chart = nullptr;
    const virtualBoardC* vBoard = nullptr;
    throwC::seeding seeding = throwC::seeding::fromClock;
    // The computer players' hands, for a run of many matches that keeps them (and the hit
    // tables they learn) from one match to the next; without them each game makes its own.
    std::array<tabledHandC*, 2> hands{};
    // A computer player that is a human's twin throws by the human's fitted scatter (where the
    // hands above are not handed in).
    std::array<std::optional<throwFitS>, 2> twins;
    // Where the darts' draws come from; without it, the process-wide generator. A simulation
    // beside a running game has its own, so that the game's darts stay as they would be.
    std::uint32_t* generator = nullptr;
    // Where each finished leg's darts go (both players' legs whose every dart is known, at
    // once); without it no dart is kept.
    std::function<void(const std::vector<legDartsS>&)> writeLegDarts;
};

// A match taken up part-way: the scores left in the leg under way, the legs and sets won, who
// throws next and who began the leg (the other player begins the next one).
struct matchStateS {
    std::array<std::int32_t, 2> remaining{};
    std::array<std::int32_t, 2> legs{};
    std::array<std::int32_t, 2> sets{};
    int toThrow = 0;
    int legStarter = 0;
};

// Throws std::invalid_argument for a state no match of these settings can reach: a score
// outside 2 to the start score, legs or sets that would already have won, a player other than
// 0 or 1.
void checkMatchState(const gameSettingsS& settings, const matchStateS& state);

// A computer's dart as the window shows it: where it was aimed, and where it landed.
struct aimedDartS {
    dartS target;
    boardPointS point;  // the aim point on the board
};
struct thrownDartS {
    dartS hit;
    boardPointS point;    // where it landed
    bool goesOn = false;  // the visit goes on with a next dart
};

// What the game waits for, and from whom.
struct turnS {
    enum class waitingFor {
        humanVisit,    // a human to enter a visit
        dartsUsed,     // the darts used for the human checkout just entered
        computerTurn,  // a computer's turn to begin
        computerDart,  // the next dart of the computer visit under way
        nextLeg,       // startNextLeg, after a won leg
        nothing,       // the match is over
    };
    waitingFor what = waitingFor::nothing;
    int player = 0;
};

// The x01 match, the first mode: two players, the two score boards and statistics, the match
// board, who begins each leg, the leg records, and the computer's visits. Its session keeps
// whose turn it is, the darts entered and undo and redo. Windows and the simulator drive it;
// it never calls them.
class MatchC final : public gameModeC {
  public:
    MatchC(const gameSettingsS& settings, matchContextS context);
    // The match from a state part-way through it. A state the match cannot reach (a score
    // outside 2 to the start score, legs or sets that would already have won, a player other
    // than 0 or 1) throws std::invalid_argument.
    MatchC(const gameSettingsS& settings, matchContextS context, const matchStateS& from);

    // Whose turn it is and what the game waits for: the one place the rule lives.
    [[nodiscard]] turnS turn() const;

    // A human visit of three darts. A checkout waits for setDartsUsed.
    visitOutcomeS enterHumanVisit(std::int32_t total);
    // One dart of a human visit. The visit completes, as a typed total of its darts would, after
    // the third dart or on a checkout or a bust; a checkout needs no darts-used answer. A dart
    // with no such target (a number outside 1 to 20 and 25, a treble bull) is Refused.
    visitOutcomeS enterHumanDart(const enteredDartS& dart);
    // Completes the visit with the darts entered so far; the darts not entered are misses.
    visitOutcomeS completeEnteredDarts();
    // Takes back the last dart entered; false when there is none.
    bool takeBackDart() { return session_.takeBackDart(); }
    void clearEnteredDarts() { session_.clearEnteredDarts(); }
    [[nodiscard]] const std::vector<enteredDartS>& enteredDarts() const {
        return session_.enteredDarts();
    }
    // The score left after the darts entered so far (the remaining score while none is).
    [[nodiscard]] std::int32_t remainingAfterEntered() const;

    // The answer to "how many darts were used" after a human checkout: held to the fewest
    // darts that can make the finish (fewestDartsForCheckout) and 3.
    visitOutcomeS setDartsUsed(std::int32_t darts);
    // While a checkout waits for its darts, the fewest darts that could have made it; else 0.
    [[nodiscard]] std::int32_t fewestDartsForCheckout() const {
        return pendingCheckout_ ? fewestDartsToFinish(*pendingCheckout_) : 0;
    }

    // The start of a computer's turn: replays a taken-back visit, or begins a new visit.
    // Throws std::logic_error when no computer turn is due (a human to throw, a visit already
    // under way, or between legs).
    turnStartS beginComputerTurn();
    // Dart k (1 to 3, in order) of the visit under way; anything else throws std::logic_error.
    aimedDartS aimDart(int k);
    // Throws dart k at its aim: what it hit, where, and whether the visit goes on.
    thrownDartS throwDart(int k);
    // A whole computer turn at once, as a run that shows nothing plays it: begins the turn,
    // throws its darts and completes it. Throws std::logic_error when no computer turn is due.
    visitOutcomeS playComputerTurn();
    // Ends the computer visit in progress with its total and darts.
    visitOutcomeS completeComputerVisit();
    // A computer visit as a total and darts thrown; ignored while a human checkout waits for
    // its darts.
    visitOutcomeS completeVisit(std::int32_t total, std::int32_t darts,
                                std::optional<std::vector<dartRecordS>> records = std::nullopt);

    // With darts of a visit entered, undo takes back the last of them and redo does nothing (the
    // visit under way replaces what redo could bring back); with none, both move whole visits.
    undoResultS undo() { return session_.undo(); }
    redoResultS redo() { return session_.redo(); }

    // After a won leg (and whatever the window shows about it): both boards start afresh and
    // the other player than the last leg's starter begins.
    void startNextLeg();

    [[nodiscard]] const ScoreBoardC& board(int p) const { return board_[p]; }
    [[nodiscard]] const GameStatsC& gstats(int p) const { return gstats_[p]; }
    [[nodiscard]] const GameBoardC& gboard() const { return gboard_; }
    [[nodiscard]] const gameSettingsS& settings() const { return settings_; }
    [[nodiscard]] const ComputerVisitC* computerVisit() const {
        return visit_ ? &*visit_ : nullptr;
    }
    [[nodiscard]] const gameSessionC& session() const { return session_; }
    [[nodiscard]] int currentPlayer() const { return session_.toThrow(); }
    [[nodiscard]] int legStarter() const { return legStarter_; }
    [[nodiscard]] std::int32_t dartsUsed() const { return dartsUsed_; }
    [[nodiscard]] bool isComputer(int p) const { return session_.isComputer(p); }
    // The dart figures of this game's finished legs whose every dart is known.
    [[nodiscard]] const dartFiguresS& dartFigures(int p) const { return figures_[p]; }
    [[nodiscard]] bool awaitingDartsUsed() const { return pendingCheckout_.has_value(); }
    [[nodiscard]] bool matchOver() const { return matchOver_; }
    [[nodiscard]] bool legOver() const { return legOver_; }
    [[nodiscard]] static int other(int p) { return 1 - p; }

    // The x01 rules as the session asks for them.
    [[nodiscard]] bool acceptsDart(const dartS& dart) const override;
    [[nodiscard]] bool visitEnds(int player, std::span<const dartS> darts) const override;
    [[nodiscard]] bool acceptsVisits() const override { return playing() && !pendingCheckout_; }
    [[nodiscard]] bool gameOver() const override { return matchOver_; }
    [[nodiscard]] std::int32_t visitsKept(int player) const override {
        return board_[player].historyPos();
    }
    std::optional<visitS> takeBackVisit(int player) override;
    std::optional<visitS> bringBackVisit(int player) override;

  private:
    // A human visit's total on the score board. A bust the board cannot see (darts that reach
    // 0 off a double) is recorded as a bust with the darts' total in the statistics.
    visitOutcomeS scoreHumanVisit(std::int32_t total, bool unseenBust);
    [[nodiscard]] std::vector<dartRecordS> computerVisitDarts() const;
    visitOutcomeS finishLeg(std::int32_t finishScore, bool matchWon);
    // The leg records of a won leg; without a writer (a simulation that keeps no history),
    // nothing is written and nothing reported.
    void saveLeg(int winner, std::int32_t finishScore);
    // The generator the darts draw from: the context's own, or the process-wide one.
    [[nodiscard]] std::uint32_t generatorState() const;
    void keepGeneratorState(std::uint32_t state);
    // Between a won leg and the next one, or after the match, no visit can be played.
    [[nodiscard]] bool playing() const { return !matchOver_ && !legOver_; }

    gameSettingsS settings_;
    matchContextS context_;
    std::array<ScoreBoardC, 2> board_;
    std::array<GameStatsC, 2> gstats_;
    GameBoardC gboard_;
    std::array<std::optional<tabledHandC>, 2> ownHands_;
    std::array<tabledHandC*, 2> hand_{};
    std::optional<ComputerVisitC> visit_;
    std::optional<std::int32_t> pendingCheckout_;
    std::array<dartFiguresS, 2> figures_{};
    gameSessionC session_;
    int legStarter_ = 0;
    std::int32_t dartsUsed_ = 0;
    bool matchOver_ = false;
    bool legOver_ = false;
};

}  // namespace qm
