#include "game/expectedFigures.h"

#include <algorithm>

namespace qm {

std::vector<double> expectedDartsToFinish(const visitChancesC& visits) {
    std::vector<double> darts(static_cast<std::size_t>(visits.highest()) + 1, 0.0);
    for (std::int32_t score = 2; score <= visits.highest(); ++score) {
        double stays = 0.0;
        double later = 0.0;  // the darts after this visit, from the scores it leaves
        for (const leftChanceS& o : visits.from(score)) {
            if (o.left == score) {
                stays = o.chance;
            } else if (o.left != 0) {
                later += o.chance * darts[static_cast<std::size_t>(o.left)];
            }
        }
        // d = visit + later + stays d: a visit that leaves the score as it was starts again.
        darts[static_cast<std::size_t>(score)] =
            (visits.expectedDarts(score) + later) / (1.0 - stays);
    }
    return darts;
}

namespace {

// Both players' total of a figure each visit adds to (`own`, by the score it starts from: the
// darts it throws, the points it scores) until the leg is over, from every pair of scores: by
// (the score of the player to throw, the other's). The model is the same for both players, so
// one table serves either to throw.
std::vector<double> untilTheLegEnds(const visitChancesC& visits, const std::vector<double>& own) {
    const std::int32_t highest = visits.highest();
    const auto stride = static_cast<std::size_t>(highest) + 1;
    std::vector<double> table(stride * stride, 0.0);
    // own(m) plus what comes after each score the visit leaves but m itself, whose chance is
    // `stays`.
    const auto rest = [&](std::size_t m, std::size_t t, double& stays) {
        double total = own[m];
        for (const leftChanceS& o : visits.from(static_cast<std::int32_t>(m))) {
            const auto left = static_cast<std::size_t>(o.left);
            if (left == m) {
                stays = o.chance;
            } else if (left != 0) {
                total += o.chance * table[t * stride + left];
            }
        }
        return total;
    };
    for (std::int32_t sum = 4; sum <= 2 * highest; ++sum) {
        for (std::int32_t low = std::max(2, sum - highest); low <= sum / 2; ++low) {
            const auto m = static_cast<std::size_t>(low);
            const auto t = static_cast<std::size_t>(sum - low);
            double mStays = 0.0;
            double tStays = 0.0;
            const double mRest = rest(m, t, mStays);
            const double tRest = rest(t, m, tStays);
            // e(m, t) = mRest + mStays e(t, m) and e(t, m) = tRest + tStays e(m, t).
            const double mFirst = (mRest + mStays * tRest) / (1.0 - mStays * tStays);
            table[m * stride + t] = mFirst;
            table[t * stride + m] = tRest + tStays * mFirst;
        }
    }
    return table;
}

}  // namespace

double headToHeadAverage(const visitChancesC& visits) {
    const std::int32_t highest = visits.highest();
    const auto stride = static_cast<std::size_t>(highest) + 1;
    std::vector<double> darts(stride, 0.0);
    std::vector<double> points(stride, 0.0);
    for (std::int32_t score = 2; score <= highest; ++score) {
        const auto s = static_cast<std::size_t>(score);
        darts[s] = visits.expectedDarts(score);
        for (const leftChanceS& o : visits.from(score)) {
            points[s] += o.chance * static_cast<double>(score - o.left);
        }
    }
    const std::size_t start =
        static_cast<std::size_t>(highest) * stride + static_cast<std::size_t>(highest);
    return 3.0 * untilTheLegEnds(visits, points)[start] / untilTheLegEnds(visits, darts)[start];
}

}  // namespace qm
