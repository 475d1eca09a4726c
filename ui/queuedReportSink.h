#pragma once

#include <QObject>
#include <atomic>
#include <cstdint>
#include <functional>

#include "stats/statsReader.h"

namespace qm {

// The reports of a reading pass that runs on a worker thread, handed in order to a sink on the
// GUI thread. Every report of a read that has been superseded (its serial is no longer the
// latest) is dropped there, and the pass itself is asked to stop. The progress bar moves about
// a hundred times per pass; the last record counted is always shown before any message, so a
// bad record's number is what the bar shows when the warning appears.
class queuedReportSink final : public statsReportSink {
  public:
    queuedReportSink(QObject* receiver, statsReportSink& target,
                     const std::atomic<std::uint64_t>& latest, std::uint64_t serial);

    void showInfo(const std::string& text) override;
    void showSystemInfo(const std::string& text) override;
    void playSound(const std::string& name) override;
    void startProgress(std::int64_t maximum) override;
    void setProgress(std::int64_t position) override;
    [[nodiscard]] bool stopRequested() const override;

    // Runs call on the GUI thread after every report sent so far, if the read is still wanted.
    void deliver(std::function<void()> call);

  private:
    void flushProgress();

    QObject* receiver_;
    statsReportSink& target_;
    const std::atomic<std::uint64_t>& latest_;
    std::uint64_t serial_;
    std::int64_t step_ = 1;
    std::int64_t maximum_ = 0;
    std::int64_t counted_ = -1;
    std::int64_t shown_ = -1;
};

}  // namespace qm
