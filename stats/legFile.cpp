#include "stats/legFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace qm {

namespace {

// Closes the descriptor on every path out of the writer.
class fileDescriptor {
  public:
    explicit fileDescriptor(int fd) : fd_(fd) {}
    ~fileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    fileDescriptor(const fileDescriptor&) = delete;
    fileDescriptor& operator=(const fileDescriptor&) = delete;

    [[nodiscard]] int get() const { return fd_; }
    [[nodiscard]] bool valid() const { return fd_ >= 0; }
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

}  // namespace

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

bool appendLegRecord(const std::filesystem::path& dataDir, const std::string& name,
                     const legRecordS& record) {
    if (!isUsableStatsFileName(name) || !recordProblem(record).empty()) {
        return false;
    }
    const auto path = statsFilePath(dataDir, name);
    // Without O_NONBLOCK a FIFO of that name would hold the game until some reader came along;
    // with it, the open fails or yields something that is no regular file, refused below.
    fileDescriptor file(
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NONBLOCK, 0644));
    if (!file.valid()) {
        return false;
    }
    struct stat before {};
    if (::fstat(file.get(), &before) != 0 || !S_ISREG(before.st_mode)) {
        return false;
    }

    const legRecordBytes bytes = encodeLegRecord(record);
    ssize_t written = -1;
    do {
        written = ::write(file.get(), bytes.data(), bytes.size());
    } while (written < 0 && errno == EINTR);

    if (written != static_cast<ssize_t>(bytes.size())) {
        if (written > 0) {
            // Half a record would shift every later record; cut the file back to where it was.
            [[maybe_unused]] const int ignored = ::ftruncate(file.get(), before.st_size);
        }
        return false;
    }
    return file.close();
}

}  // namespace qm
