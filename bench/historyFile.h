#pragma once

#include <filesystem>
#include <fstream>

#include "stats/legRecord.h"

// A long statistics file: `count` legs, 300 a day from 2 January 2000, won and lost in turn.
inline void writeHistory(const std::filesystem::path& file, int count) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    qm::civilDate date{2000, 1, 1};
    for (int i = 0; i < count; ++i) {
        if (i % 300 == 0) {
            date = qm::fromDayNumber(qm::dayNumber(date) + 1);
        }
        qm::legRecordS r;
        r.year = static_cast<std::int16_t>(date.year);
        r.month = static_cast<std::int16_t>(date.month);
        r.day = static_cast<std::int16_t>(date.day);
        r.darts = static_cast<std::int16_t>(15 + i % 20);
        r.points = static_cast<std::int16_t>(i % 2 ? 501 : 400);
        r.won = static_cast<std::uint8_t>(i % 2);
        const auto bytes = qm::encodeLegRecord(r);
        out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
}
