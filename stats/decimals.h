#pragma once

#include <string>

namespace qm {

// A figure with two decimals ("37.62"), as every window, file and export shows it: one
// rounding for one figure wherever it appears.
[[nodiscard]] std::string twoDecimals(double value);

}  // namespace qm
