#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace qm {

struct speechS {
    std::vector<std::int16_t> samples;  // mono
    int sampleRate = 0;
};

// eSpeak NG, loaded when the program runs (libespeak-ng.so.1), so that the game starts and
// plays without it: then the caller is simply not offered. The library keeps one engine per
// process, is not thread-safe, and cannot be started again once terminated (espeak_Terminate
// hangs on a second engine), so there is one of these for the whole run, started at first
// use, never terminated, and used by one thread at a time.
class espeakSynth {
  public:
    static espeakSynth& shared();
    espeakSynth(const espeakSynth&) = delete;
    espeakSynth& operator=(const espeakSynth&) = delete;

    // Why there is no voice ("libespeak-ng.so.1 could not be loaded"); empty when there is.
    [[nodiscard]] const std::string& problem() const { return problem_; }
    // The text spoken by the caller's voice, whole; empty samples without a voice.
    [[nodiscard]] speechS synthesise(const std::string& text);

  private:
    espeakSynth();
    ~espeakSynth();

    struct api;
    std::unique_ptr<api> api_;
    std::mutex lock_;
    std::string problem_;
    int sampleRate_ = 0;
};

// The caller: speaks on a PulseAudio stream of its own, on a thread of its own, so that no
// visit waits for it. A newer call replaces one still speaking.
class callerVoice {
  public:
    callerVoice();
    ~callerVoice();
    callerVoice(const callerVoice&) = delete;
    callerVoice& operator=(const callerVoice&) = delete;

    // Empty when the caller can speak; otherwise why not, for the error panel.
    [[nodiscard]] std::string problem() const;
    // Returns at once; the phrases are spoken in order as one call.
    void say(const std::vector<std::string>& phrases);

  private:
    void run();
    void speak(const speechS& speech, std::uint64_t generation);

    mutable std::mutex lock_;
    std::condition_variable wake_;
    std::optional<std::string> pending_;
    std::uint64_t generation_ = 0;
    bool ready_ = false;
    bool stopping_ = false;
    std::string problem_;
    std::thread worker_;
};

}  // namespace qm
