#pragma once

#include <QObject>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "game/exactOdds.h"
#include "game/matchOdds.h"

namespace qm {

// Works out match odds off the GUI thread, one question at a time, exactly: the first figure
// of a pair of players builds their tables (tens of milliseconds), every later one reads them.
// A newer question drops the one still being worked on, whose answer is then never delivered.
// The answer comes back on the GUI thread, through `answered`, with the number the question
// was asked under.
class oddsWorker : public QObject {
  public:
    using answerHandler = std::function<void(std::uint64_t number, const oddsS& odds)>;
    oddsWorker(answerHandler answered, QObject* parent);
    ~oddsWorker() override;
    oddsWorker(const oddsWorker&) = delete;
    oddsWorker& operator=(const oddsWorker&) = delete;

    // Returns the number the answer will carry.
    std::uint64_t ask(const oddsQuestionS& question);
    // Drops the question being worked on, if any.
    void cancel();
    [[nodiscard]] bool busy() const { return busy_; }

  private:
    void stop();

    answerHandler answered_;
    // Only the worker's thread uses it, one question at a time: ask() joins the last first.
    std::unique_ptr<exactOddsC> exact_ = std::make_unique<exactOddsC>();
    std::thread thread_;
    std::shared_ptr<std::atomic<bool>> cancelled_;
    std::uint64_t asked_ = 0;
    bool busy_ = false;
};

}  // namespace qm
