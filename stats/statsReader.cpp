#include "stats/statsReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Opens only regular files: a FIFO, device, socket or directory of the player's name is
// refused at once instead of blocking in open or read, or reading as an empty history.
std::FILE* openRegularFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return nullptr;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "rb");
    if (file == nullptr) {
        ::close(fd);
    }
    return file;
}

class recordFile {
  public:
    explicit recordFile(const std::filesystem::path& path)
        : file_(openRegularFile(path)), buffer_(std::make_unique<char[]>(readBufferSize)) {
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
    // A short read is the end of the file only when the stream reports no error.
    [[nodiscard]] bool failed() const { return std::ferror(file_.get()) != 0; }

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

enum class readEnd { endOfFile, corrupted, stopped };

// How often a long read asks whether it is still wanted.
constexpr std::int64_t stopCheckInterval = 4096;

// Hands every record of the file, in order and numbered from 1, to visit; stops at a read
// error, a trailing part of a record or a record that cannot be trusted. Each whole record is
// counted (progress) before it is checked, so a bad record's number is the last one shown.
template <typename Progress, typename Visitor>
readEnd readRecords(recordFile& file, const statsReportSink& report, Progress progress,
                    Visitor visit) {
    unsigned char bytes[legRecordSize];
    std::int64_t index = 0;
    for (;;) {
        if (index % stopCheckInterval == 0 && report.stopRequested()) {
            return readEnd::stopped;
        }
        const std::size_t got = file.read(bytes);
        if (got == 0 && !file.failed()) {
            return readEnd::endOfFile;
        }
        if (got != legRecordSize) {
            return readEnd::corrupted;
        }
        progress(++index);
        const legRecordS record = decodeLegRecord(bytes);
        if (!isUsableRecord(record)) {
            return readEnd::corrupted;
        }
        visit(record, index);
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

    const readEnd end = readRecords(
        file, report, [&](std::int64_t index) { report.setProgress(index); },
        [&](const legRecordS& record, std::int64_t index) {
            if (index == 1) {
                summary.firstDate = record.date();
            }
            if (index == count) {
                summary.lastDate = record.date();
            }
            summary.addRecord(record);
        });
    if (end == readEnd::stopped) {
        return false;
    }
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
        return false;  // a regular file just opened does not refuse a seek
    }

    const readEnd end = readRecords(
        file, report, [](std::int64_t) {},
        [&](const legRecordS& record, std::int64_t) {
            const std::int64_t day = dayNumber(record.date());
            if (day >= startDay && day <= endDay) {
                list.push_back(record.ppd());
            }
        });
    if (end == readEnd::stopped) {
        return false;
    }
    if (end == readEnd::corrupted) {
        report.showSystemInfo("Warning: Data corrupted in: " + fileName);
        return false;
    }
    report.showInfo("Loaded file: " + fileName);
    return true;
}

bool loadLegRecords(const std::filesystem::path& dataDir, const std::string& name,
                    std::int64_t startDay, std::int64_t endDay, std::vector<legRecordS>& records,
                    std::vector<std::int64_t>* positions) {
    class silentSink final : public statsReportSink {
        void showInfo(const std::string&) override {}
        void showSystemInfo(const std::string&) override {}
        void playSound(const std::string&) override {}
        void startProgress(std::int64_t) override {}
        void setProgress(std::int64_t) override {}
    } silent;
    if (!isUsableStatsFileName(name)) {
        return false;
    }
    recordFile file(statsFilePath(dataDir, name));
    if (!file.isOpen()) {
        return false;
    }
    const readEnd end = readRecords(
        file, silent, [](std::int64_t) {},
        [&](const legRecordS& record, std::int64_t index) {
            const std::int64_t day = dayNumber(record.date());
            if (day >= startDay && day <= endDay) {
                records.push_back(record);
                if (positions != nullptr) {
                    positions->push_back(index - 1);  // the pass counts from 1
                }
            }
        });
    return end == readEnd::endOfFile;
}

}  // namespace qm
