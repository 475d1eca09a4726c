#pragma once

#include <array>
#include <string>

#include "computer/checkoutChart.h"
#include "match/dart.h"

namespace qm {

// The computer player's checkout chart and its choice of target for each dart. One instance
// serves every computer player; nothing changes it after construction.
class vPlayerC {
  public:
    vPlayerC();

    // The target of dart k (1 to 3) of a visit with this score left: the three checks below.
    [[nodiscard]] dartS dartCheck(int k, int remaining, bool alternative) const {
        return k == 1   ? firstDartCheck(remaining)
               : k == 2 ? secondDartCheck(remaining, alternative)
                        : thirdDartCheck(remaining, alternative);
    }
    [[nodiscard]] dartS firstDartCheck(int remaining) const;
    [[nodiscard]] dartS secondDartCheck(int remaining, bool alternative) const;
    [[nodiscard]] dartS thirdDartCheck(int remaining, bool alternative) const;
    [[nodiscard]] dartS alternativeCheck(int remaining) const;
    // The chart's entry for 2 to 170 ("No check" is attacked with triple 20); (0, 0) and a
    // diagnostic line outside that range.
    [[nodiscard]] dartS normalCheck(int remaining) const;
    // Last dart with 171 to 229 left: set up a score the chart can finish. Any other score
    // throws std::out_of_range.
    [[nodiscard]] dartS setupCheck(int remaining) const;

    // The chart's texts; a score outside the chart throws std::out_of_range.
    [[nodiscard]] const std::string& chartEntry(int remaining) const {
        return chart_.at(static_cast<std::size_t>(remaining));
    }
    [[nodiscard]] const std::string& alternativeEntry(int remaining) const {
        return alternativeChart_.at(static_cast<std::size_t>(remaining));
    }

  private:
    [[nodiscard]] bool isNoCheck(int remaining) const;

    std::array<std::string, mainChartSize> chart_;
    std::array<std::string, alternativeChartSize> alternativeChart_;
    std::array<std::string, reservedChartSize> reserved_;
    // The chart's darts read once at construction; the aim rules run once per dart thrown.
    std::array<dartS, mainChartSize> chartDarts_{};
    std::array<bool, mainChartSize> noCheck_{};
    // The last dart's target for 2 to 229 left, without the alternative chart: the set-up
    // search above 170 would otherwise run for a good share of all visits.
    static constexpr int lastDartTableSize = 230;
    std::array<dartS, lastDartTableSize> lastDartAim_{};
};

}  // namespace qm
