#include "settings/settingsStoreC.h"

#include <algorithm>

#include "settings/playerName.h"

namespace qm {

namespace {

constexpr std::int32_t defaultStrength = 20;

}  // namespace

std::filesystem::path iniPathFor(const std::filesystem::path& programPath) {
    std::filesystem::path ini = programPath;
    return ini.replace_extension(".INI");
}

void settingsStoreC::loadSettings() {
    storedSettings.names[0] = ini_.readString("Default", "Player1", "Player 1");
    storedSettings.names[1] = ini_.readString("Default", "Player2", "Player 2");
    storedSettings.isComputer[0] = ini_.readBool("Default", "Kind1", true);
    storedSettings.isComputer[1] = ini_.readBool("Default", "Kind2", true);
    for (int i = 0; i < 2; ++i) {
        storedSettings.strengths[i] = readStrength(storedSettings.names[i]);
    }
    storedSettings.startScore = 501;
    storedSettings.bestOfSets = 1;
    storedSettings.bestOfLegs = 5;
}

playerListsS settingsStoreC::readPlayerLists() const {
    return {ini_.readSectionKeys("Players"), ini_.readSectionKeys("AI")};
}

std::int32_t settingsStoreC::readStrength(const std::string& name) const {
    if (!profileFileC::canHoldKey(name)) {
        return defaultStrength;
    }
    // A hand-edited strength outside the scale would break the throw model; hold it to 1..60.
    return std::clamp(ini_.readInteger("AI", name, defaultStrength), minStrength, maxStrength);
}

saveOutcomeS settingsStoreC::savePlayer(int index, const std::array<std::string, 2>& names,
                                        const std::array<bool, 2>& kinds, std::int32_t strength,
                                        bool known) {
    for (const auto& name : names) {
        if (const std::string problem = playerNameProblem(name); !problem.empty()) {
            return {false, problem};
        }
    }
    const std::string& name = names[index];
    bool ok = true;
    if (!known) {
        ok = kinds[index] ? ini_.writeInteger("AI", name, strength)
                          : ini_.writeInteger("Players", name, 0);
    }
    ok = ok && ini_.writeString("Default", "Player1", names[0]);
    ok = ok && ini_.writeString("Default", "Player2", names[1]);
    ok = ok && ini_.writeBool("Default", "Kind1", kinds[0]);
    ok = ok && ini_.writeBool("Default", "Kind2", kinds[1]);
    if (ok && known && kinds[index]) {
        ok = ini_.writeInteger("AI", name, strength);
    }
    if (!ok) {
        return {false, "Unable to write the settings file " + iniPath().string(), true};
    }
    return {};
}

bool settingsStoreC::readCheckoutHints() const {
    return ini_.readInteger("Hints", "CheckoutHints", 1) != 0;
}

bool settingsStoreC::saveCheckoutHints(bool on) {
    return ini_.writeBool("Hints", "CheckoutHints", on);
}

}  // namespace qm
