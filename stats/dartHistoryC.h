#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "stats/dartFigures.h"
#include "stats/dartRecord.h"
#include "stats/drillRecord.h"

struct sqlite3;

namespace qm {

inline constexpr const char* dartHistoryFileName = "quivermark-darts.sqlite";
// The layout this program writes and reads; a file of a later one is refused, untouched. An
// earlier one is upgraded at the first open that may write (see upgradeToTwo).
inline constexpr int dartHistorySchema = 2;

// The dart history: every finished leg's darts, one SQLite database in the data folder. Each
// write is one transaction, so a crash or a kill leaves every committed leg whole. A leg keeps
// the position of its 16-byte record in the player's statistics file, the one key the two are
// paired by; its figures are kept beside its darts, so figures over a range never read darts.
//
// A database that cannot be opened, is not one, or is of a later layout is never written;
// `problem` says why, and every write reports failure.
class dartHistoryC {
  public:
    enum class mode { readWrite, readOnly };
    // How long a write waits for another writer (the simulator, a second game) to let go.
    static constexpr int defaultBusyMilliseconds = 250;
    explicit dartHistoryC(const std::filesystem::path& file, mode how = mode::readWrite,
                          int busyMilliseconds = defaultBusyMilliseconds);
    ~dartHistoryC();
    dartHistoryC(const dartHistoryC&) = delete;
    dartHistoryC& operator=(const dartHistoryC&) = delete;

    [[nodiscard]] bool usable() const { return db_ != nullptr; }
    [[nodiscard]] const std::string& problem() const { return problem_; }
    // What opening found worth saying that is no failure: legs of an older history that could
    // not be paired with their records for certain. Empty otherwise.
    [[nodiscard]] const std::string& note() const { return note_; }
    // The last failure was another writer holding the file: trying again later can succeed.
    [[nodiscard]] bool busy() const { return busy_; }

    // Writes the legs (the players of one leg, or a batch of a simulation) in one transaction:
    // all or none. False with `problem` set when it failed.
    bool write(const std::vector<legDartsS>& legs);

    // The figures of one player's legs from `from` to `to` (both days included).
    [[nodiscard]] std::optional<dartFiguresS> figures(const std::string& player,
                                                      const civilDate& from, const civilDate& to);
    // One player's legs from `from` to `to` with their figures, not their darts, in the order
    // written.
    struct storedLegS {
        civilDate day;
        bool won = false;
        legFiguresS figures;
        std::optional<std::int64_t> recordIndex;
    };
    [[nodiscard]] std::vector<storedLegS> legFiguresOf(const std::string& player,
                                                       const civilDate& from, const civilDate& to);
    // One player's legs with their darts, in the order written (for tests and exports).
    [[nodiscard]] std::vector<legDartsS> legsOf(const std::string& player);

    // Practice drills, in tables of their own beside the legs (made at the first drill kept:
    // a history of a program that plays no drills reads and writes as before). Writes the
    // drills in one transaction: all or none.
    bool writeDrills(const std::vector<drillRecordS>& drills);
    // One player's drills of one kind from `from` to `to`, in the order written; with their
    // darts when `withDarts`. None where no drill was ever kept.
    [[nodiscard]] std::vector<drillRecordS> drillsOf(const std::string& player, std::int32_t drill,
                                                     const civilDate& from, const civilDate& to,
                                                     bool withDarts = false);

    // Every drill dart of one player that landed at a known point, each with its target, in
    // the order thrown: what the player's own scatter is fitted from.
    [[nodiscard]] std::vector<dartRecordS> aimedDartsOf(const std::string& player);

  private:
    bool open(mode how, int busyMilliseconds);
    bool prepareSchema(mode how);
    // Layout 1 (a row a dart, no record key) to 2, inside the open write transaction.
    bool upgradeToTwo();
    bool fail(const std::string& what);
    // Runs `rows` in one write transaction: committed when it returns true, else rolled back
    // and the failure kept in `problem`.
    bool inWriteTransaction(const std::function<bool()>& rows);

    sqlite3* db_ = nullptr;
    std::filesystem::path file_;
    std::string problem_;
    std::string note_;
    bool busy_ = false;
};

}  // namespace qm
