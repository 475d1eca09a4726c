// Choosing a player with a history of a million legs in the statistics window: both passes,
// the figures, the chart layout and the repaint.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <filesystem>
#include <fstream>

#include "settings/settingsStoreC.h"
#include "stats/legRecord.h"
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
    std::ofstream out(dir / "Long.dat", std::ios::binary);
    qm::civilDate date{2000, 1, 1};
    for (int i = 0; i < 1'000'000; ++i) {
        if (i % 300 == 0) {
            date = qm::fromDayNumber(qm::dayNumber(date) + 1);
        }
        qm::legRecordS r;
        r.year = static_cast<std::int16_t>(date.year);
        r.month = static_cast<std::int16_t>(date.month);
        r.day = static_cast<std::int16_t>(date.day);
        r.darts = static_cast<std::int16_t>(15 + i % 20);
        r.points = static_cast<std::int16_t>(i % 2 ? 501 : 400);
        r.won = i % 2;
        const auto bytes = qm::encodeLegRecord(r);
        out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    return dir;
}

void BM_ChooseMillionLegPlayer(benchmark::State& state) {
    static const auto dir = makeHistory();
    qm::settingsStoreC store(dir / "bench.INI");
    silentPlayer sounds;
    qm::TForm4 window(store, sounds, dir);
    window.show();
    auto* humans = window.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    humans->setCurrentIndex(0);
    for (auto _ : state) {
        window.ComboBox1Select();
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
