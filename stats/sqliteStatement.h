#pragma once

// The dart history's access to SQLite, shared by its files: a prepared statement that is
// finalized however its scope is left, and a statement run once.
#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "stats/dartPacking.h"
#include "stats/dartRecord.h"

namespace qm {

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
    void bindBlob(int i, const std::string& bytes) {
        sqlite3_bind_blob(stmt_, i, bytes.data(), static_cast<int>(bytes.size()), SQLITE_STATIC);
    }
    template <typename T>
    void bindOptional(int i, const std::optional<T>& value) {
        if (value) {
            bind(i, *value);
        } else {
            sqlite3_bind_null(stmt_, i);
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
    std::string_view blob(int column) const {
        const void* bytes = sqlite3_column_blob(stmt_, column);
        return bytes == nullptr
                   ? std::string_view()
                   : std::string_view(
                         static_cast<const char*>(bytes),
                         static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)));
    }
    // One step of a query; true while it has a row.
    bool row() { return sqlite3_step(stmt_) == SQLITE_ROW; }

  private:
    sqlite3_stmt* stmt_ = nullptr;
};

inline bool exec(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// Adds a player's name, when new, and a row of packed darts to `table` (a table of
// `darts` blobs): the row's id, or none when either failed.
class packedDartsWriter {
  public:
    packedDartsWriter(sqlite3* db, const std::string& table)
        : db_(db),
          player_(db, "INSERT OR IGNORE INTO players (name) VALUES (?1)"),
          packed_(db, ("INSERT INTO " + table + " (darts) VALUES (?1)").c_str()) {}
    [[nodiscard]] bool ok() const { return player_.ok() && packed_.ok(); }
    std::optional<std::int64_t> add(const std::string& player,
                                    const std::vector<dartRecordS>& darts) {
        // Bound without a copy: the bytes must outlive the statement's run.
        const std::string bytes = packDarts(darts);
        player_.bind(1, player);
        packed_.bindBlob(1, bytes);
        if (!player_.run() || !packed_.run()) {
            return std::nullopt;
        }
        return sqlite3_last_insert_rowid(db_);
    }

  private:
    sqlite3* db_;
    statementC player_;
    statementC packed_;
};

}  // namespace qm
