#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "stats/civilDate.h"

namespace qm {

// One finished leg of one player, as stored in the player's statistics file: 16 bytes,
// little-endian, no header and nothing between records.
struct legRecordS {
    std::int16_t year = 0;
    std::int16_t month = 0;
    std::int16_t day = 0;
    std::int16_t darts = 0;
    std::int16_t points = 0;
    std::uint8_t won = 0;       // any non-zero byte means won
    std::uint8_t reserved = 0;  // carries nothing; written as 0
    std::int16_t count180 = 0;
    std::int16_t finish = 0;

    [[nodiscard]] bool isWon() const { return won != 0; }
    [[nodiscard]] civilDate date() const { return {year, month, day}; }
    // Points per dart of the leg; 0 for a leg of no darts.
    [[nodiscard]] double ppd() const {
        return darts > 0 ? static_cast<double>(points) / darts : 0.0;
    }
};

inline constexpr std::size_t legRecordSize = 16;
// The most darts a record holds: a longer leg is never written to a player's file.
inline constexpr std::int32_t maxRecordDarts = 1000;
using legRecordBytes = std::array<std::uint8_t, legRecordSize>;

legRecordBytes encodeLegRecord(const legRecordS& record);
legRecordS decodeLegRecord(const legRecordBytes& bytes);
legRecordS decodeLegRecord(const unsigned char* bytes);

// The readers' range check.
bool isValidRecord(const legRecordS& record);

// Why the readers would refuse this record (outside the stored ranges, or a date that is no
// calendar day), or an empty text when they take it. Such a record is never written: one
// refused record hides every leg after it.
std::string recordProblem(const legRecordS& record);

}  // namespace qm
