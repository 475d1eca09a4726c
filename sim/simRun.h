#pragma once

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "sim/simOptions.h"
#include "stats/dartFigures.h"

namespace qm::sim {

struct throwsResult {
    long long darts = 0;
    long long hitTarget = 0;
    long long offBoard = 0;
    long long points = 0;
};

// Aims count darts at the target. With a trace file, writes one "dx dy type number" line
// per dart to it. A long run looks its hits up in a table of the target's every landing.
throwsResult runThrows(const throwsOptions& options, std::FILE* trace);
// The same darts, each one thrown and hit-tested on its own: the reference for the run above
// and the benchmark's baseline.
throwsResult runThrowsPlain(const throwsOptions& options, std::FILE* trace);

struct playerTotalsS {
    long long matchesWon = 0;
    long long legsWon = 0;
    long long darts = 0;
    long long points = 0;
    long long count180 = 0;
    int bestFinish = 0;
    dartFiguresS dartFigures;  // with --save-darts: the figures of the darts kept
};

struct legTraceS {
    long long match = 0;
    int set = 0;
    int leg = 0;
    int starter = 0;
    int winner = 0;
    std::array<int, 2> darts{};
    std::array<int, 2> points{};
    int finish = 0;
};

struct matchRunResult {
    std::array<playerTotalsS, 2> players;
    long long totalLegs = 0;
    std::vector<legTraceS> legs;      // only with --trace-legs
    std::vector<std::string> errors;  // save failures; the run stops after the first
    std::vector<std::string> notes;   // what opening the dart history had to say
    // Legs too long for a record (more than 1000 darts): not saved, reported, and the run goes on.
    std::vector<std::string> skipped;
};

// The darts go to the history in batches of at most this many legs or this long a stretch of
// play, whichever ends first; a write waits this long for another writer to let go.
inline constexpr std::size_t historyBatchLegs = 2000;
inline constexpr int historyBatchMilliseconds = 200;
inline constexpr int historyBusyMilliseconds = 30'000;

// Counts a finished leg into the run's totals, and keeps it (or streams it) when the legs are
// traced.
void countLeg(matchRunResult& result, const legTraceS& leg, const matchOptions& options);

// Plays the matches between the two computer players through the game-flow model, with the
// hands, statistics files and date kept for the whole run. A leg record that cannot be written
// stops the run; a leg too long for a record is reported in `skipped` and the run goes on.
matchRunResult runMatches(const matchOptions& options, const std::filesystem::path& dataDir);
// The same matches with nothing kept from one match to the next, as the window plays them: the
// benchmark's baseline, and the same darts.
matchRunResult runMatchesPlain(const matchOptions& options, const std::filesystem::path& dataDir);

// One line per strength, 1 to 60: {"strength":S,"legs":N,"three_dart_average":A,
// "darts_per_leg_won":D}. Each row is seeded with the options' seed, so any row can be
// reproduced on its own.
std::string calibrationJson(const calibrateOptions& options, int strength);

// {"players":[{"name":N,"strength":S,"chance":C},...],"method":"exact"} for the state the
// options give, or with "method":"sample" and then "continuations":K,"standard_error":E;
// chances are shares from 0 to 1, four decimals.
std::string oddsJson(const oddsOptions& options);
// Text as a JSON string, quoted and escaped.
std::string jsonString(const std::string& text);
// The best aim point for one dart's points under a scatter, and the trebles 20 and 19.
std::string aimJson(const aimOptions& options);

// {"strength":S,"start":501,"three_dart_average":A,"expected_darts":{"2":D,...}}: A to four
// decimals, each D to three.
std::string expectedJson(const expectedOptions& options);

std::string throwsJson(const throwsOptions& options, const throwsResult& result);
std::string matchJson(const matchOptions& options, const matchRunResult& result);
// The parts of matchJson: everything before the legs (no closing brace), and one leg.
std::string matchJsonHead(const matchOptions& options, const matchRunResult& result);
std::string legJson(const legTraceS& leg);

}  // namespace qm::sim
