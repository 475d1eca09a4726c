#include "match/ScoreBoardC.h"

#include <algorithm>
#include <array>

#include "stats/dartFigures.h"

namespace qm {

namespace {

// Totals that no three darts can make.
constexpr std::array<std::int32_t, 8> impossibleTotals{179, 178, 176, 175, 173, 172, 169, 166};
// Totals below 171 that no three darts ending on a double can make.
constexpr std::array<std::int32_t, 6> impossibleFinishes{169, 168, 165, 163, 162, 159};

template <std::size_t N>
bool contains(const std::array<std::int32_t, N>& table, std::int32_t value) {
    return std::find(table.begin(), table.end(), value) != table.end();
}

bool isOneDartScore(std::int32_t score) {
    return (score >= 1 && score <= 20) || score == 25 || score == 50 ||
           (score <= 40 && score % 2 == 0) || (score <= 60 && score % 3 == 0);
}

}  // namespace

std::int32_t fewestDartsToFinish(std::int32_t score) {
    if (isOneDartFinish(score)) {
        return 1;
    }
    for (std::int32_t first = 1; first <= 60; ++first) {
        if (isOneDartScore(first) && isOneDartFinish(score - first)) {
            return 2;
        }
    }
    return 3;
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
    if (score > 180 || score < 0) {
        return false;
    }
    if (score == remaining_) {
        if (score > 170 || contains(impossibleFinishes, score)) {
            return true;  // bust
        }
        remaining_ = 0;
        return true;
    }
    // The bust test comes first: an impossible total that overshoots is still a bust.
    const std::int32_t rest = remaining_ - score;
    if (rest == 1 || rest < 0) {
        return true;
    }
    if (contains(impossibleTotals, score)) {
        return false;
    }
    remaining_ -= score;
    return true;
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
