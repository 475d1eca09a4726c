#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "match/dart.h"

namespace qm {

// The practice drills: each is played in visits of three darts, one player's progress at a
// time. A drill is a value: its state follows from its setup and the darts thrown, so a visit
// taken back is a drill played again without it.
enum class drillKind { aroundTheClock, bobs27, checkout121, doubles, scoring, finishes };

struct drillSetupS {
    drillKind kind = drillKind::aroundTheClock;
    // Around the Clock: 0 any ring, 1 doubles, 2 trebles. Doubles: the number (1 to 20, 25 the
    // bull's eye) or 0 for round the board. Scoring: the number (20, 19, 18 for their trebles,
    // 25 for the bull's eye). Finishes: 0 for 2 to 40, 1 for 41 to 100, 2 for 101 to 170.
    int variant = 0;
    int darts = 30;          // Doubles: 30, 60 or 99; Scoring always 99
    int attempts = 10;       // Checkout 121
    std::uint32_t seed = 1;  // Finishes: the draws' own generator
};

// A drill's result as kept and shown.
struct drillScoreS {
    double value = 0.0;  // what the drill is scored by (see drillC::score)
    int darts = 0;       // darts thrown
    int hits = 0;        // hits on the target, successes, finishes made
    bool lost = false;   // Bob's 27 fell to 0 or below
    int round = 0;       // Bob's 27: the round it ended in (1 to 21)
};

class drillC {
  public:
    // A setup out of range (a variant, a count of darts) throws std::invalid_argument.
    explicit drillC(const drillSetupS& setup);

    [[nodiscard]] const drillSetupS& setup() const { return setup_; }
    [[nodiscard]] bool finished() const { return finished_; }
    // The target of the next dart: a number's ring or the bull. In a checkout drill, none
    // ({0, 0}): the dart is aimed at checking out checkoutLeft(), with dartsLeft() darts left.
    [[nodiscard]] dartS target() const;
    [[nodiscard]] bool isCheckout() const {
        return setup_.kind == drillKind::checkout121 || setup_.kind == drillKind::finishes;
    }
    [[nodiscard]] std::int32_t checkoutLeft() const { return left_; }
    [[nodiscard]] int dartsLeft() const { return attemptDarts_ - attemptThrown_; }
    [[nodiscard]] int dartsInVisit() const { return visitDarts_; }

    // One dart. True when the visit ends with it: its third, or earlier where the drill says
    // (the bull that ends Around the Clock, a checkout or a bust in a checkout drill, the
    // drill's last dart). A dart after the drill has finished throws std::logic_error.
    bool dart(const dartS& hit);

    // The score: Around the Clock the darts thrown, Bob's 27 the points, Checkout 121 the
    // highest target checked out (0 for none), Doubles the hit percentage, Scoring the
    // three-dart average, Finishes the finishes made.
    [[nodiscard]] drillScoreS score() const;
    // Each target's hits and darts (Doubles: by number, 25 the bull; Scoring: the one target).
    [[nodiscard]] const std::array<int, 26>& hitsBy() const { return hitsBy_; }
    [[nodiscard]] const std::array<int, 26>& dartsBy() const { return dartsBy_; }
    // Scoring: visits of 100 or more, 140 or more, and 180.
    [[nodiscard]] std::array<int, 3> highVisits() const { return highVisits_; }
    // Checkout 121: the target now; Finishes: the finishes drawn, in order.
    [[nodiscard]] std::int32_t checkoutTarget() const { return checkoutTarget_; }
    [[nodiscard]] const std::vector<std::int32_t>& finishes() const { return finishes_; }

  private:
    bool endVisit();
    void startAttempt(std::int32_t score);
    bool checkoutDart(const dartS& hit);

    drillSetupS setup_;
    bool finished_ = false;
    int step_ = 0;  // Around the Clock, Doubles round the board: the target's place; Bob: round
    int visitDarts_ = 0;
    int thrown_ = 0;
    int hits_ = 0;
    std::int32_t points_ = 0;
    bool roundHit_ = false;
    std::int32_t visitPoints_ = 0;
    std::array<int, 26> hitsBy_{};
    std::array<int, 26> dartsBy_{};
    std::array<int, 3> highVisits_{};
    // Checkout drills: the attempt under way.
    std::int32_t left_ = 0;
    std::int32_t visitStart_ = 0;
    int attemptDarts_ = 0;
    int attemptThrown_ = 0;
    int attempt_ = 0;
    std::int32_t checkoutTarget_ = 0;
    std::int32_t safePoint_ = 0;
    std::int32_t best_ = 0;
    std::vector<std::int32_t> finishes_;
};

// Every drill, in the order the game offers them.
inline constexpr std::array<drillKind, 6> drillKinds{
    drillKind::aroundTheClock, drillKind::bobs27,  drillKind::checkout121,
    drillKind::doubles,        drillKind::scoring, drillKind::finishes};
// The drills' names as the game shows them ("Around the Clock", "Bob's 27", ...).
[[nodiscard]] const char* drillName(drillKind kind);
// And as the simulator's command line and the shipped table name them ("bobs-27", ...).
[[nodiscard]] const char* drillId(drillKind kind);

}  // namespace qm
