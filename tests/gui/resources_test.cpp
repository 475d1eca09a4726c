#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include <cmath>

#include "computer/virtualBoardC.h"
#include "tools/resgen/boardColours.h"
#include "ui/boardWidget.h"
#include "ui/callerVoice.h"
#include "ui/pulseSoundPlayer.h"
#include "ui/wavData.h"

using namespace qm;

namespace {

QColor colorOf(palette::rgb c) {
    return QColor(c.r, c.g, c.b);
}

QImage picture(const char* name) {
    return QImage(QStringLiteral(":/pictures/%1.png").arg(QLatin1String(name)));
}

QByteArray soundBytes(const char* name) {
    QFile file(QStringLiteral(":/sounds/%1.wav").arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(Pictures, SizesAndTransparentColours) {
    struct pictureCase {
        const char* name;
        int width, height;
        QPoint keyPixel;  // where the program takes the transparent colour from
    };
    const QColor key = colorOf(palette::transparentKey);
    for (const auto& c :
         {pictureCase{"BOARD", 357, 357, {0, 356}}, pictureCase{"QUIVERMARK", 100, 560, {2, 2}},
          pictureCase{"AI", 80, 30, {0, 29}}, pictureCase{"INFO", 80, 30, {0, 29}},
          pictureCase{"HUMAN", 80, 30, {0, 29}}, pictureCase{"FRAME", 137, 409, {50, 50}},
          pictureCase{"STATS_SELECT", 90, 30, {1, 1}}, pictureCase{"STATS_PPD", 60, 30, {1, 1}},
          pictureCase{"STATS_LEGS", 60, 30, {1, 1}}, pictureCase{"STATS_INFO", 55, 30, {1, 1}}}) {
        const QImage image = picture(c.name);
        ASSERT_FALSE(image.isNull()) << c.name;
        EXPECT_EQ(image.size(), QSize(c.width, c.height)) << c.name;
        EXPECT_EQ(image.pixelColor(c.keyPixel), key) << c.name;
    }
    EXPECT_FALSE(picture("ICON").isNull());
}

TEST(Pictures, BoardColoursUnderTheAimPoints) {
    const QImage board = picture("BOARD");
    const virtualBoardC geometry;
    struct aimCase {
        dartS target;
        palette::rgb colour;
    };
    for (const auto& c :
         {aimCase{{3, 20}, palette::redRing}, aimCase{{2, 6}, palette::greenRing},
          aimCase{{1, 11}, palette::lightSegment}, aimCase{{1, 20}, palette::darkSegment},
          aimCase{{2, 25}, palette::redRing}, aimCase{{1, 25}, palette::greenRing},
          aimCase{{3, 19}, palette::greenRing}}) {
        const auto window =
            boardWidget::boardToWindow(geometry.getCoordinates(c.target.type, c.target.number));
        const QPoint pixel(static_cast<int>(window.x) - 341, static_cast<int>(window.y) - 10);
        EXPECT_EQ(board.pixelColor(pixel), colorOf(c.colour))
            << c.target.type << " x " << c.target.number;
    }
    // The bull's centre is pixel (174, 176).
    EXPECT_EQ(board.pixelColor(174, 176), colorOf(palette::redRing));
}

TEST(Sounds, EveryNameIsShortPcmWave) {
    struct soundCase {
        const char* name;
        double maxSeconds;
    };
    for (const auto& c : {soundCase{"DART", 0.15}, soundCase{"INVALID", 0.15},
                          soundCase{"OPEN", 0.15}, soundCase{"REDO", 0.3}, soundCase{"WON", 1.5}}) {
        const QByteArray bytes = soundBytes(c.name);
        const auto wav =
            parseWav(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        ASSERT_TRUE(wav.has_value()) << c.name;
        EXPECT_EQ(wav->bitsPerSample, 16);
        EXPECT_EQ(wav->channels, 1);
        EXPECT_EQ(wav->sampleRate, 22050u);
        EXPECT_GT(wav->seconds(), 0.02) << c.name;
        EXPECT_LT(wav->seconds(), c.maxSeconds) << c.name;
    }
}

TEST(Sounds, MalformedWaveFilesAreRefused) {
    const QByteArray good = soundBytes("OPEN");
    const std::string base(good.constData(), static_cast<std::size_t>(good.size()));
    EXPECT_FALSE(parseWav("").has_value());
    EXPECT_FALSE(parseWav(base.substr(0, 30)).has_value());  // cut inside the format chunk
    std::string wrongTag = base;
    wrongTag[8] = 'X';
    EXPECT_FALSE(parseWav(wrongTag).has_value());
    std::string hugeChunk = base;
    hugeChunk[40] = '\xff';
    hugeChunk[41] = '\xff';
    hugeChunk[42] = '\xff';
    hugeChunk[43] = '\x7f';
    EXPECT_FALSE(parseWav(hugeChunk).has_value());
    std::string floatFormat = base;
    floatFormat[20] = 3;
    EXPECT_FALSE(parseWav(floatFormat).has_value());
}

// The player only talks to a server whose socket exists, so that a machine without sound
// never makes the library start (or wait for) one.
TEST(SoundPlayer, LooksForAServerSocketBeforePlaying) {
    QTemporaryDir runtime;
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray savedServer = qgetenv("PULSE_SERVER");
    qunsetenv("XDG_RUNTIME_DIR");
    qunsetenv("PULSE_SERVER");
    const bool systemServer = pulseSoundPlayer::serverReachable();  // a machine-wide one
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());            // an empty one is no server
    EXPECT_EQ(pulseSoundPlayer::serverReachable(), systemServer);

    // A plain file where the socket belongs is not a server.
    QDir(runtime.path()).mkpath(QStringLiteral("pulse"));
    const std::string socketPath = runtime.path().toStdString() + "/pulse/native";
    { std::ofstream(socketPath) << "not a socket"; }
    EXPECT_EQ(pulseSoundPlayer::serverReachable(), systemServer);
    std::filesystem::remove(socketPath);

    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    EXPECT_TRUE(pulseSoundPlayer::serverReachable());
    ::close(fd);
    std::filesystem::remove(socketPath);

    qputenv("PULSE_SERVER", "unix:/nowhere");
    EXPECT_TRUE(pulseSoundPlayer::serverReachable());

    qputenv("XDG_RUNTIME_DIR", savedRuntime);
    if (savedServer.isEmpty()) {
        qunsetenv("PULSE_SERVER");
    } else {
        qputenv("PULSE_SERVER", savedServer);
    }
}

TEST(CallerVoice, EachKindOfCallIsSpeechOfAPlausibleLength) {
    qm::espeakSynth& voice = qm::espeakSynth::shared();
    ASSERT_EQ(voice.problem(), "");
    auto seconds = [](const qm::speechS& s) {
        return static_cast<double>(s.samples.size()) / s.sampleRate;
    };
    double sixty = 0;
    for (const std::string text :
         {"sixty", "one hundred and eighty!", "no score", "Ann, you require 32",
          "Game shot, and the first leg", "Game on"}) {
        const qm::speechS speech = voice.synthesise(text);
        ASSERT_GT(speech.sampleRate, 0) << text;
        // A word takes a few tenths of a second; a phrase at a caller's pace, a few seconds.
        EXPECT_GT(seconds(speech), 0.25) << text;
        EXPECT_LT(seconds(speech), 4.0) << text;
        double power = 0;
        for (const std::int16_t sample : speech.samples) {
            power += static_cast<double>(sample) * sample;
        }
        EXPECT_GT(std::sqrt(power / static_cast<double>(speech.samples.size())), 500.0) << text;
        if (text == "sixty") {
            sixty = seconds(speech);
        } else if (text == std::string("one hundred and eighty!")) {
            EXPECT_GT(seconds(speech), 1.5 * sixty);
        }
    }
}

TEST(CallerVoice, SpeaksOnItsOwnThreadAndStopsWithTheGame) {
    // No sound server here: the calls are synthesised and dropped, and a newer one replaces
    // an older; the voice's thread ends with it, whatever is still pending.
    { const qm::callerVoice quiet; }  // one that was never given a call ends as well
    qm::callerVoice voice;
    EXPECT_EQ(voice.problem(), "");
    voice.say({"sixty", "Ann, you require 32"});
    voice.say({"Game shot, and the match"});
}
