#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "computer/normalScatter.h"
#include "computer/throwFit.h"
#include "match/dart.h"
#include "match/drill.h"

namespace qm::sim {

// The most each count may ask for: runs of a few minutes on a desktop machine at the most.
inline constexpr long long maxThrows = 1'000'000'000;
inline constexpr long long maxMatches = 10'000'000;
inline constexpr long long maxCalibrationLegs = 1'000'000;
inline constexpr long long maxContinuations = 100'000'000;

struct throwsOptions {
    int strength = 0;
    dartS target;
    std::string targetText;
    long long count = 0;
    std::optional<std::uint32_t> seed;
    bool trace = false;
};

// A player given as a twin (--twin1, --twin2) throws by that human's fitted scatter, read from
// the dart history before the run.
struct twinsS {
    std::array<std::string, 2> of;  // empty: the player throws by their strength
    std::array<std::optional<throwFitS>, 2> fits;
};

struct matchOptions {
    std::array<std::string, 2> names{};
    std::array<int, 2> strengths{};
    twinsS twins{};
    int start = 501;
    int legs = 5;
    int sets = 1;
    long long matches = 1;
    std::optional<std::uint32_t> seed{};
    bool saveStats = false;
    bool saveDarts = false;  // every dart into the dart history, in batches
    std::optional<std::string> dataDir{};
    bool traceLegs = false;
    // Where traced legs go as they are played, one JSON object a line, instead of being kept
    // in the result: a long run would otherwise hold every leg in memory.
    std::FILE* legTraceStream = nullptr;
};

// What a strength means: every strength from 1 to 60 against itself.
struct calibrateOptions {
    // Enough that the three-dart average's standard error stays below 0.1 at every strength
    // (largest measured: 0.082, at the strongest).
    static constexpr long long defaultLegs = 25000;
    static constexpr std::uint32_t defaultSeed = 1;
    long long legs = defaultLegs;
    std::uint32_t seed = defaultSeed;  // each strength's row starts from this seed
    int start = 501;
};

// Each player's chance to win a match from a state: worked out exactly from the model's
// distributions, or by playing the match on many times.
struct oddsOptions {
    enum class method { exact, sample };
    std::array<std::string, 2> names;
    std::array<int, 2> strengths{};
    twinsS twins;
    std::optional<std::string> dataDir;  // where a twin's darts are read
    int start = 501;
    int legs = 5;
    int sets = 1;
    std::array<int, 2> left{};  // 0: the start score
    std::array<int, 2> legsWon{};
    std::array<int, 2> setsWon{};
    int next = 1;                // who throws next, 1 or 2
    std::optional<int> starter;  // who began the leg under way; default: who throws next
    long long continuations = 12'000;
    std::uint32_t seed = 1;
    method how = method::exact;
};

// What one strength scores, worked out exactly: the darts it needs from every score, and the
// three-dart average of its legs against itself.
struct expectedOptions {
    int strength = 0;
    int start = 501;
};

// A drill played many times by a computer of one strength.
struct practiceOptions {
    drillSetupS setup;
    std::string drillText;  // as given
    int strength = 0;
    std::string twin;  // --twin NAME in place of --strength
    std::optional<throwFitS> twinFit;
    long long sessions = 0;
    std::uint32_t seed = 1;
    // Every drill and its darts into the dart history, under the player's name (a computer
    // player of the INI file).
    bool saveDarts = false;
    std::string player;
    std::optional<std::string> dataDir;
};
inline constexpr long long maxSessions = 10'000'000;

// Where one dart scores most on average under a given scatter.
struct aimOptions {
    normalScatterS scatter;
};

using simCommand = std::variant<throwsOptions, matchOptions, calibrateOptions, oddsOptions,
                                expectedOptions, practiceOptions, aimOptions>;

// Reads the command line (without the program name). Throws std::invalid_argument with a
// one-line message for anything it cannot accept.
simCommand parseOptions(const std::vector<std::string>& args);

// What --help prints.
const char* usageText();

// Strict dart notation: "Single n", "Double n", "Triple n" with n from 1 to 20, or
// "Single 25" and "Double 25".
std::optional<dartS> parseTarget(const std::string& text);

}  // namespace qm::sim
