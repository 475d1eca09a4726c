#include "ui/gameModes.h"

#include <array>
#include <stdexcept>
#include <string>

#include "ui/practicePanel.h"
#include "ui/x01Panel.h"

namespace qm {

namespace {

template <class panel>
std::unique_ptr<modePanelC> makePanel(const modePanelPlaceS& place) {
    return std::make_unique<panel>(place);
}

const std::array<gameModeEntryS, 2> modes{{
    {"x01", &makePanel<x01PanelC>},
    {"practice", &makePanel<practicePanelC>},
}};

}  // namespace

std::span<const gameModeEntryS> gameModes() {
    return modes;
}

const gameModeEntryS& gameMode(std::string_view id) {
    for (const gameModeEntryS& mode : modes) {
        if (mode.id == id) {
            return mode;
        }
    }
    throw std::out_of_range("no game mode " + std::string(id));
}

}  // namespace qm
