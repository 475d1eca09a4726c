// The two stores of a finished leg, its 16-byte record and its darts, under writers that are
// killed, that run side by side, and under a history of the older layout.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sqlite3.h>

#include <map>
#include <random>
#include <sstream>

#include "childProcess.h"
#include "computer/vPlayerC.h"
#include "computer/virtualBoardC.h"
#include "game/MatchC.h"
#include "match/legFigures.h"
#include "match/x01Rules.h"
#include "stats/legCsv.h"
#include "stats/legFile.h"
#include "stats/legRecorderC.h"
#include "stats/statsReader.h"
#include "tempDir.h"

using namespace qm;

namespace {

// Starts the simulator with these arguments, its output thrown away; the child's id.
pid_t startSim(const std::vector<std::string>& args) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::vector<char*> argv{const_cast<char*>(QUIVERMARK_SIM_PATH)};
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        ::freopen("/dev/null", "w", stdout);
        ::execv(QUIVERMARK_SIM_PATH, argv.data());
        ::_exit(127);
    }
    return child;
}

int exitStatus(pid_t child) {
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> simMatch(const std::filesystem::path& dir, int matches, int seed) {
    return {"match",
            "--player1",
            "Ann",
            "--strength1",
            "40",
            "--player2",
            "Bob",
            "--strength2",
            "40",
            "--start",
            "101",
            "--legs",
            "3",
            "--matches",
            std::to_string(matches),
            "--seed",
            std::to_string(seed),
            "--save-stats",
            "--save-darts",
            "--data-dir",
            dir.string()};
}

std::string integrity(const std::filesystem::path& file) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* check = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr);
    std::string result = "no answer";
    if (sqlite3_step(check) == SQLITE_ROW) {
        result = reinterpret_cast<const char*>(sqlite3_column_text(check, 0));
    }
    sqlite3_finalize(check);
    sqlite3_close(db);
    return result;
}

struct storesS {
    std::size_t records = 0;
    std::size_t thrown = 0;  // records of legs the player threw in (a leg lost to a first
                             // visit's checkout has no dart to keep)
    std::size_t paired = 0;  // history legs with a record's place
};

// Checks the two stores of a player against each other: the history is whole, every leg in it
// carries the place of a record, no place twice, and that record is the leg's own (its day,
// points, darts and result); the export gives every record a row and the darts' figures to
// exactly the records that have a history leg.
storesS expectPairedRight(const std::filesystem::path& dir, const std::string& player) {
    storesS seen;
    EXPECT_EQ(integrity(dir / dartHistoryFileName), "ok");
    std::vector<legRecordS> records;
    EXPECT_TRUE(loadLegRecords(dir, player, 0, 1'000'000, records));
    seen.records = records.size();
    for (const legRecordS& record : records) {
        seen.thrown += record.darts > 0 ? 1 : 0;
    }
    dartHistoryC history(dir / dartHistoryFileName, dartHistoryC::mode::readOnly);
    std::map<std::int64_t, int> places;
    for (const legDartsS& leg : history.legsOf(player)) {
        EXPECT_EQ(leg.figures, legFigures(leg.darts));  // the darts whole, as written
        if (!leg.recordIndex) {
            ADD_FAILURE() << player << ": a leg without its record's place";
            continue;
        }
        const auto place = *leg.recordIndex;
        ++places[place];
        if (static_cast<std::size_t>(place) >= records.size()) {
            ADD_FAILURE() << player << ": place " << place << " past the records";
            continue;
        }
        const legRecordS& own = records[static_cast<std::size_t>(place)];
        EXPECT_EQ(own.date(), leg.day);
        EXPECT_EQ(own.points, leg.figures.points);
        EXPECT_EQ(own.darts, leg.figures.darts);
        EXPECT_EQ(own.isWon(), leg.won);
        ++seen.paired;
    }
    for (const auto& [place, count] : places) {
        EXPECT_EQ(count, 1) << player << " place " << place;
    }
    std::ostringstream csv;
    EXPECT_EQ(writeLegsCsv(dir, player, 0, 1'000'000, csv), "");
    std::size_t rows = 0;
    std::size_t withDarts = 0;
    std::istringstream lines(csv.str());
    for (std::string line; std::getline(lines, line);) {
        rows += 1;
        withDarts += line.ends_with(",,,\r") ? 0 : 1;
    }
    EXPECT_EQ(rows, records.size() + 1);    // the header and a row a record
    EXPECT_EQ(withDarts, seen.paired + 1);  // the header has names there
    return seen;
}

}  // namespace

// The simulator, and the game's own writer (a match whose darts go to the history on a thread
// of their own), killed at random moments over one data folder: after every kill each store
// holds a whole run of legs, and every leg in both is paired with its own record.
TEST(Recorder, KilledWritersLeaveBothStoresPairedRight) {
    tempDir dir;
    std::mt19937 moments(20261209);
    std::uniform_int_distribution<int> after(5'000, 300'000);  // microseconds
    int kills = 0;
    for (int round = 0; round < 24; ++round) {
        pid_t child = 0;
        if (round % 3 != 2) {
            child = startSim(simMatch(dir.path(), 100'000, round + 1));
        } else {
            child = ::fork();
            if (child == 0) {
                const vPlayerC chart;
                const virtualBoardC board;
                legRecorderC::optionsS keep;
                keep.darts = legRecorderC::dartsKept::queued;
                legRecorderC recorder(dir.path(), keep);
                matchContextS context;
                context.chart = &chart;
                context.vBoard = &board;
                context.writeLegRecord = recorder.recordWriter();
                context.writeLegDarts = recorder.dartsWriter();
                gameSettingsS settings;
                settings.names = {"Ann", "Bob"};
                settings.isComputer = {true, true};
                settings.strengths = {40, 40};
                settings.startScore = 101;
                settings.bestOfLegs = 3;
                for (;;) {
                    MatchC match(settings, context);
                    while (!match.matchOver()) {
                        if (match.playComputerTurn().result == VisitResult::LegWon) {
                            match.startNextLeg();
                        }
                    }
                }
            }
        }
        ::usleep(static_cast<useconds_t>(after(moments)));
        kills += ::kill(child, SIGKILL) == 0 ? 1 : 0;
        ::waitpid(child, nullptr, 0);
        expectPairedRight(dir.path(), "Ann");
        expectPairedRight(dir.path(), "Bob");
    }
    EXPECT_GE(kills, 20);
    // Nothing said afterwards is lost: a run to its end keeps every one of its legs in both.
    const storesS before = expectPairedRight(dir.path(), "Ann");
    EXPECT_GT(before.paired, 0u);
    EXPECT_EQ(exitStatus(startSim(simMatch(dir.path(), 50, 99))), 0);
    const storesS after50 = expectPairedRight(dir.path(), "Ann");
    EXPECT_GT(after50.records, before.records);
    EXPECT_EQ(after50.thrown - before.thrown, after50.paired - before.paired);
}

// Two simulators on one folder and the same players both finish, and every leg of both is in
// both stores; a game's leg written while another program holds the history is kept once it
// lets go.
TEST(Recorder, TwoWritersWaitForEachOtherAndDropNothing) {
    tempDir dir;
    const pid_t first = startSim(simMatch(dir.path(), 3000, 1));
    const pid_t second = startSim(simMatch(dir.path(), 3000, 2));
    EXPECT_EQ(exitStatus(first), 0);
    EXPECT_EQ(exitStatus(second), 0);
    for (const char* player : {"Ann", "Bob"}) {
        const storesS both = expectPairedRight(dir.path(), player);
        EXPECT_EQ(both.paired, both.thrown) << player;
        EXPECT_GE(both.records, 2u * 3000 * 2);  // two legs at least in every match
    }

    sqlite3* holder = nullptr;
    ASSERT_EQ(sqlite3_open((dir / dartHistoryFileName).c_str(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    legRecorderC::optionsS keep;
    keep.darts = legRecorderC::dartsKept::queued;
    keep.busyMilliseconds = 500;
    std::vector<std::string> reported;
    legRecorderC recorder(dir.path(), keep, [&](legRecorderC::reportKind, const std::string& text) {
        reported.push_back(text);
    });
    legRecordS record;
    record.year = 2026, record.month = 12, record.day = 9;
    record.darts = 1, record.points = 40, record.won = 1, record.finish = 40;
    const legWriteS written = recorder.writeRecord("Cy", record);
    ASSERT_TRUE(written.ok);
    EXPECT_EQ(written.index, 0);
    dartRecordS d;
    d.visit = 1, d.order = 1, d.type = 2, d.number = 20, d.remainingBefore = 40;
    legDartsS leg{"Cy", {2026, 12, 9}, 40, true, {d}, {}, written.index};
    leg.figures = legFigures(leg.darts);
    recorder.writeDarts({leg});
    EXPECT_FALSE(recorder.waitWritten(std::chrono::seconds(10)));  // held all that time
    EXPECT_EQ(recorder.legsWaiting(), 1u);
    EXPECT_TRUE(reported.empty());  // waiting is no failure
    sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    EXPECT_TRUE(recorder.waitWritten(std::chrono::seconds(10)));
    const storesS cy = expectPairedRight(dir.path(), "Cy");
    EXPECT_EQ(cy.paired, 1u);

    // A history that stays unwritable is tried again at each leg, and reported once only.
    tempDir other;
    std::filesystem::create_directory(other / dartHistoryFileName);
    std::vector<std::string> failures;
    legRecorderC unwritable(other.path(), keep,
                            [&](legRecorderC::reportKind kind, const std::string& text) {
                                EXPECT_EQ(kind, legRecorderC::reportKind::failure);
                                failures.push_back(text);
                            });
    for (int legNo = 1; legNo <= 2; ++legNo) {
        unwritable.writeDarts({leg});
        EXPECT_FALSE(unwritable.waitWritten(std::chrono::seconds(10)));
        EXPECT_EQ(unwritable.legsWaiting(), static_cast<std::size_t>(legNo));
    }
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0], "cannot use the dart history " + (other / dartHistoryFileName).string() +
                               ": not a regular file; 1 leg not kept");
}

// A file-size limit reads as a full disk: the simulator says so and exits 1, where the signal
// it raises used to end it with nothing said.
TEST(Recorder, AFileSizeLimitIsAFullDiskNotASignal) {
    tempDir dir;
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_DFL);  // as a shell would start it
        const rlimit none{0, 0};
        ::setrlimit(RLIMIT_FSIZE, &none);
        ::freopen("/dev/null", "w", stderr);
        std::vector<std::string> args = simMatch(dir.path(), 1, 1);
        std::vector<char*> argv{const_cast<char*>(QUIVERMARK_SIM_PATH)};
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        ::freopen("/dev/null", "w", stdout);
        ::execv(QUIVERMARK_SIM_PATH, argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 1);
}

// A history of the first layout, made by the game of that time: three days of two players,
// with legs of typed totals (records, no darts) on the second, and on the third a leg of more
// than 1000 darts (darts, no record). It is upgraded at the first open that may write, and a
// leg gets its record's place only where that is certain.
TEST(Recorder, AnOlderHistoryIsUpgradedAndPairedOnlyWhereCertain) {
    tempDir dir;
    const std::filesystem::path made =
        std::filesystem::path(QUIVERMARK_SOURCE_DIR) / "tests/data/history-layout1";
    for (const char* file : {"Ann.dat", "Bob.dat", "Cy.dat", "Wild.dat", dartHistoryFileName}) {
        std::filesystem::copy_file(made / file, dir / file);
    }
    // Its darts as the first layout kept them, to compare with what comes out of the second.
    std::vector<std::array<double, 7>> oldDarts;
    {
        sqlite3* db = nullptr;
        sqlite3_open_v2((dir / dartHistoryFileName).c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* row = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT type, number, remaining, x, y, aim_number, aim_type FROM darts "
                           "WHERE leg = 1 ORDER BY visit, ord",
                           -1, &row, nullptr);
        while (sqlite3_step(row) == SQLITE_ROW) {
            oldDarts.push_back({});
            for (int c = 0; c < 7; ++c) {
                oldDarts.back()[static_cast<std::size_t>(c)] = sqlite3_column_double(row, c);
            }
        }
        sqlite3_finalize(row);
        sqlite3_close(db);
    }
    ASSERT_EQ(oldDarts.size(), 6u);

    // Bob's record of his second leg on the second day is not that leg's any more (a file
    // put back from elsewhere, say): that day has as many records as legs, but they no longer
    // agree one for one, so only the legs whose signature is the day's only one are paired.
    std::vector<unsigned char> bob = readBytes(dir / "Bob.dat");
    bob[6 * legRecordSize + 8] = 100;  // its points: 100, not 101
    writeBytes(dir / "Bob.dat", bob);
    // Wild's leg of 1017 darts had no record; were it of 1000, it would fit one, and the record
    // of it a later leg wrote that day is its own (a record holds 1000 darts at the most).
    {
        sqlite3* db = nullptr;
        sqlite3_open((dir / dartHistoryFileName).c_str(), &db);
        sqlite3_exec(db, "UPDATE legs SET darts = 1000 WHERE id = 20", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        legRecordS thousand;
        thousand.year = 2026, thousand.month = 12, thousand.day = 3;
        thousand.darts = 1000, thousand.points = 301, thousand.won = 1, thousand.finish = 2;
        ASSERT_TRUE(appendLegRecord(dir.path(), "Wild", thousand).ok);
    }
    // A reader where nothing may be written cannot upgrade it, and says so.
    ::chmod(dir.path().c_str(), 0555);
    EXPECT_EQ(asNobody([&] {
                  const dartHistoryC reader(dir / dartHistoryFileName,
                                            dartHistoryC::mode::readOnly);
                  return !reader.usable() &&
                                 reader.problem().starts_with(
                                     "the dart history " + (dir / dartHistoryFileName).string() +
                                     " is of an older layout and cannot be upgraded now")
                             ? 0
                             : 1;
              }),
              0);
    ::chmod(dir.path().c_str(), 0755);
    // Where it may, the first reader (the statistics window) has it upgraded and reads it.
    const dartHistoryC upgraded(dir / dartHistoryFileName, dartHistoryC::mode::readOnly);
    ASSERT_TRUE(upgraded.usable()) << upgraded.problem();
    EXPECT_EQ(upgraded.note(), "the dart history " + (dir / dartHistoryFileName).string() +
                                   " was upgraded: 2 of its 22 legs could not be paired with "
                                   "their statistics records for certain and are kept without one");
    const auto places = [&](const std::string& player) {
        std::vector<std::int64_t> seen;
        for (const legDartsS& leg : dartHistoryC(dir / dartHistoryFileName).legsOf(player)) {
            seen.push_back(leg.recordIndex.value_or(-1));
        }
        return seen;
    };
    // Ann: a day one for one; a day with typed legs where each signature is that day's only
    // one; a day whose leg of 1024 darts stays without a place.
    EXPECT_EQ(places("Ann"), (std::vector<std::int64_t>{0, 1, 2, 3, 4, 8, 9, 10, 11, -1, 12}));
    EXPECT_EQ(places("Bob"), (std::vector<std::int64_t>{0, 1, 2, 3, 4, 5, -1, 7}));
    EXPECT_EQ(places("Wild"), (std::vector<std::int64_t>{0, 2, 1}));
    for (const char* player : {"Ann", "Bob"}) {  // Wild's long leg's count was changed above
        for (const legDartsS& leg : dartHistoryC(dir / dartHistoryFileName).legsOf(player)) {
            EXPECT_EQ(leg.figures, legFigures(leg.darts)) << player;
        }
    }
    // Every dart as it was; the landing point within the 1/64 of a unit the layout keeps.
    const auto ann = dartHistoryC(dir / dartHistoryFileName).legsOf("Ann");
    ASSERT_EQ(ann[0].darts.size(), oldDarts.size());
    for (std::size_t k = 0; k < oldDarts.size(); ++k) {
        const dartRecordS& d = ann[0].darts[k];
        EXPECT_EQ(d.type, oldDarts[k][0]);
        EXPECT_EQ(d.number, oldDarts[k][1]);
        EXPECT_EQ(d.remainingBefore, oldDarts[k][2]);
        ASSERT_TRUE(d.point);
        EXPECT_NEAR(d.point->x, oldDarts[k][3], 1.0 / 64);
        EXPECT_NEAR(d.point->y, oldDarts[k][4], 1.0 / 64);
        EXPECT_EQ(d.targetNumber, oldDarts[k][5]);
        EXPECT_EQ(d.targetType, oldDarts[k][6]);
    }
    // Once upgraded, it is simply opened.
    EXPECT_EQ(dartHistoryC(dir / dartHistoryFileName).note(), "");
}
