#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "computer/tabledHandC.h"
#include "computer/vPlayerC.h"
#include "computer/virtualBoardC.h"
#include "game/gameSession.h"
#include "match/drill.h"
#include "stats/civilDate.h"
#include "stats/dartRecord.h"

namespace qm {

struct practicePlayerS {
    std::string name;
    bool computer = false;
    std::int32_t strength = 20;       // a computer's
    std::optional<throwFitS> twin{};  // a computer that throws by a human's fitted scatter
};

// One player's finished drill, as kept: its darts and its result.
struct practiceResultS {
    std::string player;
    civilDate day;
    drillSetupS setup;
    bool finished = false;  // false: abandoned, its darts kept but no result
    drillScoreS score;
    std::vector<dartRecordS> darts;  // every dart, with the target it was meant for
};

struct practiceContextS {
    const vPlayerC* chart = nullptr;
    const virtualBoardC* vBoard = nullptr;
    // Where each finished drill goes; none: nothing is kept.
    std::function<void(const practiceResultS&)> writeResult;
    std::function<civilDate()> today = localToday;
    // Where the computers' darts draw from; without it, the process-wide generator.
    std::uint32_t* generator = nullptr;
    throwC::seeding seeding = throwC::seeding::keep;
};

// Where a computer aims the next dart of a drill: at the drill's target, or in a checkout
// drill at the chart's dart for the score left and the dart of the visit, as in a match.
[[nodiscard]] dartS drillAim(const drillC& drill, const vPlayerC& chart);
// The record of one dart as the history keeps it: thrown in `visit` of the drill as it stood
// before the dart, at the target drillAim gives, hitting `hit` (at `point`, when known).
[[nodiscard]] dartRecordS drillDart(const drillC& drill, int visit, const dartS& hit,
                                    const std::optional<boardPointS>& point, const vPlayerC& chart);

// What a dart or a visit did in a drill.
enum class practiceStep {
    ignored,      // nobody may enter a dart now, or no computer turn is due
    refused,      // no such dart
    dartEntered,  // the visit goes on
    visitOver,    // the visit is over; the next player throws
    drillOver,    // the last player's drill is over: the practice is done
};

// A practice drill for one to four players, each on their own progress, taking turns visit by
// visit: the drill's rules (match/drill) behind the game session. A player who has finished
// is passed over until all have. Humans enter darts one at a time (clicked or typed);
// computers aim each dart at the drill's target (a checkout drill by the chart, as in a
// match) and throw it with their own scatter.
class practiceC final : public gameModeC {
  public:
    // No players, more than four, or a drill setup out of range throws std::invalid_argument.
    practiceC(const drillSetupS& setup, const std::vector<practicePlayerS>& players,
              practiceContextS context);

    [[nodiscard]] const gameSessionC& session() const { return session_; }
    [[nodiscard]] int toThrow() const { return session_.toThrow(); }
    [[nodiscard]] const drillC& drill(int player) const;
    [[nodiscard]] const practicePlayerS& player(int p) const {
        return players_.at(static_cast<std::size_t>(p));
    }
    [[nodiscard]] int playerCount() const { return session_.playerCount(); }

    // What the next dart of the player to throw is aimed at: the drill's target, or in a
    // checkout drill the chart's dart for the score left.
    [[nodiscard]] dartS aim() const;

    // A human's dart; the visit ends as the drill says, or after the third.
    practiceStep enterHumanDart(const enteredDartS& dart);
    // Ends the human's visit with the darts entered; the rest are misses.
    practiceStep completeEnteredDarts();
    bool takeBackDart() { return session_.takeBackDart(); }
    void clearEnteredDarts() { session_.clearEnteredDarts(); }

    // A computer's dart: aimed and thrown at once, where it landed and what it hit.
    struct computerDartS {
        dartS target;
        boardPointS point;
        dartS hit;
        practiceStep step = practiceStep::ignored;
    };
    computerDartS throwComputerDart();

    undoResultS undo() { return session_.undo(); }
    redoResultS redo() { return session_.redo(); }
    // Ends the practice before every player has finished: each player's darts are kept, with
    // no result. Nothing more can be played.
    void abandon();

    // The rules as the session asks for them.
    [[nodiscard]] bool acceptsDart(const dartS& dart) const override;
    [[nodiscard]] bool visitEnds(int player, std::span<const dartS> darts) const override;
    [[nodiscard]] bool acceptsVisits() const override { return !gameOver(); }
    [[nodiscard]] bool gameOver() const override;
    [[nodiscard]] bool passesTurns(int player) const override { return drill(player).finished(); }
    [[nodiscard]] std::int32_t visitsKept(int player) const override;
    std::optional<visitS> takeBackVisit(int player) override;
    std::optional<visitS> bringBackVisit(int player) override;

  private:
    struct progressS {
        drillC drill;
        std::vector<std::vector<dartRecordS>> visits;  // every visit, those taken back after
        std::size_t kept = 0;                          // how many count
        bool handedOver = false;
    };
    // Plays a visit's darts for the player to throw, keeps them, and passes the turn.
    practiceStep playVisit(std::vector<dartRecordS> darts);
    void replay(progressS& progress) const;
    // The player's drill with the darts of the visit under way played on a copy.
    [[nodiscard]] drillC underWay() const;
    void handOver(bool finished);

    drillSetupS setup_;
    std::vector<practicePlayerS> players_;
    practiceContextS context_;
    std::vector<progressS> progress_;
    std::vector<std::optional<tabledHandC>> hands_;
    std::vector<dartRecordS> visitUnderWay_;  // a computer's darts of the visit being thrown
    bool abandoned_ = false;
    gameSessionC session_;
};

}  // namespace qm
