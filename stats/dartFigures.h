#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "stats/dartRecord.h"

namespace qm {

// A score one dart can finish: an even number from 2 to 40 (a double) or 50 (the bull).
[[nodiscard]] constexpr bool isOneDartFinish(std::int32_t score) {
    return score == 50 || (score >= 2 && score <= 40 && score % 2 == 0);
}

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
};

// Plays the darts through the x01 rules: a visit busts when a dart leaves less than 0, leaves
// 1, or reaches 0 off a double; the leg is won by a dart that reaches 0 on a double.
[[nodiscard]] legFiguresS legFigures(std::span<const dartRecordS> darts);

// The figures over a range of legs.
struct dartFiguresS {
    std::int64_t legs = 0;        // legs with dart detail
    double first9Sum = 0.0;       // the sum of each leg's first-9 average
    std::int64_t first9Legs = 0;  // legs with at least one dart in it
    std::int64_t atDouble = 0;
    std::int64_t doublesHit = 0;
    std::int32_t highestCheckout = 0;

    void add(const legFiguresS& leg);
    // 3 x points / darts of the first nine, averaged over the legs; 0 without legs.
    [[nodiscard]] double first9Average() const;
    // Doubles hit per dart at a double, as a percentage; 0 without darts at a double.
    [[nodiscard]] double checkoutPercent() const;
};

// "38.5% (25/65)"; "-" without a dart at a double.
[[nodiscard]] std::string checkoutText(const dartFiguresS& figures);
// "64.21"; "-" without a leg.
[[nodiscard]] std::string first9Text(const dartFiguresS& figures);

}  // namespace qm
