#pragma once

#include <string>
#include <vector>

#include "ui/soundPlayer.h"

// Remembers the names of the sounds played, in order, instead of playing them.
class recordingSoundPlayer final : public qm::soundPlayer {
  public:
    void play(const std::string& name) override { played.push_back(name); }
    std::vector<std::string> played;
};
