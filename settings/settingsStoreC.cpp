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
        storedSettings.twinOf[i] =
            storedSettings.isComputer[i] ? readTwinOf(storedSettings.names[i]) : std::string();
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
    // Both names, before anything is written: a refused pair never reaches the file.
    for (int p = 0; p < 2; ++p) {
        if (const std::string problem = caseTwinProblem(names[p], p == 1 ? names[0] : "");
            !problem.empty()) {
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
        return {false, writeFailureMessage(), true};
    }
    return {};
}

std::string settingsStoreC::readProblemMessage() const {
    const std::string why = ini_.readProblem();
    return why.empty() ? why
                       : "Unable to read the settings file " + iniPath().string() + ": " + why;
}

std::string settingsStoreC::writeFailureMessage() const {
    const std::string& why = ini_.writeProblem();
    return "Unable to write the settings file " + iniPath().string() +
           (why.empty() ? "" : ": " + why);
}

std::string settingsStoreC::caseTwinProblem(const std::string& name,
                                            const std::string& partner) const {
    // The INI file knows its keys without regard to letter case, the statistics files are
    // named with it: "bot" beside a known "Bot" would rewrite Bot's entry and keep its legs
    // where the statistics window never looks. Such a name is refused.
    // Nor may one that reads the same but for accents' encoding or a letter's case beyond
    // ASCII ("Café" composed, "Café" decomposed, "CAFÉ"): two look-alike players.
    const std::string folded = foldedName(name);
    auto twin = [&name, &folded](const std::string& known) {
        return known != name && (profileFileC::sameKey(known, name) ||
                                 (!folded.empty() && foldedName(known) == folded));
    };
    const playerListsS lists = readPlayerLists();
    std::vector<std::string> known = lists.humans;
    known.insert(known.end(), lists.computers.begin(), lists.computers.end());
    if (!partner.empty()) {
        known.push_back(partner);
    }
    for (const std::string& other : known) {
        if (twin(other)) {
            return name + " differs from the player " + other +
                   " only in letter case, please choose an other name";
        }
    }
    return {};
}

saveOutcomeS settingsStoreC::addComputerPlayer(const std::string& name, std::int32_t strength) {
    if (const std::string problem = playerNameProblem(name); !problem.empty()) {
        return {false, problem};
    }
    if (const std::string problem = caseTwinProblem(name, {}); !problem.empty()) {
        return {false, problem};
    }
    const playerListsS lists = readPlayerLists();
    for (const auto* list : {&lists.humans, &lists.computers}) {
        if (std::find(list->begin(), list->end(), name) != list->end()) {
            return {};  // known already: nothing of it changes
        }
    }
    if (!ini_.writeInteger("AI", name, strength)) {
        return {false, writeFailureMessage(), true};
    }
    return {};
}

bool settingsStoreC::readCheckoutHints() const {
    return ini_.readInteger("Hints", "CheckoutHints", 1) != 0;
}

bool settingsStoreC::saveCheckoutHints(bool on) {
    return ini_.writeBool("Hints", "CheckoutHints", on);
}

bool settingsStoreC::readPersonalRoutes() const {
    return ini_.readInteger("Hints", "PersonalRoutes", 0) != 0;
}

bool settingsStoreC::savePersonalRoutes(bool on) {
    return ini_.writeBool("Hints", "PersonalRoutes", on);
}

std::string settingsStoreC::readTwinOf(const std::string& computer) const {
    if (!profileFileC::canHoldKey(computer)) {
        return {};
    }
    return ini_.readString("Twins", computer, "");
}

bool settingsStoreC::saveTwinOf(const std::string& computer, const std::string& human) {
    if (!profileFileC::canHoldKey(computer)) {
        return human.empty();  // a name the file cannot key has no twin to keep
    }
    if (human.empty() && readTwinOf(computer).empty()) {
        return true;  // nothing to write: the file stays as it is
    }
    return ini_.writeString("Twins", computer, human);
}

bool settingsStoreC::readCaller() const {
    return ini_.readInteger("Caller", "Caller", 0) != 0;
}

bool settingsStoreC::saveCaller(bool on) {
    return ini_.writeBool("Caller", "Caller", on);
}

bool settingsStoreC::readMatchOdds() const {
    return ini_.readInteger("Odds", "MatchOdds", 1) != 0;
}

bool settingsStoreC::saveMatchOdds(bool on) {
    return ini_.writeBool("Odds", "MatchOdds", on);
}

}  // namespace qm
