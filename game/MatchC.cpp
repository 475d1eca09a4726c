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
      gboard_(settings.bestOfSets, settings.bestOfLegs),
      session_({{settings.names[0], settings.isComputer[0]},
                {settings.names[1], settings.isComputer[1]}},
               *this, std::move(context_.writeLegDarts)) {
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
            hand_[p] = &ownHands_[p].emplace(strength, *context_.vBoard, context_.seeding,
                                             context_.twins[static_cast<std::size_t>(p)]);
        }
    }
}

void checkMatchState(const gameSettingsS& settings, const matchStateS& state) {
    const std::int32_t legsNeeded = (settings.bestOfLegs + 1) / 2;
    const std::int32_t setsNeeded = (settings.bestOfSets + 1) / 2;
    for (int p = 0; p < 2; ++p) {
        if (state.remaining[p] < 2 || state.remaining[p] > settings.startScore ||
            state.legs[p] < 0 || state.legs[p] >= legsNeeded || state.sets[p] < 0 ||
            state.sets[p] >= setsNeeded) {
            throw std::invalid_argument("a match state no match can reach");
        }
    }
    if ((state.toThrow != 0 && state.toThrow != 1) ||
        (state.legStarter != 0 && state.legStarter != 1)) {
        throw std::invalid_argument("a player other than 0 or 1 in the match state");
    }
}

MatchC::MatchC(const gameSettingsS& settings, matchContextS context, const matchStateS& from)
    : MatchC(settings, std::move(context)) {
    checkMatchState(settings, from);
    board_ = {ScoreBoardC(settings.startScore, from.remaining[0]),
              ScoreBoardC(settings.startScore, from.remaining[1])};
    gboard_ = GameBoardC(settings.bestOfSets, settings.bestOfLegs, from.legs, from.sets);
    session_.setToThrow(from.toThrow);
    legStarter_ = from.legStarter;
}

turnS MatchC::turn() const {
    using waitingFor = turnS::waitingFor;
    const int p = currentPlayer();
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
    const int p = currentPlayer();
    if (!session_.humanMayEnter() || !enteredDarts().empty()) {
        return {VisitResult::Ignored, p, std::nullopt};
    }
    const visitOutcomeS outcome = scoreHumanVisit(total, false);
    if (outcome.result != VisitResult::Refused) {
        session_.keepVisitDarts(p, std::nullopt);
    }
    return outcome;
}

visitOutcomeS MatchC::scoreHumanVisit(std::int32_t total, bool unseenBust) {
    const int p = currentPlayer();
    if (!board_[p].addScore(unseenBust ? 0 : total, 3)) {
        return {VisitResult::Refused, p, std::nullopt};
    }
    gstats_[p].countHighScore(total);
    if (board_[p].remaining() != 0) {
        gstats_[p].addVisit(total, 3);
        session_.passTurn();
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
    return board_[currentPlayer()].remaining() - sumOf(enteredDarts());
}

bool MatchC::acceptsDart(const dartS& dart) const {
    return isValidTarget(dart);
}

bool MatchC::visitEnds(int player, std::span<const dartS> darts) const {
    return applyX01Visit(board_[player].remaining(), darts).result != x01Result::scores;
}

visitOutcomeS MatchC::enterHumanDart(const enteredDartS& dart) {
    const int p = currentPlayer();
    switch (session_.enterDart(dart)) {
        case dartEntry::ignored:
            return {VisitResult::Ignored, p, std::nullopt};
        case dartEntry::refused:
            return {VisitResult::Refused, p, std::nullopt};
        case dartEntry::goesOn:
            return {VisitResult::DartEntered, p, std::nullopt};
        case dartEntry::endsVisit:
            break;
    }
    return completeEnteredDarts();
}

visitOutcomeS MatchC::completeEnteredDarts() {
    const int p = currentPlayer();
    if (!session_.humanMayEnter() || enteredDarts().empty()) {
        return {VisitResult::Ignored, p, std::nullopt};
    }
    const std::int32_t start = board_[p].remaining();
    const std::int32_t visit = board_[p].historyPos() + 1;
    std::int32_t left = start;
    std::vector<dartS> hits;
    std::vector<dartRecordS> records;
    // Padded with misses where the visit did not end early.
    for (const enteredDartS& dart : session_.takeVisit()) {
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
        hits.push_back(dart.hit);
        left -= dart.hit.score();
    }
    const std::int32_t total = start - left;
    // Darts that reach 0 off a double bust, though their total alone would check out.
    const bool unseenBust = total == start && applyX01Visit(start, hits).result == x01Result::busts;
    const visitOutcomeS outcome = scoreHumanVisit(total, unseenBust);
    if (outcome.result == VisitResult::Refused) {
        return outcome;  // no three darts make a total the board refuses
    }
    session_.keepVisitDarts(p, records);
    if (outcome.result != VisitResult::CheckoutPending) {
        return outcome;
    }
    return setDartsUsed(static_cast<std::int32_t>(records.size()));
}

visitOutcomeS MatchC::setDartsUsed(std::int32_t darts) {
    const int p = currentPlayer();
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
    const int p = currentPlayer();
    if (!playing()) {
        throw std::logic_error("beginComputerTurn between legs");
    }
    if (!isComputer(p) || visit_) {
        throw std::logic_error("beginComputerTurn while no computer turn is due");
    }
    if (const std::optional<visitS> replayed = bringBackVisit(p)) {
        session_.passTurn();
        return {true, *replayed};
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
    tabledHandC* hand = hand_[static_cast<std::size_t>(currentPlayer())];
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
        return {VisitResult::Scored, other(currentPlayer()), std::nullopt};
    }
    std::uint32_t generator = generatorState();
    visit_->playOut(*context_.chart, *context_.vBoard,
                    *hand_[static_cast<std::size_t>(currentPlayer())], generator);
    keepGeneratorState(generator);
    return completeComputerVisit();
}

visitOutcomeS MatchC::completeComputerVisit() {
    if (!visit_) {
        return {VisitResult::Ignored, currentPlayer(), std::nullopt};
    }
    const int total = visit_->visitTotal();
    const int darts = visit_->visitDarts();
    std::optional<std::vector<dartRecordS>> records;
    if (session_.keepsDarts()) {
        records = computerVisitDarts();
    }
    visit_.reset();
    return completeVisit(total, darts, std::move(records));
}

std::vector<dartRecordS> MatchC::computerVisitDarts() const {
    const int p = currentPlayer();
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
    const int p = currentPlayer();
    if (!playing() || pendingCheckout_) {
        return {VisitResult::Ignored, p, std::nullopt};
    }
    // A computer's total is a sum of real darts: never above 180 nor impossible.
    if (!board_[p].addScore(total, darts)) {
        return {VisitResult::Refused, p, std::nullopt};
    }
    session_.keepVisitDarts(p, std::move(records));
    gstats_[p].countHighScore(total);
    gstats_[p].addVisit(total, darts);
    if (board_[p].remaining() != 0) {
        session_.passTurn();
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
    session_.handOverLeg(winner, [&](int p, legDartsS& leg) {
        const auto player = static_cast<std::size_t>(p);
        leg.day = context_.today();
        leg.startScore = settings_.startScore;
        leg.recordIndex = saved.places[player];
        leg.figures = legFigures(leg.darts);  // once, for the game and the history alike
        figures_[player].add(leg.figures);
    });
}

visitOutcomeS MatchC::finishLeg(std::int32_t finishScore, bool matchWon) {
    const int winner = currentPlayer();
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
    legStarter_ = other(legStarter_);
    session_.startLeg(legStarter_);
}

std::optional<visitS> MatchC::takeBackVisit(int p) {
    const visitS visit = board_[p].lastThrow();
    if (visit.points == 0 && visit.darts == 0) {
        return std::nullopt;
    }
    gstats_[p].undoVisit(visit.points, visit.darts);
    board_[p].undo();
    return visit;
}

std::optional<visitS> MatchC::bringBackVisit(int p) {
    if (!board_[p].redo()) {
        return std::nullopt;
    }
    const visitS visit = board_[p].lastThrow();
    gstats_[p].countHighScore(visit.points);
    gstats_[p].addVisit(visit.points, visit.darts);
    return visit;
}

}  // namespace qm
