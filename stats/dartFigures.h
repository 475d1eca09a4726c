#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "stats/dartRecord.h"

namespace qm {

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
