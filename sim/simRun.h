#pragma once

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "sim/simOptions.h"

namespace qm::sim {

struct throwsResult {
    long long darts = 0;
    long long hitTarget = 0;
    long long offBoard = 0;
    long long points = 0;
};

// Aims count darts at the target. With a trace file, writes one "dx dy type number" line
// per dart to it.
throwsResult runThrows(const throwsOptions& options, std::FILE* trace);

struct playerTotalsS {
    long long matchesWon = 0;
    long long legsWon = 0;
    long long darts = 0;
    long long points = 0;
    long long count180 = 0;
    int bestFinish = 0;
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
    // Legs too long for a record (more than 1000 darts): not saved, reported, and the run goes on.
    std::vector<std::string> skipped;
};

// Plays the matches between the two computer players with the game's own rules.
matchRunResult runMatches(const matchOptions& options, const std::filesystem::path& dataDir);

std::string throwsJson(const throwsOptions& options, const throwsResult& result);
std::string matchJson(const matchOptions& options, const matchRunResult& result);

}  // namespace qm::sim
