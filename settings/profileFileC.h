#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace qm {

// A Windows-style profile (INI) file: "[section]" lines and "key=value" lines. Sections and keys
// match without regard to letter case, and the first matching one wins. Every call reads the
// file afresh; nothing is cached. A missing file, section or key reads as the default.
//
// Writes replace an existing value in place, put a new key at the end of its section and a new
// section at the end of the file, and keep every other line as it was. The new content goes to
// a temporary file that is renamed over the old one, so a failed write leaves the file intact.
// A file that is there but cannot be read is never written over. Writers take turns through
// an advisory lock on ".<name>.lock" beside the file, and a link is written through.
class profileFileC {
  public:
    explicit profileFileC(std::filesystem::path path) : path_(std::move(path)) {}

    [[nodiscard]] std::string readString(const std::string& section, const std::string& key,
                                         const std::string& defaultValue) const;
    // Whole decimal integers only; anything else reads as the default.
    [[nodiscard]] std::int32_t readInteger(const std::string& section, const std::string& key,
                                           std::int32_t defaultValue) const;
    // Truth values are stored as integers; any value but 0 is true.
    [[nodiscard]] bool readBool(const std::string& section, const std::string& key,
                                bool defaultValue) const;
    // The keys of a section in file order (each key once, as first spelt).
    [[nodiscard]] std::vector<std::string> readSectionKeys(const std::string& section) const;

    // False when the file could not be written, or when section, key or value cannot be held
    // by the format (see canHoldKey and canHoldValue); the file is then left untouched.
    bool writeString(const std::string& section, const std::string& key, const std::string& value);
    bool writeInteger(const std::string& section, const std::string& key, std::int32_t value);
    bool writeBool(const std::string& section, const std::string& key, bool value);

    [[nodiscard]] const std::filesystem::path& path() const { return path_; }
    // Why the last write failed, in words for the user; empty after a write that succeeded.
    [[nodiscard]] const std::string& writeProblem() const { return writeProblem_; }
    // Why a file that is there cannot be read; empty when it can be, or is missing.
    [[nodiscard]] std::string readProblem() const;

    // A key must read back as written: not empty, no line break or NUL, no "=", no leading "["
    // or ";", and no white space at either end (the reader trims it).
    static bool canHoldKey(const std::string& key);
    // A value must not break the line, and keeps no white space at either end.
    static bool canHoldValue(const std::string& value);
    // Whether two section or key names are one to the file: ASCII letters match either case.
    static bool sameKey(const std::string& a, const std::string& b);

  private:
    std::filesystem::path path_;
    std::string writeProblem_;
};

// Parses a whole decimal integer with an optional sign; false for anything else.
bool parseWholeInteger(const std::string& text, std::int32_t& value);

}  // namespace qm
