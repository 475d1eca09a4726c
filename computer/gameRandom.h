#pragma once

#include <cstdint>

namespace qm {

// The one pseudo-random generator of the process, shared by every computer player:
// state = state * 22695477 + 1 (mod 2^32), and each draw returns bits 16 to 30 (0 to 32767).
// Seeding sets the state and discards one draw.
namespace gameRandom {

inline constexpr std::uint32_t multiplier = 22695477u;
inline constexpr std::uint32_t increment = 1u;

namespace detail {
// Single-threaded by design: only the GUI thread (or the simulator's one thread) draws. Kept
// in the header so that a draw, done four times per dart, is inlined.
inline std::uint32_t state = 1;
}  // namespace detail

inline int output(std::uint32_t state) {
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

inline int next() {
    detail::state = detail::state * multiplier + increment;
    return output(detail::state);
}

void seed(std::uint32_t value);

inline std::uint32_t state() {
    return detail::state;
}

// Puts the generator at a state reached elsewhere (by stepping a copy of it), so that a hot loop
// can keep the state in a register and still leave the process-wide generator where it would be.
inline void setState(std::uint32_t value) {
    detail::state = value;
}

// The states 1 to 4 steps after s, each computed straight from s: the four draws of a dart
// do not wait for each other.
struct fourSteps {
    std::uint32_t s1, s2, s3, s4;
};
inline fourSteps stepFour(std::uint32_t s) {
    constexpr std::uint32_t a1 = multiplier;
    constexpr std::uint32_t c1 = increment;
    constexpr std::uint32_t a2 = a1 * multiplier;
    constexpr std::uint32_t c2 = c1 * multiplier + increment;
    constexpr std::uint32_t a3 = a2 * multiplier;
    constexpr std::uint32_t c3 = c2 * multiplier + increment;
    constexpr std::uint32_t a4 = a3 * multiplier;
    constexpr std::uint32_t c4 = c3 * multiplier + increment;
    return {s * a1 + c1, s * a2 + c2, s * a3 + c3, s * a4 + c4};
}

}  // namespace gameRandom

}  // namespace qm
