#pragma once

#include <pulse/sample.h>

#include <cstdint>
#include <memory>
#include <thread>

#include "ui/soundPlayer.h"

struct pa_simple;

namespace qm {

class callerVoice;

// Plays the program's WAVE resources through PulseAudio's simple API (PipeWire's pulse server
// works too) and waits until the sound has drained, so that nothing else happens meanwhile.
// One stream with a short buffer is kept open from sound to sound, so that a play takes the
// sound's own length and not the time to connect and fill the server's default buffer.
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

    // The stream's buffer: short sounds start at once and a drain ends soon after them.
    static constexpr std::uint64_t bufferMicroseconds = 20'000;

  private:
    struct streamCloser {
        void operator()(pa_simple* stream) const;
    };
    // The open stream for this sample format, opened (again) where needed; null when the
    // server refuses one.
    pa_simple* streamFor(const pa_sample_spec& format);

    std::unique_ptr<callerVoice> caller_;  // made on first use: most games never call
    std::unique_ptr<pa_simple, streamCloser> stream_;
    pa_sample_spec streamFormat_{};
    std::thread warmUp_;  // opens the stream while the game sets up; joined before a play
};

}  // namespace qm
