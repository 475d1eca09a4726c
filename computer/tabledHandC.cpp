#include "computer/tabledHandC.h"

namespace qm {

tabledHandC::tabledHandC(float strength, const virtualBoardC& board, throwC::seeding seed)
    : hand_(strength, seed), board_(&board), tableEntries_(hitTableC::entriesFor(hand_)) {}

}  // namespace qm
