// The simulator's runs, the plain way (every dart hit-tested, every match through the game-flow
// model, a file opened per record) beside the fast way, in one process so that both see the
// same machine load. Prints the best of a few rounds of each.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "sim/simRun.h"

namespace {

double bestSeconds(int rounds, const std::function<void()>& run) {
    double best = 1e9;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

void row(const char* what, double plain, double fast, double items, const char* unit) {
    std::printf("%-34s %9.3f s %9.3f s %8.1fx   %7.2f M -> %7.2f M %s/s\n", what, plain, fast,
                plain / fast, items / plain / 1e6, items / fast / 1e6, unit);
}

}  // namespace

int main() {
    using namespace qm::sim;
    const auto dir =
        std::filesystem::temp_directory_path() / ("qm-sim-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::printf("%-34s %11s %11s %9s   %s\n", "run", "plain", "fast", "speed-up", "throughput");

    throwsOptions throws;
    throws.strength = 40;
    throws.target = {3, 20};
    throws.count = 20'000'000;
    throws.seed = 1;
    const double throwsPlain = bestSeconds(3, [&] { runThrowsPlain(throws, nullptr); });
    const double throwsFast = bestSeconds(3, [&] { runThrows(throws, nullptr); });
    row("throws 20M darts, strength 40", throwsPlain, throwsFast, 20e6, "darts");

    matchOptions match;
    match.names = {"A", "B"};
    match.strengths = {40, 40};
    match.legs = 11;
    match.matches = 20'000;
    match.seed = 1;
    long long legs = 0;
    const double matchPlain = bestSeconds(3, [&] { legs = runMatchesPlain(match, dir).totalLegs; });
    const double matchFast = bestSeconds(3, [&] { runMatches(match, dir); });
    row("match 40 v 40, best of 11, 20k", matchPlain, matchFast, static_cast<double>(legs), "legs");

    match.saveStats = true;
    auto fresh = [&dir] {
        std::filesystem::remove(dir / "A.dat");
        std::filesystem::remove(dir / "B.dat");
    };
    const double savePlain = bestSeconds(3, [&] {
        fresh();
        runMatchesPlain(match, dir);
    });
    const double saveFast = bestSeconds(3, [&] {
        fresh();
        runMatches(match, dir);
    });
    row("the same with --save-stats", savePlain, saveFast, static_cast<double>(legs), "legs");
    std::printf("--save-stats costs %.2fx the run without it (plain: %.2fx)\n",
                saveFast / matchFast, savePlain / matchPlain);
    std::filesystem::remove_all(dir);
    return 0;
}
