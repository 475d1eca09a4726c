#include "stats/legCsv.h"

#include <cstdio>
#include <vector>

#include "stats/statsReader.h"

namespace qm {

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

std::string writeLegsCsv(const std::filesystem::path& dataDir, const std::string& name,
                         std::int64_t startDay, std::int64_t endDay, std::ostream& out) {
    std::vector<legRecordS> records;
    if (!loadLegRecords(dataDir, name, startDay, endDay, records)) {
        return "the statistics file " + name + ".dat cannot be read whole";
    }
    out << "date,darts,points,won,180s,finish,ppd\r\n";
    for (const legRecordS& record : records) {
        char date[32];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", record.year, record.month, record.day);
        char ppd[32];
        std::snprintf(ppd, sizeof ppd, "%.2f", record.ppd());
        out << csvField(date) << ',' << record.darts << ',' << record.points << ','
            << (record.isWon() ? 1 : 0) << ',' << record.count180 << ',' << record.finish << ','
            << csvField(ppd) << "\r\n";
    }
    return {};
}

}  // namespace qm
