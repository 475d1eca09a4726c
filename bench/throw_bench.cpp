// A player's own throw at speed: the expected-points map on a 1-unit grid, the personal
// checkout table, and the "Your throw" window from opening to its picture, over a history of
// 3000 practice darts. Prints the best and the median of a few rounds, and the board's raster
// apart: it is built once for the process, at the first map or table.
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <vector>

#include "computer/normalScatter.h"
#include "computer/throwFit.h"
#include "computer/vPlayerC.h"
#include "game/personalRoutes.h"
#include "settings/settingsStoreC.h"
#include "stats/dartHistoryC.h"
#include "ui/yourThrowWindow.h"

namespace {

double secondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void timed(const std::string& what, int rounds, const std::function<void()>& work) {
    std::vector<double> seconds;
    for (int round = 0; round < rounds; ++round) {
        seconds.push_back(secondsOf(work));
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("%-56s best %8.1f ms  median %8.1f ms\n", what.c_str(), 1000 * seconds.front(),
                1000 * seconds[seconds.size() / 2]);
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const qm::virtualBoardC board;
    const qm::vPlayerC chart;
    std::printf("%-56s %8.1f ms\n", "the board's raster, once for the process",
                1000 * secondsOf([] { (void)qm::boardRasterC::instance(); }));
    const std::vector<std::pair<std::string, qm::normalScatterS>> scatters{
        {"deviation 5", {0, 0, 5, 5, 0}},
        {"deviation 25", {0, 0, 25, 25, 0}},
        {"deviation 80", {0, 0, 80, 80, 0}},
        {"18 by 30, correlation -0.3, biased", {4, -6, 18, 30, -0.3}},
    };
    for (const auto& [name, scatter] : scatters) {
        timed("expected-points map, " + name, 5,
              [&scatter] { (void)qm::expectedPointsMap(scatter); });
    }
    for (const auto& [name, scatter] : scatters) {
        timed("personal checkout table, " + name, 3, [&] {
            qm::scatterChancesC outcomes(scatter, board);
            const qm::personalRoutesC table(outcomes, chart);
        });
    }

    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("quivermark-throw-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    qm::settingsStoreC store(dir / qm::iniFileName);
    (void)store.savePlayer(0, {"Ann", "Bob"}, {false, false}, 20, false);
    {
        std::mt19937 random(1);
        std::normal_distribution<double> normal;
        std::vector<qm::drillRecordS> drills;
        for (int d = 0; d < 30; ++d) {
            qm::drillRecordS drill{"Ann", {2026, 12, 1}, 4, 0, true, 30.0, 100, 20, {}};
            for (int i = 0; i < 100; ++i) {
                const qm::dartS target = i % 4 == 0 ? qm::dartS{2, 16} : qm::dartS{3, 20};
                const qm::boardPointS aim = board.getCoordinates(target.type, target.number);
                const float x = aim.x + static_cast<float>(15 * normal(random));
                const float y = aim.y + static_cast<float>(20 * normal(random));
                const qm::dartS hit = board.getHit({x, y});
                drill.thrown.push_back({i / 3 + 1, i % 3 + 1, hit.type, hit.number, 0,
                                        qm::dartPointS{x, y}, target.type, target.number});
            }
            drills.push_back(drill);
        }
        qm::dartHistoryC history(dir / qm::dartHistoryFileName);
        (void)history.writeDrills(drills);
    }
    const auto open = [&] {
        qm::yourThrowWindow window(dir, store, board, chart);
        window.showFor(QStringLiteral("Ann"));
        window.show();
        QApplication::processEvents();
        (void)window.grab();  // painted
    };
    timed("Your throw window to its picture, 3000 darts", 5, open);
    std::filesystem::remove_all(dir);
    return 0;
}
