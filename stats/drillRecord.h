#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "stats/civilDate.h"
#include "stats/dartRecord.h"

namespace qm {

// One player's practice drill as the dart history keeps it: which drill, the day, the result
// (none for a drill abandoned before its end, whose darts are kept all the same) and every
// dart, each with the target it was meant for.
struct drillRecordS {
    std::string player;
    civilDate day;
    std::int32_t drill = 0;  // the drill's kind and variant, as the drills number them
    std::int32_t variant = 0;
    bool finished = false;
    double score = 0.0;
    std::int32_t darts = 0;
    std::int32_t hits = 0;
    std::vector<dartRecordS> thrown;  // in the order thrown; left empty when read back bare
};

}  // namespace qm
