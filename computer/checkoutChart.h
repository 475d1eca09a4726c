#pragma once

#include <array>
#include <cstddef>

namespace qm {

inline constexpr std::size_t mainChartSize = 171;
inline constexpr std::size_t alternativeChartSize = 71;
inline constexpr std::size_t reservedChartSize = 100;
inline constexpr std::size_t alternativeEntryCount = 31;

struct alternativeEntryS {
    int remaining;
    const char* text;
};

extern const std::array<const char*, mainChartSize> mainChartTexts;
extern const std::array<alternativeEntryS, alternativeEntryCount> alternativeChartTexts;

}  // namespace qm
