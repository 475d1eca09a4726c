#include "stats/dartHistoryC.h"

#include <sqlite3.h>

#include <system_error>

namespace qm {

namespace {

// A prepared statement, finalized however the scope is left.
class statementC {
  public:
    statementC(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) {
            stmt_ = nullptr;
        }
    }
    ~statementC() { sqlite3_finalize(stmt_); }
    statementC(const statementC&) = delete;
    statementC& operator=(const statementC&) = delete;

    [[nodiscard]] bool ok() const { return stmt_ != nullptr; }
    sqlite3_stmt* get() const { return stmt_; }
    void bind(int i, std::int64_t value) { sqlite3_bind_int64(stmt_, i, value); }
    void bind(int i, const std::string& text) {
        sqlite3_bind_text(stmt_, i, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    template <typename T>
    void bindOptional(int i, const std::optional<T>& value) {
        if (value) {
            bind(i, *value);
        } else {
            sqlite3_bind_null(stmt_, i);
        }
    }
    void bindPoint(int i, const std::optional<dartPointS>& point) {
        if (point) {
            sqlite3_bind_double(stmt_, i, point->x);
            sqlite3_bind_double(stmt_, i + 1, point->y);
        } else {
            sqlite3_bind_null(stmt_, i);
            sqlite3_bind_null(stmt_, i + 1);
        }
    }
    // One step of a statement that returns no rows, ready to be bound again.
    bool run() {
        const int code = sqlite3_step(stmt_);
        sqlite3_reset(stmt_);
        return code == SQLITE_DONE;
    }
    std::int64_t integer(int column) const { return sqlite3_column_int64(stmt_, column); }
    double real(int column) const { return sqlite3_column_double(stmt_, column); }
    bool isNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }

  private:
    sqlite3_stmt* stmt_ = nullptr;
};

std::int64_t dayKey(const civilDate& date) {
    return date.year * 10000LL + date.month * 100LL + date.day;
}

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

constexpr const char* createSchema = R"(
CREATE TABLE legs (
    id INTEGER PRIMARY KEY,
    player TEXT NOT NULL,
    day INTEGER NOT NULL,
    start_score INTEGER NOT NULL,
    won INTEGER NOT NULL,
    darts INTEGER NOT NULL,
    points INTEGER NOT NULL,
    first9_points INTEGER NOT NULL,
    first9_darts INTEGER NOT NULL,
    at_double INTEGER NOT NULL,
    doubles_hit INTEGER NOT NULL,
    checkout INTEGER NOT NULL
);
CREATE INDEX legs_figures ON legs (player, day, first9_points, first9_darts, at_double,
                                   doubles_hit, checkout);
CREATE TABLE darts (
    leg INTEGER NOT NULL REFERENCES legs (id),
    visit INTEGER NOT NULL,
    ord INTEGER NOT NULL,
    type INTEGER NOT NULL,
    number INTEGER NOT NULL,
    x REAL,
    y REAL,
    remaining INTEGER NOT NULL,
    aim_type INTEGER,
    aim_number INTEGER,
    aim_x REAL,
    aim_y REAL,
    PRIMARY KEY (leg, visit, ord)
) WITHOUT ROWID;
PRAGMA user_version = 1;
)";

}  // namespace

dartHistoryC::dartHistoryC(const std::filesystem::path& file, mode how) : file_(file) {
    std::error_code error;
    if (how == mode::readOnly && !std::filesystem::exists(file, error)) {
        return;  // no history yet: nothing to read, and nothing wrong
    }
    if (std::filesystem::exists(file, error) && !std::filesystem::is_regular_file(file, error)) {
        problem_ = "cannot use the dart history " + file.string() + ": not a regular file";
        return;
    }
    const int flags =
        how == mode::readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(file.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        fail("cannot open the dart history " + file.string());
        sqlite3_close(db_);  // a handle comes back even when the open fails
        db_ = nullptr;
        return;
    }
    // Another writer (the simulator beside the game) holds the file for a moment at most.
    sqlite3_busy_timeout(db_, 250);
    if (!prepareSchema(how)) {
        sqlite3_close(db_);
        db_ = nullptr;
    }
}

dartHistoryC::~dartHistoryC() {
    sqlite3_close(db_);
}

bool dartHistoryC::fail(const std::string& what) {
    problem_ = what;
    if (db_ != nullptr) {
        problem_ += std::string(" (") + sqlite3_errmsg(db_) + ")";
    }
    return false;
}

bool dartHistoryC::prepareSchema(mode how) {
    // Each read finishes its statement at once: a statement left open holds a transaction.
    const auto readInteger = [this](const char* sql) -> std::optional<std::int64_t> {
        statementC query(db_, sql);
        if (!query.ok() || sqlite3_step(query.get()) != SQLITE_ROW) {
            return std::nullopt;
        }
        return query.integer(0);
    };
    const auto found = readInteger("PRAGMA user_version");
    if (!found) {
        return fail("cannot read the dart history " + file_.string());
    }
    if (*found > dartHistorySchema) {
        problem_ = "the dart history " + file_.string() + " was written by a later version (" +
                   std::to_string(*found) + "); it is left as it is";
        return false;
    }
    if (*found == dartHistorySchema) {
        return true;
    }
    const auto tables = readInteger("SELECT count(*) FROM sqlite_master");
    if (!tables) {
        return fail("cannot read the dart history " + file_.string());
    }
    if (*tables != 0) {
        problem_ = file_.string() + " is not a dart history; it is left as it is";
        return false;
    }
    if (how == mode::readOnly) {
        return true;  // an empty file: no legs
    }
    // WAL: readers (the statistics window) never wait for a writer, and a leg's commit is one
    // append; a crash loses at most the leg being written.
    if (sqlite3_exec(db_, "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr) != SQLITE_OK ||
        sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) {
        return fail("cannot write the dart history " + file_.string());
    }
    if (sqlite3_exec(db_, createSchema, nullptr, nullptr, nullptr) != SQLITE_OK ||
        sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        fail("cannot write the dart history " + file_.string());
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    }
    return true;
}

bool dartHistoryC::write(const std::vector<legDartsS>& legs) {
    if (db_ == nullptr) {
        return false;
    }
    sqlite3_exec(db_, "PRAGMA synchronous = NORMAL", nullptr, nullptr, nullptr);
    if (sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) {
        return fail("cannot write the dart history " + file_.string());
    }
    statementC leg(db_,
                   "INSERT INTO legs (player, day, start_score, won, darts, points, "
                   "first9_points, first9_darts, at_double, doubles_hit, checkout) "
                   "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)");
    statementC dart(db_,
                    "INSERT INTO darts (leg, visit, ord, type, number, x, y, remaining, aim_type, "
                    "aim_number, aim_x, aim_y) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, "
                    "?11, ?12)");
    bool written = leg.ok() && dart.ok();
    for (const legDartsS& one : legs) {
        if (!written) {
            break;
        }
        const legFiguresS figures = legFigures(one.darts);
        leg.bind(1, one.player);
        leg.bind(2, dayKey(one.day));
        leg.bind(3, one.startScore);
        leg.bind(4, one.won ? 1 : 0);
        leg.bind(5, figures.darts);
        leg.bind(6, figures.points);
        leg.bind(7, figures.first9Points);
        leg.bind(8, figures.first9Darts);
        leg.bind(9, figures.atDouble);
        leg.bind(10, figures.doublesHit);
        leg.bind(11, figures.checkout);
        written = leg.run();
        const std::int64_t id = sqlite3_last_insert_rowid(db_);
        for (const dartRecordS& d : one.darts) {
            if (!written) {
                break;
            }
            dart.bind(1, id);
            dart.bind(2, d.visit);
            dart.bind(3, d.order);
            dart.bind(4, d.type);
            dart.bind(5, d.number);
            dart.bindPoint(6, d.point);
            dart.bind(8, d.remainingBefore);
            dart.bindOptional(9, d.targetType);
            dart.bindOptional(10, d.targetNumber);
            dart.bindPoint(11, d.aimPoint);
            written = dart.run();
        }
    }
    if (!written || sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        fail("cannot write the dart history " + file_.string());
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    }
    return true;
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
                     "WHERE player = ?1 AND day BETWEEN ?2 AND ?3");
    if (!query.ok()) {
        fail("cannot read the dart history " + file_.string());
        return std::nullopt;
    }
    query.bind(1, player);
    query.bind(2, dayKey(from));
    query.bind(3, dayKey(to));
    if (sqlite3_step(query.get()) != SQLITE_ROW) {
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
                     "doubles_hit, checkout FROM legs WHERE player = ?1 AND day BETWEEN ?2 AND ?3 "
                     "ORDER BY id");
    if (!query.ok()) {
        return legs;
    }
    query.bind(1, player);
    query.bind(2, dayKey(from));
    query.bind(3, dayKey(to));
    while (sqlite3_step(query.get()) == SQLITE_ROW) {
        const auto at = [&](int column) {
            return static_cast<std::int32_t>(query.integer(column));
        };
        legs.push_back({fromDayKey(query.integer(0)),
                        query.integer(1) != 0,
                        {at(2), at(3), at(4), at(5), at(6), at(7), at(8)}});
    }
    return legs;
}

std::vector<legDartsS> dartHistoryC::legsOf(const std::string& player) {
    std::vector<legDartsS> legs;
    if (db_ == nullptr) {
        return legs;
    }
    statementC leg(db_, "SELECT id, day, start_score, won FROM legs WHERE player = ?1 ORDER BY id");
    statementC dart(
        db_,
        "SELECT visit, ord, type, number, x, y, remaining, aim_type, aim_number, aim_x, "
        "aim_y FROM darts WHERE leg = ?1 ORDER BY visit, ord");
    if (!leg.ok() || !dart.ok()) {
        return legs;
    }
    leg.bind(1, player);
    while (sqlite3_step(leg.get()) == SQLITE_ROW) {
        legDartsS one{player,
                      fromDayKey(leg.integer(1)),
                      static_cast<std::int32_t>(leg.integer(2)),
                      leg.integer(3) != 0,
                      {}};
        dart.bind(1, leg.integer(0));
        while (sqlite3_step(dart.get()) == SQLITE_ROW) {
            dartRecordS d;
            d.visit = static_cast<std::int32_t>(dart.integer(0));
            d.order = static_cast<std::int32_t>(dart.integer(1));
            d.type = static_cast<std::int32_t>(dart.integer(2));
            d.number = static_cast<std::int32_t>(dart.integer(3));
            d.point = pointAt(dart, 4);
            d.remainingBefore = static_cast<std::int32_t>(dart.integer(6));
            d.targetType = integerAt(dart, 7);
            d.targetNumber = integerAt(dart, 8);
            d.aimPoint = pointAt(dart, 9);
            one.darts.push_back(d);
        }
        sqlite3_reset(dart.get());
        legs.push_back(std::move(one));
    }
    return legs;
}

}  // namespace qm
