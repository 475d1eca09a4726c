#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "ui/modePanel.h"

namespace qm {

// A mode the game can be played in: its rules are a gameModeC in game/, its panel here.
struct gameModeEntryS {
    std::string_view id;
    std::unique_ptr<modePanelC> (*makePanel)(const modePanelPlaceS& place) = nullptr;
};

// Every mode, in the order the game offers them; adding a mode adds its line here.
[[nodiscard]] std::span<const gameModeEntryS> gameModes();
// The mode of that id; an unknown id throws std::out_of_range.
[[nodiscard]] const gameModeEntryS& gameMode(std::string_view id);

}  // namespace qm
