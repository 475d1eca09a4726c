#include "stats/legFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace qm {

fileDescriptor::~fileDescriptor() {
    reset(-1);
}

void fileDescriptor::reset(int fd) {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = fd;
}

bool fileDescriptor::close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
}

std::filesystem::path statsFilePath(const std::filesystem::path& dataDir, const std::string& name) {
    return dataDir / (name + ".dat");
}

bool isUsableStatsFileName(const std::string& name) {
    return !name.empty() && name.size() <= maxStatsNameBytes && name != "." && name != ".." &&
           name.find('/') == std::string::npos && name.find('\0') == std::string::npos;
}

legRecordWriter directoryWriter(std::filesystem::path dataDir) {
    return [dir = std::move(dataDir)](const std::string& name, const legRecordS& record) {
        return appendLegRecord(dir, name, record);
    };
}

namespace {

std::string systemReason() {
    return std::strerror(errno);
}

// Opens the player's file for appending, creating it, and keeps it only if it is a regular
// file of whole records. Without O_NONBLOCK a FIFO of that name would hold the game until some
// reader came along; with it, the open fails or yields something that is no regular file.
// On failure `problem` says why.
int openForAppend(const std::filesystem::path& dataDir, const std::string& name,
                  std::string& problem) {
    if (!isUsableStatsFileName(name)) {
        problem = "the name cannot name a file";
        return -1;
    }
    const auto path = statsFilePath(dataDir, name);
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NONBLOCK, 0644);
    if (fd < 0) {
        problem = systemReason();
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        problem = systemReason();
    } else if (!S_ISREG(info.st_mode)) {
        problem = "it is not a regular file";
    } else if (info.st_size % static_cast<off_t>(legRecordSize) != 0) {
        problem = "the file ends in a partial record";
    } else {
        return fd;
    }
    ::close(fd);
    return -1;
}

// Whole records in one write. A short write is taken back: part of a record would shift every
// later one.
legWriteS writeRecords(int fd, const std::uint8_t* bytes, std::size_t size) {
    ssize_t written = -1;
    do {
        written = ::write(fd, bytes, size);
    } while (written < 0 && errno == EINTR);
    if (written == static_cast<ssize_t>(size)) {
        // An appending write leaves the offset at its own end, whoever else appends.
        legWriteS done(true);
        const off_t end = ::lseek(fd, 0, SEEK_CUR);
        if (end >= static_cast<off_t>(size)) {
            done.index = static_cast<std::int64_t>((end - static_cast<off_t>(size)) /
                                                   static_cast<off_t>(legRecordSize));
        }
        return done;
    }
    const std::string why = written < 0 ? systemReason() : "No space left on device";
    struct stat after {};
    if (written > 0 && ::fstat(fd, &after) == 0) {
        [[maybe_unused]] const int ignored = ::ftruncate(fd, after.st_size - written);
    }
    return {false, why};
}

}  // namespace

legWriteS appendLegRecord(const std::filesystem::path& dataDir, const std::string& name,
                          const legRecordS& record) {
    if (const std::string problem = recordProblem(record); !problem.empty()) {
        return {false, problem};
    }
    std::string problem;
    fileDescriptor file(openForAppend(dataDir, name, problem));
    if (!file.valid()) {
        return {false, problem};
    }
    const legRecordBytes bytes = encodeLegRecord(record);
    legWriteS written = writeRecords(file.get(), bytes.data(), bytes.size());
    if (!file.close() && written.ok) {
        written = {false, systemReason()};
    }
    return written;
}

legFileAppender::legFileAppender(std::filesystem::path dataDir, std::string name, bool gather)
    : dataDir_(std::move(dataDir)), name_(std::move(name)), gather_(gather) {}

legFileAppender::~legFileAppender() {
    flush();
}

legWriteS legFileAppender::append(const legRecordS& record) {
    if (const std::string problem = recordProblem(record); !problem.empty()) {
        return {false, problem};
    }
    if (!tried_) {
        tried_ = true;
        fd_.reset(openForAppend(dataDir_, name_, openProblem_));
        pending_.reserve(recordsPerWrite * legRecordSize);
    }
    if (!fd_.valid()) {
        return {false, openProblem_};
    }
    const legRecordBytes bytes = encodeLegRecord(record);
    if (!gather_) {
        return writeRecords(fd_.get(), bytes.data(), bytes.size());
    }
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    if (pending_.size() < recordsPerWrite * legRecordSize) {
        return true;
    }
    return flush();
}

legWriteS legFileAppender::flush() {
    if (pending_.empty()) {
        return true;
    }
    legWriteS written = fd_.valid() ? writeRecords(fd_.get(), pending_.data(), pending_.size())
                                    : legWriteS{false, openProblem_};
    pending_.clear();
    return written;
}

}  // namespace qm
