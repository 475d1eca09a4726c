#pragma once

#include <memory>

#include "ui/soundPlayer.h"

namespace qm {

class callerVoice;

// Plays the program's WAVE resources through PulseAudio's simple API (PipeWire's pulse server
// works too) and waits until the sound has drained, so that nothing else happens meanwhile.
// Without a reachable sound server it returns at once.
class pulseSoundPlayer final : public soundPlayer {
  public:
    pulseSoundPlayer();
    ~pulseSoundPlayer() override;
    void play(const std::string& name) override;
    void say(const std::vector<std::string>& phrases) override;
    std::string callerProblem() override;

    // True when a pulse server socket is there to talk to; connecting blindly could make the
    // client library try to start a server of its own.
    static bool serverReachable();

  private:
    std::unique_ptr<callerVoice> caller_;  // made on first use: most games never call
};

}  // namespace qm
