// quivermark-sim: computer players at full speed, for statistics and for checking the model.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "game/playerThrow.h"
#include "settings/dataLocation.h"
#include "settings/gameSettingsS.h"
#include "settings/settingsStoreC.h"
#include "sim/practiceRun.h"
#include "sim/simOptions.h"
#include "sim/simRun.h"

namespace {

// A run that could not keep what it made (its output, its scratch file, the INI file): said on
// standard error, and exit status 1.
int keepingFailed(const std::string& what) {
    std::cerr << "quivermark-sim: " << what << '\n';
    return 1;
}

// A full disk or a closed pipe must not pass for a finished run.
int outputStatus() {
    std::cout.flush();
    const bool failed = !std::cout || std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    return failed ? keepingFailed("could not write the output") : 0;
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

// The game lists the histories of the players its INI file knows: the simulator's players
// join the computers' list there (a known name is left alone), so that their legs show in the
// statistics window. A name that differs from a known one only in letter case is refused, as
// the game refuses it.
int registerPlayers(const qm::sim::matchOptions& options, const std::filesystem::path& dataDir) {
    qm::settingsStoreC store(dataDir / qm::iniFileName);
    for (int p = 0; p < 2; ++p) {
        const std::string problem =
            store.caseTwinProblem(options.names[p], p == 1 ? options.names[0] : "");
        if (!problem.empty()) {
            std::cerr << "quivermark-sim: " << problem << '\n';
            return 2;
        }
    }
    for (int p = 0; p < 2; ++p) {
        const qm::saveOutcomeS added =
            store.addComputerPlayer(options.names[p], options.strengths[p]);
        if (!added.ok) {
            return keepingFailed(added.message);
        }
    }
    return 0;
}

// The data folder of a run that keeps something, made if it is not there: the game decides its
// folder by the same rule, so both keep one history. None, said on standard error, when it
// cannot be decided.
std::optional<std::filesystem::path> dataFolder(const std::optional<std::string>& given,
                                                const char* argv0) {
    const qm::dataDirChoiceS decided = qm::decideDataDir(given, qm::programDirectory(argv0));
    if (!decided.problem.empty()) {
        std::cerr << "quivermark-sim: " << decided.problem << '\n';
        return std::nullopt;
    }
    std::error_code ignored;  // a folder that cannot be made fails the first write
    std::filesystem::create_directories(decided.dir, ignored);
    return decided.dir;
}

// Copies the legs streamed during the run into the output's "legs" array.
void printStreamedLegs(std::FILE* legs) {
    std::rewind(legs);
    std::cout << ",\"legs\":[";
    char line[512];
    bool first = true;
    while (std::fgets(line, sizeof line, legs) != nullptr) {
        std::string text(line);
        if (!text.empty() && text.back() == '\n') {
            text.pop_back();
        }
        std::cout << (first ? "" : ",") << text;
        first = false;
    }
    std::cout << "]";
}

// A twin's human's scatter, fitted from the dart history of the data folder; none, with the
// reason said, where the folder cannot be found or the human has too few darts.
std::optional<qm::throwFitS> twinFit(const std::string& human,
                                     const std::optional<std::string>& given, const char* argv0) {
    const std::optional<std::filesystem::path> dataDir = dataFolder(given, argv0);
    if (!dataDir) {
        return std::nullopt;
    }
    qm::dartHistoryC history(*dataDir / qm::dartHistoryFileName, qm::dartHistoryC::mode::readOnly);
    const qm::virtualBoardC board;
    qm::throwFitS fit = qm::fitPlayerThrow(history, human, board);
    if (!fit.usable()) {
        std::cerr << "quivermark-sim: " << human << " has not enough darts yet for a twin ("
                  << fit.of(qm::aimKind::all).darts << " with a known target and landing point, "
                  << qm::minFitDarts << " wanted)\n";
        return std::nullopt;
    }
    return fit;
}

// Reads every twin's fit; false when one cannot be had.
bool readTwins(qm::sim::twinsS& twins, const std::optional<std::string>& given, const char* argv0) {
    for (std::size_t p = 0; p < 2; ++p) {
        if (!twins.of[p].empty()) {
            twins.fits[p] = twinFit(twins.of[p], given, argv0);
            if (!twins.fits[p]) {
                return false;
            }
        }
    }
    return true;
}

int run(qm::sim::matchOptions options, const char* argv0) {
    if (!readTwins(options.twins, options.dataDir, argv0)) {
        return 2;
    }
    // Traced legs go to a scratch file as they are played, never all into memory.
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> legs(
        options.traceLegs ? std::tmpfile() : nullptr,
        [](std::FILE* f) { return f ? std::fclose(f) : 0; });
    if (options.traceLegs && !legs) {
        return keepingFailed("no scratch file for the traced legs");
    }
    options.legTraceStream = legs.get();
    std::filesystem::path dataDir;
    if (options.saveStats || options.saveDarts) {
        const std::optional<std::filesystem::path> decided = dataFolder(options.dataDir, argv0);
        if (!decided) {
            return 2;
        }
        dataDir = *decided;
        if (const int status = registerPlayers(options, dataDir); status != 0) {
            return status;
        }
    }
    const auto result = qm::sim::runMatches(options, dataDir);
    for (const auto& said : {result.notes, result.skipped}) {
        for (const auto& line : said) {
            std::cerr << line << '\n';
        }
    }
    if (!result.errors.empty()) {
        for (const auto& error : result.errors) {
            std::cerr << error << '\n';
        }
        return 1;
    }
    std::cout << qm::sim::matchJsonHead(options, result);
    if (legs) {
        if (std::fflush(legs.get()) != 0 || std::ferror(legs.get()) != 0) {
            return keepingFailed("could not keep the traced legs");
        }
        printStreamedLegs(legs.get());
    }
    std::cout << "}\n";
    return outputStatus();
}

int run(const qm::sim::calibrateOptions& options) {
    for (int strength = qm::minStrength; strength <= qm::maxStrength; ++strength) {
        std::cout << qm::sim::calibrationJson(options, strength) << '\n';
    }
    return outputStatus();
}

int run(qm::sim::oddsOptions options, const char* argv0) {
    if (!readTwins(options.twins, options.dataDir, argv0)) {
        return 2;
    }
    std::cout << qm::sim::oddsJson(options) << '\n';
    return outputStatus();
}

int run(qm::sim::practiceOptions options, const char* argv0) {
    if (!options.twin.empty()) {
        options.twinFit = twinFit(options.twin, options.dataDir, argv0);
        if (!options.twinFit) {
            return 2;
        }
    }
    std::filesystem::path dataDir;
    if (options.saveDarts) {
        const std::optional<std::filesystem::path> decided = dataFolder(options.dataDir, argv0);
        if (!decided) {
            return 2;
        }
        dataDir = *decided;
        qm::settingsStoreC store(dataDir / qm::iniFileName);
        // The game's practice page lists the player among its computers.
        const qm::saveOutcomeS added = store.addComputerPlayer(options.player, options.strength);
        if (!added.ok) {
            return keepingFailed(added.message);
        }
    }
    const qm::sim::practiceRunS result = qm::sim::runPractice(options, dataDir);
    if (!result.problem.empty()) {
        std::cerr << "quivermark-sim: " << result.problem << '\n';
        return 1;
    }
    std::cout << qm::sim::practiceJson(options, result) << '\n';
    return outputStatus();
}

int run(const qm::sim::aimOptions& options) {
    std::cout << qm::sim::aimJson(options) << '\n';
    return outputStatus();
}

int run(const qm::sim::expectedOptions& options) {
    std::cout << qm::sim::expectedJson(options) << '\n';
    return outputStatus();
}

}  // namespace

int main(int argc, char* argv[]) {
    // Past a file-size limit a write fails with EFBIG, reported as a full disk is, instead of
    // the signal ending the program with nothing said.
    std::signal(SIGXFSZ, SIG_IGN);
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
            std::cout << qm::sim::usageText();
            return outputStatus();
        }
        const auto options = qm::sim::parseOptions(args);
        return std::visit(
            [argv](const auto& chosen) {
                using chosenType = std::decay_t<decltype(chosen)>;
                if constexpr (std::is_same_v<chosenType, qm::sim::matchOptions> ||
                              std::is_same_v<chosenType, qm::sim::practiceOptions> ||
                              std::is_same_v<chosenType, qm::sim::oddsOptions>) {
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
        return 1;  // a failure no check foresaw, such as memory running out
    }
}
