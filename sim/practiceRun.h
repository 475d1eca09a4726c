#pragma once

#include <filesystem>
#include <string>

#include "sim/simOptions.h"

namespace qm::sim {

// A drill played `sessions` times by a computer of one strength: each session's score, as the
// drill scores it, summed up.
struct practiceRunS {
    long long sessions = 0;
    double mean = 0.0;
    double spread = 0.0;  // the sessions' standard deviation
    double best = 0.0;    // the lowest darts in Around the Clock, else the highest score
    std::string problem;  // the dart history could not keep the drills
};

// The computer aims and throws as in a game; the darts draw from the process-wide generator,
// seeded with the options' seed. Each session's Finishes are drawn with a seed of its own,
// from the options' seed. With saveDarts, every drill goes to the dart history in `dataDir`,
// in batches; `problem` says why they could not all be kept.
practiceRunS runPractice(const practiceOptions& options, const std::filesystem::path& dataDir = {});

// {"drill":D,"variant":V,"strength":S,"sessions":K,"mean":M,"spread":SD,"best":B}
std::string practiceJson(const practiceOptions& options, const practiceRunS& run);

}  // namespace qm::sim
