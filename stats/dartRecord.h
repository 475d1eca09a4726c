#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "stats/civilDate.h"

namespace qm {

// A point on the board, in the board's own units (the bull at 0,0).
struct dartPointS {
    float x = 0.0f;
    float y = 0.0f;
    friend bool operator==(const dartPointS&, const dartPointS&) = default;
};

// One dart of a leg as the dart history keeps it. The ring type is 0 for a miss, 1 single,
// 2 double (the bull's eye is double 25), 3 triple.
struct dartRecordS {
    std::int32_t visit = 0;  // the visit of the leg, from 1
    std::int32_t order = 0;  // 1 to 3 within the visit
    std::int32_t type = 0;
    std::int32_t number = 0;
    std::int32_t remainingBefore = 0;  // the score left just before this dart
    std::optional<dartPointS> point;   // where it landed, when that is known
    // A computer's dart: what it was aimed at, and the aim point.
    std::optional<std::int32_t> targetType;
    std::optional<std::int32_t> targetNumber;
    std::optional<dartPointS> aimPoint;

    [[nodiscard]] std::int32_t score() const { return type * number; }
    friend bool operator==(const dartRecordS&, const dartRecordS&) = default;
};

// One player's darts of a finished leg, every visit of it.
struct legDartsS {
    std::string player;
    civilDate day;
    std::int32_t startScore = 0;
    bool won = false;
    std::vector<dartRecordS> darts;  // in the order thrown
};

}  // namespace qm
