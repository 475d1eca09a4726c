#pragma once

#include <string>
#include <vector>

#include "ui/soundPlayer.h"

// Remembers the names of the sounds played and the caller's calls, in order, instead of
// playing them.
class recordingSoundPlayer final : public qm::soundPlayer {
  public:
    void play(const std::string& name) override { played.push_back(name); }
    void say(const std::vector<std::string>& phrases) override { said.push_back(phrases); }
    std::string callerProblem() override { return voiceProblem; }
    std::vector<std::string> played;
    std::vector<std::vector<std::string>> said;
    std::string voiceProblem;  // a voice unless a test takes it away
};
