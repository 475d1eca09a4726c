// Practice at speed: 100,000 Bob's 27 drills by a computer of strength 40, and the practice
// page's figures over 10,000 drills kept in the dart history. Prints the best and the median
// of a few rounds.
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

#include "settings/settingsStoreC.h"
#include "sim/practiceRun.h"
#include "stats/dartHistoryC.h"
#include "ui/practiceView.h"

namespace {

void timed(const char* what, int rounds, const std::function<void()>& work) {
    std::vector<double> seconds;
    for (int round = 0; round < rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        work();
        seconds.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("%-52s best %7.3f s  median %7.3f s\n", what, seconds.front(),
                seconds[seconds.size() / 2]);
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qm::sim::practiceOptions bob;
    bob.setup.kind = qm::drillKind::bobs27;
    bob.strength = 40;
    bob.sessions = 100'000;
    bob.drillText = "bobs-27";
    timed("100,000 Bob's 27 at strength 40", 5, [&] { (void)qm::sim::runPractice(bob); });

    const auto dir = std::filesystem::temp_directory_path() / "quivermark-practice-bench";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    {
        qm::settingsStoreC store(dir / qm::iniFileName);
        (void)store.addComputerPlayer("Bot", 40);
        std::vector<qm::drillRecordS> drills;
        for (int i = 0; i < 10'000; ++i) {
            drills.push_back({"Bot",
                              {2026, 1 + i % 12, 1 + i % 28},
                              static_cast<std::int32_t>(qm::drillKind::bobs27),
                              0,
                              true,
                              static_cast<double>(i % 900),
                              63,
                              20,
                              {}});
        }
        qm::dartHistoryC(dir / qm::dartHistoryFileName).writeDrills(drills);
        qm::practiceView page(store, dir, nullptr);
        page.findChild<QDateEdit*>("PracticeViewFrom")->setDate({2026, 1, 1});
        page.findChild<QDateEdit*>("PracticeViewTo")->setDate({2026, 12, 31});
        page.findChild<QComboBox*>("PracticeViewDrill")->setCurrentIndex(1);  // Bob's 27
        std::printf("%s\n",
                    page.findChild<QLabel*>("PracticeViewSummary")->text().toUtf8().constData());
        timed("the practice page over 10,000 Bob's 27 results", 9, [&] { page.refresh(); });
    }
    std::filesystem::remove_all(dir);
    return 0;
}
