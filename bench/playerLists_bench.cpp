// Reading the player lists of a large INI file: prints the time for 10,000 and 100,000
// players, so that a reading that grows with the square of the players shows at once.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "settings/settingsStoreC.h"

int main() {
    const auto dir = std::filesystem::temp_directory_path() / "quivermark-playerLists-bench";
    std::filesystem::create_directories(dir);
    for (const int players : {10000, 100000}) {
        const auto ini = dir / "quivermark.INI";
        {
            std::ofstream out(ini, std::ios::trunc);
            out << "[Players]\n";
            for (int i = 0; i < players; ++i) {
                out << "Human " << i << "=0\n";
            }
            out << "[AI]\n";
            for (int i = 0; i < players; ++i) {
                out << "Bot " << i << "=" << 1 + i % 60 << "\n";
            }
        }
        const qm::settingsStoreC store(ini);
        const auto start = std::chrono::steady_clock::now();
        const qm::playerListsS lists = store.readPlayerLists();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::printf("%6d humans and %6d computers: %.3f s\n", static_cast<int>(lists.humans.size()),
                    static_cast<int>(lists.computers.size()), took.count());
    }
    std::filesystem::remove_all(dir);
    return 0;
}
