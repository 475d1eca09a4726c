#pragma once

// The colours of the generated board picture and the colour that marks the transparent parts
// of every picture. Shared by the generator and the tests that check its output.
namespace qm::palette {

struct rgb {
    int r, g, b;
};

inline constexpr rgb transparentKey{255, 0, 255};
inline constexpr rgb darkSegment{28, 28, 28};
inline constexpr rgb lightSegment{236, 222, 186};
inline constexpr rgb redRing{200, 30, 40};
inline constexpr rgb greenRing{20, 130, 60};
inline constexpr rgb surround{12, 12, 12};
inline constexpr rgb wire{170, 170, 175};
inline constexpr rgb numberText{245, 245, 245};

// Sectors alternate dark and light, with the 20 dark; the doubles and trebles of dark sectors
// are red, those of light sectors green. The bull's eye is red and the outer bull green.
inline constexpr bool isDarkSector(int sector) {
    return sector % 2 == 1;
}

}  // namespace qm::palette
