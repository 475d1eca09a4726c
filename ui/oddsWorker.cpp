#include "ui/oddsWorker.h"

#include <QMetaObject>
#include <QPointer>

namespace qm {

oddsWorker::oddsWorker(answerHandler answered, QObject* parent)
    : QObject(parent), answered_(std::move(answered)) {}

oddsWorker::~oddsWorker() {
    stop();
}

void oddsWorker::stop() {
    if (cancelled_) {
        cancelled_->store(true);
    }
    // A figure takes a millisecond once the pair's tables are built; building them, a few
    // tens of milliseconds, is waited for.
    if (thread_.joinable()) {
        thread_.join();
    }
    busy_ = false;
}

void oddsWorker::cancel() {
    stop();
}

std::uint64_t oddsWorker::ask(const oddsQuestionS& question) {
    stop();
    const std::uint64_t number = ++asked_;
    cancelled_ = std::make_shared<std::atomic<bool>>(false);
    busy_ = true;
    thread_ = std::thread([this, question, number, cancelled = cancelled_] {
        std::optional<oddsS> odds;
        try {
            odds = exact_->odds(question);
        } catch (const std::exception&) {
            // A state the window should never ask about: no figure rather than no program.
        }
        if (!odds || cancelled->load()) {
            return;
        }
        // Posted to this object, which outlives the thread (its destructor joins it); an
        // answer still queued when it goes is dropped with it.
        QMetaObject::invokeMethod(
            this,
            [this, number, odds = *odds] {
                if (number == asked_) {
                    busy_ = false;
                    answered_(number, odds);
                }
            },
            Qt::QueuedConnection);
    });
    return number;
}

}  // namespace qm
