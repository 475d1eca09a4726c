#include "ui/queuedReportSink.h"

#include <QMetaObject>
#include <algorithm>

namespace qm {

queuedReportSink::queuedReportSink(QObject* receiver, statsReportSink& target,
                                   const std::atomic<std::uint64_t>& latest, std::uint64_t serial)
    : receiver_(receiver), target_(target), latest_(latest), serial_(serial) {}

bool queuedReportSink::stopRequested() const {
    return latest_.load() != serial_;
}

void queuedReportSink::deliver(std::function<void()> call) {
    QMetaObject::invokeMethod(
        receiver_,
        [&latest = latest_, serial = serial_, call = std::move(call)] {
            if (latest.load() == serial) {
                call();
            }
        },
        Qt::QueuedConnection);
}

void queuedReportSink::flushProgress() {
    if (counted_ != shown_) {
        shown_ = counted_;
        deliver([&target = target_, position = counted_] { target.setProgress(position); });
    }
}

void queuedReportSink::showInfo(const std::string& text) {
    flushProgress();
    deliver([&target = target_, text] { target.showInfo(text); });
}

void queuedReportSink::showSystemInfo(const std::string& text) {
    flushProgress();
    deliver([&target = target_, text] { target.showSystemInfo(text); });
}

void queuedReportSink::playSound(const std::string& name) {
    flushProgress();
    deliver([&target = target_, name] { target.playSound(name); });
}

void queuedReportSink::startProgress(std::int64_t maximum) {
    maximum_ = maximum;
    step_ = std::max<std::int64_t>(1, maximum / 100);
    counted_ = shown_ = 0;
    deliver([&target = target_, maximum] { target.startProgress(maximum); });
}

void queuedReportSink::setProgress(std::int64_t position) {
    counted_ = position;
    if (position % step_ == 0 || position == maximum_) {
        flushProgress();
    }
}

}  // namespace qm
