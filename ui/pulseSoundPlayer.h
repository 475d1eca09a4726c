#pragma once

#include "ui/soundPlayer.h"

namespace qm {

// Plays the program's WAVE resources through PulseAudio's simple API (PipeWire's pulse server
// works too) and waits until the sound has drained, so that nothing else happens meanwhile.
// Without a reachable sound server it returns at once.
class pulseSoundPlayer final : public soundPlayer {
  public:
    void play(const std::string& name) override;

    // True when a pulse server socket is there to talk to; connecting blindly could make the
    // client library try to start a server of its own.
    static bool serverReachable();
};

}  // namespace qm
