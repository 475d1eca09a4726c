#include "settings/playerName.h"

#include <utf8proc.h>

#include <cstdlib>
#include <memory>

#include "settings/profileFileC.h"
#include "stats/legFile.h"

namespace qm {

std::string playerNameProblem(const std::string& name) {
    if (name.empty()) {
        return "Please enter a player name";
    }
    if (name.find('\0') != std::string::npos) {
        return "A player name cannot contain a NUL character";
    }
    if (name.find_first_of("\n\r") != std::string::npos) {
        return "A player name cannot contain a line break";
    }
    // Each character: valid UTF-8, and no control character.
    const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(name.data());
    for (utf8proc_ssize_t at = 0; at < static_cast<utf8proc_ssize_t>(name.size());) {
        utf8proc_int32_t character = 0;
        const utf8proc_ssize_t length = utf8proc_iterate(
            bytes + at, static_cast<utf8proc_ssize_t>(name.size()) - at, &character);
        if (length <= 0) {
            return "A player name must be UTF-8 text";
        }
        if (character < 0x20 || (character >= 0x7f && character <= 0x9f)) {
            return "A player name cannot contain a control character";
        }
        at += length;
    }
    if (name.size() > maxStatsNameBytes) {
        return "A player name can be at most " + std::to_string(maxStatsNameBytes) + " bytes long";
    }
    if (name.find('=') != std::string::npos) {
        return "A player name cannot contain \"=\"";
    }
    if (name.find('/') != std::string::npos) {
        return "A player name cannot contain \"/\"";
    }
    if (name.front() == '[' || name.front() == ';') {
        return "A player name cannot start with \"[\" or \";\"";
    }
    if (!profileFileC::canHoldKey(name)) {
        return "A player name cannot start or end with a blank";
    }
    if (!isUsableStatsFileName(name)) {
        return "\"" + name + "\" cannot be used as a player name";
    }
    return {};
}

std::string foldedName(const std::string& name) {
    utf8proc_uint8_t* folded = nullptr;
    const utf8proc_ssize_t length = utf8proc_map(
        reinterpret_cast<const utf8proc_uint8_t*>(name.c_str()),
        static_cast<utf8proc_ssize_t>(name.size()), &folded,
        static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE | UTF8PROC_CASEFOLD));
    const std::unique_ptr<utf8proc_uint8_t, decltype(&std::free)> owned(folded, &std::free);
    if (length < 0) {
        return {};
    }
    return {reinterpret_cast<const char*>(folded), static_cast<std::size_t>(length)};
}

}  // namespace qm
