#pragma once

#include <array>
#include <functional>

#include "ui/modePanel.h"

class QLabel;
class QListWidget;

namespace qm {

class MatchC;

// The x01 match's panel: the match format, each player's visits, score left, sets, legs and
// darts, and the game's figures (points per dart, high scores, best finish), on the "Score"
// and "Statistics" tabs.
class x01PanelC final : public modePanelC {
  public:
    explicit x01PanelC(const modePanelPlaceS& place);

    void show(const gameModeC* game) override;
    void showVisits(int player, const gameModeC* game) override;
    void showNames() override;
    [[nodiscard]] QString rowName(int player) const override;

  private:
    struct rowS {
        QLabel* heading = nullptr;  // above the score list
        QLabel* bigLeft = nullptr;  // the large score left below it
        QListWidget* visits = nullptr;
        QLabel* turnMark = nullptr;   // "*" before the player to throw, on the score tab
        QLabel* scoreName = nullptr;  // score tab: name, sets, legs, darts, score left
        QLabel* sets = nullptr;
        QLabel* legs = nullptr;
        QLabel* darts = nullptr;
        QLabel* left = nullptr;
        QLabel* statsName = nullptr;  // statistics tab: name and PPD, 100+ ... 180, finish
        std::array<QLabel*, 6> statistics{};
    };
    void buildLists(QWidget* area);
    void buildScoreTab(QWidget* score);
    void buildStatisticsTab(QWidget* stats);
    [[nodiscard]] static const MatchC* match(const gameModeC* game);

    std::function<QString(int)> name_;
    std::array<rowS, 2> rows_{};
    QLabel* format_ = nullptr;  // "Best of 5 legs (501)"
};

}  // namespace qm
