#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "settings/gameSettingsS.h"
#include "settings/profileFileC.h"

namespace qm {

// The INI file sits beside the program: its path with the extension replaced by ".INI".
std::filesystem::path iniPathFor(const std::filesystem::path& programPath);
// The game's INI file by name ("quivermark" with ".INI"), for the simulator, which writes its
// players into the game's file.
inline constexpr const char* iniFileName = "quivermark.INI";

struct playerListsS {
    std::vector<std::string> humans;     // keys of "Players", in file order
    std::vector<std::string> computers;  // keys of "AI", in file order
};

struct saveOutcomeS {
    bool ok = true;
    std::string message;       // why the save was refused or failed
    bool writeFailed = false;  // the names were fine, but the file could not be written
};

// The program's one settings store: the settings last loaded or collected by the dialog, and
// the INI file that remembers the players between runs.
class settingsStoreC {
  public:
    explicit settingsStoreC(std::filesystem::path iniPath) : ini_(std::move(iniPath)) {}

    // Reads the last pair of players from the file and starts the match format afresh
    // (501, best of 1 set, best of 5 legs). The speed mode is kept.
    void loadSettings();
    [[nodiscard]] playerListsS readPlayerLists() const;
    // A computer player's strength, 20 when unknown; always within 1 to 60.
    [[nodiscard]] std::int32_t readStrength(const std::string& name) const;
    // The human a computer player is the twin of (its key in the section "Twins"); empty for
    // none. Saving an empty name makes it a player of its strength again.
    [[nodiscard]] std::string readTwinOf(const std::string& computer) const;
    bool saveTwinOf(const std::string& computer, const std::string& human);

    // Records player `index` of the pair: a new name joins its list, the pair is written as the
    // last chosen one, and a known computer player's strength is rewritten. A name the file
    // cannot hold is refused before anything is written.
    saveOutcomeS savePlayer(int index, const std::array<std::string, 2>& names,
                            const std::array<bool, 2>& kinds, std::int32_t strength, bool known);
    // A computer player that played elsewhere (the simulator) joins the "AI" list, so that
    // the statistics window lists its history; a known name, of either kind, is left as it is.
    saveOutcomeS addComputerPlayer(const std::string& name, std::int32_t strength);
    // A message when the name differs only in letter case from a known player or from its
    // partner in the pair; empty when it can be used.
    [[nodiscard]] std::string caseTwinProblem(const std::string& name,
                                              const std::string& partner) const;
    // "Unable to read the settings file <path>: <why>" when the file is there but cannot be
    // read (its defaults are shown, and it is never written over); empty otherwise.
    [[nodiscard]] std::string readProblemMessage() const;
    // "Unable to write the settings file <path>: <why>", for the last write that failed.
    [[nodiscard]] std::string writeFailureMessage() const;

    // Whether the game shows a human the checkout route of the score left (on unless turned
    // off). Kept in a section of its own, "Hints", that nothing else reads or writes.
    [[nodiscard]] bool readCheckoutHints() const;
    bool saveCheckoutHints(bool on);
    // Whether the checkout hint gives a player's own best route where their scatter is known.
    [[nodiscard]] bool readPersonalRoutes() const;
    bool savePersonalRoutes(bool on);
    // Whether the caller speaks (off unless turned on), in a section of its own, "Caller".
    [[nodiscard]] bool readCaller() const;
    bool saveCaller(bool on);
    // Whether the main window shows the match odds (on unless turned off), in a section of its
    // own, "Odds".
    [[nodiscard]] bool readMatchOdds() const;
    bool saveMatchOdds(bool on);

    gameSettingsS storedSettings;

    [[nodiscard]] const std::filesystem::path& iniPath() const { return ini_.path(); }

  private:
    profileFileC ini_;
};

}  // namespace qm
