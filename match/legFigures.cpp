#include "match/legFigures.h"

#include <algorithm>
#include <vector>

#include "match/x01Rules.h"

namespace qm {

namespace {

// The points a visit adds, or nothing if it busts, and whether it won the leg.
struct visitEndS {
    std::int32_t points = 0;
    bool bust = false;
    bool won = false;
};

visitEndS playVisit(std::span<const dartRecordS> visit) {
    std::vector<dartS> darts;
    darts.reserve(visit.size());
    for (const dartRecordS& dart : visit) {
        darts.push_back({dart.type, dart.number});
    }
    const x01VisitS played = applyX01Visit(visit.front().remainingBefore, darts);
    return {played.points, played.result == x01Result::busts,
            played.result == x01Result::checksOut};
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

}  // namespace qm
