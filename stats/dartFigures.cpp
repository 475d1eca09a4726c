#include "stats/dartFigures.h"

#include <algorithm>
#include <cstdio>

#include "stats/decimals.h"

namespace qm {

namespace {

// The points a visit adds, or nothing if it busts, and whether it won the leg.
struct visitEndS {
    std::int32_t points = 0;
    bool bust = false;
    bool won = false;
};

visitEndS playVisit(std::span<const dartRecordS> visit) {
    std::int32_t left = visit.front().remainingBefore;
    std::int32_t points = 0;
    for (const dartRecordS& dart : visit) {
        left -= dart.score();
        points += dart.score();
        if (left == 0 && dart.type == 2) {
            return {points, false, true};
        }
        if (left <= 1) {
            return {0, true, false};
        }
    }
    return {points, false, false};
}

}  // namespace

legFiguresS legFigures(std::span<const dartRecordS> darts) {
    legFiguresS figures;
    std::size_t begin = 0;
    while (begin < darts.size()) {
        std::size_t end = begin + 1;
        while (end < darts.size() && darts[end].visit == darts[begin].visit) {
            ++end;
        }
        const auto visit = darts.subspan(begin, end - begin);
        const visitEndS result = playVisit(visit);
        std::int32_t first9Darts = 0;
        for (std::size_t i = begin; i < end; ++i) {
            if (isOneDartFinish(darts[i].remainingBefore)) {
                ++figures.atDouble;
            }
            if (i < 9) {
                ++first9Darts;
            }
        }
        figures.darts += static_cast<std::int32_t>(visit.size());
        figures.points += result.points;
        figures.first9Darts += first9Darts;
        if (first9Darts > 0 && !result.bust) {
            // A visit across the ninth dart counts the points of its darts up to the ninth.
            for (std::size_t i = begin; i < std::min<std::size_t>(end, 9); ++i) {
                figures.first9Points += darts[i].score();
            }
        }
        if (result.won) {
            figures.doublesHit = 1;
            figures.checkout = result.points;
        }
        begin = end;
    }
    return figures;
}

void dartFiguresS::add(const legFiguresS& leg) {
    ++legs;
    if (leg.first9Darts > 0) {
        first9Sum += 3.0 * leg.first9Points / leg.first9Darts;
        ++first9Legs;
    }
    atDouble += leg.atDouble;
    doublesHit += leg.doublesHit;
    highestCheckout = std::max(highestCheckout, leg.checkout);
}

double dartFiguresS::first9Average() const {
    return first9Legs == 0 ? 0.0 : first9Sum / static_cast<double>(first9Legs);
}

double dartFiguresS::checkoutPercent() const {
    return atDouble == 0 ? 0.0 : 100.0 * static_cast<double>(doublesHit) / atDouble;
}

std::string checkoutText(const dartFiguresS& figures) {
    if (figures.atDouble == 0) {
        return "-";
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.1f%% (%lld/%lld)", figures.checkoutPercent(),
                  static_cast<long long>(figures.doublesHit),
                  static_cast<long long>(figures.atDouble));
    return text;
}

std::string first9Text(const dartFiguresS& figures) {
    if (figures.first9Legs == 0) {
        return "-";
    }
    return twoDecimals(figures.first9Average());
}

}  // namespace qm
