#include "match/drill.h"

#include <algorithm>
#include <random>
#include <stdexcept>

#include "match/x01Rules.h"

namespace qm {

namespace {

constexpr int aroundTheClockTargets = 21;  // 1 to 20, then the bull
constexpr int bobsRounds = 21;             // D1 to D20, then the bull's eye
constexpr int drawnFinishes = 10;

// Finishes' ranges: the lowest and highest score, and the visits each has.
struct finishRangeS {
    std::int32_t low;
    std::int32_t high;
    int visits;
};
constexpr std::array<finishRangeS, 3> finishRanges{{{2, 40, 1}, {41, 100, 2}, {101, 170, 3}}};

int numberAt(int step) {
    return step < 20 ? step + 1 : 25;
}

bool validSetup(const drillSetupS& s) {
    const auto number = [](int n) { return (n >= 1 && n <= 20) || n == 25; };
    switch (s.kind) {
        case drillKind::aroundTheClock:
            return s.variant >= 0 && s.variant <= 2;
        case drillKind::bobs27:
            return true;
        case drillKind::checkout121:
            return s.attempts >= 1 && s.attempts <= 1000;
        case drillKind::doubles:
            return (s.variant == 0 || number(s.variant)) &&
                   (s.darts == 30 || s.darts == 60 || s.darts == 99);
        case drillKind::scoring:
            return s.variant == 20 || s.variant == 19 || s.variant == 18 || s.variant == 25;
        case drillKind::finishes:
            return s.variant >= 0 && s.variant <= 2;
    }
    return false;
}

}  // namespace

const char* drillName(drillKind kind) {
    switch (kind) {
        case drillKind::aroundTheClock:
            return "Around the Clock";
        case drillKind::bobs27:
            return "Bob's 27";
        case drillKind::checkout121:
            return "Checkout 121";
        case drillKind::doubles:
            return "Doubles";
        case drillKind::scoring:
            return "Scoring";
        case drillKind::finishes:
            return "Finishes";
    }
    return "";
}

const char* drillId(drillKind kind) {
    switch (kind) {
        case drillKind::aroundTheClock:
            return "around-the-clock";
        case drillKind::bobs27:
            return "bobs-27";
        case drillKind::checkout121:
            return "checkout-121";
        case drillKind::doubles:
            return "doubles";
        case drillKind::scoring:
            return "scoring";
        case drillKind::finishes:
            return "finishes";
    }
    return "";
}

drillC::drillC(const drillSetupS& setup) : setup_(setup) {
    if (!validSetup(setup)) {
        throw std::invalid_argument(std::string("no such ") + drillName(setup.kind) + " drill");
    }
    switch (setup.kind) {
        case drillKind::bobs27:
            points_ = 27;
            break;
        case drillKind::checkout121:
            checkoutTarget_ = safePoint_ = 121;
            startAttempt(121);
            break;
        case drillKind::finishes: {
            const finishRangeS range = finishRanges.at(static_cast<std::size_t>(setup.variant));
            std::vector<std::int32_t> scores;
            for (std::int32_t s = range.low; s <= range.high; ++s) {
                if (isFinishable(s)) {
                    scores.push_back(s);
                }
            }
            // The drill's own generator: the game's darts never depend on a drill's draws.
            std::mt19937 draws(setup.seed);
            std::uniform_int_distribution<std::size_t> pick(0, scores.size() - 1);
            for (int f = 0; f < drawnFinishes; ++f) {
                finishes_.push_back(scores[pick(draws)]);
            }
            startAttempt(finishes_.front());
            break;
        }
        default:
            break;
    }
}

dartS drillC::target() const {
    switch (setup_.kind) {
        case drillKind::aroundTheClock: {
            const int number = numberAt(step_);
            if (number == 25) {
                return {2, 25};
            }
            return {setup_.variant == 0 ? 1 : setup_.variant + 1, number};
        }
        case drillKind::bobs27:
            return {2, numberAt(step_)};
        case drillKind::doubles:
            return {2, setup_.variant == 0 ? numberAt(step_) : setup_.variant};
        case drillKind::scoring:
            return setup_.variant == 25 ? dartS{2, 25} : dartS{3, setup_.variant};
        case drillKind::checkout121:
        case drillKind::finishes:
            break;
    }
    return {0, 0};
}

void drillC::startAttempt(std::int32_t score) {
    left_ = visitStart_ = score;
    attemptDarts_ = 3 * (setup_.kind == drillKind::checkout121
                             ? 3
                             : finishRanges.at(static_cast<std::size_t>(setup_.variant)).visits);
    attemptThrown_ = 0;
}

bool drillC::dart(const dartS& hit) {
    if (finished_) {
        throw std::logic_error("a dart after the drill has finished");
    }
    ++thrown_;
    ++visitDarts_;
    const dartS aim = target();
    bool endsEarly = false;
    switch (setup_.kind) {
        case drillKind::aroundTheClock: {
            // Any ring of the number, or its ring only; either bull but in the doubles variant.
            const bool bull = aim.number == 25 && hit.number == 25 && hit.type != 0;
            const bool ring = setup_.variant == 0 ? hit.type != 0 : hit.type == aim.type;
            if ((bull && (setup_.variant != 1 || hit.type == 2)) ||
                (aim.number != 25 && hit.number == aim.number && ring)) {
                ++hits_;
                if (++step_ == aroundTheClockTargets) {
                    finished_ = true;
                    endsEarly = true;
                }
            }
            break;
        }
        case drillKind::bobs27:
            if (hit == aim) {
                points_ += aim.score();
                roundHit_ = true;
                ++hits_;
            }
            break;
        case drillKind::doubles: {
            const auto slot = static_cast<std::size_t>(aim.number);
            ++dartsBy_[slot];
            if (hit == aim) {
                ++hits_;
                ++hitsBy_[slot];
                if (setup_.variant == 0) {
                    step_ = (step_ + 1) % aroundTheClockTargets;  // on round the board again
                }
            }
            if (thrown_ == setup_.darts) {
                finished_ = true;
                endsEarly = true;
            }
            break;
        }
        case drillKind::scoring: {
            const auto slot = static_cast<std::size_t>(aim.number);
            ++dartsBy_[slot];
            // The bull is either bull; a treble is that treble only.
            if (aim.number == 25 ? hit.number == 25 && hit.type != 0 : hit == aim) {
                ++hits_;
                ++hitsBy_[slot];
            }
            points_ += hit.score();
            visitPoints_ += hit.score();
            break;
        }
        case drillKind::checkout121:
        case drillKind::finishes:
            endsEarly = checkoutDart(hit);
            break;
    }
    if (endsEarly || visitDarts_ == 3) {
        return endVisit();
    }
    return false;
}

bool drillC::checkoutDart(const dartS& hit) {
    ++attemptThrown_;
    const x01DartS after = applyX01Dart(left_, hit);
    if (after.result == x01Result::checksOut) {
        left_ = 0;
        return true;
    }
    if (after.result == x01Result::busts) {
        // The visit's points do not count, and its darts not thrown are lost with it.
        left_ = visitStart_;
        attemptThrown_ += 3 - visitDarts_;
        return true;
    }
    left_ = after.left;
    return false;
}

bool drillC::endVisit() {
    visitDarts_ = 0;
    switch (setup_.kind) {
        case drillKind::bobs27: {
            const std::int32_t value = target().score();
            if (!roundHit_) {
                points_ -= value;
            }
            roundHit_ = false;
            if (points_ <= 0) {
                finished_ = true;
            } else if (++step_ == bobsRounds) {
                finished_ = true;
            }
            break;
        }
        case drillKind::scoring:
            if (visitPoints_ == 180) {
                ++highVisits_[2];
            } else if (visitPoints_ >= 140) {
                ++highVisits_[1];
            } else if (visitPoints_ >= 100) {
                ++highVisits_[0];
            }
            visitPoints_ = 0;
            finished_ = thrown_ == 99;
            break;
        case drillKind::checkout121:
        case drillKind::finishes: {
            visitStart_ = left_;
            const bool success = left_ == 0;
            if (!success && attemptThrown_ < attemptDarts_) {
                break;  // the attempt goes on with the next visit
            }
            ++attempt_;
            if (setup_.kind == drillKind::checkout121) {
                if (success) {
                    ++hits_;
                    best_ = std::max(best_, checkoutTarget_);
                    safePoint_ = ++checkoutTarget_;
                } else {
                    checkoutTarget_ = safePoint_;
                }
                finished_ = attempt_ == setup_.attempts;
                if (!finished_) {
                    startAttempt(checkoutTarget_);
                }
            } else {
                hits_ += success ? 1 : 0;
                finished_ = attempt_ == drawnFinishes;
                if (!finished_) {
                    startAttempt(finishes_[static_cast<std::size_t>(attempt_)]);
                }
            }
            break;
        }
        default:
            break;
    }
    return true;
}

drillScoreS drillC::score() const {
    drillScoreS s;
    s.darts = thrown_;
    s.hits = hits_;
    switch (setup_.kind) {
        case drillKind::aroundTheClock:
            s.value = thrown_;
            break;
        case drillKind::bobs27:
            s.value = points_;
            s.lost = points_ <= 0;
            s.round = std::min(step_ + 1, bobsRounds);
            break;
        case drillKind::checkout121:
            s.value = best_;
            break;
        case drillKind::doubles:
            s.value = thrown_ > 0 ? 100.0 * hits_ / thrown_ : 0.0;
            break;
        case drillKind::scoring:
            s.value = thrown_ > 0 ? 3.0 * points_ / thrown_ : 0.0;
            break;
        case drillKind::finishes:
            s.value = hits_;
            break;
    }
    return s;
}

}  // namespace qm
