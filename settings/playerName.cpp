#include "settings/playerName.h"

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

}  // namespace qm
