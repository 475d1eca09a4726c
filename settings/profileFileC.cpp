#include "settings/profileFileC.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>
#include <unordered_set>

namespace qm {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string trim(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string folded(const std::string& name) {
    std::string out = name;
    std::transform(out.begin(), out.end(), out.begin(), lower);
    return out;
}

bool sameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lower(x) == lower(y); });
}

struct iniLine {
    enum class kind { other, section, entry };
    std::string raw;  // as in the file, without its line feed
    kind type = kind::other;
    std::string name;  // section name or key
    std::string value;
};

struct iniDocument {
    std::vector<iniLine> lines;
    bool crlf = false;
    bool byteOrderMark = false;
};

iniLine classify(std::string raw) {
    iniLine line;
    const std::string text = trim(raw);
    line.raw = std::move(raw);
    if (text.empty() || text[0] == ';') {
        return line;
    }
    if (text[0] == '[') {
        const auto close = text.find(']');
        if (close != std::string::npos) {
            line.type = iniLine::kind::section;
            line.name = trim(text.substr(1, close - 1));
        }
        return line;
    }
    const auto equals = text.find('=');
    if (equals != std::string::npos) {
        line.type = iniLine::kind::entry;
        line.name = trim(text.substr(0, equals));
        line.value = trim(text.substr(equals + 1));
    }
    return line;
}

std::string systemReason() {
    return std::strerror(errno);
}

struct fileContent {
    std::optional<std::string> text;  // empty when the file is missing or cannot be read
    std::string problem;              // why a file that is there cannot be read
};

// Only a regular file is read: a folder in its place would throw from the stream library, and
// a FIFO would block the program until somebody wrote to it. A missing file is no problem
// (the defaults apply); a file that is there but cannot be read is one, since writing the
// defaults over it would lose what it holds.
fileContent readWholeFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return {std::nullopt,
                errno == ENOENT ? std::string() : "it cannot be read (" + systemReason() + ")"};
    }
    fileContent content;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        content.problem = "it cannot be read (" + systemReason() + ")";
    } else if (!S_ISREG(info.st_mode)) {
        content.problem = "it is not a regular file";
    } else {
        content.text.emplace();
        char buffer[1 << 14];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got > 0) {
                content.text->append(buffer, static_cast<std::size_t>(got));
            } else if (got == 0) {
                break;
            } else if (errno != EINTR) {
                content.problem = "it cannot be read (" + systemReason() + ")";
                content.text.reset();
                break;
            }
        }
    }
    ::close(fd);
    return content;
}

// A UTF-8 byte-order mark, as some editors write, is kept but never read as part of a line.
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

iniDocument parse(std::string_view content) {
    iniDocument doc;
    if (content.substr(0, byteOrderMark.size()) == byteOrderMark) {
        doc.byteOrderMark = true;
        content.remove_prefix(byteOrderMark.size());
    }
    doc.crlf = content.find("\r\n") != std::string::npos;
    std::size_t start = 0;
    while (start < content.size()) {
        auto end = content.find('\n', start);
        if (end == std::string::npos) {
            end = content.size();
        }
        doc.lines.push_back(classify(std::string(content.substr(start, end - start))));
        start = end + 1;
    }
    return doc;
}

iniDocument load(const std::filesystem::path& path) {
    const fileContent content = readWholeFile(path);
    return content.text ? parse(*content.text) : iniDocument{};
}

constexpr std::size_t notFound = static_cast<std::size_t>(-1);

// Index of the first line of the first matching section's body, or notFound. Keys standing
// before any section belong to none.
std::size_t findSection(const iniDocument& doc, const std::string& section) {
    for (std::size_t i = 0; i < doc.lines.size(); ++i) {
        if (doc.lines[i].type == iniLine::kind::section && sameName(doc.lines[i].name, section)) {
            return i + 1;
        }
    }
    return notFound;
}

std::size_t sectionEnd(const iniDocument& doc, std::size_t bodyStart) {
    std::size_t i = bodyStart;
    while (i < doc.lines.size() && doc.lines[i].type != iniLine::kind::section) {
        ++i;
    }
    return i;
}

std::size_t findKey(const iniDocument& doc, std::size_t bodyStart, const std::string& key) {
    const std::size_t end = sectionEnd(doc, bodyStart);
    for (std::size_t i = bodyStart; i < end; ++i) {
        if (doc.lines[i].type == iniLine::kind::entry && sameName(doc.lines[i].name, key)) {
            return i;
        }
    }
    return notFound;
}

std::optional<std::string> lookup(const std::filesystem::path& path, const std::string& section,
                                  const std::string& key) {
    const iniDocument doc = load(path);
    const std::size_t body = findSection(doc, section);
    if (body == notFound) {
        return std::nullopt;
    }
    const std::size_t index = findKey(doc, body, key);
    if (index == notFound) {
        return std::nullopt;
    }
    return doc.lines[index].value;
}

std::string serialise(const iniDocument& doc) {
    std::string out(doc.byteOrderMark ? byteOrderMark : std::string_view());
    for (const auto& line : doc.lines) {
        out += line.raw;
        out += '\n';
    }
    return out;
}

// Writes content beside the target and renames it over it: readers see the old file or the
// new one, never half of either. On failure `problem` says why.
bool replaceFileAtomically(const std::filesystem::path& path, const std::string& content,
                           std::string& problem) {
    const std::filesystem::path dir = path.has_parent_path() ? path.parent_path() : ".";
    std::string tempName = (dir / ("." + path.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0) {
        problem = systemReason();
        return false;
    }
    struct stat old {};
    mode_t mode = 0644;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    }
    bool ok = ::fchmod(fd, mode) == 0;
    std::size_t done = 0;
    while (ok && done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        ok = n > 0;
        if (ok) {
            done += static_cast<std::size_t>(n);
        }
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(tempName.c_str(), path.c_str()) == 0;
    if (!ok) {
        problem = systemReason();
        ::unlink(tempName.c_str());
    }
    return ok;
}

// A linked INI file is written where the link points, so the link stays a link and its
// target is the file that changes (as a statistics file is appended through its link).
std::filesystem::path writeTarget(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) {
        return path;
    }
    const std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
    return error ? path : target;
}

// The writers of one INI file (two games, a game and the simulator) take turns: each holds an
// advisory lock on a file beside it for its read, change and rename, so none writes back a
// copy that misses another's change. A writer that waits more than a few seconds gives up
// rather than hang the game.
class iniLock {
  public:
    iniLock(const std::filesystem::path& ini, std::string& problem) {
        const std::filesystem::path lockPath =
            ini.parent_path() / ("." + ini.filename().string() + ".lock");
        fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0644);
        if (fd_ < 0) {
            problem = systemReason();
            return;
        }
        for (int attempt = 0; attempt < 500; ++attempt) {
            if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
                locked_ = true;
                return;
            }
            if (errno != EWOULDBLOCK && errno != EINTR) {
                problem = systemReason();
                return;
            }
            ::usleep(10000);
        }
        problem = "another program keeps it locked";
    }
    ~iniLock() {
        if (fd_ >= 0) {
            ::close(fd_);  // releases the lock
        }
    }
    iniLock(const iniLock&) = delete;
    iniLock& operator=(const iniLock&) = delete;
    [[nodiscard]] bool locked() const { return locked_; }

  private:
    int fd_ = -1;
    bool locked_ = false;
};

// A writer killed between its temporary file and the rename leaves ".<name>.XXXXXX" behind.
// Under the lock no other writer has one under way, so any left are stale.
void removeStaleTemporaries(const std::filesystem::path& ini) {
    const std::string prefix = "." + ini.filename().string() + ".";
    std::error_code error;
    const std::filesystem::path dir = ini.has_parent_path() ? ini.parent_path() : ".";
    for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0 &&
            it->is_regular_file(error) && !it->is_symlink(error)) {
            std::filesystem::remove(it->path(), error);
        }
    }
}

}  // namespace

bool parseWholeInteger(const std::string& text, std::int32_t& value) {
    const std::string trimmed = trim(text);
    const char* first = trimmed.data();
    const char* last = trimmed.data() + trimmed.size();
    if (first != last && *first == '+') {
        ++first;
    }
    if (first == last) {
        return false;
    }
    std::int32_t parsed = 0;
    const auto [end, error] = std::from_chars(first, last, parsed);
    if (error != std::errc() || end != last) {
        return false;
    }
    value = parsed;
    return true;
}

bool profileFileC::sameKey(const std::string& a, const std::string& b) {
    return sameName(a, b);
}

bool profileFileC::canHoldKey(const std::string& key) {
    return !key.empty() && key.find_first_of(std::string("\n\r=\0", 4)) == std::string::npos &&
           key[0] != '[' && key[0] != ';' && !isBlank(key.front()) && !isBlank(key.back());
}

bool profileFileC::canHoldValue(const std::string& value) {
    return value.find_first_of(std::string("\n\r\0", 3)) == std::string::npos &&
           (value.empty() || (!isBlank(value.front()) && !isBlank(value.back())));
}

std::string profileFileC::readString(const std::string& section, const std::string& key,
                                     const std::string& defaultValue) const {
    return lookup(path_, section, key).value_or(defaultValue);
}

std::int32_t profileFileC::readInteger(const std::string& section, const std::string& key,
                                       std::int32_t defaultValue) const {
    const auto text = lookup(path_, section, key);
    std::int32_t value = defaultValue;
    if (!text || !parseWholeInteger(*text, value)) {
        return defaultValue;
    }
    return value;
}

bool profileFileC::readBool(const std::string& section, const std::string& key,
                            bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

std::vector<std::string> profileFileC::readSectionKeys(const std::string& section) const {
    const iniDocument doc = load(path_);
    std::vector<std::string> keys;
    std::unordered_set<std::string> seen;
    const std::size_t body = findSection(doc, section);
    if (body == notFound) {
        return keys;
    }
    const std::size_t end = sectionEnd(doc, body);
    for (std::size_t i = body; i < end; ++i) {
        const auto& line = doc.lines[i];
        if (line.type != iniLine::kind::entry || line.name.empty()) {
            continue;
        }
        // A set of the keys seen, folded to one case: a list of 100,000 players is read in
        // one pass, not compared with every key before it.
        if (seen.insert(folded(line.name)).second) {
            keys.push_back(line.name);
        }
    }
    return keys;
}

bool profileFileC::writeString(const std::string& section, const std::string& key,
                               const std::string& value) {
    writeProblem_.clear();
    if (!canHoldKey(section) || section.find(']') != std::string::npos || !canHoldKey(key) ||
        !canHoldValue(value)) {
        writeProblem_ = "the name or value cannot be held by the file";
        return false;
    }
    const std::filesystem::path target = writeTarget(path_);
    const iniLock lock(target, writeProblem_);
    if (!lock.locked()) {
        return false;
    }
    removeStaleTemporaries(target);
    const fileContent content = readWholeFile(target);
    if (!content.problem.empty()) {
        writeProblem_ = content.problem;
        return false;
    }
    iniDocument doc = content.text ? parse(*content.text) : iniDocument{};
    const std::string cr = doc.crlf ? "\r" : "";
    const std::string entryText = key + "=" + value + cr;

    const std::size_t body = findSection(doc, section);
    if (body == notFound) {
        if (!doc.lines.empty() && !trim(doc.lines.back().raw).empty()) {
            doc.lines.push_back(classify(cr));
        }
        doc.lines.push_back(classify("[" + section + "]" + cr));
        doc.lines.push_back(classify(entryText));
    } else if (const std::size_t index = findKey(doc, body, key); index != notFound) {
        // Keep the key as first spelt in the file; only the value changes.
        doc.lines[index] = classify(doc.lines[index].name + "=" + value + cr);
    } else {
        // After the section's last non-blank line, so blank separators stay between sections.
        std::size_t insertAt = sectionEnd(doc, body);
        while (insertAt > body && trim(doc.lines[insertAt - 1].raw).empty()) {
            --insertAt;
        }
        doc.lines.insert(doc.lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                         classify(entryText));
    }
    return replaceFileAtomically(target, serialise(doc), writeProblem_);
}

std::string profileFileC::readProblem() const {
    return readWholeFile(path_).problem;
}

bool profileFileC::writeInteger(const std::string& section, const std::string& key,
                                std::int32_t value) {
    return writeString(section, key, std::to_string(value));
}

bool profileFileC::writeBool(const std::string& section, const std::string& key, bool value) {
    return writeString(section, key, value ? "1" : "0");
}

}  // namespace qm
