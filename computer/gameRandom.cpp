#include "computer/gameRandom.h"

namespace qm::gameRandom {

namespace {

// Single-threaded by design: only the GUI thread (or the simulator's one thread) draws.
std::uint32_t generatorState = 1;

}  // namespace

int next() {
    generatorState = generatorState * 22695477u + 1u;
    return static_cast<int>((generatorState >> 16) & 0x7FFFu);
}

void seed(std::uint32_t value) {
    generatorState = value;
    next();
}

std::uint32_t state() {
    return generatorState;
}

}  // namespace qm::gameRandom
