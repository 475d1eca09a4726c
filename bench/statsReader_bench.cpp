// Reading a long history: both passes over a file of one million leg records.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "historyFile.h"
#include "stats/statsReader.h"

namespace {

constexpr int recordCount = 1'000'000;

struct quietSink : qm::statsReportSink {
    void showInfo(const std::string&) override {}
    void showSystemInfo(const std::string&) override {}
    void playSound(const std::string&) override {}
    void startProgress(std::int64_t) override {}
    void setProgress(std::int64_t position) override { benchmark::DoNotOptimize(position); }
};

const std::filesystem::path& historyDir() {
    static const std::filesystem::path dir = [] {
        auto path =
            std::filesystem::temp_directory_path() / ("qm-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        writeHistory(path / "Long.dat", recordCount);
        std::atexit([] { std::filesystem::remove_all(historyDir()); });
        return path;
    }();
    return dir;
}

void BM_SummaryPass(benchmark::State& state) {
    quietSink sink;
    for (auto _ : state) {
        qm::statsSummaryC summary;
        const bool ok = qm::loadSummary(historyDir(), "Long", summary, sink);
        benchmark::DoNotOptimize(ok);
    }
    state.SetItemsProcessed(state.iterations() * recordCount);
}

void BM_SeriesPass(benchmark::State& state) {
    quietSink sink;
    for (auto _ : state) {
        std::vector<double> series;
        const bool ok = qm::loadPpdSeries(historyDir(), "Long", 0, 10'000'000, series, sink);
        benchmark::DoNotOptimize(ok);
    }
    state.SetItemsProcessed(state.iterations() * recordCount);
}

}  // namespace

BENCHMARK(BM_SummaryPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SeriesPass)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
