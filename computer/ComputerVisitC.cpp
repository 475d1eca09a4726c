#include "computer/ComputerVisitC.h"

#include <stdexcept>
#include <string>

namespace qm {

namespace {

[[noreturn]] void refuseDart(int k, const char* why) {
    throw std::logic_error("dart " + std::to_string(k) + why);
}

}  // namespace

void ComputerVisitC::checkNextDart(int k) const {
    if (finished_ || k != visitDarts_ + 1 || k > 3) [[unlikely]] {
        refuseDart(k, " is not the next dart of the visit");
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
    aimNext(chart, board);
    return aim_;
}

void ComputerVisitC::aimNext(const vPlayerC& chart, const virtualBoardC& board) {
    aimed_ = visitDarts_ + 1;
    aim_ =
        chart.dartCheck(aimed_, visitRemaining_, false);  // the computer never uses the alternative
    aimPoint_ = board.getCoordinates(aim_.type, aim_.number);
    aims_[static_cast<std::size_t>(visitDarts_)] = aim_;
}

bool ComputerVisitC::throwDart(int k, const throwC& hand, const virtualBoardC& board) {
    return landDart(k, hand.throwOffset(), board);
}

bool ComputerVisitC::landDart(int k, boardPointS offset, const virtualBoardC& board) {
    const boardPointS landing{aimPoint_.x + offset.x, aimPoint_.y + offset.y};
    return placeDart(k, {landing, board.getHit(landing)});
}

bool ComputerVisitC::placeDart(int k, const landedDartS& dart) {
    checkNextDart(k);
    if (aimed_ != k) [[unlikely]] {
        refuseDart(k, " thrown before it was aimed");
    }
    return placeNext(dart);
}

bool ComputerVisitC::throwDart(int k, tabledHandC& hand, std::uint32_t& generator) {
    checkNextDart(k);
    if (aimed_ != k) [[unlikely]] {
        refuseDart(k, " thrown before it was aimed");
    }
    return placeNext(hand.throwAt(aim_, aimPoint_, generator));
}

bool ComputerVisitC::placeNext(const landedDartS& dart) {
    const int k = visitDarts_ + 1;
    dartPoint_[static_cast<std::size_t>(k - 1)] = dart.point;
    hits_[static_cast<std::size_t>(k - 1)] = dart.hit;

    const dartOutcomeS outcome = applyDart(visitTotal_, visitRemaining_, dart.hit);
    visitTotal_ = outcome.total;
    visitRemaining_ = outcome.remaining;
    visitDarts_ = k;
    finished_ = !outcome.goesOn || k == 3;
    return outcome.goesOn;
}

void ComputerVisitC::playOut(const vPlayerC& chart, const virtualBoardC& board, tabledHandC& hand,
                             std::uint32_t& generator) {
    // A local copy: through the reference, every store to the visit could change it as far as
    // the compiler knows, and it would be read back from memory for every draw.
    std::uint32_t state = generator;
    while (!finished_) {
        aimNext(chart, board);
        placeNext(hand.throwAt(aim_, aimPoint_, state));
    }
    generator = state;
}

}  // namespace qm
