#include "computer/ComputerVisitC.h"

#include <stdexcept>
#include <string>

namespace qm {

ComputerVisitC::ComputerVisitC(int remaining) : visitRemaining_(remaining) {}

void ComputerVisitC::checkNextDart(int k) const {
    if (finished_ || k != visitDarts_ + 1 || k > 3) {
        throw std::logic_error("dart " + std::to_string(k) + " is not the next dart of the visit");
    }
}

const boardPointS& ComputerVisitC::dartPoint(int k) const {
    if (k < 1 || k > visitDarts_) {
        throw std::out_of_range("no dart " + std::to_string(k) + " in this visit");
    }
    return dartPoint_[static_cast<std::size_t>(k - 1)];
}

const dartS& ComputerVisitC::hit(int k) const {
    if (k < 1 || k > visitDarts_) {
        throw std::out_of_range("no dart " + std::to_string(k) + " in this visit");
    }
    return hits_[static_cast<std::size_t>(k - 1)];
}

dartS ComputerVisitC::aimDart(int k, const vPlayerC& chart, const virtualBoardC& board) {
    checkNextDart(k);
    aimed_ = k;
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
    checkNextDart(k);
    if (aimed_ != k) {
        throw std::logic_error("dart " + std::to_string(k) + " thrown before it was aimed");
    }
    int runningTotal = visitTotal_;
    const boardPointS aimAt = board.getCoordinates(aim_.type, aim_.number);
    const boardPointS landing{aimAt.x + offset.x, aimAt.y + offset.y};
    const dartS hitDart = board.getHit(landing);
    dartPoint_[static_cast<std::size_t>(k - 1)] = landing;
    hits_[static_cast<std::size_t>(k - 1)] = hitDart;

    const int score = hitDart.score();
    runningTotal += score;
    visitRemaining_ -= score;
    visitDarts_ = k;

    if (visitRemaining_ == 0 && hitDart.type == 2) {
        visitTotal_ = runningTotal;  // checkout
        finished_ = true;
        return false;
    }
    if (visitRemaining_ == 0) {
        visitTotal_ = 0;  // finished without a double: bust
        finished_ = true;
        return false;
    }
    // Overshooting or leaving 1: the total goes to the score board, whose rules make it a bust.
    visitTotal_ = runningTotal;
    finished_ = visitRemaining_ < 2 || k == 3;
    return visitRemaining_ >= 2;
}

}  // namespace qm
