#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qm {

// Everything a match needs before it starts; a plain value, copied whole.
struct gameSettingsS {
    std::array<std::string, 2> names;
    std::array<bool, 2> isComputer{false, false};
    std::array<std::int32_t, 2> strengths{0, 0};
    // A computer player that throws by this human's fitted scatter; empty: by its strength.
    std::array<std::string, 2> twinOf;
    std::int32_t startScore = 0;
    std::int32_t bestOfSets = 0;
    std::int32_t bestOfLegs = 0;
    bool speedMode = false;

    friend bool operator==(const gameSettingsS&, const gameSettingsS&) = default;
};

// A match of two computer players: the simulator's, the calibration's and the match odds'.
inline gameSettingsS computerMatch(const std::array<std::string, 2>& names,
                                   const std::array<std::int32_t, 2>& strengths,
                                   std::int32_t startScore, std::int32_t bestOfLegs,
                                   std::int32_t bestOfSets) {
    gameSettingsS settings;
    settings.names = names;
    settings.isComputer = {true, true};
    settings.strengths = strengths;
    settings.startScore = startScore;
    settings.bestOfLegs = bestOfLegs;
    settings.bestOfSets = bestOfSets;
    return settings;
}

inline constexpr std::array<std::int32_t, 5> startScoreChoices{101, 301, 501, 701, 1001};
inline constexpr std::array<std::int32_t, 6> bestOfChoices{1, 3, 5, 7, 9, 11};
inline constexpr std::int32_t minStrength = 1;
inline constexpr std::int32_t maxStrength = 60;

}  // namespace qm
