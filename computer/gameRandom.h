#pragma once

#include <cstdint>

namespace qm {

// The one pseudo-random generator of the process, shared by every computer player:
// state = state * 22695477 + 1 (mod 2^32), and each draw returns bits 16 to 30 (0 to 32767).
// Seeding sets the state and discards one draw.
namespace gameRandom {

inline constexpr int maxValue = 32767;

void seed(std::uint32_t value);
int next();
std::uint32_t state();

}  // namespace gameRandom

}  // namespace qm
