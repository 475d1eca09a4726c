#include "computer/ComputerVisitC.h"

namespace qm {

ComputerVisitC::ComputerVisitC(int remaining) : visitRemaining_(remaining) {}

dartS ComputerVisitC::aimDart(int k, const vPlayerC& chart, const virtualBoardC& board) {
    // The computer never uses the alternative chart.
    switch (k) {
        case 1:
            aim_ = chart.firstDartCheck(visitRemaining_);
            break;
        case 2:
            aim_ = chart.secondDartCheck(visitRemaining_, false);
            break;
        default:
            aim_ = chart.thirdDartCheck(visitRemaining_, false);
            break;
    }
    aimPoint_ = board.getCoordinates(aim_.type, aim_.number);
    return aim_;
}

bool ComputerVisitC::throwDart(int k, const throwC& hand, const virtualBoardC& board) {
    return landDart(k, hand.throwOffset(), board);
}

bool ComputerVisitC::landDart(int k, boardPointS offset, const virtualBoardC& board) {
    int runningTotal = visitTotal_;
    const boardPointS aimAt = board.getCoordinates(aim_.type, aim_.number);
    const boardPointS landing{aimAt.x + offset.x, aimAt.y + offset.y};
    const dartS hitDart = board.getHit(landing);
    dartPoint_[k - 1] = landing;
    hits_[k - 1] = hitDart;

    const int score = hitDart.score();
    runningTotal += score;
    visitRemaining_ -= score;
    visitDarts_ = k;

    if (visitRemaining_ == 0 && hitDart.type == 2) {
        visitTotal_ = runningTotal;  // checkout
        return false;
    }
    if (visitRemaining_ == 0) {
        visitTotal_ = 0;  // finished without a double: bust
        return false;
    }
    // Overshooting or leaving 1: the total goes to the score board, whose rules make it a bust.
    visitTotal_ = runningTotal;
    return visitRemaining_ >= 2;
}

}  // namespace qm
