#include "game/playerThrow.h"

namespace qm {

std::vector<fitDartS> fitDartsOf(dartHistoryC& history, const std::string& player) {
    std::vector<fitDartS> darts;
    for (const dartRecordS& d : history.aimedDartsOf(player)) {
        darts.push_back({{*d.targetType, *d.targetNumber}, {d.point->x, d.point->y}});
    }
    return darts;
}

throwFitS fitPlayerThrow(dartHistoryC& history, const std::string& player,
                         const virtualBoardC& board) {
    return fitThrow(fitDartsOf(history, player), board);
}

}  // namespace qm
