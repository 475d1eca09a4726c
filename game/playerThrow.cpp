#include "game/playerThrow.h"

namespace qm {

throwFitS fitPlayerThrow(dartHistoryC& history, const std::string& player,
                         const virtualBoardC& board) {
    std::vector<fitDartS> darts;
    for (const dartRecordS& d : history.aimedDartsOf(player)) {
        darts.push_back({{*d.targetType, *d.targetNumber}, {d.point->x, d.point->y}});
    }
    return fitThrow(darts, board);
}

}  // namespace qm
