#pragma once

#include <cstdint>
#include <string>

namespace qm {

// One dart, or one target: the ring type and the segment number.
// type 0 is a miss (only the board's hit test produces it), 1 single, 2 double, 3 triple;
// number is 1 to 20, or 25 for the bull.
struct dartS {
    std::int32_t type = 0;
    std::int32_t number = 0;

    [[nodiscard]] constexpr std::int32_t score() const { return type * number; }
    friend constexpr bool operator==(const dartS&, const dartS&) = default;
};

// Parses the chart notation ("Triple 20", "Double 25", ...). Diagnostics go to standard output
// as whole lines. Text without a blank, or without a readable number after it, yields (1, 0).
dartS string2dart(std::string text);

}  // namespace qm
