// The dart history's practice drills: a row a drill, its darts packed in a table of their own.
#include "stats/dartHistoryC.h"
#include "stats/sqliteStatement.h"

namespace qm {

namespace {

constexpr const char* createDrillTables = R"(
CREATE TABLE IF NOT EXISTS drills (
    player INTEGER NOT NULL,
    drill INTEGER NOT NULL,
    day INTEGER NOT NULL,
    id INTEGER NOT NULL,
    variant INTEGER NOT NULL,
    finished INTEGER NOT NULL,
    score REAL,
    darts INTEGER NOT NULL,
    hits INTEGER NOT NULL,
    PRIMARY KEY (player, drill, day, id)
) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS drill_darts (
    drill INTEGER PRIMARY KEY,
    darts BLOB NOT NULL
);
)";

}  // namespace

bool dartHistoryC::writeDrills(const std::vector<drillRecordS>& drills) {
    return inWriteTransaction([this, &drills] {
        if (!exec(db_, createDrillTables)) {
            return false;
        }
        statementC row(db_,
                       "INSERT INTO drills (player, drill, day, id, variant, finished, score, "
                       "darts, hits) VALUES ((SELECT id FROM players WHERE name = ?1), ?2, ?3, "
                       "?4, ?5, ?6, ?7, ?8, ?9)");
        packedDartsWriter darts(db_, "drill_darts");
        bool written = row.ok() && darts.ok();
        for (const drillRecordS& drill : drills) {
            const std::optional<std::int64_t> id =
                written ? darts.add(drill.player, drill.thrown) : std::nullopt;
            if (!id) {
                return false;
            }
            row.bind(1, drill.player);
            row.bind(2, drill.drill);
            row.bind(3, dayNumber(drill.day));
            row.bind(4, *id);
            row.bind(5, drill.variant);
            row.bind(6, drill.finished ? 1 : 0);
            if (drill.finished) {
                sqlite3_bind_double(row.get(), 7, drill.score);
            } else {
                sqlite3_bind_null(row.get(), 7);  // an abandoned drill has no score
            }
            row.bind(8, drill.darts);
            row.bind(9, drill.hits);
            written = row.run();
        }
        return written;
    });
}

std::vector<drillRecordS> dartHistoryC::drillsOf(const std::string& player, std::int32_t drill,
                                                 const civilDate& from, const civilDate& to,
                                                 bool withDarts) {
    std::vector<drillRecordS> out;
    if (db_ == nullptr) {
        return out;
    }
    statementC query(
        db_,
        "SELECT d.day, d.variant, d.finished, d.score, d.darts, d.hits, p.darts "
        "FROM drills d JOIN players ON players.id = d.player JOIN drill_darts p ON p.drill = d.id "
        "WHERE players.name = ?1 AND d.drill = ?2 AND d.day BETWEEN ?3 AND ?4 "
        "ORDER BY d.id");
    if (!query.ok()) {
        return out;  // no drill kept yet: no tables
    }
    query.bind(1, player);
    query.bind(2, drill);
    query.bind(3, dayNumber(from));
    query.bind(4, dayNumber(to));
    while (query.row()) {
        drillRecordS r;
        r.player = player;
        r.day = fromDayNumber(query.integer(0));
        r.drill = drill;
        r.variant = static_cast<std::int32_t>(query.integer(1));
        r.finished = query.integer(2) != 0;
        r.score = query.isNull(3) ? 0.0 : query.real(3);
        r.darts = static_cast<std::int32_t>(query.integer(4));
        r.hits = static_cast<std::int32_t>(query.integer(5));
        if (withDarts) {
            r.thrown = unpackDarts(query.blob(6)).value_or(std::vector<dartRecordS>{});
        }
        out.push_back(std::move(r));
    }
    return out;
}

std::vector<dartRecordS> dartHistoryC::aimedDartsOf(const std::string& player) {
    std::vector<dartRecordS> out;
    if (db_ == nullptr) {
        return out;
    }
    statementC query(db_,
                     "SELECT p.darts FROM drills d JOIN players ON players.id = d.player "
                     "JOIN drill_darts p ON p.drill = d.id WHERE players.name = ?1 ORDER BY d.id");
    if (!query.ok()) {
        return out;  // no drill kept yet: no tables
    }
    query.bind(1, player);
    while (query.row()) {
        // A drill whose darts cannot be read is left out; the others still count.
        for (const dartRecordS& dart :
             unpackDarts(query.blob(0)).value_or(std::vector<dartRecordS>{})) {
            if (dart.point && dart.targetType && dart.targetNumber) {
                out.push_back(dart);
            }
        }
    }
    return out;
}

}  // namespace qm
