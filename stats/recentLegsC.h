#pragma once

#include <array>
#include <cstdint>

namespace qm {

// The most recent ten legs (points, darts); once full each add overwrites the oldest.
class recentLegsC {
  public:
    static constexpr int capacity = 10;

    void clear();
    void add(std::int32_t points, std::int32_t darts);
    // Ratio of sums over the legs held; 0.0 when there are none or no darts.
    [[nodiscard]] double ppd() const;
    [[nodiscard]] int count() const { return count_; }

  private:
    struct entry {
        std::int32_t points = 0;
        std::int32_t darts = 0;
    };
    int next_ = 0;
    std::array<entry, capacity> entries_{};
    int count_ = 0;
};

}  // namespace qm
