#include "game/practiceC.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "computer/gameRandom.h"
#include "match/x01Rules.h"
#include "settings/gameSettingsS.h"

namespace qm {

namespace {

std::vector<sessionPlayerS> sessionPlayers(const std::vector<practicePlayerS>& players) {
    if (players.empty() || players.size() > 4) {
        throw std::invalid_argument("a drill is for one to four players");
    }
    std::vector<sessionPlayerS> out;
    for (const practicePlayerS& p : players) {
        out.push_back({p.name, p.computer});
    }
    return out;
}

std::vector<dartS> hitsOf(const std::vector<dartRecordS>& darts) {
    std::vector<dartS> hits;
    for (const dartRecordS& d : darts) {
        hits.push_back({d.type, d.number});
    }
    return hits;
}

visitS visitOf(const std::vector<dartRecordS>& darts) {
    visitS visit;
    for (const dartRecordS& d : darts) {
        visit.points += d.score();
        ++visit.darts;
    }
    return visit;
}

}  // namespace

practiceC::practiceC(const drillSetupS& setup, const std::vector<practicePlayerS>& players,
                     practiceContextS context)
    : gameModeC(true),
      setup_(setup),
      players_(players),
      context_(std::move(context)),
      session_(sessionPlayers(players), *this) {
    if (context_.chart == nullptr || context_.vBoard == nullptr) {
        throw std::invalid_argument("a drill needs the checkout chart and the board geometry");
    }
    for (const practicePlayerS& p : players_) {
        progress_.push_back({drillC(setup), {}, 0, false});
        std::optional<tabledHandC>& hand = hands_.emplace_back();
        if (p.computer) {
            const auto strength =
                static_cast<float>(std::clamp(p.strength, minStrength, maxStrength));
            hand.emplace(strength, *context_.vBoard, context_.seeding, p.twin);
        }
    }
}

const drillC& practiceC::drill(int player) const {
    return progress_.at(static_cast<std::size_t>(player)).drill;
}

bool practiceC::gameOver() const {
    if (abandoned_) {
        return true;
    }
    for (const progressS& p : progress_) {
        if (!p.drill.finished()) {
            return false;
        }
    }
    return true;
}

bool practiceC::acceptsDart(const dartS& dart) const {
    return isValidTarget(dart);
}

bool practiceC::visitEnds(int player, std::span<const dartS> darts) const {
    drillC copy = drill(player);
    for (const dartS& dart : darts) {
        if (copy.finished() || copy.dart(dart)) {
            return true;
        }
    }
    return false;
}

drillC practiceC::underWay() const {
    drillC copy = drill(toThrow());
    for (const dartRecordS& d : visitUnderWay_) {
        copy.dart({d.type, d.number});
    }
    for (const enteredDartS& d : session_.enteredDarts()) {
        copy.dart(d.hit);
    }
    return copy;
}

dartS drillAim(const drillC& drill, const vPlayerC& chart) {
    if (drill.isCheckout()) {
        return chart.dartCheck(drill.dartsInVisit() + 1, drill.checkoutLeft(), false);
    }
    return drill.target();
}

dartRecordS drillDart(const drillC& drill, int visit, const dartS& hit,
                      const std::optional<boardPointS>& point, const vPlayerC& chart) {
    dartRecordS r;
    r.visit = visit;
    r.order = drill.dartsInVisit() + 1;
    r.type = hit.type;
    r.number = hit.type == 0 ? 0 : hit.number;
    r.remainingBefore = drill.isCheckout() ? drill.checkoutLeft() : 0;
    if (point) {
        r.point = dartPointS{point->x, point->y};
    }
    const dartS aim = drillAim(drill, chart);
    r.targetType = aim.type;
    r.targetNumber = aim.number;
    return r;
}

dartS practiceC::aim() const {
    return drillAim(underWay(), *context_.chart);
}

practiceStep practiceC::enterHumanDart(const enteredDartS& dart) {
    switch (session_.enterDart(dart)) {
        case dartEntry::ignored:
            return practiceStep::ignored;
        case dartEntry::refused:
            return practiceStep::refused;
        case dartEntry::goesOn:
            return practiceStep::dartEntered;
        case dartEntry::endsVisit:
            break;
    }
    return completeEnteredDarts();
}

practiceStep practiceC::completeEnteredDarts() {
    if (!session_.humanMayEnter() || session_.enteredDarts().empty()) {
        return practiceStep::ignored;
    }
    const progressS& progress = progress_[static_cast<std::size_t>(toThrow())];
    const int visit = static_cast<int>(progress.kept) + 1;
    drillC copy = progress.drill;
    std::vector<dartRecordS> darts;
    for (const enteredDartS& dart : session_.takeVisit()) {
        darts.push_back(drillDart(copy, visit, dart.hit, dart.point, *context_.chart));
        copy.dart(dart.hit);
    }
    return playVisit(std::move(darts));
}

practiceC::computerDartS practiceC::throwComputerDart() {
    const int p = toThrow();
    std::optional<tabledHandC>& hand = hands_.at(static_cast<std::size_t>(p));
    if (gameOver() || !hand) {
        return {};
    }
    const drillC now = underWay();
    const dartS target = drillAim(now, *context_.chart);
    const boardPointS aimPoint = context_.vBoard->getCoordinates(target.type, target.number);
    std::uint32_t generator = context_.generator ? *context_.generator : gameRandom::state();
    const landedDartS landed = hand->throwAt(target, aimPoint, generator);
    if (context_.generator) {
        *context_.generator = generator;
    } else {
        gameRandom::setState(generator);
    }
    const int visit = static_cast<int>(progress_[static_cast<std::size_t>(p)].kept) + 1;
    visitUnderWay_.push_back(drillDart(now, visit, landed.hit, landed.point, *context_.chart));
    computerDartS out{target, landed.point, landed.hit, practiceStep::dartEntered};
    drillC after = now;
    if (after.dart(landed.hit)) {
        out.step = playVisit(std::exchange(visitUnderWay_, {}));
    }
    return out;
}

practiceStep practiceC::playVisit(std::vector<dartRecordS> darts) {
    progressS& progress = progress_[static_cast<std::size_t>(toThrow())];
    progress.visits.resize(progress.kept);  // a new visit replaces those redo could bring back
    for (const dartS& hit : hitsOf(darts)) {
        progress.drill.dart(hit);
    }
    progress.visits.push_back(std::move(darts));
    ++progress.kept;
    session_.passTurn();
    if (gameOver()) {
        handOver(true);
        return practiceStep::drillOver;
    }
    return practiceStep::visitOver;
}

void practiceC::replay(progressS& progress) const {
    progress.drill = drillC(setup_);
    for (std::size_t v = 0; v < progress.kept; ++v) {
        for (const dartS& hit : hitsOf(progress.visits[v])) {
            progress.drill.dart(hit);
        }
    }
}

std::int32_t practiceC::visitsKept(int player) const {
    return static_cast<std::int32_t>(progress_.at(static_cast<std::size_t>(player)).kept);
}

std::optional<visitS> practiceC::takeBackVisit(int player) {
    progressS& progress = progress_.at(static_cast<std::size_t>(player));
    if (progress.kept == 0) {
        return std::nullopt;
    }
    --progress.kept;
    replay(progress);
    return visitOf(progress.visits[progress.kept]);
}

std::optional<visitS> practiceC::bringBackVisit(int player) {
    progressS& progress = progress_.at(static_cast<std::size_t>(player));
    if (progress.kept == progress.visits.size()) {
        return std::nullopt;
    }
    ++progress.kept;
    replay(progress);
    return visitOf(progress.visits[progress.kept - 1]);
}

void practiceC::abandon() {
    if (!gameOver()) {
        abandoned_ = true;
        handOver(false);
    }
}

void practiceC::handOver(bool finished) {
    if (!context_.writeResult) {
        return;
    }
    for (std::size_t p = 0; p < progress_.size(); ++p) {
        progressS& progress = progress_[p];
        if (progress.handedOver || progress.kept == 0) {
            continue;
        }
        progress.handedOver = true;
        practiceResultS result;
        result.player = players_[p].name;
        result.day = context_.today();
        result.setup = setup_;
        result.finished = finished;
        result.score = progress.drill.score();
        for (std::size_t v = 0; v < progress.kept; ++v) {
            result.darts.insert(result.darts.end(), progress.visits[v].begin(),
                                progress.visits[v].end());
        }
        context_.writeResult(result);
    }
}

}  // namespace qm
