#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "stats/dartHistoryC.h"
#include "stats/legFile.h"

namespace qm {

// Where every finished leg goes, for the game and the simulator alike: each player's 16-byte
// record, appended to the player's statistics file, and the leg's darts, written to the dart
// history under the place their record went to (the one key the two are paired by).
//
// The records go first, so that the darts can carry their places: at any moment, and after a
// kill, each store holds the legs up to some point, and every leg in both is paired right.
//
// The darts are written in one of two ways:
//   - queued (the game): by a thread of its own, so that the window never waits for the
//     history. A history another program holds delays the legs, which are tried again until
//     they are written; one that fails otherwise (a read-only folder, a full disk, a file that
//     is no history) is tried again at the next leg and at the end, and reported once, with
//     the number of legs not kept;
//   - batched (the simulator): kept until commit(), which writes them in one transaction.
class legRecorderC {
  public:
    enum class dartsKept { none, queued, batched };
    struct optionsS {
        bool records = true;
        dartsKept darts = dartsKept::none;
        // Records gathered, many to one write, until commit(): a simulation that keeps no
        // darts (with darts kept, each record is written at once, to learn its place).
        bool gatherRecords = false;
        // How long one write of the history waits for another writer to let go.
        int busyMilliseconds = dartHistoryC::defaultBusyMilliseconds;
    };
    enum class reportKind { failure, note };
    // Called from the thread that found it: a history that stays unwritable (once), or what
    // opening it had to say (an upgrade's unpaired legs).
    using reportFn = std::function<void(reportKind kind, const std::string& text)>;

    legRecorderC(std::filesystem::path dataDir, optionsS options, reportFn report = {});
    ~legRecorderC();
    legRecorderC(const legRecorderC&) = delete;
    legRecorderC& operator=(const legRecorderC&) = delete;

    // Appends one record; where it went comes back with it (unless gathered).
    legWriteS writeRecord(const std::string& name, const legRecordS& record);
    // The darts of a finished leg, each with its record's place.
    void writeDarts(const std::vector<legDartsS>& legs);
    // The point where both stores agree: the gathered records are written, then the batched
    // darts committed. What failed comes back: a line for each player whose records could not
    // be written ("Unable to save statistics for player: ..."), and the history's problem.
    struct commitS {
        std::vector<std::string> records;
        std::string history;
        [[nodiscard]] bool ok() const { return records.empty() && history.empty(); }
    };
    commitS commit();
    [[nodiscard]] std::string problem() const;
    // Batched: whether the history could be opened (`problem` says why not).
    [[nodiscard]] bool historyUsable() const;

    // Queued: waits until every leg handed in is written, or the history has failed, for at
    // most `timeout`. True when no leg is waiting.
    bool waitWritten(std::chrono::milliseconds timeout);
    // The legs handed in that the history has not kept yet.
    [[nodiscard]] std::size_t legsWaiting() const;

    // What a match hands its legs to.
    legRecordWriter recordWriter();
    std::function<void(const std::vector<legDartsS>&)> dartsWriter();

  private:
    void writeQueued();
    // One try at the legs waiting; opens the history first where it is not open.
    bool tryWrite(std::vector<legDartsS> legs, std::unique_lock<std::mutex>& lock);

    std::filesystem::path dataDir_;
    optionsS options_;
    reportFn report_;
    std::map<std::string, std::unique_ptr<legFileAppender>> appenders_;
    std::optional<dartHistoryC> history_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<legDartsS> waiting_;
    std::string problem_;
    bool newLegs_ = false;
    bool stopping_ = false;
    bool failed_ = false;    // the last try failed for another reason than another writer
    bool reported_ = false;  // a failure is reported once
    std::thread writer_;
};

}  // namespace qm
