#include "stats/decimals.h"

#include <cstdio>

namespace qm {

std::string twoDecimals(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

}  // namespace qm
