#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "stats/legRecord.h"

namespace qm {

// A player's statistics file is the name unchanged followed by ".dat", in the data directory.
std::filesystem::path statsFilePath(const std::filesystem::path& dataDir, const std::string& name);

// A file name holds at most 255 bytes, and ".dat" takes four of them.
inline constexpr std::size_t maxStatsNameBytes = 251;

// A name that would not name a file inside the data directory (empty, a path separator,
// a NUL character, "." or "..", or too long for a file name) is never used as a file name.
bool isUsableStatsFileName(const std::string& name);

// Appends one record to the player's file, creating it on the first leg. The 16 bytes go out
// in one write; a short write is taken back so the file never holds half a record from us.
// A record the readers would refuse, and a file that is not a regular file, are not written.
bool appendLegRecord(const std::filesystem::path& dataDir, const std::string& name,
                     const legRecordS& record);

// One player's statistics file kept open for a run of many legs (the simulator), with the same
// checks as appendLegRecord. Records are gathered and written whole, many to one write, so a
// run of a million legs does not cost two million system calls; the file is opened (and
// created) by the first record, so a file that cannot be used fails that record at once.
// A failed write is taken back to the last whole record. flush() writes what is gathered.
class legFileAppender {
  public:
    legFileAppender(std::filesystem::path dataDir, std::string name);
    ~legFileAppender();
    legFileAppender(const legFileAppender&) = delete;
    legFileAppender& operator=(const legFileAppender&) = delete;

    // False when the record cannot be kept: the readers would refuse it, the file cannot be
    // opened, or gathering it forced a write that failed.
    bool append(const legRecordS& record);
    bool flush();

    static constexpr std::size_t recordsPerWrite = 256;

  private:
    std::filesystem::path dataDir_;
    std::string name_;
    int fd_ = -1;
    bool tried_ = false;
    std::vector<std::uint8_t> pending_;
};

// Where finished legs go: the game appends them to files in its data directory; a simulation
// that keeps no history hands in a writer that drops them.
using legRecordWriter = std::function<bool(const std::string& name, const legRecordS& record)>;
legRecordWriter directoryWriter(std::filesystem::path dataDir);

}  // namespace qm
