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
    // A computer's dart: what it was aimed at (its aim point is that target's aim point on the
    // board, so it is not kept beside it).
    std::optional<std::int32_t> targetType;
    std::optional<std::int32_t> targetNumber;

    [[nodiscard]] std::int32_t score() const { return type * number; }
    friend bool operator==(const dartRecordS&, const dartRecordS&) = default;
};

// What one player's darts of one leg give, kept per leg so that the figures of any range of
// legs are sums: the history never has to read single darts for them.
struct legFiguresS {
    std::int32_t darts = 0;
    std::int32_t points = 0;        // busted visits score 0
    std::int32_t first9Points = 0;  // of the leg's first nine darts, busted visits 0
    std::int32_t first9Darts = 0;   // the darts counted for it: nine, or fewer in a short leg
    std::int32_t atDouble = 0;      // darts thrown with a one-dart finish left
    std::int32_t doublesHit = 0;    // 1 when a dart at a finish won the leg
    std::int32_t checkout = 0;      // the finishing visit's points; 0 when not won
    friend bool operator==(const legFiguresS&, const legFiguresS&) = default;
};

// One player's darts of a finished leg, every visit of it.
struct legDartsS {
    std::string player;
    civilDate day;
    std::int32_t startScore = 0;
    bool won = false;
    std::vector<dartRecordS> darts;  // in the order thrown
    legFiguresS figures;             // what the darts give (legFigures), worked out once
    // Where the leg's 16-byte record stands in the player's statistics file (0 for the first
    // record): the one key that pairs the two. None where no record was kept.
    std::optional<std::int64_t> recordIndex;
};

}  // namespace qm
