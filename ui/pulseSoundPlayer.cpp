#include "ui/pulseSoundPlayer.h"

#include <pulse/error.h>
#include <pulse/simple.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <memory>

#include "ui/callerVoice.h"
#include "ui/wavData.h"

namespace qm {

namespace {

struct simpleCloser {
    void operator()(pa_simple* stream) const { pa_simple_free(stream); }
};

bool isSocket(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

}  // namespace

bool pulseSoundPlayer::serverReachable() {
    if (!qEnvironmentVariableIsEmpty("PULSE_SERVER")) {
        return true;
    }
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && isSocket(runtime.toStdString() + "/pulse/native")) {
        return true;
    }
    return isSocket("/run/user/" + std::to_string(::getuid()) + "/pulse/native") ||
           isSocket("/run/pulse/native") || isSocket("/var/run/pulse/native");
}

pulseSoundPlayer::pulseSoundPlayer() = default;
pulseSoundPlayer::~pulseSoundPlayer() = default;

std::string pulseSoundPlayer::callerProblem() {
    if (!caller_) {
        caller_ = std::make_unique<callerVoice>();
    }
    return caller_->problem();
}

void pulseSoundPlayer::say(const std::vector<std::string>& phrases) {
    if (callerProblem().empty()) {
        caller_->say(phrases);
    }
}

void pulseSoundPlayer::play(const std::string& name) {
    QFile file(QStringLiteral(":/sounds/%1.wav").arg(QString::fromStdString(name)));
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    const QByteArray bytes = file.readAll();
    const auto wav =
        parseWav(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!wav || !serverReachable()) {
        return;
    }
    pa_sample_spec sampleFormat{};
    sampleFormat.format = wav->bitsPerSample == 16 ? PA_SAMPLE_S16LE : PA_SAMPLE_U8;
    sampleFormat.rate = wav->sampleRate;
    sampleFormat.channels = static_cast<std::uint8_t>(wav->channels);
    int error = 0;
    const std::unique_ptr<pa_simple, simpleCloser> stream(
        pa_simple_new(nullptr, "Quivermark", PA_STREAM_PLAYBACK, nullptr, name.c_str(),
                      &sampleFormat, nullptr, nullptr, &error));
    if (!stream) {
        return;
    }
    if (pa_simple_write(stream.get(), wav->samples.data(), wav->samples.size(), &error) == 0) {
        pa_simple_drain(stream.get(), &error);
    }
}

}  // namespace qm
