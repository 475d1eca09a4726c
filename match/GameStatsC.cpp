#include "match/GameStatsC.h"

#include "stats/legFile.h"

namespace qm {

void GameStatsC::classify(std::int32_t score, std::int32_t step) {
    if (score < 100) {
        return;
    }
    if (score == 180) {
        count180_ += step;
        leg180s_ += step;
    } else if (score >= 140) {
        count140_ += step;
    } else if (score >= 120) {
        count120_ += step;
    } else {
        count100_ += step;
    }
}

void GameStatsC::countHighScore(std::int32_t score) {
    classify(score, +1);
}

void GameStatsC::updateBestFinish(std::int32_t score, std::int32_t darts) {
    if (score < bestFinish_ || darts < bestFinishDarts_) {
        return;
    }
    bestFinish_ = score;
    bestFinishDarts_ = darts;
}

void GameStatsC::undoVisit(std::int32_t score, std::int32_t darts) {
    dartsThrown_ -= darts;
    pointsScored_ -= score;
    classify(score, -1);
}

double GameStatsC::ppd() const {
    if (dartsThrown_ == 0) {
        return 0.0;
    }
    return static_cast<double>(pointsScored_) / static_cast<double>(dartsThrown_);
}

legWriteS GameStatsC::saveLeg(const std::string& playerName, const legRecordS& record,
                              const legRecordWriter& write) {
    leg180s_ = 0;
    if (!write) {
        return false;
    }
    return write(playerName, record);
}

}  // namespace qm
