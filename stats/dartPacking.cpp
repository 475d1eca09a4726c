#include "stats/dartPacking.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace qm {

namespace {

void putVarint(std::string& out, std::uint64_t value) {
    while (value >= 0x80) {
        out += static_cast<char>((value & 0x7f) | 0x80);
        value >>= 7;
    }
    out += static_cast<char>(value);
}

std::uint64_t zigzag(std::int64_t value) {
    return (static_cast<std::uint64_t>(value) << 1) ^ static_cast<std::uint64_t>(value >> 63);
}

std::int64_t unzigzag(std::uint64_t value) {
    return static_cast<std::int64_t>(value >> 1) ^ -static_cast<std::int64_t>(value & 1);
}

std::int64_t quantised(float coordinate) {
    // A dart lands within a few thousand units at the very worst; a point past any sane board
    // is held at the edge of what the field keeps rather than wrapped round.
    constexpr double limit = 1e9;
    const double scaled = std::clamp(double(coordinate) / dartPointUnit, -limit, limit);
    return std::llround(std::isnan(scaled) ? 0.0 : scaled);
}

// Reads the bytes in order; a read past the end or an overlong varint fails the whole list.
class reader {
  public:
    explicit reader(std::string_view bytes) : bytes_(bytes) {}
    [[nodiscard]] bool done() const { return at_ == bytes_.size(); }
    std::optional<std::uint8_t> byte() {
        if (at_ >= bytes_.size()) {
            return std::nullopt;
        }
        return static_cast<std::uint8_t>(bytes_[at_++]);
    }
    std::optional<std::uint64_t> varint() {
        std::uint64_t value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            const auto next = byte();
            if (!next) {
                return std::nullopt;
            }
            value |= std::uint64_t(*next & 0x7f) << shift;
            if ((*next & 0x80) == 0) {
                return value;
            }
        }
        return std::nullopt;
    }

  private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

std::uint8_t ringAndNumber(std::int32_t type, std::int32_t number) {
    return static_cast<std::uint8_t>((type & 3) | ((number & 31) << 2));
}

}  // namespace

std::string packDarts(const std::vector<dartRecordS>& darts) {
    std::string out;
    out.reserve(2 + darts.size() * 8);
    putVarint(out, darts.empty() ? 1 : static_cast<std::uint64_t>(std::max(darts[0].visit, 1)));
    std::int32_t visit = darts.empty() ? 1 : darts[0].visit;
    for (std::size_t k = 0; k < darts.size(); ++k) {
        const dartRecordS& d = darts[k];
        const bool newVisit = k > 0 && d.visit != visit;
        visit = d.visit;
        out += static_cast<char>(ringAndNumber(d.type, d.number) | (newVisit ? 0x80 : 0));
        const bool target = d.targetType && d.targetNumber;
        putVarint(out, std::uint64_t(std::max(d.remainingBefore, 0)) * 4 + (d.point ? 2 : 0) +
                           (target ? 1 : 0));
        if (d.point) {
            putVarint(out, zigzag(quantised(d.point->x)));
            putVarint(out, zigzag(quantised(d.point->y)));
        }
        if (target) {
            out += static_cast<char>(ringAndNumber(*d.targetType, *d.targetNumber));
        }
    }
    return out;
}

std::optional<std::vector<dartRecordS>> unpackDarts(std::string_view bytes) {
    reader in(bytes);
    const auto first = in.varint();
    if (!first || *first == 0 || *first > std::uint64_t(std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    std::vector<dartRecordS> darts;
    std::int32_t visit = static_cast<std::int32_t>(*first);
    std::int32_t order = 0;
    while (!in.done()) {
        const auto head = in.byte();
        const auto left = in.varint();
        if (!head || !left || *left / 4 > std::uint64_t(std::numeric_limits<std::int32_t>::max())) {
            return std::nullopt;
        }
        if ((*head & 0x80) != 0) {
            ++visit;
            order = 0;
        }
        dartRecordS d;
        d.visit = visit;
        d.order = ++order;
        d.type = *head & 3;
        d.number = (*head >> 2) & 31;
        d.remainingBefore = static_cast<std::int32_t>(*left / 4);
        if ((*left & 2) != 0) {
            const auto x = in.varint();
            const auto y = in.varint();
            if (!x || !y) {
                return std::nullopt;
            }
            d.point = dartPointS{static_cast<float>(unzigzag(*x)) * dartPointUnit,
                                 static_cast<float>(unzigzag(*y)) * dartPointUnit};
        }
        if ((*left & 1) != 0) {
            const auto target = in.byte();
            if (!target) {
                return std::nullopt;
            }
            d.targetType = *target & 3;
            d.targetNumber = (*target >> 2) & 31;
        }
        darts.push_back(d);
    }
    return darts;
}

}  // namespace qm
