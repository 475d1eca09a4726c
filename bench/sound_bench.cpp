// The time each of the game's sounds holds the window, beside the sound's own length (the
// goal: within the length and 50 ms). Needs a sound server (tools/sound-bench.sh starts one
// with a null sink); without one it says so.
#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "ui/pulseSoundPlayer.h"
#include "ui/wavData.h"

namespace {

double lengthOf(const char* name) {
    QFile file(QStringLiteral(":/sounds/%1.wav").arg(QLatin1String(name)));
    if (!file.open(QIODevice::ReadOnly)) {
        return 0.0;
    }
    const QByteArray bytes = file.readAll();
    const auto wav =
        qm::parseWav(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return wav ? wav->seconds() : 0.0;
}

}  // namespace

int main(int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    if (!qm::pulseSoundPlayer::serverReachable()) {
        std::puts("no sound server to play to (run tools/sound-bench.sh)");
        return 1;
    }
    {
        // The worst case: a sound at the very moment the player is made, before the stream it
        // opens on its own thread is ready.
        const auto start = std::chrono::steady_clock::now();
        qm::pulseSoundPlayer atOnce;
        atOnce.play("OPEN");
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        std::printf("OPEN played as the player is made: %.1f ms (length %.1f ms)\n", took.count(),
                    1000.0 * lengthOf("OPEN"));
    }
    // As in the game: the player is made at start, and the first sound comes once a game has
    // been set up.
    qm::pulseSoundPlayer player;
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    std::puts("sound     length    play: first   best  median  worst   (ms, 9 plays)");
    for (const char* name : {"DART", "INVALID", "OPEN", "REDO", "WON"}) {
        std::vector<double> plays;
        for (int round = 0; round < 10; ++round) {
            const auto start = std::chrono::steady_clock::now();
            player.play(name);
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            plays.push_back(took.count());
        }
        const double first = plays.front();
        plays.erase(plays.begin());
        std::sort(plays.begin(), plays.end());
        std::printf("%-8s %7.1f    %11.1f %6.1f %7.1f %6.1f\n", name, 1000.0 * lengthOf(name),
                    first, plays.front(), plays[plays.size() / 2], plays.back());
    }
    return 0;
}
