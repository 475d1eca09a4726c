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

// Whether a record was kept, and if not, why, in words for the user ("No space left on
// device", "the file ends in a partial record").
struct legWriteS {
    legWriteS(bool written) : ok(written) {}  // a plain yes or no, as a test writer says
    legWriteS(bool written, std::string why) : ok(written), problem(std::move(why)) {}
    explicit operator bool() const { return ok; }
    bool ok = true;
    std::string problem;
    // Where the record went: its place in the file (0 for the first), the key the dart history
    // pairs the leg's darts with it by; -1 when not known (not written, or not yet).
    std::int64_t index = -1;
};

// Appends one record to the player's file, creating it on the first leg. The 16 bytes go out
// in one write; a short write is taken back so the file never holds half a record from us.
// A record the readers would refuse, and a file that is not a regular file, are not written.
// Nor is a file whose size is no whole number of records (a torn last record): a record
// appended there would be off the grid and could never be read, so the file is left as it is
// for the user to repair.
legWriteS appendLegRecord(const std::filesystem::path& dataDir, const std::string& name,
                          const legRecordS& record);

// An open file descriptor, closed on every path out of its owner.
class fileDescriptor {
  public:
    explicit fileDescriptor(int fd) : fd_(fd) {}
    ~fileDescriptor();
    fileDescriptor(const fileDescriptor&) = delete;
    fileDescriptor& operator=(const fileDescriptor&) = delete;

    [[nodiscard]] int get() const { return fd_; }
    [[nodiscard]] bool valid() const { return fd_ >= 0; }
    // Closes the descriptor held, if any, and holds this one.
    void reset(int fd);
    // Closes it now; false when the close reported an error (a write that failed late).
    bool close();

  private:
    int fd_;
};

// One player's statistics file kept open for a run of many legs (the simulator), with the same
// checks as appendLegRecord. Records are gathered and written whole, many to one write, so a
// run of a million legs does not cost two million system calls (unless each record's place
// is wanted, which only a write of its own can tell beside another writer); the file is opened (and
// created) by the first record, so a file that cannot be used fails that record at once.
// A failed write is taken back to the last whole record. flush() writes what is gathered.
class legFileAppender {
  public:
    // `gather` false: every record is written at once, and its place in the file comes back.
    legFileAppender(std::filesystem::path dataDir, std::string name, bool gather = true);
    ~legFileAppender();
    legFileAppender(const legFileAppender&) = delete;
    legFileAppender& operator=(const legFileAppender&) = delete;

    // False when the record cannot be kept: the readers would refuse it, the file cannot be
    // opened, or gathering it forced a write that failed.
    legWriteS append(const legRecordS& record);
    legWriteS flush();

    static constexpr std::size_t recordsPerWrite = 256;

  private:
    std::filesystem::path dataDir_;
    std::string name_;
    fileDescriptor fd_{-1};
    bool gather_ = true;
    bool tried_ = false;
    std::string openProblem_;
    std::vector<std::uint8_t> pending_;
};

// Where finished legs go: the game appends them to files in its data directory; a simulation
// that keeps no history hands in a writer that drops them.
using legRecordWriter = std::function<legWriteS(const std::string& name, const legRecordS& record)>;
legRecordWriter directoryWriter(std::filesystem::path dataDir);

}  // namespace qm
