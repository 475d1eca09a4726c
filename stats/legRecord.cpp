#include "stats/legRecord.h"

namespace qm {

namespace {

void put16(legRecordBytes& bytes, std::size_t offset, std::int16_t value) {
    const auto raw = static_cast<std::uint16_t>(value);
    bytes[offset] = static_cast<std::uint8_t>(raw & 0xFFu);
    bytes[offset + 1] = static_cast<std::uint8_t>(raw >> 8);
}

std::int16_t get16(const unsigned char* bytes, std::size_t offset) {
    const auto raw = static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
    return static_cast<std::int16_t>(raw);
}

}  // namespace

legRecordBytes encodeLegRecord(const legRecordS& record) {
    legRecordBytes bytes{};
    put16(bytes, 0, record.year);
    put16(bytes, 2, record.month);
    put16(bytes, 4, record.day);
    put16(bytes, 6, record.darts);
    put16(bytes, 8, record.points);
    bytes[10] = record.won;
    bytes[11] = record.reserved;
    put16(bytes, 12, record.count180);
    put16(bytes, 14, record.finish);
    return bytes;
}

legRecordS decodeLegRecord(const unsigned char* bytes) {
    legRecordS record;
    record.year = get16(bytes, 0);
    record.month = get16(bytes, 2);
    record.day = get16(bytes, 4);
    record.darts = get16(bytes, 6);
    record.points = get16(bytes, 8);
    record.won = bytes[10];
    record.reserved = bytes[11];
    record.count180 = get16(bytes, 12);
    record.finish = get16(bytes, 14);
    return record;
}

legRecordS decodeLegRecord(const legRecordBytes& bytes) {
    return decodeLegRecord(bytes.data());
}

bool isValidRecord(const legRecordS& record) {
    return record.year >= 1900 && record.year <= 9999 && record.month >= 0 && record.month <= 12 &&
           record.day >= 0 && record.day <= 31 && record.darts >= 0 &&
           record.darts <= maxRecordDarts && record.points >= 0 && record.points <= 1001 &&
           record.finish >= 0 && record.finish <= 170 && record.count180 >= 0;
}

std::string recordProblem(const legRecordS& record) {
    if (record.darts > maxRecordDarts) {
        return "a leg of " + std::to_string(record.darts) +
               " darts is more than the 1000 a statistics record holds";
    }
    if (!isValidRecord(record) || !isCalendarDate(record.date())) {
        return "the leg's figures or date are outside what a statistics record holds";
    }
    return {};
}

}  // namespace qm
