#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "stats/dartFigures.h"
#include "stats/dartRecord.h"

struct sqlite3;

namespace qm {

inline constexpr const char* dartHistoryFileName = "quivermark-darts.sqlite";
// The layout this program writes and reads; a file of a later one is refused, untouched.
inline constexpr int dartHistorySchema = 1;

// The dart history: every finished leg's darts, one SQLite database in the data folder. Each
// leg is one transaction, so a crash or a kill leaves every committed leg whole; the leg's
// figures are kept beside its darts, so figures over a range never read single darts.
//
// A database that cannot be opened, is not one, or is of a later layout is never written;
// `problem` says why, and every write reports failure without trying again.
class dartHistoryC {
  public:
    enum class mode { readWrite, readOnly };
    explicit dartHistoryC(const std::filesystem::path& file, mode how = mode::readWrite);
    ~dartHistoryC();
    dartHistoryC(const dartHistoryC&) = delete;
    dartHistoryC& operator=(const dartHistoryC&) = delete;

    [[nodiscard]] bool usable() const { return db_ != nullptr; }
    [[nodiscard]] const std::string& problem() const { return problem_; }

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
    };
    [[nodiscard]] std::vector<storedLegS> legFiguresOf(const std::string& player,
                                                       const civilDate& from, const civilDate& to);
    // One player's legs with their darts, in the order written (for tests and exports).
    [[nodiscard]] std::vector<legDartsS> legsOf(const std::string& player);

  private:
    bool prepareSchema(mode how);
    bool fail(const std::string& what);

    sqlite3* db_ = nullptr;
    std::filesystem::path file_;
    std::string problem_;
};

}  // namespace qm
