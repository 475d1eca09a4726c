#include "ui/pulseSoundPlayer.h"

#include <pulse/error.h>
#include <pulse/simple.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <optional>
#include <vector>

#include "ui/callerVoice.h"
#include "ui/wavData.h"

namespace qm {

namespace {

bool isSocket(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

QByteArray loadSound(const std::string& name) {
    QFile file(QStringLiteral(":/sounds/%1.wav").arg(QString::fromStdString(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::optional<pa_sample_spec> formatOf(const QByteArray& bytes) {
    const auto wav =
        parseWav(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!wav) {
        return std::nullopt;
    }
    pa_sample_spec format{};
    format.format = wav->bitsPerSample == 16 ? PA_SAMPLE_S16LE : PA_SAMPLE_U8;
    format.rate = wav->sampleRate;
    format.channels = static_cast<std::uint8_t>(wav->channels);
    return format;
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

void pulseSoundPlayer::streamCloser::operator()(pa_simple* stream) const {
    pa_simple_free(stream);
}

pulseSoundPlayer::pulseSoundPlayer() {
    // A server's sink wakes to a new stream only at its next (up to two seconds long) cycle,
    // and the first write waits for it. The stream is opened, and that wait taken, on a
    // thread of its own while the player sets up the game; the first play joins it.
    const auto format = formatOf(loadSound("DART"));
    if (format && serverReachable()) {
        warmUp_ = std::thread([this, format] {
            if (pa_simple* stream = streamFor(*format)) {
                const std::vector<char> silence(pa_usec_to_bytes(bufferMicroseconds, &*format),
                                                format->format == PA_SAMPLE_U8 ? '\x80' : '\0');
                int error = 0;
                if (pa_simple_write(stream, silence.data(), silence.size(), &error) != 0) {
                    stream_.reset();
                }
            }
        });
    }
}

pulseSoundPlayer::~pulseSoundPlayer() {
    if (warmUp_.joinable()) {
        warmUp_.join();
    }
}

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
    if (warmUp_.joinable()) {
        warmUp_.join();
    }
    const QByteArray bytes = loadSound(name);
    const auto wav =
        parseWav(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    const auto format = formatOf(bytes);
    if (!wav || !format || !serverReachable()) {
        return;
    }
    // One try on the stream kept open; a server that went away meanwhile gets a new one.
    for (int attempt = 0; attempt < 2; ++attempt) {
        pa_simple* stream = streamFor(*format);
        if (stream == nullptr) {
            return;
        }
        int error = 0;
        if (pa_simple_write(stream, wav->samples.data(), wav->samples.size(), &error) == 0 &&
            pa_simple_drain(stream, &error) == 0) {
            return;
        }
        stream_.reset();
    }
}

pa_simple* pulseSoundPlayer::streamFor(const pa_sample_spec& format) {
    if (stream_ && pa_sample_spec_equal(&streamFormat_, &format) != 0) {
        return stream_.get();
    }
    stream_.reset();
    // The server's default buffering holds up to two seconds; a short sound played
    // synchronously must take its own length, so the stream asks for a short one. Playing
    // starts as soon as that much is buffered, and a drain ends when the sound has been heard.
    pa_buffer_attr buffering{};
    buffering.maxlength = static_cast<std::uint32_t>(-1);
    buffering.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(bufferMicroseconds, &format));
    buffering.prebuf = static_cast<std::uint32_t>(-1);
    buffering.minreq = static_cast<std::uint32_t>(-1);
    buffering.fragsize = static_cast<std::uint32_t>(-1);
    int error = 0;
    stream_.reset(pa_simple_new(nullptr, "Quivermark", PA_STREAM_PLAYBACK, nullptr, "Sounds",
                                &format, nullptr, &buffering, &error));
    streamFormat_ = format;
    return stream_.get();
}

}  // namespace qm
