// Feeds arbitrary bytes as a player's statistics file through both reading passes and the
// summary figures: nothing may crash, and the two passes must agree on whether the file is
// whole and on how many legs it holds.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "stats/statsReader.h"

namespace {

// A folder of this process's own, removed when the fuzzer ends.
class scratchFolder {
  public:
    scratchFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("qm-stats-fuzz-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_);
    }
    ~scratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    scratchFolder(const scratchFolder&) = delete;
    scratchFolder& operator=(const scratchFolder&) = delete;
    [[nodiscard]] const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

const std::filesystem::path& scratchDir() {
    static const scratchFolder folder;
    return folder.path();
}

class quietSink : public qm::statsReportSink {
  public:
    void showInfo(const std::string&) override {}
    void showSystemInfo(const std::string&) override {}
    void playSound(const std::string&) override {}
    void startProgress(std::int64_t max) override { maximum = max; }
    void setProgress(std::int64_t position) override {
        if (position < 1 || position > maximum) {
            std::abort();  // the bar never runs past its end
        }
    }
    std::int64_t maximum = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        std::ofstream out(scratchDir() / "Fuzz.dat", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    quietSink sink;
    qm::statsSummaryC summary;
    const bool whole = qm::loadSummary(scratchDir(), "Fuzz", summary, sink);
    (void)summary.figureTexts();
    std::vector<double> series;
    const bool seriesWhole =
        qm::loadPpdSeries(scratchDir(), "Fuzz", INT64_MIN, INT64_MAX, series, sink);
    if (whole != seriesWhole) {
        std::abort();
    }
    if (whole && (size % 16 != 0 || static_cast<std::size_t>(summary.legsPlayed) != size / 16 ||
                  series.size() != size / 16)) {
        std::abort();
    }
    return 0;
}
