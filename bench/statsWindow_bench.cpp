// Choosing a player with a history of a million legs in the statistics window: both passes,
// the figures, the chart layout and the repaint; once without a dart history and once with a
// million legs of dart detail beside the records, for the dart figures' cost.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <filesystem>
#include <fstream>

#include "historyFile.h"
#include "match/legFigures.h"
#include "match/x01Rules.h"
#include "settings/settingsStoreC.h"
#include "stats/dartHistoryC.h"
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

// A million legs of dart detail, on the records' days: each a visit of T20 T20 and D20 at 160,
// 100 and 40 left (the darts table's size does not enter the figures' query).
void writeDartHistory(const std::filesystem::path& file) {
    qm::dartHistoryC history(file);
    qm::civilDate date{2000, 1, 1};
    std::vector<qm::legDartsS> batch;
    for (int i = 0; i < 1'000'000; ++i) {
        if (i % 300 == 0) {
            date = qm::fromDayNumber(qm::dayNumber(date) + 1);
        }
        qm::legDartsS leg{"Long", date, 160, true, {}, {}, std::nullopt};
        int left = 160;
        for (const auto& [order, type] : {std::pair{1, 3}, {2, 3}, {3, 2}}) {
            qm::dartRecordS dart;
            dart.visit = 1, dart.order = order, dart.type = type, dart.number = 20;
            dart.remainingBefore = left;
            left -= type * 20;
            leg.darts.push_back(dart);
        }
        leg.figures = qm::legFigures(leg.darts);
        batch.push_back(std::move(leg));
        if (batch.size() == 20000) {
            history.write(batch);
            batch.clear();
        }
    }
}

void choosePlayer(benchmark::State& state, const std::filesystem::path& dir) {
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
}

void BM_ChooseMillionLegPlayer(benchmark::State& state) {
    static const auto dir = makeHistory();
    choosePlayer(state, dir);
    // The same folder with the dart history: the next benchmark's.
    writeDartHistory(dir / qm::dartHistoryFileName);
}

void BM_ChooseMillionLegPlayerWithDarts(benchmark::State& state) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("qm-window-bench-" + std::to_string(::getpid()));
    choosePlayer(state, dir);
    std::filesystem::remove_all(dir);
}

// One leg's darts in its own transaction, as the game writes them, into a history that
// already holds 100,000 legs.
void BM_WriteOneLeg(benchmark::State& state) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("qm-leg-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    qm::dartHistoryC history(dir / qm::dartHistoryFileName);
    qm::legDartsS leg{"Ann", {2026, 12, 9}, 501, true, {}, {}, std::nullopt};
    for (int visit = 1; visit <= 7; ++visit) {
        for (int order = 1; order <= 3; ++order) {
            qm::dartRecordS dart;
            dart.visit = visit, dart.order = order, dart.type = 1, dart.number = 20;
            dart.remainingBefore = 501 - 60 * (visit - 1) - 20 * (order - 1);
            dart.point = qm::dartPointS{1.0f, 120.0f};
            leg.darts.push_back(dart);
        }
    }
    history.write(std::vector<qm::legDartsS>(100'000, leg));
    for (auto _ : state) {
        history.write({leg, leg});  // both players' legs
    }
    std::filesystem::remove_all(dir);
}

}  // namespace

BENCHMARK(BM_ChooseMillionLegPlayer)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ChooseMillionLegPlayerWithDarts)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_WriteOneLeg)->Unit(benchmark::kMillisecond)->Iterations(200);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
