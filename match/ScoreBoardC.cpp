#include "match/ScoreBoardC.h"

#include "match/x01Rules.h"

namespace qm {

std::int32_t fewestDartsToFinish(std::int32_t score) {
    const std::int32_t fewest = dartsToFinish(score);
    return fewest == 0 ? 3 : fewest;
}

ScoreBoardC::ScoreBoardC(std::int32_t startScore)
    : remaining_(startScore), startScore_(startScore) {
    // A leg rarely has more than a few dozen visits; avoid regrowing in the simulator's hot loop.
    dartsHistory_.reserve(64);
    remainingHistory_.reserve(64);
    dartsHistory_.push_back(0);
    remainingHistory_.push_back(startScore);
}

ScoreBoardC::ScoreBoardC(std::int32_t startScore, std::int32_t remaining)
    : ScoreBoardC(startScore) {
    remaining_ = remaining;
    remainingHistory_[0] = remaining;
}

void ScoreBoardC::reset() {
    dartsHistory_.assign(1, 0);
    remainingHistory_.assign(1, startScore_);
    darts_ = 0;
    remaining_ = startScore_;
    historyPos_ = 0;
    historyTop_ = 0;
}

bool ScoreBoardC::checkScore(std::int32_t score) {
    switch (applyX01Total(remaining_, score)) {
        case x01Result::refused:
            return false;
        case x01Result::busts:
            return true;
        case x01Result::checksOut:
            remaining_ = 0;
            return true;
        case x01Result::scores:
            remaining_ -= score;
            return true;
    }
    return false;
}

bool ScoreBoardC::addScore(std::int32_t score, std::int32_t dartsUsed) {
    if (!checkScore(score)) {
        return false;
    }
    darts_ += dartsUsed;
    pushHistory(remaining_, darts_);
    return true;
}

void ScoreBoardC::pushHistory(std::int32_t remaining, std::int32_t darts) {
    const auto lastIndex = static_cast<std::int32_t>(dartsHistory_.size()) - 1;
    if (historyPos_ >= historyTop_ && historyPos_ == lastIndex) {
        dartsHistory_.push_back(darts);
        remainingHistory_.push_back(remaining);
        historyPos_ = historyTop_ = lastIndex + 1;
        return;
    }
    // A new visit after an undo: what redo could have restored becomes unreachable.
    ++historyPos_;
    dartsHistory_[historyPos_] = darts;
    remainingHistory_[historyPos_] = remaining;
    historyTop_ = historyPos_;
}

void ScoreBoardC::restoreFromHistory() {
    remaining_ = remainingHistory_[historyPos_];
    darts_ = dartsHistory_[historyPos_];
}

bool ScoreBoardC::undo() {
    if (historyPos_ < 1) {
        return false;
    }
    --historyPos_;
    restoreFromHistory();
    return true;
}

bool ScoreBoardC::redo() {
    if (historyPos_ >= historyTop_) {
        return false;
    }
    ++historyPos_;
    restoreFromHistory();
    return true;
}

visitS ScoreBoardC::lastThrow() const {
    if (historyPos_ < 1) {
        return {};
    }
    return {remainingHistory_[historyPos_ - 1] - remaining_,
            darts_ - dartsHistory_[historyPos_ - 1]};
}

double ScoreBoardC::getPPD() const {
    if (darts_ == 0) {
        return 0.0;
    }
    return static_cast<double>(startScore_ - remaining_) / static_cast<double>(darts_);
}

}  // namespace qm
