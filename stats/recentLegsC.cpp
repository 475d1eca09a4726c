#include "stats/recentLegsC.h"

namespace qm {

void recentLegsC::clear() {
    next_ = 0;
    count_ = 0;
}

void recentLegsC::add(std::int32_t points, std::int32_t darts) {
    if (count_ < capacity) {
        ++count_;
    }
    entries_[next_] = {points, darts};
    next_ = (next_ + 1) % capacity;
}

double recentLegsC::ppd() const {
    std::int64_t points = 0;
    std::int64_t darts = 0;
    for (int i = 0; i < count_; ++i) {
        points += entries_[i].points;
        darts += entries_[i].darts;
    }
    if (darts == 0) {
        return 0.0;
    }
    return static_cast<double>(points) / static_cast<double>(darts);
}

}  // namespace qm
