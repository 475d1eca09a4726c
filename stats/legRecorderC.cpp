#include "stats/legRecorderC.h"

#include <cstdio>

namespace qm {

namespace {

std::string legsText(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " leg" : " legs");
}

}  // namespace

legRecorderC::legRecorderC(std::filesystem::path dataDir, optionsS options, reportFn report)
    : dataDir_(std::move(dataDir)), options_(options), report_(std::move(report)) {
    if (options_.darts == dartsKept::batched) {
        history_.emplace(dataDir_ / dartHistoryFileName, dartHistoryC::mode::readWrite,
                         options_.busyMilliseconds);
        if (!history_->usable()) {
            problem_ = history_->problem();
        } else if (!history_->note().empty() && report_) {
            report_(reportKind::note, history_->note());
        }
    } else if (options_.darts == dartsKept::queued) {
        writer_ = std::thread([this] { writeQueued(); });
    }
}

legRecorderC::~legRecorderC() {
    if (writer_.joinable()) {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        writer_.join();
    }
    commit();
}

legWriteS legRecorderC::writeRecord(const std::string& name, const legRecordS& record) {
    if (options_.darts != dartsKept::batched && !options_.gatherRecords) {
        return appendLegRecord(dataDir_, name, record);  // opened and closed for each leg
    }
    auto& appender = appenders_[name];
    if (!appender) {
        const bool gather = options_.gatherRecords && options_.darts == dartsKept::none;
        appender = std::make_unique<legFileAppender>(dataDir_, name, gather);
    }
    return appender->append(record);
}

void legRecorderC::writeDarts(const std::vector<legDartsS>& legs) {
    if (options_.darts == dartsKept::none || legs.empty()) {
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        waiting_.insert(waiting_.end(), legs.begin(), legs.end());
        newLegs_ = true;
        failed_ = false;  // they are tried at once, and the ones that failed with them
    }
    changed_.notify_all();
}

legRecorderC::commitS legRecorderC::commit() {
    commitS result;
    for (auto& [name, appender] : appenders_) {
        if (const legWriteS written = appender->flush(); !written) {
            result.records.push_back("Unable to save statistics for player: " + name +
                                     (written.problem.empty() ? "" : " (" + written.problem + ")"));
        }
    }
    if (options_.darts != dartsKept::batched) {
        return result;
    }
    std::vector<legDartsS> batch;
    {
        const std::lock_guard lock(mutex_);
        batch.assign(waiting_.begin(), waiting_.end());
        waiting_.clear();
    }
    if (!batch.empty() && !history_->write(batch)) {
        result.history = history_->problem() + "; " + legsText(batch.size()) + " not kept";
        const std::lock_guard lock(mutex_);
        problem_ = result.history;
    }
    return result;
}

std::string legRecorderC::problem() const {
    const std::lock_guard lock(mutex_);
    return problem_;
}

bool legRecorderC::historyUsable() const {
    return history_ && history_->usable();
}

bool legRecorderC::waitWritten(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, timeout, [this] { return waiting_.empty() || failed_; });
    return waiting_.empty();
}

std::size_t legRecorderC::legsWaiting() const {
    const std::lock_guard lock(mutex_);
    return waiting_.size();
}

legRecordWriter legRecorderC::recordWriter() {
    if (!options_.records) {
        return {};
    }
    return [this](const std::string& name, const legRecordS& record) {
        return writeRecord(name, record);
    };
}

std::function<void(const std::vector<legDartsS>&)> legRecorderC::dartsWriter() {
    if (options_.darts == dartsKept::none) {
        return {};
    }
    return [this](const std::vector<legDartsS>& legs) { writeDarts(legs); };
}

void legRecorderC::writeQueued() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || newLegs_; });
        newLegs_ = false;
        while (!waiting_.empty()) {
            if (tryWrite({waiting_.begin(), waiting_.end()}, lock)) {
                continue;  // more may have come meanwhile
            }
            // Another writer holding the file: try again a moment later, for as long as it
            // takes. Any other failure waits for the next leg, or the end.
            if (failed_ || stopping_) {
                break;
            }
            changed_.wait_for(lock, std::chrono::milliseconds(200), [this] { return stopping_; });
        }
        if (stopping_) {
            if (!waiting_.empty()) {
                std::fprintf(stderr, "quivermark: the darts of %s were not kept: %s\n",
                             legsText(waiting_.size()).c_str(), problem_.c_str());
            }
            return;
        }
    }
}

bool legRecorderC::tryWrite(std::vector<legDartsS> legs, std::unique_lock<std::mutex>& lock) {
    lock.unlock();
    std::string note;
    if (!history_ || !history_->usable()) {
        // Opened at the first leg, and again at each leg after a failure to open.
        history_.emplace(dataDir_ / dartHistoryFileName, dartHistoryC::mode::readWrite,
                         options_.busyMilliseconds);
        note = history_->note();
    }
    const bool written = history_->write(legs);
    const bool busy = !written && history_->busy();
    const std::string problem = written ? std::string() : history_->problem();
    if (!note.empty() && report_) {
        report_(reportKind::note, note);
    }
    lock.lock();
    std::string report;
    if (written) {
        waiting_.erase(waiting_.begin(), waiting_.begin() + static_cast<long>(legs.size()));
        failed_ = false;
    } else {
        problem_ = problem;
        failed_ = !busy;
        if (failed_ && !reported_) {
            reported_ = true;
            report = problem + "; " + legsText(waiting_.size()) + " not kept";
        }
    }
    changed_.notify_all();
    if (!report.empty() && report_) {
        lock.unlock();
        report_(reportKind::failure, report);
        lock.lock();
    }
    return written;
}

}  // namespace qm
