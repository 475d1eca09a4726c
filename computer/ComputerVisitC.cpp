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
    aim_ = chart.dartCheck(k, visitRemaining_, false);  // the computer never uses the alternative
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
    const boardPointS aimAt = board.getCoordinates(aim_.type, aim_.number);
    const boardPointS landing{aimAt.x + offset.x, aimAt.y + offset.y};
    const dartS hitDart = board.getHit(landing);
    dartPoint_[static_cast<std::size_t>(k - 1)] = landing;
    hits_[static_cast<std::size_t>(k - 1)] = hitDart;

    const dartOutcomeS outcome = applyDart(visitTotal_, visitRemaining_, hitDart);
    visitTotal_ = outcome.total;
    visitRemaining_ = outcome.remaining;
    visitDarts_ = k;
    finished_ = !outcome.goesOn || k == 3;
    return outcome.goesOn;
}


}  // namespace qm
