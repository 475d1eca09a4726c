#include "ui/callerVoice.h"

#include <dlfcn.h>
#include <espeak-ng/speak_lib.h>
#include <pulse/simple.h>

#include <algorithm>
#include <memory>

#include "ui/pulseSoundPlayer.h"

namespace qm {

// The few entry points the caller uses, looked up in the library once it is loaded.
struct espeakSynth::api {
    decltype(&espeak_Initialize) initialize = nullptr;
    decltype(&espeak_SetSynthCallback) setSynthCallback = nullptr;
    decltype(&espeak_SetVoiceByName) setVoiceByName = nullptr;
    decltype(&espeak_SetParameter) setParameter = nullptr;
    decltype(&espeak_Synth) synth = nullptr;
};

namespace {

// A caller's voice: British English, slower and lower than eSpeak's defaults (175 words a
// minute, pitch 50), with a narrower pitch range, as a caller's measured delivery.
constexpr const char* voiceName = "en";  // eSpeak NG names British English "en"
constexpr int wordsPerMinute = 140;
constexpr int pitch = 30;
constexpr int pitchRange = 35;

int collectSamples(short* wav, int count, espeak_EVENT* events) {
    if (wav != nullptr && count > 0 && events != nullptr && events->user_data != nullptr) {
        auto* samples = static_cast<std::vector<std::int16_t>*>(events->user_data);
        samples->insert(samples->end(), wav, wav + count);
    }
    return 0;  // go on
}

template <typename F>
bool lookUp(void* library, const char* name, F& function) {
    function = reinterpret_cast<F>(::dlsym(library, name));
    return function != nullptr;
}

}  // namespace

espeakSynth& espeakSynth::shared() {
    static espeakSynth engine;
    return engine;
}

espeakSynth::espeakSynth() : api_(std::make_unique<api>()) {
    void* library = ::dlopen("libespeak-ng.so.1", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        problem_ = "libespeak-ng.so.1 could not be loaded";
        return;
    }
    api& f = *api_;
    const bool found = lookUp(library, "espeak_Initialize", f.initialize) &&
                       lookUp(library, "espeak_SetSynthCallback", f.setSynthCallback) &&
                       lookUp(library, "espeak_SetVoiceByName", f.setVoiceByName) &&
                       lookUp(library, "espeak_SetParameter", f.setParameter) &&
                       lookUp(library, "espeak_Synth", f.synth);
    if (!found) {
        problem_ = "libespeak-ng.so.1 lacks the functions the caller needs";
        return;
    }
    // Without its data the library would end the program; with this flag it reports.
    sampleRate_ = f.initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (sampleRate_ <= 0) {
        problem_ = "eSpeak NG could not start (is espeak-ng-data installed?)";
        return;
    }
    f.setSynthCallback(collectSamples);
    if (f.setVoiceByName(voiceName) != EE_OK) {
        problem_ = std::string("eSpeak NG has no voice ") + voiceName;
        return;
    }
    f.setParameter(espeakRATE, wordsPerMinute, 0);
    f.setParameter(espeakPITCH, pitch, 0);
    f.setParameter(espeakRANGE, pitchRange, 0);
}

// The library and its engine stay for the rest of the run (see the class).
espeakSynth::~espeakSynth() = default;

speechS espeakSynth::synthesise(const std::string& text) {
    speechS speech;
    if (!problem_.empty()) {
        return speech;
    }
    speech.sampleRate = sampleRate_;
    const std::lock_guard<std::mutex> guard(lock_);
    api_->synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                &speech.samples);
    return speech;
}

callerVoice::callerVoice() : worker_([this] { run(); }) {
    std::unique_lock<std::mutex> guard(lock_);
    wake_.wait(guard, [this] { return ready_; });
}

callerVoice::~callerVoice() {
    {
        const std::lock_guard<std::mutex> guard(lock_);
        stopping_ = true;
        ++generation_;
    }
    wake_.notify_all();
    worker_.join();
}

std::string callerVoice::problem() const {
    const std::lock_guard<std::mutex> guard(lock_);
    return problem_;
}

void callerVoice::say(const std::vector<std::string>& phrases) {
    std::string text;
    for (const auto& phrase : phrases) {
        text += (text.empty() ? "" : ". ") + phrase;
    }
    {
        const std::lock_guard<std::mutex> guard(lock_);
        pending_ = std::move(text);
        ++generation_;  // whatever is still being spoken stops
    }
    wake_.notify_all();
}

void callerVoice::run() {
    espeakSynth& synth = espeakSynth::shared();
    {
        const std::lock_guard<std::mutex> guard(lock_);
        problem_ = synth.problem();
        ready_ = true;
    }
    wake_.notify_all();
    for (;;) {
        std::string text;
        std::uint64_t generation = 0;
        {
            std::unique_lock<std::mutex> guard(lock_);
            wake_.wait(guard, [this] { return stopping_ || pending_.has_value(); });
            if (stopping_) {
                return;
            }
            text = std::move(*pending_);
            pending_.reset();
            generation = generation_;
        }
        speak(synth.synthesise(text), generation);
    }
}

void callerVoice::speak(const speechS& speech, std::uint64_t generation) {
    if (speech.samples.empty() || !pulseSoundPlayer::serverReachable()) {
        return;
    }
    pa_sample_spec format{};
    format.format = PA_SAMPLE_S16LE;
    format.rate = static_cast<std::uint32_t>(speech.sampleRate);
    format.channels = 1;
    int error = 0;
    pa_simple* stream = pa_simple_new(nullptr, "Quivermark", PA_STREAM_PLAYBACK, nullptr, "Caller",
                                      &format, nullptr, nullptr, &error);
    if (stream == nullptr) {
        return;
    }
    // A tenth of a second at a time, so that a newer call cuts this one short.
    const std::size_t chunk = static_cast<std::size_t>(speech.sampleRate / 10);
    bool replaced = false;
    for (std::size_t at = 0; at < speech.samples.size() && !replaced; at += chunk) {
        const std::size_t count = std::min(chunk, speech.samples.size() - at);
        if (pa_simple_write(stream, speech.samples.data() + at, count * sizeof(std::int16_t),
                            &error) != 0) {
            break;
        }
        const std::lock_guard<std::mutex> guard(lock_);
        replaced = generation_ != generation;
    }
    if (replaced) {
        pa_simple_flush(stream, &error);
    } else {
        pa_simple_drain(stream, &error);
    }
    pa_simple_free(stream);
}

}  // namespace qm
