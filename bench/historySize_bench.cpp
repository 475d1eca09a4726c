// The dart history's size for a million players' legs of real play (two strength-40 players,
// 501, best of 5, every dart with where it landed and what it was aimed at), and the time of
// the statistics window's figures over all of one player's legs.
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "sim/simRun.h"
#include "stats/dartHistoryC.h"

int main() {
    const auto dir =
        std::filesystem::temp_directory_path() / ("qm-size-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    qm::sim::matchOptions options;
    options.names = {"Ann", "Bob"};
    options.strengths = {40, 40};
    options.matches = 120'000;  // about 500,000 legs: a million players' legs
    options.seed = 1;
    options.saveStats = true;
    options.saveDarts = true;
    const auto start = std::chrono::steady_clock::now();
    const qm::sim::matchRunResult run = qm::sim::runMatches(options, dir);
    const std::chrono::duration<double> played = std::chrono::steady_clock::now() - start;
    if (!run.errors.empty()) {
        std::fprintf(stderr, "%s\n", run.errors.front().c_str());
        return 1;
    }
    const auto file = dir / qm::dartHistoryFileName;
    long long darts = 0;
    for (const auto& player : run.players) {
        darts += player.darts;
    }
    const long long playerLegs = 2 * run.totalLegs;
    const auto bytes = static_cast<double>(std::filesystem::file_size(file));
    std::printf("%lld players' legs, %.1f darts each, in %.1f s of play\n", playerLegs,
                static_cast<double>(darts) / static_cast<double>(playerLegs), played.count());
    std::printf("dart history: %.1f MB, %.1f bytes a player's leg (goal: at most 200)\n",
                bytes / 1e6, bytes / static_cast<double>(playerLegs));

    qm::dartHistoryC history(file, qm::dartHistoryC::mode::readOnly);
    std::vector<double> times;
    std::int64_t legs = 0;
    for (int round = 0; round < 9; ++round) {
        const auto asked = std::chrono::steady_clock::now();
        legs = history.figures("Ann", {2000, 1, 1}, {2099, 12, 31})->legs;
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - asked;
        times.push_back(took.count());
    }
    std::sort(times.begin(), times.end());
    std::printf("figures of one player's %lld legs: best %.1f ms, median %.1f ms\n",
                static_cast<long long>(legs), times.front(), times[times.size() / 2]);

    // The same legs in the first layout's table and covering index, asked as it was asked.
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    const auto exec = [db](const char* sql) { sqlite3_exec(db, sql, nullptr, nullptr, nullptr); };
    const std::string scratch = (dir / "layout1.sqlite").string();
    exec(("ATTACH '" + scratch + "' AS one").c_str());
    exec(
        "CREATE TABLE one.legs (id INTEGER PRIMARY KEY, player TEXT NOT NULL, day INTEGER NOT "
        "NULL, start_score INTEGER NOT NULL, won INTEGER NOT NULL, darts INTEGER NOT NULL, "
        "points INTEGER NOT NULL, first9_points INTEGER NOT NULL, first9_darts INTEGER NOT "
        "NULL, at_double INTEGER NOT NULL, doubles_hit INTEGER NOT NULL, checkout INTEGER NOT "
        "NULL)");
    exec(
        "CREATE INDEX one.legs_figures ON legs (player, day, first9_points, first9_darts, "
        "at_double, doubles_hit, checkout)");
    exec(
        "INSERT INTO one.legs SELECT legs.id, players.name, legs.day, start_score, won, darts, "
        "points, first9_points, first9_darts, at_double, doubles_hit, checkout FROM main.legs "
        "JOIN players ON players.id = legs.player ORDER BY legs.id");
    sqlite3_stmt* query = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT count(*), total(CASE WHEN first9_darts > 0 THEN 3.0 * "
                       "first9_points / first9_darts END), total(first9_darts > 0), "
                       "total(at_double), total(doubles_hit), ifnull(max(checkout), 0) FROM "
                       "one.legs WHERE player = 'Ann' AND day BETWEEN 0 AND 100000",
                       -1, &query, nullptr);
    times.clear();
    for (int round = 0; round < 9; ++round) {
        const auto asked = std::chrono::steady_clock::now();
        sqlite3_step(query);
        legs = sqlite3_column_int64(query, 0);
        sqlite3_reset(query);
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - asked;
        times.push_back(took.count());
    }
    sqlite3_finalize(query);
    sqlite3_close(db);
    std::sort(times.begin(), times.end());
    std::printf(
        "the same in the first layout: best %.1f ms, median %.1f ms (%lld "
        "legs)\n",
        times.front(), times[times.size() / 2], static_cast<long long>(legs));
    std::filesystem::remove_all(dir);
    return 0;
}
