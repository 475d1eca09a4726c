#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "stats/legRecord.h"

// A fresh directory under the system's temporary folder, removed with everything in it.
class tempDir {
  public:
    tempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qmtest-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        path_ = pattern;
    }
    ~tempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    tempDir(const tempDir&) = delete;
    tempDir& operator=(const tempDir&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return path_; }
    [[nodiscard]] std::filesystem::path operator/(const std::string& name) const {
        return path_ / name;
    }

  private:
    std::filesystem::path path_;
};

inline std::vector<unsigned char> readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// Appends a record as it stands, valid or not: the game's writer refuses records the readers
// would reject, so files with bad records are made this way.
inline void appendRawRecord(const std::filesystem::path& file, const qm::legRecordS& record) {
    const auto bytes = qm::encodeLegRecord(record);
    std::ofstream out(file, std::ios::binary | std::ios::app);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}
