#pragma once

#include <QString>

#include <functional>

#include "game/gameMode.h"

class QTabWidget;
class QWidget;

namespace qm {

// Where a mode's panel goes: the window's client area beside the board, and the tabs below
// it, to which the panel adds its own.
struct modePanelPlaceS {
    QWidget* area = nullptr;
    QTabWidget* tabs = nullptr;
    std::function<QString(int)> name;  // a player's name as set for the game
};

// What a mode shows of a game beside the board: each player's score, progress and figures.
// The window tells it when to redraw; it reads the mode and changes nothing.
class modePanelC {
  public:
    modePanelC() = default;
    modePanelC(const modePanelC&) = delete;
    modePanelC& operator=(const modePanelC&) = delete;
    virtual ~modePanelC() = default;

    // The game as it stands; a game of another mode shows nothing.
    virtual void show(const gameModeC* game) = 0;
    // One player's visits of the leg under way, where the mode lists them.
    virtual void showVisits(int player, const gameModeC* game) = 0;
    // The players' names as set for the next game, before it starts.
    virtual void showNames() = 0;
    // A player's name as the panel shows it in its rows.
    [[nodiscard]] virtual QString rowName(int player) const = 0;
};

}  // namespace qm
