// Choosing a player with a history of a million legs in the statistics window: both passes,
// the figures, the chart layout and the repaint.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <filesystem>
#include <fstream>

#include "historyFile.h"
#include "settings/settingsStoreC.h"
#include "ui/promptService.h"
#include "ui/soundPlayer.h"
#include "ui/statsWindow.h"

namespace {

struct silentPlayer final : qm::soundPlayer {
    void play(const std::string&) override {}
};

std::filesystem::path makeHistory() {
    const auto dir =
        std::filesystem::temp_directory_path() / ("qm-window-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "bench.INI") << "[Players]\nLong=0\n";
    writeHistory(dir / "Long.dat", 1'000'000);
    return dir;
}

void BM_ChooseMillionLegPlayer(benchmark::State& state) {
    static const auto dir = makeHistory();
    qm::settingsStoreC store(dir / "bench.INI");
    silentPlayer sounds;
    qm::qtPromptService prompts;  // never asked: the benchmark exports nothing
    qm::TForm4 window(store, sounds, prompts, dir);
    window.show();
    auto* humans = window.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    humans->setCurrentIndex(0);
    for (auto _ : state) {
        window.ComboBox1Select();
        // The passes run on a worker; their results come back through the event loop.
        while (window.isReading()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        window.repaint();
    }
    std::filesystem::remove_all(dir);
}

}  // namespace

BENCHMARK(BM_ChooseMillionLegPlayer)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
