#include "computer/gameRandom.h"

namespace qm::gameRandom {

void seed(std::uint32_t value) {
    detail::state = value;
    next();
}

}  // namespace qm::gameRandom
