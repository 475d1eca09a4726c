#include "stats/dartHistoryC.h"

#include <sqlite3.h>

#include <algorithm>
#include <map>
#include <string_view>
#include <system_error>

#include "stats/dartPacking.h"
#include "stats/sqliteStatement.h"
#include "stats/statsReader.h"

namespace qm {

namespace {

// Layout 1 kept a day as YYYYMMDD.
civilDate fromDayKey(std::int64_t key) {
    return {static_cast<int>(key / 10000), static_cast<int>(key / 100 % 100),
            static_cast<int>(key % 100)};
}

std::optional<dartPointS> pointAt(const statementC& row, int column) {
    if (row.isNull(column)) {
        return std::nullopt;
    }
    return dartPointS{static_cast<float>(row.real(column)),
                      static_cast<float>(row.real(column + 1))};
}

std::optional<std::int32_t> integerAt(const statementC& row, int column) {
    if (row.isNull(column)) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(row.integer(column));
}

// Layout 2. A player's legs are kept together and in day order (the figures of a range are
// one run of one table, their columns first), each with its record's place in the player's
// file; the darts, packed, in a table of their own so that the figures never read them.
constexpr const char* createSchema = R"(
CREATE TABLE players (
    id INTEGER PRIMARY KEY,
    name TEXT NOT NULL UNIQUE
);
CREATE TABLE legs (
    player INTEGER NOT NULL,
    day INTEGER NOT NULL,
    id INTEGER NOT NULL,
    first9_points INTEGER NOT NULL,
    first9_darts INTEGER NOT NULL,
    at_double INTEGER NOT NULL,
    doubles_hit INTEGER NOT NULL,
    checkout INTEGER NOT NULL,
    record INTEGER,
    start_score INTEGER NOT NULL,
    won INTEGER NOT NULL,
    darts INTEGER NOT NULL,
    points INTEGER NOT NULL,
    PRIMARY KEY (player, day, id)
) WITHOUT ROWID;
CREATE TABLE leg_darts (
    leg INTEGER PRIMARY KEY,
    darts BLOB NOT NULL
);
)";

bool isBusy(sqlite3* db) {
    const int code = sqlite3_errcode(db) & 0xff;
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

// A path as an SQLite URI, for opening a file that must not be changed.
std::string immutableUri(const std::filesystem::path& file) {
    std::string uri = "file:";
    for (const char c : file.string()) {
        if (c == '?' || c == '#' || c == '%') {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
            uri += escaped;
        } else {
            uri += c;
        }
    }
    return uri + "?immutable=1";
}

// What pairs an old leg with its record: the day, the points, the darts and the result.
struct legSignatureS {
    std::int64_t day = 0;
    std::int32_t points = 0;
    std::int32_t darts = 0;
    bool won = false;
    friend bool operator==(const legSignatureS&, const legSignatureS&) = default;
};

// Pairs one player's legs of an older history with the records of the player's file, where
// the pairing is certain: on a day whose records and legs agree one for one in order, all of
// them; on any other day, a leg whose signature is that day's only one among the records and
// among the legs. Everything else stays unpaired.
void pairOldLegs(const std::vector<std::pair<std::int64_t, legSignatureS>>& legs,
                 const std::vector<legRecordS>& records, const std::vector<std::int64_t>& positions,
                 std::map<std::int64_t, std::int64_t>& paired) {
    std::map<std::int64_t, std::vector<std::size_t>> recordsOfDay;
    std::map<std::int64_t, std::vector<std::size_t>> legsOfDay;
    for (std::size_t r = 0; r < records.size(); ++r) {
        recordsOfDay[dayNumber(records[r].date())].push_back(r);
    }
    for (std::size_t l = 0; l < legs.size(); ++l) {
        if (legs[l].second.darts <= maxRecordDarts) {  // a longer leg never had a record
            legsOfDay[legs[l].second.day].push_back(l);
        }
    }
    const auto signatureOf = [&](std::size_t r) {
        const legRecordS& record = records[r];
        return legSignatureS{dayNumber(record.date()), record.points, record.darts, record.isWon()};
    };
    for (const auto& [day, dayLegs] : legsOfDay) {
        const std::vector<std::size_t>& dayRecords = recordsOfDay[day];
        const bool oneForOne = dayRecords.size() == dayLegs.size() &&
                               std::equal(dayLegs.begin(), dayLegs.end(), dayRecords.begin(),
                                          [&](std::size_t l, std::size_t r) {
                                              return legs[l].second == signatureOf(r);
                                          });
        for (std::size_t at = 0; at < dayLegs.size(); ++at) {
            const std::size_t l = dayLegs[at];
            const legSignatureS& wanted = legs[l].second;
            if (oneForOne) {
                paired[legs[l].first] = positions[dayRecords[at]];
                continue;
            }
            const auto same = [&](std::size_t r) { return signatureOf(r) == wanted; };
            const auto sameLeg = [&](std::size_t other) { return legs[other].second == wanted; };
            if (std::count_if(dayRecords.begin(), dayRecords.end(), same) == 1 &&
                std::count_if(dayLegs.begin(), dayLegs.end(), sameLeg) == 1) {
                paired[legs[l].first] =
                    positions[*std::find_if(dayRecords.begin(), dayRecords.end(), same)];
            }
        }
    }
}

}  // namespace

dartHistoryC::dartHistoryC(const std::filesystem::path& file, mode how, int busyMilliseconds)
    : file_(file) {
    if (!open(how, busyMilliseconds)) {
        sqlite3_close(db_);  // a handle comes back even when the open fails
        db_ = nullptr;
    }
}

dartHistoryC::~dartHistoryC() {
    sqlite3_close(db_);
}

bool dartHistoryC::open(mode how, int busyMilliseconds) {
    std::error_code error;
    const bool exists = std::filesystem::exists(file_, error);
    if (how == mode::readOnly && !exists) {
        return true;  // no history yet: nothing to read, and nothing wrong
    }
    if (exists && !std::filesystem::is_regular_file(file_, error)) {
        problem_ = "cannot use the dart history " + file_.string() + ": not a regular file";
        return false;
    }
    const int flags =
        how == mode::readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(file_.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        return fail("cannot open the dart history " + file_.string());
    }
    // Another writer (the simulator, a second game) holds the file a moment at a time.
    sqlite3_busy_timeout(db_, busyMilliseconds);
    if (how == mode::readOnly && !exec(db_, "PRAGMA user_version")) {
        // A reader in a folder it cannot write (no room for the shared-memory file of the
        // write-ahead log) reads the file as it stands.
        sqlite3_close(db_);
        db_ = nullptr;
        if (sqlite3_open_v2(immutableUri(file_).c_str(), &db_, flags | SQLITE_OPEN_URI, nullptr) !=
            SQLITE_OK) {
            return fail("cannot read the dart history " + file_.string());
        }
    }
    exec(db_, "PRAGMA synchronous = NORMAL");
    return prepareSchema(how);
}

bool dartHistoryC::fail(const std::string& what) {
    problem_ = what;
    busy_ = db_ != nullptr && isBusy(db_);
    if (db_ != nullptr) {
        problem_ += std::string(" (") + sqlite3_errmsg(db_) + ")";
    }
    return false;
}

bool dartHistoryC::prepareSchema(mode how) {
    // Each read finishes its statement at once: a statement left open holds a transaction.
    // The version and the count of tables come from one statement, so from one snapshot: read
    // apart, another program may make the layout between the two, and its fresh tables would
    // look like someone else's database.
    struct layoutS {
        std::int64_t version = 0;
        std::int64_t tables = 0;
    };
    const auto readLayout = [this]() -> std::optional<layoutS> {
        statementC query(db_,
                         "SELECT (SELECT user_version FROM pragma_user_version), "
                         "(SELECT count(*) FROM sqlite_master)");
        if (!query.ok() || !query.row()) {
            return std::nullopt;
        }
        return layoutS{query.integer(0), query.integer(1)};
    };
    const std::string readProblem = "cannot read the dart history " + file_.string();
    const std::string writeProblem = "cannot write the dart history " + file_.string();
    const auto found = readLayout();
    if (!found) {
        return fail(readProblem);
    }
    if (found->version == dartHistorySchema) {
        return true;
    }
    if (found->version > dartHistorySchema) {
        problem_ = "the dart history " + file_.string() + " was written by a later version (" +
                   std::to_string(found->version) + "); it is left as it is";
        return false;
    }
    if (found->version == 0 && found->tables != 0) {
        // No layout of ours, yet tables: another program's database.
        problem_ = file_.string() + " is not a dart history; it is left as it is";
        return false;
    }
    if (how == mode::readOnly) {
        if (found->version == 0) {
            return true;  // an empty file: no legs
        }
        // An older layout: a writer upgrades it, and this reader then reads the new one.
        // A writer that opens has the file at this layout, whoever upgraded it.
        const dartHistoryC writer(file_);
        note_ = writer.note();
        if (!writer.usable()) {
            problem_ = "the dart history " + file_.string() +
                       " is of an older layout and cannot be upgraded now: " + writer.problem();
            return false;
        }
        return true;
    }
    if (found->version == 0) {
        // WAL: readers (the statistics window) never wait for a writer, and a commit is one
        // append; a crash loses at most the legs being written.
        exec(db_, "PRAGMA journal_mode = WAL");
    }
    // The layout is made (or upgraded) under the write lock, and the version read again once
    // the lock is taken: another program may have made it meanwhile.
    if (!exec(db_, "BEGIN IMMEDIATE")) {
        return fail(writeProblem);
    }
    const auto locked = readLayout();
    if (!locked) {
        return fail(readProblem);  // the handle is closed, which ends the transaction
    }
    if (locked->version == 0 && locked->tables != 0) {
        exec(db_, "ROLLBACK");
        problem_ = file_.string() + " is not a dart history; it is left as it is";
        return false;
    }
    bool made = true;
    if (locked->version == 0) {
        made = exec(db_, createSchema);
    } else if (locked->version == 1) {
        made = upgradeToTwo();
    }
    if (made && locked->version < dartHistorySchema) {
        made = exec(db_, "PRAGMA user_version = 2");
    }
    if (!made || !exec(db_, "COMMIT")) {
        fail(writeProblem);
        exec(db_, "ROLLBACK");
        return false;
    }
    return true;
}

bool dartHistoryC::upgradeToTwo() {
    if (!exec(db_,
              "ALTER TABLE legs RENAME TO legs_one; ALTER TABLE darts RENAME TO darts_one; "
              "DROP INDEX IF EXISTS legs_figures") ||
        !exec(db_, createSchema)) {
        return false;
    }
    // First the pairing, from each old leg's signature and the player's records.
    std::map<std::string, std::vector<std::pair<std::int64_t, legSignatureS>>> byPlayer;
    {
        statementC old(db_, "SELECT id, player, day, points, darts, won FROM legs_one ORDER BY id");
        if (!old.ok()) {
            return false;
        }
        while (old.row()) {
            const auto text = reinterpret_cast<const char*>(sqlite3_column_text(old.get(), 1));
            byPlayer[text == nullptr ? "" : text].push_back(
                {old.integer(0),
                 {dayNumber(fromDayKey(old.integer(2))), static_cast<std::int32_t>(old.integer(3)),
                  static_cast<std::int32_t>(old.integer(4)), old.integer(5) != 0}});
        }
    }
    std::map<std::int64_t, std::int64_t> paired;
    std::int64_t legCount = 0;
    for (const auto& [player, legs] : byPlayer) {
        legCount += static_cast<std::int64_t>(legs.size());
        std::vector<legRecordS> records;
        std::vector<std::int64_t> positions;
        if (loadLegRecords(file_.parent_path(), player, INT64_MIN, INT64_MAX, records,
                           &positions)) {
            pairOldLegs(legs, records, positions, paired);
        }
    }
    // Then every old leg again, its darts packed, under its old id so that the order holds.
    statementC old(db_,
                   "SELECT id, player, day, start_score, won, darts, points, first9_points, "
                   "first9_darts, at_double, doubles_hit, checkout FROM legs_one ORDER BY id");
    statementC oldDarts(db_,
                        "SELECT visit, ord, type, number, x, y, remaining, aim_type, aim_number "
                        "FROM darts_one WHERE leg = ?1 ORDER BY visit, ord");
    statementC player(db_, "INSERT OR IGNORE INTO players (name) VALUES (?1)");
    statementC leg(db_,
                   "INSERT INTO legs (player, day, id, record, start_score, won, darts, points, "
                   "first9_points, first9_darts, at_double, doubles_hit, checkout) VALUES "
                   "((SELECT id FROM players WHERE name = ?1), ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, "
                   "?10, ?11, ?12, ?13)");
    statementC packed(db_, "INSERT INTO leg_darts (leg, darts) VALUES (?1, ?2)");
    if (!old.ok() || !oldDarts.ok() || !player.ok() || !leg.ok() || !packed.ok()) {
        return false;
    }
    while (old.row()) {
        const std::int64_t id = old.integer(0);
        const std::string name = reinterpret_cast<const char*>(sqlite3_column_text(old.get(), 1));
        std::vector<dartRecordS> darts;
        oldDarts.bind(1, id);
        while (oldDarts.row()) {
            dartRecordS d;
            d.visit = static_cast<std::int32_t>(oldDarts.integer(0));
            d.order = static_cast<std::int32_t>(oldDarts.integer(1));
            d.type = static_cast<std::int32_t>(oldDarts.integer(2));
            d.number = static_cast<std::int32_t>(oldDarts.integer(3));
            d.point = pointAt(oldDarts, 4);
            d.remainingBefore = static_cast<std::int32_t>(oldDarts.integer(6));
            d.targetType = integerAt(oldDarts, 7);
            d.targetNumber = integerAt(oldDarts, 8);
            darts.push_back(d);
        }
        sqlite3_reset(oldDarts.get());
        player.bind(1, name);
        leg.bind(1, name);
        leg.bind(2, dayNumber(fromDayKey(old.integer(2))));
        leg.bind(3, id);
        const auto key = paired.find(id);
        if (key != paired.end()) {
            leg.bind(4, key->second);
        } else {
            sqlite3_bind_null(leg.get(), 4);
        }
        for (int column = 3; column <= 11; ++column) {
            leg.bind(column + 2, old.integer(column));
        }
        const std::string bytes = packDarts(darts);
        packed.bind(1, id);
        packed.bindBlob(2, bytes);
        if (!player.run() || !leg.run() || !packed.run()) {
            return false;
        }
    }
    if (!exec(db_, "DROP TABLE darts_one; DROP TABLE legs_one")) {
        return false;
    }
    const auto unpaired = legCount - static_cast<std::int64_t>(paired.size());
    if (unpaired > 0) {
        note_ = "the dart history " + file_.string() +
                " was upgraded: " + std::to_string(unpaired) + " of its " +
                std::to_string(legCount) +
                " legs could not be paired with their statistics records for certain and are "
                "kept without one";
    }
    return true;
}

bool dartHistoryC::inWriteTransaction(const std::function<bool()>& rows) {
    if (db_ == nullptr) {
        busy_ = false;
        return false;
    }
    const std::string writeProblem = "cannot write the dart history " + file_.string();
    if (!exec(db_, "BEGIN IMMEDIATE")) {
        return fail(writeProblem);
    }
    if (!rows() || !exec(db_, "COMMIT")) {
        fail(writeProblem);
        exec(db_, "ROLLBACK");
        return false;
    }
    busy_ = false;
    return true;
}

bool dartHistoryC::write(const std::vector<legDartsS>& legs) {
    return inWriteTransaction([this, &legs] {
        statementC leg(db_,
                       "INSERT INTO legs (player, day, id, record, start_score, won, darts, "
                       "points, first9_points, first9_darts, at_double, doubles_hit, checkout) "
                       "VALUES ((SELECT id FROM players WHERE name = ?1), ?2, ?3, ?4, ?5, ?6, ?7, "
                       "?8, ?9, ?10, ?11, ?12, ?13)");
        packedDartsWriter darts(db_, "leg_darts");
        bool written = leg.ok() && darts.ok();
        for (const legDartsS& one : legs) {
            const std::optional<std::int64_t> id =
                written ? darts.add(one.player, one.darts) : std::nullopt;
            if (!id) {
                return false;
            }
            const legFiguresS& figures = one.figures;
            leg.bind(1, one.player);
            leg.bind(2, dayNumber(one.day));
            leg.bind(3, *id);
            leg.bindOptional(4, one.recordIndex);
            leg.bind(5, one.startScore);
            leg.bind(6, one.won ? 1 : 0);
            leg.bind(7, figures.darts);
            leg.bind(8, figures.points);
            leg.bind(9, figures.first9Points);
            leg.bind(10, figures.first9Darts);
            leg.bind(11, figures.atDouble);
            leg.bind(12, figures.doublesHit);
            leg.bind(13, figures.checkout);
            written = leg.run();
        }
        return written;
    });
}

std::optional<dartFiguresS> dartHistoryC::figures(const std::string& player, const civilDate& from,
                                                  const civilDate& to) {
    dartFiguresS result;
    if (db_ == nullptr) {
        return problem_.empty() ? std::optional(result) : std::nullopt;
    }
    statementC query(db_,
                     "SELECT count(*), "
                     "total(CASE WHEN first9_darts > 0 THEN 3.0 * first9_points / first9_darts "
                     "END), total(first9_darts > 0), total(at_double), total(doubles_hit), "
                     "ifnull(max(checkout), 0) FROM legs "
                     "WHERE player = (SELECT id FROM players WHERE name = ?1) "
                     "AND day BETWEEN ?2 AND ?3");
    if (!query.ok()) {
        fail("cannot read the dart history " + file_.string());
        return std::nullopt;
    }
    query.bind(1, player);
    query.bind(2, dayNumber(from));
    query.bind(3, dayNumber(to));
    if (!query.row()) {
        fail("cannot read the dart history " + file_.string());
        return std::nullopt;
    }
    result.legs = query.integer(0);
    result.first9Sum = query.real(1);
    result.first9Legs = static_cast<std::int64_t>(query.real(2));
    result.atDouble = static_cast<std::int64_t>(query.real(3));
    result.doublesHit = static_cast<std::int64_t>(query.real(4));
    result.highestCheckout = static_cast<std::int32_t>(query.integer(5));
    return result;
}

std::vector<dartHistoryC::storedLegS> dartHistoryC::legFiguresOf(const std::string& player,
                                                                 const civilDate& from,
                                                                 const civilDate& to) {
    std::vector<storedLegS> legs;
    if (db_ == nullptr) {
        return legs;
    }
    statementC query(db_,
                     "SELECT day, won, darts, points, first9_points, first9_darts, at_double, "
                     "doubles_hit, checkout, record FROM legs "
                     "WHERE player = (SELECT id FROM players WHERE name = ?1) "
                     "AND day BETWEEN ?2 AND ?3 ORDER BY id");
    if (!query.ok()) {
        return legs;
    }
    query.bind(1, player);
    query.bind(2, dayNumber(from));
    query.bind(3, dayNumber(to));
    while (query.row()) {
        const auto at = [&](int column) {
            return static_cast<std::int32_t>(query.integer(column));
        };
        std::optional<std::int64_t> record;
        if (!query.isNull(9)) {
            record = query.integer(9);
        }
        legs.push_back({fromDayNumber(query.integer(0)),
                        query.integer(1) != 0,
                        {at(2), at(3), at(4), at(5), at(6), at(7), at(8)},
                        record});
    }
    return legs;
}

std::vector<legDartsS> dartHistoryC::legsOf(const std::string& player) {
    std::vector<legDartsS> legs;
    if (db_ == nullptr) {
        return legs;
    }
    statementC leg(db_,
                   "SELECT legs.day, legs.start_score, legs.won, legs.record, leg_darts.darts, "
                   "legs.darts, legs.points, legs.first9_points, legs.first9_darts, "
                   "legs.at_double, legs.doubles_hit, legs.checkout FROM legs "
                   "JOIN leg_darts ON leg_darts.leg = legs.id "
                   "WHERE legs.player = (SELECT id FROM players WHERE name = ?1) ORDER BY legs.id");
    if (!leg.ok()) {
        return legs;
    }
    leg.bind(1, player);
    while (leg.row()) {
        legDartsS one;
        one.player = player;
        one.day = fromDayNumber(leg.integer(0));
        one.startScore = static_cast<std::int32_t>(leg.integer(1));
        one.won = leg.integer(2) != 0;
        if (!leg.isNull(3)) {
            one.recordIndex = leg.integer(3);
        }
        one.darts = unpackDarts(leg.blob(4)).value_or(std::vector<dartRecordS>{});
        const auto at = [&](int column) { return static_cast<std::int32_t>(leg.integer(column)); };
        one.figures = {at(5), at(6), at(7), at(8), at(9), at(10), at(11)};
        legs.push_back(std::move(one));
    }
    return legs;
}

}  // namespace qm
