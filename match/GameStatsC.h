#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "stats/legFile.h"

namespace qm {

// One player's running statistics for the whole game: all legs and sets.
class GameStatsC {
  public:
    void addVisit(std::int32_t score, std::int32_t darts) {
        dartsThrown_ += darts;
        pointsScored_ += score;
    }
    // Counts the visit in exactly one of the classes 100+, 120+, 140+ and 180, or in none.
    void countHighScore(std::int32_t score);
    // A checkout replaces the best finish only when neither its total nor its darts are lower.
    void updateBestFinish(std::int32_t score, std::int32_t darts);
    void undoVisit(std::int32_t score, std::int32_t darts);
    [[nodiscard]] double ppd() const;

    // Appends the leg record to the player's file. The leg's 180s are cleared first, whether
    // or not the write succeeds, so a lost record does not carry them into the next leg.
    legWriteS saveLeg(const std::string& playerName, const legRecordS& record,
                      const legRecordWriter& write);

    [[nodiscard]] std::int32_t leg180s() const { return leg180s_; }
    [[nodiscard]] std::int32_t dartsThrown() const { return dartsThrown_; }
    [[nodiscard]] std::int32_t pointsScored() const { return pointsScored_; }
    [[nodiscard]] std::int32_t bestFinish() const { return bestFinish_; }
    [[nodiscard]] std::int32_t bestFinishDarts() const { return bestFinishDarts_; }
    [[nodiscard]] std::int32_t count100() const { return count100_; }
    [[nodiscard]] std::int32_t count120() const { return count120_; }
    [[nodiscard]] std::int32_t count140() const { return count140_; }
    [[nodiscard]] std::int32_t count180() const { return count180_; }

  private:
    void classify(std::int32_t score, std::int32_t step);

    std::int32_t leg180s_ = 0;
    std::int32_t dartsThrown_ = 0;
    std::int32_t pointsScored_ = 0;
    std::int32_t bestFinish_ = 0;
    std::int32_t bestFinishDarts_ = 0;
    std::int32_t count100_ = 0;
    std::int32_t count120_ = 0;
    std::int32_t count140_ = 0;
    std::int32_t count180_ = 0;
};

}  // namespace qm
