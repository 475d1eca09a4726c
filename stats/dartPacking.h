#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "stats/dartRecord.h"

namespace qm {

// A leg's darts as the dart history stores them: a few bytes a dart, so that a million legs
// take a couple of hundred megabytes, not most of a gigabyte.
//
// The first visit's number leads, as a varint. Then, for each dart:
//   - one byte: the ring type (2 bits), the number (5 bits, 0 to 25) and whether a new visit
//     begins with it (the top bit); the order within a visit follows from it;
//   - a varint: the score left before it, times 4, plus 2 when its landing point follows and
//     1 when its target follows;
//   - the landing point: x and y in 1/32 of a board unit, each a zigzag varint (2 bytes
//     within 256 units of the bull, so the point is kept to within 1/64 of a unit);
//   - the target: one byte, its type (2 bits) and number (5 bits).
std::string packDarts(const std::vector<dartRecordS>& darts);
// The darts back; none for bytes that are not such a list (a damaged or foreign file).
std::optional<std::vector<dartRecordS>> unpackDarts(std::string_view bytes);

// The unit the points are kept in, as a fraction of a board unit.
inline constexpr float dartPointUnit = 1.0f / 32.0f;

}  // namespace qm
