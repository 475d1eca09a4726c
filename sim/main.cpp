// quivermark-sim: computer players at full speed, for statistics and for checking the model.
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <type_traits>
#include <vector>

#include "settings/dataLocation.h"
#include "settings/gameSettingsS.h"
#include "sim/simOptions.h"
#include "sim/simRun.h"

namespace {

// A full disk or a closed pipe must not pass for a finished run.
int outputStatus() {
    std::cout.flush();
    const bool failed = !std::cout || std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    if (failed) {
        std::cerr << "quivermark-sim: could not write the output\n";
        return 1;
    }
    return 0;
}

int run(const qm::sim::throwsOptions& options) {
    if (options.trace) {
        std::vector<char> buffer(1 << 20);
        std::setvbuf(stdout, buffer.data(), _IOFBF, buffer.size());
        qm::sim::runThrows(options, stdout);
        const int status = outputStatus();
        std::setvbuf(stdout, nullptr, _IOLBF, 0);
        return status;
    }
    const auto result = qm::sim::runThrows(options, nullptr);
    std::cout << qm::sim::throwsJson(options, result) << '\n';
    return outputStatus();
}

int run(const qm::sim::matchOptions& options, const char* argv0) {
    const auto dataDir =
        qm::chooseDataDir(options.dataDir, qm::programDirectory(argv0), qm::xdgDataHome());
    if (options.saveStats) {
        std::error_code ignored;  // a folder that cannot be made fails the first record
        std::filesystem::create_directories(dataDir, ignored);
    }
    const auto result = qm::sim::runMatches(options, dataDir);
    for (const auto& skipped : result.skipped) {
        std::cerr << skipped << '\n';
    }
    if (!result.errors.empty()) {
        for (const auto& error : result.errors) {
            std::cerr << error << '\n';
        }
        return 1;
    }
    std::cout << qm::sim::matchJson(options, result) << '\n';
    return outputStatus();
}

int run(const qm::sim::calibrateOptions& options) {
    for (int strength = qm::minStrength; strength <= qm::maxStrength; ++strength) {
        std::cout << qm::sim::calibrationJson(options, strength) << '\n';
    }
    return outputStatus();
}

}  // namespace

int main(int argc, char* argv[]) {
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        const auto options = qm::sim::parseOptions(args);
        return std::visit(
            [argv](const auto& chosen) {
                if constexpr (std::is_same_v<std::decay_t<decltype(chosen)>,
                                             qm::sim::matchOptions>) {
                    return run(chosen, argv[0]);  // its data folder depends on where it runs
                } else {
                    return run(chosen);
                }
            },
            options);
    } catch (const std::invalid_argument& error) {
        std::cerr << "quivermark-sim: " << error.what() << '\n';
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "quivermark-sim: " << error.what() << '\n';
        return 1;
    }
}
