#include "game/MatchC.h"

#include <algorithm>
#include <stdexcept>

#include "computer/gameRandom.h"
#include "match/legFigures.h"
#include "match/x01Rules.h"

namespace qm {

MatchC::MatchC(const gameSettingsS& settings, matchContextS context)
    : settings_(settings),
      context_(std::move(context)),
      board_{ScoreBoardC(settings.startScore), ScoreBoardC(settings.startScore)},
      gboard_(settings.bestOfSets, settings.bestOfLegs) {
    if (context_.chart == nullptr || context_.vBoard == nullptr) {
        throw std::invalid_argument("MatchC needs the checkout chart and the board geometry");
    }
    for (int p = 0; p < 2; ++p) {
        if (!settings_.isComputer[p]) {
            continue;
        }
        hand_[p] = context_.hands[p];
        if (hand_[p] == nullptr) {
            const auto strength =
                static_cast<float>(std::clamp(settings_.strengths[p], minStrength, maxStrength));
            hand_[p] = &ownHands_[p].emplace(strength, *context_.vBoard, context_.seeding);
        }
    }
}

MatchC::MatchC(const gameSettingsS& settings, matchContextS context, const matchStateS& from)
    : MatchC(settings, std::move(context)) {
    const std::int32_t legsNeeded = (settings.bestOfLegs + 1) / 2;
    const std::int32_t setsNeeded = (settings.bestOfSets + 1) / 2;
    for (int p = 0; p < 2; ++p) {
        if (from.remaining[p] < 2 || from.remaining[p] > settings.startScore || from.legs[p] < 0 ||
            from.legs[p] >= legsNeeded || from.sets[p] < 0 || from.sets[p] >= setsNeeded) {
            throw std::invalid_argument("a match state no match can reach");
        }
    }
    if ((from.toThrow != 0 && from.toThrow != 1) ||
        (from.legStarter != 0 && from.legStarter != 1)) {
        throw std::invalid_argument("a player other than 0 or 1 in the match state");
    }
    board_ = {ScoreBoardC(settings.startScore, from.remaining[0]),
              ScoreBoardC(settings.startScore, from.remaining[1])};
    gboard_ = GameBoardC(settings.bestOfSets, settings.bestOfLegs, from.legs, from.sets);
    currentPlayer_ = from.toThrow;
    legStarter_ = from.legStarter;
}

turnS MatchC::turn() const {
    using waitingFor = turnS::waitingFor;
    const int p = currentPlayer_;
    if (matchOver_) {
        return {waitingFor::nothing, p};
    }
    if (legOver_) {
        return {waitingFor::nextLeg, p};
    }
    if (pendingCheckout_) {
        return {waitingFor::dartsUsed, p};
    }
    if (!isComputer(p)) {
        return {waitingFor::humanVisit, p};
    }
    return {visit_ ? waitingFor::computerDart : waitingFor::computerTurn, p};
}

visitOutcomeS MatchC::enterHumanVisit(std::int32_t total) {
    const int p = currentPlayer_;
    if (!playing() || pendingCheckout_ || isComputer(p) || !entered_.empty()) {
        return {VisitResult::Ignored, p, std::nullopt};
    }
    const visitOutcomeS outcome = scoreHumanVisit(total, false);
    if (outcome.result != VisitResult::Refused) {
        keepVisitDarts(p, std::nullopt);
    }
    return outcome;
}

visitOutcomeS MatchC::scoreHumanVisit(std::int32_t total, bool unseenBust) {
    const int p = currentPlayer_;
    if (!board_[p].addScore(unseenBust ? 0 : total, 3)) {
        return {VisitResult::Refused, p, std::nullopt};
    }
    gstats_[p].countHighScore(total);
    if (board_[p].remaining() != 0) {
        gstats_[p].addVisit(total, 3);
        currentPlayer_ = other(p);
        return {VisitResult::Scored, p, std::nullopt};
    }
    pendingCheckout_ = total;
    return {VisitResult::CheckoutPending, p, std::nullopt};
}

namespace {

std::int32_t sumOf(const std::vector<enteredDartS>& darts) {
    std::int32_t sum = 0;
    for (const enteredDartS& dart : darts) {
        sum += dart.hit.score();
    }
    return sum;
}

}  // namespace

std::int32_t MatchC::remainingAfterEntered() const {
    return board_[currentPlayer_].remaining() - sumOf(entered_);
}

visitOutcomeS MatchC::enterHumanDart(const enteredDartS& dart) {
    const int p = currentPlayer_;
    if (!playing() || pendingCheckout_ || isComputer(p)) {
        return {VisitResult::Ignored, p, std::nullopt};
    }
    if (!isValidTarget(dart.hit)) {
        return {VisitResult::Refused, p, std::nullopt};
    }
    const x01DartS after = applyX01Dart(remainingAfterEntered(), dart.hit);
    entered_.push_back(dart.hit.type == 0 ? enteredDartS{{0, 0}, dart.point} : dart);
    if (after.result != x01Result::scores || entered_.size() == 3) {
        return completeEnteredDarts();
    }
    return {VisitResult::DartEntered, p, std::nullopt};
}

bool MatchC::takeBackDart() {
    if (entered_.empty()) {
        return false;
    }
    entered_.pop_back();
    return true;
}

visitOutcomeS MatchC::completeEnteredDarts() {
    const int p = currentPlayer_;
    if (!playing() || pendingCheckout_ || isComputer(p) || entered_.empty()) {
        return {VisitResult::Ignored, p, std::nullopt};
    }
    std::int32_t left = board_[p].remaining();
    const std::int32_t visit = board_[p].historyPos() + 1;
    std::vector<dartS> hits;
    for (const enteredDartS& dart : entered_) {
        hits.push_back(dart.hit);
    }
    const x01VisitS played = applyX01Visit(left, hits);
    std::vector<dartRecordS> records;
    for (const enteredDartS& dart : entered_) {
        dartRecordS record;
        record.visit = visit;
        record.order = static_cast<std::int32_t>(records.size()) + 1;
        record.type = dart.hit.type;
        record.number = dart.hit.number;
        record.remainingBefore = left;
        if (dart.point) {
            record.point = dartPointS{dart.point->x, dart.point->y};
        }
        records.push_back(record);
        left -= dart.hit.score();
    }
    const bool ended = played.result != x01Result::scores;
    // The darts not entered of a visit that did not end are misses.
    while (!ended && records.size() < 3) {
        dartRecordS miss;
        miss.visit = visit;
        miss.order = static_cast<std::int32_t>(records.size()) + 1;
        miss.remainingBefore = left;
        records.push_back(miss);
    }
    const std::int32_t total = sumOf(entered_);
    entered_.clear();
    // Darts that reach 0 off a double bust, though their total alone would check out.
    const bool unseenBust = played.result == x01Result::busts && total == board_[p].remaining();
    const visitOutcomeS outcome = scoreHumanVisit(total, unseenBust);
    if (outcome.result == VisitResult::Refused) {
        return outcome;  // no three darts make a total the board refuses
    }
    keepVisitDarts(p, records);
    if (outcome.result != VisitResult::CheckoutPending) {
        return outcome;
    }
    return setDartsUsed(static_cast<std::int32_t>(records.size()));
}

visitOutcomeS MatchC::setDartsUsed(std::int32_t darts) {
    const int p = currentPlayer_;
    if (!pendingCheckout_) {
        return {VisitResult::Ignored, p, std::nullopt};
    }
    const std::int32_t total = *pendingCheckout_;
    pendingCheckout_.reset();
    // A record must never claim a leg no darts could make: 170 in one dart, say.
    dartsUsed_ = std::clamp(darts, fewestDartsToFinish(total), 3);
    board_[p].correctDarts(dartsUsed_ - 3);
    gstats_[p].addVisit(total, dartsUsed_);
    gstats_[p].updateBestFinish(total, dartsUsed_);
    saveLeg(p, total);
    return finishLeg(total, gboard_.legWon(p));
}

turnStartS MatchC::beginComputerTurn() {
    const int p = currentPlayer_;
    if (!playing()) {
        throw std::logic_error("beginComputerTurn between legs");
    }
    if (!isComputer(p) || visit_) {
        throw std::logic_error("beginComputerTurn while no computer turn is due");
    }
    if (board_[p].canRedo()) {
        board_[p].redo();
        const visitS visit = board_[p].lastThrow();
        gstats_[p].countHighScore(visit.points);
        gstats_[p].addVisit(visit.points, visit.darts);
        currentPlayer_ = other(p);
        return {true, visit};
    }
    visit_.emplace(board_[p].remaining());
    return {};
}

aimedDartS MatchC::aimDart(int k) {
    if (!visit_) {
        throw std::logic_error("aimDart without a computer visit");
    }
    const dartS target = visit_->aimDart(k, *context_.chart, *context_.vBoard);
    return {target, visit_->aimPoint()};
}

thrownDartS MatchC::throwDart(int k) {
    tabledHandC* hand = hand_[static_cast<std::size_t>(currentPlayer_)];
    if (!visit_ || hand == nullptr) {
        throw std::logic_error("throwDart without a computer visit");
    }
    std::uint32_t generator = generatorState();
    const bool goesOn = visit_->throwDart(k, *hand, generator);
    keepGeneratorState(generator);
    return {visit_->hit(k), visit_->dartPoint(k), goesOn};
}

visitOutcomeS MatchC::playComputerTurn() {
    if (beginComputerTurn().replayed) {
        return {VisitResult::Scored, other(currentPlayer_), std::nullopt};
    }
    std::uint32_t generator = generatorState();
    visit_->playOut(*context_.chart, *context_.vBoard,
                    *hand_[static_cast<std::size_t>(currentPlayer_)], generator);
    keepGeneratorState(generator);
    return completeComputerVisit();
}

visitOutcomeS MatchC::completeComputerVisit() {
    if (!visit_) {
        return {VisitResult::Ignored, currentPlayer_, std::nullopt};
    }
    const int total = visit_->visitTotal();
    const int darts = visit_->visitDarts();
    std::optional<std::vector<dartRecordS>> records;
    if (context_.writeLegDarts) {
        records = computerVisitDarts();
    }
    visit_.reset();
    return completeVisit(total, darts, std::move(records));
}

std::vector<dartRecordS> MatchC::computerVisitDarts() const {
    const int p = currentPlayer_;
    std::vector<dartRecordS> records;
    std::int32_t left = board_[p].remaining();
    for (int k = 1; k <= visit_->visitDarts(); ++k) {
        dartRecordS record;
        record.visit = board_[p].historyPos() + 1;
        record.order = k;
        record.type = visit_->hit(k).type;
        record.number = visit_->hit(k).number;
        record.remainingBefore = left;
        record.point = dartPointS{visit_->dartPoint(k).x, visit_->dartPoint(k).y};
        const dartS& aim = visit_->aimOf(k);
        record.targetType = aim.type;
        record.targetNumber = aim.number;
        records.push_back(record);
        left -= record.score();
    }
    return records;
}

visitOutcomeS MatchC::completeVisit(std::int32_t total, std::int32_t darts,
                                    std::optional<std::vector<dartRecordS>> records) {
    const int p = currentPlayer_;
    if (!playing() || pendingCheckout_) {
        return {VisitResult::Ignored, p, std::nullopt};
    }
    // A computer's total is a sum of real darts: never above 180 nor impossible.
    if (!board_[p].addScore(total, darts)) {
        return {VisitResult::Refused, p, std::nullopt};
    }
    keepVisitDarts(p, std::move(records));
    gstats_[p].countHighScore(total);
    gstats_[p].addVisit(total, darts);
    if (board_[p].remaining() != 0) {
        currentPlayer_ = other(p);
        return {VisitResult::Scored, p, std::nullopt};
    }
    const bool matchWon = gboard_.legWon(p);
    gstats_[p].updateBestFinish(total, darts);
    saveLeg(p, total);
    return finishLeg(total, matchWon);
}

std::uint32_t MatchC::generatorState() const {
    return context_.generator ? *context_.generator : gameRandom::state();
}

void MatchC::keepGeneratorState(std::uint32_t state) {
    if (context_.generator) {
        *context_.generator = state;
    } else {
        gameRandom::setState(state);
    }
}

void MatchC::keepVisitDarts(int p, std::optional<std::vector<dartRecordS>> darts) {
    if (!context_.writeLegDarts) {
        return;
    }
    auto& visits = visitDarts_[static_cast<std::size_t>(p)];
    // A visit after an undo replaces the ones redo could have brought back.
    const auto position = static_cast<std::size_t>(board_[p].historyPos());
    visits.resize(position + 1);
    visits[position] = std::move(darts);
}

void MatchC::saveLeg(int winner, std::int32_t finishScore) {
    savedLegS saved;
    if (!context_.writeLegRecord) {
        // A run that keeps no history: the leg's 180s still start afresh for the next one.
        for (GameStatsC& stats : gstats_) {
            stats.saveLeg({}, {}, nullptr);
        }
    } else {
        saved = saveStatistics({winner, finishScore, context_.today()}, board_, gstats_,
                               settings_.names, context_.writeLegRecord, context_.reportError);
    }
    if (context_.writeLegDarts) {
        saveLegDarts(winner, saved.places);
    }
}

void MatchC::saveLegDarts(int winner, const std::array<std::optional<std::int64_t>, 2>& places) {
    std::vector<legDartsS> legs;
    for (int p = 0; p < 2; ++p) {
        const auto& visits = visitDarts_[static_cast<std::size_t>(p)];
        const auto last = static_cast<std::size_t>(board_[p].historyPos());
        legDartsS leg;
        leg.player = settings_.names[static_cast<std::size_t>(p)];
        leg.day = context_.today();
        leg.startScore = settings_.startScore;
        leg.won = p == winner;
        leg.recordIndex = places[static_cast<std::size_t>(p)];
        bool known = last >= 1 && visits.size() > last;
        for (std::size_t v = 1; known && v <= last; ++v) {
            if (!visits[v]) {
                known = false;
                break;
            }
            leg.darts.insert(leg.darts.end(), visits[v]->begin(), visits[v]->end());
        }
        if (known) {
            leg.figures = legFigures(leg.darts);  // once, for the game and the history alike
            figures_[static_cast<std::size_t>(p)].add(leg.figures);
            legs.push_back(std::move(leg));
        }
    }
    if (!legs.empty()) {
        context_.writeLegDarts(legs);
    }
}

visitOutcomeS MatchC::finishLeg(std::int32_t finishScore, bool matchWon) {
    const int winner = currentPlayer_;
    legResultS leg;
    leg.winner = winner;
    leg.starter = legStarter_;
    for (int i = 0; i < 2; ++i) {
        leg.darts[i] = board_[i].darts();
        leg.points[i] = board_[i].startScore() - board_[i].remaining();
    }
    leg.finish = finishScore;
    leg.winnerPpd = board_[winner].getPPD();
    if (matchWon) {
        matchOver_ = true;
        return {VisitResult::MatchWon, winner, leg};
    }
    legOver_ = true;
    return {VisitResult::LegWon, winner, leg};
}

void MatchC::startNextLeg() {
    if (!legOver_) {
        return;
    }
    legOver_ = false;
    board_[0].reset();
    board_[1].reset();
    visitDarts_[0].clear();
    visitDarts_[1].clear();
    legStarter_ = other(legStarter_);
    currentPlayer_ = legStarter_;
}

bool MatchC::applyUndo(int p, undoResultS& result) {
    const visitS visit = board_[p].lastThrow();
    if (visit.points == 0 && visit.darts == 0) {
        return false;
    }
    gstats_[p].undoVisit(visit.points, visit.darts);
    board_[p].undo();
    result.steps.push_back({p, visit});
    return true;
}

undoResultS MatchC::undo() {
    undoResultS result;
    if (takeBackDart()) {
        result.outcome = undoResultS::status::DartTakenBack;
        return result;
    }
    if (isComputer(0) && isComputer(1)) {
        result.outcome = undoResultS::status::ComputerGame;
        return result;
    }
    // While a computer is to throw its turn is already under way (or about to start); taking
    // visits back then would leave its timers acting for the wrong player.
    if (isComputer(currentPlayer_) || !playing() || pendingCheckout_) {
        result.outcome = undoResultS::status::ComputerToThrow;
        return result;
    }
    currentPlayer_ = other(currentPlayer_);
    if (isComputer(currentPlayer_)) {
        if (!applyUndo(currentPlayer_, result)) {
            currentPlayer_ = other(currentPlayer_);
            result.outcome = undoResultS::status::NothingToUndo;
            return result;
        }
        currentPlayer_ = other(currentPlayer_);
    }
    if (!applyUndo(currentPlayer_, result)) {
        currentPlayer_ = other(currentPlayer_);
        result.outcome = undoResultS::status::NothingToUndo;
        result.computerTurnStarts = isComputer(currentPlayer_);
    }
    return result;
}

redoResultS MatchC::redo() {
    redoResultS result;
    const int p = currentPlayer_;
    result.player = p;
    if (isComputer(p)) {
        result.outcome = redoResultS::status::ComputerToThrow;
        return result;
    }
    if (!playing() || pendingCheckout_ || !entered_.empty() || !board_[p].redo()) {
        result.outcome = redoResultS::status::NothingToRedo;
        return result;
    }
    result.visit = board_[p].lastThrow();
    gstats_[p].countHighScore(result.visit.points);
    gstats_[p].addVisit(result.visit.points, result.visit.darts);
    currentPlayer_ = other(p);
    result.computerTurnStarts = isComputer(currentPlayer_);
    return result;
}

}  // namespace qm
