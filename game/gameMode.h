#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "match/ScoreBoardC.h"
#include "match/dart.h"

namespace qm {

// The rules of one kind of game, as the session asks for them. The session keeps who plays,
// whose turn it is, the darts entered and each visit's darts; a mode keeps the score they make
// and says what a dart and a visit do. The x01 match (MatchC) is the first; a new mode is one
// class in game/ and one panel in ui/ (docs/architecture.md shows how).
class gameModeC {
  public:
    gameModeC() = default;
    gameModeC(const gameModeC&) = delete;
    gameModeC& operator=(const gameModeC&) = delete;
    virtual ~gameModeC() = default;

    // Whether a dart is one this game can be played with (the x01 match: any region of the
    // board, the miss included).
    [[nodiscard]] virtual bool acceptsDart(const dartS& dart) const = 0;
    // Whether the player's visit ends with these darts, before its third: a checkout or a bust
    // in the x01 match, the last target hit in a drill.
    [[nodiscard]] virtual bool visitEnds(int player, std::span<const dartS> darts) const = 0;
    // Whether a visit can be played now: not between legs, not after the game, not while the
    // game waits for an answer.
    [[nodiscard]] virtual bool acceptsVisits() const = 0;
    // Whether the game is over.
    [[nodiscard]] virtual bool gameOver() const = 0;
    // Whether the player's turns are passed over: they have nothing more to throw (a drill
    // they have finished while others play on). Asked only of a mode that says it may pass
    // turns: a match asks nothing per visit.
    [[nodiscard]] virtual bool passesTurns(int /*player*/) const { return false; }
    [[nodiscard]] bool mayPassTurns() const { return mayPassTurns_; }

    // The player's visits of the leg under way, as undo and redo move in them: how many count
    // now (the position of the last, 0 for none), taking the last back, and bringing back the
    // one taken back last. Nothing to take back or bring back gives none.
    [[nodiscard]] virtual std::int32_t visitsKept(int player) const = 0;
    virtual std::optional<visitS> takeBackVisit(int player) = 0;
    virtual std::optional<visitS> bringBackVisit(int player) = 0;

  protected:
    explicit gameModeC(bool mayPassTurns) : mayPassTurns_(mayPassTurns) {}
    gameModeC(gameModeC&&) = default;
    gameModeC& operator=(gameModeC&&) = default;

  private:
    bool mayPassTurns_ = false;
};

}  // namespace qm
