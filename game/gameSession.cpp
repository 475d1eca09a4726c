#include "game/gameSession.h"

#include <stdexcept>

namespace qm {

gameSessionC::gameSessionC(std::vector<sessionPlayerS> players, gameModeC& rules,
                           legDartsWriter writeLegDarts)
    : players_(std::move(players)),
      rules_(rules),
      writeLegDarts_(std::move(writeLegDarts)),
      visitDarts_(players_.size()) {
    if (players_.empty()) {
        throw std::invalid_argument("a game needs a player");
    }
}

const sessionPlayerS& gameSessionC::player(int p) const {
    return players_.at(static_cast<std::size_t>(p));
}

void gameSessionC::setToThrow(int p) {
    if (p < 0 || p >= playerCount()) {
        throw std::invalid_argument("no such player to throw");
    }
    toThrow_ = p;
}

void gameSessionC::passTurn() {
    played_.push_back(toThrow_);
    const int thrower = toThrow_;
    do {
        toThrow_ = after(toThrow_);
    } while (toThrow_ != thrower && rules_.mayPassTurns() && rules_.passesTurns(toThrow_));
}

void gameSessionC::startLeg(int starter) {
    setToThrow(starter);
    played_.clear();
    entered_.clear();
    for (auto& visits : visitDarts_) {
        visits.clear();
    }
}

bool gameSessionC::humanMayEnter() const {
    return rules_.acceptsVisits() && !isComputer(toThrow_);
}

std::vector<dartS> gameSessionC::enteredHits() const {
    std::vector<dartS> hits;
    hits.reserve(entered_.size());
    for (const enteredDartS& dart : entered_) {
        hits.push_back(dart.hit);
    }
    return hits;
}

dartEntry gameSessionC::enterDart(const enteredDartS& dart) {
    if (!humanMayEnter()) {
        return dartEntry::ignored;
    }
    if (!rules_.acceptsDart(dart.hit)) {
        return dartEntry::refused;
    }
    // Every miss is the same dart, wherever it landed.
    entered_.push_back(dart.hit.type == 0 ? enteredDartS{{0, 0}, dart.point} : dart);
    if (entered_.size() == 3 || rules_.visitEnds(toThrow_, enteredHits())) {
        return dartEntry::endsVisit;
    }
    return dartEntry::goesOn;
}

bool gameSessionC::takeBackDart() {
    if (entered_.empty()) {
        return false;
    }
    entered_.pop_back();
    return true;
}

const std::vector<enteredDartS>& gameSessionC::takeVisit() {
    lastVisit_ = std::move(entered_);
    entered_.clear();
    std::vector<dartS> hits;
    for (const enteredDartS& dart : lastVisit_) {
        hits.push_back(dart.hit);
    }
    if (!rules_.visitEnds(toThrow_, hits)) {
        lastVisit_.resize(3);
    }
    return lastVisit_;
}

void gameSessionC::keepVisitDarts(int p, std::optional<std::vector<dartRecordS>> darts) {
    if (!keepsDarts()) {
        return;
    }
    auto& visits = visitDarts_.at(static_cast<std::size_t>(p));
    // A visit after an undo replaces the ones redo could have brought back.
    const auto position = static_cast<std::size_t>(rules_.visitsKept(p));
    visits.resize(position + 1);
    visits[position] = std::move(darts);
}

std::optional<std::vector<dartRecordS>> gameSessionC::legDarts(int p) const {
    const auto& visits = visitDarts_.at(static_cast<std::size_t>(p));
    const auto last = static_cast<std::size_t>(rules_.visitsKept(p));
    if (last == 0 || visits.size() <= last) {
        return std::nullopt;
    }
    std::vector<dartRecordS> darts;
    for (std::size_t v = 1; v <= last; ++v) {
        const std::optional<std::vector<dartRecordS>>& visit = visits.at(v);
        if (!visit) {
            return std::nullopt;
        }
        darts.insert(darts.end(), visit->begin(), visit->end());
    }
    return darts;
}

void gameSessionC::handOverLeg(int winner,
                               const std::function<void(int player, legDartsS&)>& complete) {
    std::vector<legDartsS> legs;
    for (int p = 0; p < playerCount(); ++p) {
        std::optional<std::vector<dartRecordS>> darts = legDarts(p);
        if (!darts) {
            continue;
        }
        legDartsS leg;
        leg.player = player(p).name;
        leg.won = p == winner;
        leg.darts = std::move(*darts);
        complete(p, leg);
        legs.push_back(std::move(leg));
    }
    if (!legs.empty()) {
        writeLegDarts_(legs);
    }
}

undoResultS gameSessionC::undo() {
    undoResultS result;
    if (takeBackDart()) {
        result.outcome = undoResultS::status::DartTakenBack;
        return result;
    }
    bool anyHuman = false;
    for (const sessionPlayerS& player : players_) {
        anyHuman = anyHuman || !player.computer;
    }
    if (!anyHuman) {
        result.outcome = undoResultS::status::ComputerGame;
        return result;
    }
    // While a computer is to throw its turn is already under way (or about to start); taking
    // visits back then would leave its timers acting for the wrong player.
    if (isComputer(toThrow_) || !rules_.acceptsVisits()) {
        result.outcome = undoResultS::status::ComputerToThrow;
        return result;
    }
    // Back through the leg's visits: every computer's on the way, then a human's.
    while (!played_.empty()) {
        const int p = played_.back();
        const std::optional<visitS> visit = rules_.takeBackVisit(p);
        if (!visit) {
            break;
        }
        played_.pop_back();
        result.steps.push_back({p, *visit});
        toThrow_ = p;
        if (!isComputer(p)) {
            return result;
        }
    }
    // Nothing more to take back: a computer whose visit was taken back throws again.
    result.outcome = undoResultS::status::NothingToUndo;
    result.computerTurnStarts = !result.steps.empty();
    return result;
}

redoResultS gameSessionC::redo() {
    redoResultS result;
    const int p = toThrow_;
    result.player = p;
    if (isComputer(p)) {
        result.outcome = redoResultS::status::ComputerToThrow;
        return result;
    }
    std::optional<visitS> visit;
    if (rules_.acceptsVisits() && entered_.empty()) {
        visit = rules_.bringBackVisit(p);
    }
    if (!visit) {
        result.outcome = redoResultS::status::NothingToRedo;
        return result;
    }
    result.visit = *visit;
    passTurn();
    result.computerTurnStarts = isComputer(toThrow_);
    return result;
}

}  // namespace qm
