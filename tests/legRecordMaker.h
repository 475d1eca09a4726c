#pragma once

#include "stats/legRecord.h"

// A leg record from plain numbers, for tests that prepare statistics files.
inline qm::legRecordS makeLeg(qm::civilDate date, int points, int darts, bool won = false,
                              int finish = 0, int count180 = 0) {
    qm::legRecordS r;
    r.year = static_cast<std::int16_t>(date.year);
    r.month = static_cast<std::int16_t>(date.month);
    r.day = static_cast<std::int16_t>(date.day);
    r.points = static_cast<std::int16_t>(points);
    r.darts = static_cast<std::int16_t>(darts);
    r.won = won ? 1 : 0;
    r.finish = static_cast<std::int16_t>(finish);
    r.count180 = static_cast<std::int16_t>(count180);
    return r;
}
