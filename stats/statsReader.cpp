#include "stats/statsReader.h"

#include <cstdio>
#include <memory>
#include <system_error>

#include "stats/legFile.h"

namespace qm {

namespace {

struct fileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using filePtr = std::unique_ptr<std::FILE, fileCloser>;

// Large enough that a long history costs a handful of system calls, not one per record.
constexpr std::size_t readBufferSize = 1 << 16;

class recordFile {
  public:
    explicit recordFile(const std::filesystem::path& path)
        : file_(std::fopen(path.c_str(), "rb")), buffer_(std::make_unique<char[]>(readBufferSize)) {
        if (file_) {
            std::setvbuf(file_.get(), buffer_.get(), _IOFBF, readBufferSize);
        }
    }
    // The buffer must outlive the stream that uses it.
    ~recordFile() { file_.reset(); }
    recordFile(const recordFile&) = delete;
    recordFile& operator=(const recordFile&) = delete;

    [[nodiscard]] bool isOpen() const { return file_ != nullptr; }
    bool seekEnd() { return std::fseek(file_.get(), 0, SEEK_END) == 0; }
    bool seekStart() { return std::fseek(file_.get(), 0, SEEK_SET) == 0; }
    [[nodiscard]] std::int64_t position() { return std::ftell(file_.get()); }
    // One record per call: the byte count read, 16 at a whole record, 0 at the end.
    std::size_t read(unsigned char* record) {
        return std::fread(record, 1, legRecordSize, file_.get());
    }

  private:
    filePtr file_;
    std::unique_ptr<char[]> buffer_;
};

// A record outside the stored ranges, or one whose date is no day of the calendar, cannot be
// trusted and is treated as corruption.
bool isUsableRecord(const legRecordS& record) {
    return isValidRecord(record) && isCalendarDate(record.date());
}

bool fileExists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

enum class readEnd { endOfFile, corrupted };

// Hands every record of the file, in order and numbered from 1, to visit; stops at a trailing
// part of a record or at a record that cannot be trusted.
template <typename Visitor>
readEnd readRecords(recordFile& file, Visitor visit) {
    unsigned char bytes[legRecordSize];
    std::int64_t index = 0;
    for (;;) {
        const std::size_t got = file.read(bytes);
        if (got == 0) {
            return readEnd::endOfFile;
        }
        if (got != legRecordSize) {
            return readEnd::corrupted;
        }
        const legRecordS record = decodeLegRecord(bytes);
        if (!isUsableRecord(record)) {
            return readEnd::corrupted;
        }
        visit(record, ++index);
    }
}

}  // namespace

bool loadSummary(const std::filesystem::path& dataDir, const std::string& name,
                 statsSummaryC& summary, statsReportSink& report) {
    const std::string fileName = name + ".dat";
    const auto path = statsFilePath(dataDir, name);
    if (!isUsableStatsFileName(name) || !fileExists(path)) {
        report.playSound("INVALID");
        report.showSystemInfo("File not found: " + fileName);
        return false;
    }
    recordFile file(path);
    if (!file.isOpen()) {
        report.showSystemInfo("Error: Failed to open file " + fileName);
        return false;
    }
    std::int64_t count = 0;
    if (file.seekEnd()) {
        count = file.position() / static_cast<std::int64_t>(legRecordSize);
    }
    report.showInfo("Loading " + fileName);
    report.startProgress(count);
    if (!file.seekStart()) {
        report.showSystemInfo("Error: Failed to read file " + fileName);
        return false;
    }

    const readEnd end = readRecords(file, [&](const legRecordS& record, std::int64_t index) {
        report.setProgress(index);
        if (index == 1) {
            summary.firstDate = record.date();
        }
        if (index == count) {
            summary.lastDate = record.date();
        }
        summary.addRecord(record);
    });
    if (end == readEnd::corrupted) {
        report.showSystemInfo("Warning: data corrupted in " + fileName);
        return false;
    }
    report.showInfo("Loaded file: " + fileName);
    return true;
}

bool loadPpdSeries(const std::filesystem::path& dataDir, const std::string& name,
                   std::int64_t startDay, std::int64_t endDay, std::vector<double>& list,
                   statsReportSink& report) {
    const std::string fileName = name + ".dat";
    const auto path = statsFilePath(dataDir, name);
    if (!isUsableStatsFileName(name) || !fileExists(path)) {
        report.showSystemInfo("File not found: " + fileName);
        return false;
    }
    report.showInfo("Load file: " + fileName);
    recordFile file(path);
    if (!file.isOpen()) {
        report.showSystemInfo("Error: failed to open file " + fileName);
        return false;
    }
    file.seekEnd();
    if (!file.seekStart()) {
        report.showSystemInfo("Error: Failed to set index to begin of: " + fileName);
        return false;
    }

    const readEnd end = readRecords(file, [&](const legRecordS& record, std::int64_t) {
        const std::int64_t day = dayNumber(record.date());
        if (day >= startDay && day <= endDay) {
            list.push_back(record.darts > 0 ? static_cast<double>(record.points) / record.darts
                                            : 0.0);
        }
    });
    if (end == readEnd::corrupted) {
        report.showSystemInfo("Warning: Data corrupted in: " + fileName);
        return false;
    }
    report.showInfo("Loaded file: " + fileName);
    return true;
}

}  // namespace qm
