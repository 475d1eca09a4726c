#include "game/visitChances.h"

#include <stdexcept>

#include "match/x01Rules.h"

namespace qm {

namespace {

constexpr std::int32_t bust = -1;

// Adds `chance` of leaving `left` to a dense tally indexed by left + 1 (the bust at 0).
void tally(std::vector<double>& dense, std::int32_t left, double chance) {
    dense[static_cast<std::size_t>(left + 1)] += chance;
}

std::vector<leftChanceS> sparse(const std::vector<double>& dense) {
    std::vector<leftChanceS> out;
    for (std::size_t i = 0; i < dense.size(); ++i) {
        if (dense[i] > 0.0) {
            out.push_back({static_cast<std::int32_t>(i) - 1, dense[i]});
        }
    }
    return out;
}

}  // namespace

visitChancesC::visitChancesC(dartOutcomesC& darts, const vPlayerC& chart, std::int32_t highest)
    : highest_(highest) {
    if (highest < 2) {
        throw std::out_of_range("a visit starts from 2 or more");
    }
    const auto size = static_cast<std::size_t>(highest) + 1;
    std::vector<dartS> aims;
    for (int k = 1; k <= 3; ++k) {
        for (std::int32_t left = 2; left <= highest; ++left) {
            aims.push_back(chart.dartCheck(k, left, false));
        }
    }
    darts.prepare(aims);
    std::vector<double> dense;
    // The third dart first: each earlier dart goes on to the outcomes of the next.
    for (int k = 3; k >= 1; --k) {
        auto& outcomes = rest_[static_cast<std::size_t>(k - 1)];
        auto& meanDarts = restDarts_[static_cast<std::size_t>(k - 1)];
        outcomes.resize(size);
        meanDarts.assign(size, 0.0);
        for (std::int32_t left = 2; left <= highest; ++left) {
            dense.assign(static_cast<std::size_t>(left) + 2, 0.0);
            double thrown = 1.0;
            for (const hitChanceS& hit : darts.at(chart.dartCheck(k, left, false))) {
                const x01DartS after = applyX01Dart(left, hit.hit);
                if (after.result == x01Result::checksOut) {
                    tally(dense, 0, hit.chance);
                } else if (after.result == x01Result::busts) {
                    tally(dense, bust, hit.chance);
                } else if (k == 3) {
                    tally(dense, after.left, hit.chance);
                } else {
                    for (const leftChanceS& next : rest(k + 1, after.left)) {
                        tally(dense, next.left, hit.chance * next.chance);
                    }
                    thrown += hit.chance * restDarts_[static_cast<std::size_t>(k)]
                                                     [static_cast<std::size_t>(after.left)];
                }
            }
            outcomes[static_cast<std::size_t>(left)] = sparse(dense);
            meanDarts[static_cast<std::size_t>(left)] = thrown;
        }
    }
    visits_.resize(size);
    for (std::int32_t score = 2; score <= highest; ++score) {
        visits_[static_cast<std::size_t>(score)] = partWay(score, 0, score);
    }
}

const std::vector<leftChanceS>& visitChancesC::rest(int k, std::int32_t left) const {
    return rest_[static_cast<std::size_t>(k - 1)].at(static_cast<std::size_t>(left));
}

const std::vector<leftChanceS>& visitChancesC::from(std::int32_t score) const {
    if (score < 2 || score > highest_) {
        throw std::out_of_range("no visit from " + std::to_string(score));
    }
    return visits_[static_cast<std::size_t>(score)];
}

std::vector<leftChanceS> visitChancesC::partWay(std::int32_t start, int thrown,
                                                std::int32_t left) const {
    if (start < 2 || start > highest_ || left < 2 || left > start || thrown < 0 || thrown > 2) {
        throw std::out_of_range("no such visit part-way");
    }
    std::vector<double> dense(static_cast<std::size_t>(start) + 2, 0.0);
    for (const leftChanceS& outcome : rest(thrown + 1, left)) {
        // A bust puts the score back to what it was when the visit began.
        tally(dense, outcome.left == bust ? start : outcome.left, outcome.chance);
    }
    std::vector<leftChanceS> out = sparse(dense);
    return out;
}

double visitChancesC::expectedDarts(std::int32_t score) const {
    (void)from(score);  // the range check
    return restDarts_[0][static_cast<std::size_t>(score)];
}

}  // namespace qm
