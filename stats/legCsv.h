#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>

namespace qm {

// One field of a CSV record (RFC 4180): quoted, with its quotes doubled, when it holds a comma,
// a quote or a line break.
std::string csvField(const std::string& text);

// Writes the legs of a player's statistics file whose day lies from startDay to endDay (both
// included) as CSV: a header line, then one line per leg in file order with its date
// (YYYY-MM-DD), darts, points, won (1 or 0), 180s, finish and PPD (two decimals), and where the
// dart history has the leg its first-9 average, darts at a double and doubles hit (empty
// fields where it has not), each line ended by CRLF. A leg's dart figures are those of the
// history leg that carries its record's place, and no other. Returns an empty text, or why
// nothing usable was written: the file cannot be read, is not whole, or holds a record the
// statistics window would refuse. With `note`, why every dart field is empty when the history
// is there but cannot be read.
std::string writeLegsCsv(const std::filesystem::path& dataDir, const std::string& name,
                         std::int64_t startDay, std::int64_t endDay, std::ostream& out,
                         std::string* note = nullptr);

}  // namespace qm
