#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "computer/virtualBoardC.h"
#include "game/gameMode.h"
#include "stats/dartRecord.h"

namespace qm {

// A dart a human entered: clicked on the board (where it landed is known) or by notation.
struct enteredDartS {
    dartS hit;
    std::optional<boardPointS> point;
    friend bool operator==(const enteredDartS&, const enteredDartS&) = default;
};

struct sessionPlayerS {
    std::string name;
    bool computer = false;
};

struct undoStepS {
    int player = 0;
    visitS visit;
};

struct undoResultS {
    // DartTakenBack: a dart of the visit under way was taken back, as Backspace does, and no
    // visit was.
    enum class status { Done, DartTakenBack, ComputerGame, ComputerToThrow, NothingToUndo };
    status outcome = status::Done;
    std::vector<undoStepS> steps;  // the visits taken back, in order
    // A computer's visit was taken back but the human before it had nothing to take back (the
    // computer began the leg): its turn starts again, replaying the visit.
    bool computerTurnStarts = false;
};

struct redoResultS {
    enum class status { Done, ComputerToThrow, NothingToRedo };
    status outcome = status::Done;
    int player = 0;
    visitS visit;
    bool computerTurnStarts = false;
};

// What entering one dart did.
enum class dartEntry {
    ignored,   // no human may enter a dart now
    refused,   // not a dart of this game
    goesOn,    // entered; the visit goes on
    endsVisit  // entered; the visit is over (its third dart, or the mode ended it early)
};

// One sitting at the board of any mode: the players (one or more) in their order of play,
// whose turn it is, the darts entered of the visit under way, each visit's darts, and undo and
// redo of visits. It knows no game's rules: it asks its mode what a dart does, and a mode
// tells it when a visit is played.
class gameSessionC {
  public:
    // Where the darts of each finished leg go (the recorder), all players' at once; without it
    // the session keeps no darts.
    using legDartsWriter = std::function<void(const std::vector<legDartsS>&)>;

    // No players throws std::invalid_argument.
    gameSessionC(std::vector<sessionPlayerS> players, gameModeC& rules,
                 legDartsWriter writeLegDarts = {});

    [[nodiscard]] int playerCount() const { return static_cast<int>(players_.size()); }
    [[nodiscard]] const sessionPlayerS& player(int p) const;
    [[nodiscard]] bool isComputer(int p) const { return player(p).computer; }
    [[nodiscard]] int toThrow() const { return toThrow_; }
    // The player after p in the order of play.
    [[nodiscard]] int after(int p) const { return (p + 1) % playerCount(); }
    // The visit of the player to throw is over: the next player who still throws is to throw.
    void passTurn();
    // A player outside the session throws std::invalid_argument.
    void setToThrow(int p);
    // A new leg begins with `starter` to throw, and no visits or darts of the last one.
    void startLeg(int starter);

    // Whether the player to throw is a human who may enter darts now.
    [[nodiscard]] bool humanMayEnter() const;
    dartEntry enterDart(const enteredDartS& dart);
    // Takes back the last dart entered; false when there is none.
    bool takeBackDart();
    void clearEnteredDarts() { entered_.clear(); }
    [[nodiscard]] const std::vector<enteredDartS>& enteredDarts() const { return entered_; }
    [[nodiscard]] std::vector<dartS> enteredHits() const;
    // Ends the entry of the visit under way and gives its darts: the darts not entered of a
    // visit the mode did not end are misses. The same darts stay as lastVisit().
    const std::vector<enteredDartS>& takeVisit();
    [[nodiscard]] const std::vector<enteredDartS>& lastVisit() const { return lastVisit_; }

    // Whether the darts of visits are kept: a run that keeps none pays nothing for them.
    [[nodiscard]] bool keepsDarts() const { return static_cast<bool>(writeLegDarts_); }
    // The darts of player p's visit just played (none: not known), kept beside the mode's
    // visits so that undo and redo take them back and bring them back.
    void keepVisitDarts(int p, std::optional<std::vector<dartRecordS>> darts);
    // Player p's darts of the leg so far, every visit's in order; none where a visit's darts
    // are not known (or no visit was played).
    [[nodiscard]] std::optional<std::vector<dartRecordS>> legDarts(int p) const;
    // Hands the finished leg to the recorder: for each player whose every visit's darts are
    // known, their name, whether they won and the darts, which `complete` fills in with the
    // mode's part (the day, the start, the figures, the place of a record). Nothing is handed
    // over when no player's darts are known.
    void handOverLeg(int winner, const std::function<void(int player, legDartsS&)>& complete);

    // With darts of a visit entered, undo takes back the last of them and redo does nothing
    // (the visit under way replaces what redo could bring back). With none, undo goes back
    // through the visits of the leg, last first, taking back each computer's, until it has
    // taken back a human's; redo brings back the visit of the human to throw.
    undoResultS undo();
    redoResultS redo();

  private:
    std::vector<sessionPlayerS> players_;
    gameModeC& rules_;
    legDartsWriter writeLegDarts_;
    int toThrow_ = 0;
    std::vector<int> played_;  // who threw each visit of the leg, in order
    std::vector<enteredDartS> entered_;
    std::vector<enteredDartS> lastVisit_;
    // Per player, by the mode's visit position (1 on): the darts of each visit, when known.
    std::vector<std::vector<std::optional<std::vector<dartRecordS>>>> visitDarts_;
};

}  // namespace qm
