#pragma once

#include <array>
#include <functional>

#include "ui/modePanel.h"

class QLabel;
class QWidget;

namespace qm {

class drillC;

// What a drill's progress and score read, as the practice tab and the end of a drill say them.
QString drillProgressText(const drillC& drill);
QString drillScoreText(const drillC& drill);

// The practice panel: a "Practice" tab below the board, a row for each player with their
// name, where they are in the drill and their score so far.
class practicePanelC final : public modePanelC {
  public:
    explicit practicePanelC(const modePanelPlaceS& place);

    void show(const gameModeC* game) override;
    void showVisits(int player, const gameModeC* game) override;
    void showNames() override {}
    [[nodiscard]] QString rowName(int player) const override;
    // The tab, for the window to bring forward when a drill starts.
    [[nodiscard]] QWidget* tab() const { return tab_; }

    static constexpr int rows = 4;

  private:
    QWidget* tab_ = nullptr;
    QLabel* drill_ = nullptr;
    std::array<std::array<QLabel*, 3>, rows> cells_{};  // name, progress, score
};

}  // namespace qm
