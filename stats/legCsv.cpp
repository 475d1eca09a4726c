#include "stats/legCsv.h"

#include <cstdio>
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
                         std::int64_t startDay, std::int64_t endDay, std::ostream& out) {
    std::vector<legRecordS> records;
    if (!loadLegRecords(dataDir, name, startDay, endDay, records)) {
        return "the statistics file " + name + ".dat cannot be read whole";
    }
    // The dart history's legs of the range, to go beside the records they were written with.
    dartHistoryC history(dataDir / dartHistoryFileName, dartHistoryC::mode::readOnly);
    const auto detailed =
        history.legFiguresOf(name, fromDayNumber(startDay), fromDayNumber(endDay));
    std::size_t next = 0;
    out << "date,darts,points,won,180s,finish,ppd,first9,darts_at_double,doubles_hit\r\n";
    for (const legRecordS& record : records) {
        char date[32];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", record.year, record.month, record.day);
        out << csvField(date) << ',' << record.darts << ',' << record.points << ','
            << (record.isWon() ? 1 : 0) << ',' << record.count180 << ',' << record.finish << ','
            << csvField(twoDecimals(record.ppd()));
        const civilDate day{record.year, record.month, record.day};
        while (next < detailed.size() && dayNumber(detailed[next].day) < dayNumber(day)) {
            ++next;  // a leg the records do not have (a file replaced, say)
        }
        // A leg of typed totals has no darts: the next detailed leg is not its own unless its
        // day, points and result agree.
        if (next < detailed.size() && detailed[next].day == day &&
            detailed[next].figures.points == record.points &&
            detailed[next].won == record.isWon()) {
            const legFiguresS& f = detailed[next++].figures;
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
