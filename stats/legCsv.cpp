#include "stats/legCsv.h"

#include <cstdio>
#include <map>
#include <vector>

#include "stats/civilDate.h"
#include "stats/dartHistoryC.h"
#include "stats/decimals.h"
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
                         std::int64_t startDay, std::int64_t endDay, std::ostream& out,
                         std::string* note) {
    std::vector<legRecordS> records;
    std::vector<std::int64_t> places;
    if (!loadLegRecords(dataDir, name, startDay, endDay, records, &places)) {
        return "the statistics file " + name + ".dat cannot be read whole";
    }
    // The dart history's legs of the range, by the place of the record each was written with.
    dartHistoryC history(dataDir / dartHistoryFileName, dartHistoryC::mode::readOnly);
    if (note != nullptr && !history.problem().empty()) {
        *note = history.problem() + ": the dart columns are empty";
    }
    std::map<std::int64_t, legFiguresS> detailed;
    for (const auto& leg :
         history.legFiguresOf(name, fromDayNumber(startDay), fromDayNumber(endDay))) {
        if (leg.recordIndex) {
            detailed[*leg.recordIndex] = leg.figures;
        }
    }
    out << "date,darts,points,won,180s,finish,ppd,first9,darts_at_double,doubles_hit\r\n";
    for (std::size_t r = 0; r < records.size(); ++r) {
        const legRecordS& record = records[r];
        char date[32];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", record.year, record.month, record.day);
        out << csvField(date) << ',' << record.darts << ',' << record.points << ','
            << (record.isWon() ? 1 : 0) << ',' << record.count180 << ',' << record.finish << ','
            << csvField(twoDecimals(record.ppd()));
        if (const auto found = detailed.find(places[r]); found != detailed.end()) {
            const legFiguresS& f = found->second;
            const std::string first9 =
                f.first9Darts > 0 ? twoDecimals(3.0 * f.first9Points / f.first9Darts) : "";
            out << ',' << first9 << ',' << f.atDouble << ',' << f.doublesHit;
        } else {
            out << ",,,";
        }
        out << "\r\n";
    }
    return {};
}

}  // namespace qm
