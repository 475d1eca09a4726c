#pragma once

#include <filesystem>

#include "sim/simRun.h"

namespace qm::sim {

// The matches of runMatches played by a loop of its own instead of the game-flow model: the
// same rules, boards, statistics and leg records, dart for dart, with what a run of thousands
// of matches can share built once (the two hands, their hit tables, the statistics files kept
// open). Its output is byte for byte that of runMatchesPlain for every seed (tested).
matchRunResult runMatchesLean(const matchOptions& options, const std::filesystem::path& dataDir);

}  // namespace qm::sim
