#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sqlite3.h>

#include <array>
#include <functional>
#include <thread>

#include "childProcess.h"
#include "match/legFigures.h"
#include "match/x01Rules.h"
#include "stats/dartFigures.h"
#include "stats/dartHistoryC.h"
#include "stats/dartPacking.h"
#include "tempDir.h"

using namespace qm;

namespace {

// A leg in notation, visits separated by "|": "T20 T20 T20 | T20 T19 D12". M is a miss.
std::vector<dartRecordS> leg(int start, const std::string& text) {
    std::vector<dartRecordS> darts;
    int visit = 1;
    int order = 0;
    int left = start;
    int visitStart = start;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        const std::string word = text.substr(at, end - at);
        at = end + 1;
        if (word.empty()) {
            continue;
        }
        if (word == "|") {
            ++visit;
            order = 0;
            visitStart = left;
            continue;
        }
        dartRecordS d;
        d.visit = visit;
        d.order = ++order;
        d.remainingBefore = left;
        if (word == "Bull") {
            d.type = 2, d.number = 25;
        } else if (word != "M") {
            d.type = word[0] == 'T' ? 3 : word[0] == 'D' ? 2 : 1;
            d.number = std::stoi(word.substr(1));
        }
        darts.push_back(d);
        const x01DartS after = applyX01Dart(left, {d.type, d.number});
        left = after.result == x01Result::busts ? visitStart : after.left;  // a bust: it comes back
    }
    return darts;
}

const std::string nineDarter = "T20 T20 T20 | T20 T20 T20 | T20 T19 D12";
// A bust over, a bust leaving 1, then the leg on D2.
const std::string withBusts = "T20 T20 | S17 T20 D10 | D1 S1 | D2";
const std::string onTheBull = "T20 T20 Bull";
// Three darts at 20 and one at 10 miss the double before D5.
const std::string missedDoubles = "S19 T14 S20 | M S10 M | D5";
const std::string lostLeg = "S19 T14 S20 | M S10 M";
const std::string elevenDarts = "T20 T20 T20 | T20 T20 T20 | S20 S20 S20 | T17 D15";

}  // namespace

TEST(DartFigures, EachLegExactly) {
    // Busted visits score 0 but their darts count; every dart thrown with a one-dart finish
    // left is a dart at a double, the one that left 1 included; the first nine are only the
    // first nine darts; a leg not won has no double hit and no checkout.
    const std::vector<std::tuple<int, std::string, legFiguresS>> legs{
        // darts, points, the first nine's points and darts, at a double, hit, checkout
        {501, nineDarter, {9, 501, 501, 9, 1, 1, 141}},
        {101, withBusts, {8, 101, 101, 8, 4, 1, 4}},
        {170, onTheBull, {3, 170, 170, 3, 1, 1, 170}},
        {101, missedDoubles, {7, 101, 101, 7, 5, 1, 10}},  // at 40, 20, 20, 10, then the D5
        {501, elevenDarts, {11, 501, 420, 9, 1, 1, 81}},
        {40, "S20 S20", {2, 0, 0, 2, 2, 0, 0}},  // finishing off a double is a bust
        {0, "", {}}};
    for (const auto& [start, text, figures] : legs) {
        EXPECT_EQ(legFigures(leg(start, text)), figures) << text;
    }
}

TEST(DartFigures, OverARangeOfLegs) {
    dartFiguresS figures;
    EXPECT_EQ(first9Text(figures), "-");
    EXPECT_EQ(checkoutText(figures), "-");
    for (const auto& [start, text] : std::vector<std::pair<int, std::string>>{
             {501, nineDarter}, {101, withBusts}, {170, onTheBull}, {101, missedDoubles}}) {
        figures.add(legFigures(leg(start, text)));
    }
    EXPECT_EQ(figures.legs, 4);
    // The mean of each leg's own first-9 average: 167, 37.875, 170 and 43.2857...
    EXPECT_NEAR(figures.first9Average(), (167.0 + 37.875 + 170.0 + 303.0 / 7) / 4, 1e-9);
    EXPECT_EQ(first9Text(figures), "104.54");
    EXPECT_EQ(figures.atDouble, 11);
    EXPECT_EQ(figures.doublesHit, 4);
    EXPECT_EQ(checkoutText(figures), "36.4% (4/11)");
    EXPECT_EQ(figures.highestCheckout, 170);
    // A leg without darts counts as a leg but not in the first-9 average.
    figures.add({});
    EXPECT_EQ(figures.legs, 5);
    EXPECT_EQ(figures.first9Legs, 4);
    EXPECT_TRUE(isOneDartFinish(40) && isOneDartFinish(50) && isOneDartFinish(2));
    EXPECT_FALSE(isOneDartFinish(42) || isOneDartFinish(39) || isOneDartFinish(0));
}

namespace {

legDartsS playerLeg(const std::string& player, civilDate day, int start, const std::string& text,
                    bool won = true) {
    legDartsS one{player, day, start, won, leg(start, text), {}, std::nullopt};
    one.figures = legFigures(one.darts);
    return one;
}

}  // namespace

TEST(DartHistory, KeepsEveryDartAndTheFiguresByDay) {
    tempDir dir;
    const auto file = dir / dartHistoryFileName;
    {
        dartHistoryC history(file);
        ASSERT_TRUE(history.usable()) << history.problem();
        legDartsS computer = playerLeg("Cora", {2026, 12, 1}, 170, onTheBull);
        computer.darts[0].point = dartPointS{1.5f, -60.25f};
        computer.darts[0].targetType = 3;
        computer.darts[0].targetNumber = 20;
        ASSERT_TRUE(history.write({computer, playerLeg("Ann", {2026, 12, 1}, 501, nineDarter)}));
        ASSERT_TRUE(history.write({playerLeg("Ann", {2026, 12, 2}, 101, withBusts),
                                   playerLeg("Ann", {2026, 12, 3}, 101, lostLeg, false)}));
        EXPECT_TRUE(std::filesystem::exists(file.string() + "-wal"));  // readers never wait
    }
    dartHistoryC history(file, dartHistoryC::mode::readOnly);
    ASSERT_TRUE(history.usable()) << history.problem();
    const auto cora = history.legsOf("Cora");
    ASSERT_EQ(cora.size(), 1u);
    ASSERT_EQ(cora[0].darts.size(), 3u);
    // Every field, the optional ones set and unset.
    EXPECT_EQ(cora[0].darts[0].point, (dartPointS{1.5f, -60.25f}));
    EXPECT_EQ(cora[0].darts[0].targetType, 3);
    EXPECT_EQ(cora[0].darts[0].targetNumber, 20);
    EXPECT_EQ(cora[0].darts[1], leg(170, onTheBull)[1]);
    EXPECT_EQ(cora[0].darts[2], leg(170, onTheBull)[2]);
    EXPECT_EQ(cora[0].day, (civilDate{2026, 12, 1}));
    const auto ann = history.legsOf("Ann");
    ASSERT_EQ(ann.size(), 3u);
    EXPECT_EQ(ann[2].darts, leg(101, lostLeg));
    EXPECT_FALSE(ann[2].won);
    EXPECT_EQ(ann[1].startScore, 101);
    // A first visit of one dart (a bust at 3 left) packs and unpacks as it was.
    EXPECT_EQ(unpackDarts(packDarts(leg(3, "S2 | S1 D1"))), leg(3, "S2 | S1 D1"));
    EXPECT_EQ(unpackDarts(std::string("\x80\x80\x80\x80\x08", 5)), std::nullopt);  // visit 2^31
    // Each leg's figures as kept beside its darts, every field, in the order written.
    const auto stored = history.legFiguresOf("Ann", {2026, 12, 1}, {2026, 12, 3});
    ASSERT_EQ(stored.size(), 3u);
    for (std::size_t l = 0; l < stored.size(); ++l) {
        EXPECT_EQ(stored[l].figures, legFigures(ann[l].darts)) << l;
        EXPECT_EQ(stored[l].won, ann[l].won) << l;
        EXPECT_EQ(stored[l].day, ann[l].day) << l;
    }

    // Both ends of the range are in it.
    const auto range = [&](civilDate from, civilDate to) {
        return *history.figures("Ann", from, to);
    };
    EXPECT_EQ(range({2026, 12, 1}, {2026, 12, 3}).legs, 3);
    EXPECT_EQ(range({2026, 12, 2}, {2026, 12, 2}).legs, 1);
    EXPECT_EQ(range({2026, 12, 2}, {2026, 12, 3}).legs, 2);
    EXPECT_EQ(range({2026, 12, 4}, {2027, 1, 1}).legs, 0);
    const dartFiguresS all = range({2000, 1, 1}, {2099, 12, 31});
    EXPECT_EQ(all.atDouble, 1 + 4 + 4);
    EXPECT_EQ(all.doublesHit, 2);
    EXPECT_EQ(all.highestCheckout, 141);
    EXPECT_NEAR(all.first9Average(), (167.0 + 37.875 + 45.5) / 3, 1e-9);
    EXPECT_EQ(history.figures("Nobody", {2000, 1, 1}, {2099, 1, 1})->legs, 0);
}

namespace {

void setVersion(const std::filesystem::path& file, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

// Every leg in the file has all its darts, and SQLite finds nothing wrong with it.
void expectWholeLegs(const std::filesystem::path& file, std::size_t atLeast) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    sqlite3_stmt* check = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr);
    ASSERT_EQ(sqlite3_step(check), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)), "ok");
    sqlite3_finalize(check);
    sqlite3_close(db);
    dartHistoryC history(file, dartHistoryC::mode::readOnly);
    const auto legs = history.legsOf("Ann");
    EXPECT_GE(legs.size(), atLeast);
    for (const legDartsS& one : legs) {
        EXPECT_EQ(one.darts, leg(501, nineDarter));
    }
}

}  // namespace

TEST(DartHistory, RefusesWhatItCannotUseAndTouchesNothing) {
    tempDir dir;
    const std::vector<legDartsS> one{playerLeg("Ann", {2026, 12, 1}, 501, nineDarter)};
    // A folder in the file's place.
    std::filesystem::create_directory(dir / "folder");
    dartHistoryC folder(dir / "folder");
    EXPECT_FALSE(folder.usable());
    EXPECT_EQ(folder.problem(),
              "cannot use the dart history " + (dir / "folder").string() + ": not a regular file");
    EXPECT_FALSE(folder.write(one));
    EXPECT_FALSE(folder.figures("Ann", {2000, 1, 1}, {2099, 1, 1}));

    // Not a database at all; another program's database; a later layout of ours.
    const auto garbage = dir / "garbage.sqlite";
    writeBytes(garbage, std::vector<unsigned char>(4096, 0xA5));
    const auto foreign = dir / "foreign.sqlite";
    setVersion(foreign, "CREATE TABLE t (x)");
    const auto later = dir / "later.sqlite";
    setVersion(later, "CREATE TABLE legs (x); PRAGMA user_version = 3");
    // An older layout that cannot be upgraded: the upgrade is undone whole.
    const auto broken = dir / "broken.sqlite";
    setVersion(broken, "CREATE TABLE legs (x); CREATE TABLE darts (y); PRAGMA user_version = 1");
    for (const auto& file : {garbage, foreign, later, broken}) {
        const auto before = readBytes(file);
        {
            dartHistoryC history(file);
            EXPECT_FALSE(history.usable()) << file;
            EXPECT_FALSE(history.write(one));
        }
        EXPECT_EQ(readBytes(file), before) << file;
        EXPECT_FALSE(std::filesystem::exists(file.string() + "-wal"));
    }
    EXPECT_EQ(dartHistoryC(later).problem(),
              "the dart history " + later.string() +
                  " was written by a later version (3); it is left as it is");
    EXPECT_EQ(dartHistoryC(foreign).problem(),
              foreign.string() + " is not a dart history; it is left as it is");
    EXPECT_TRUE(dartHistoryC(broken).problem().starts_with("cannot write the dart history " +
                                                           broken.string() + " ("));
    EXPECT_TRUE(dartHistoryC(garbage).problem().starts_with("cannot read the dart history " +
                                                            garbage.string() + " ("));
    // Programs making a new history at once (writers all, or a writer and readers): the later
    // ones find the first one's fresh layout, never "another program's database".
    for (int round = 0; round < 300; ++round) {
        const auto fresh = dir / ("fresh" + std::to_string(round) + ".sqlite");
        writeBytes(fresh, {});
        std::array<std::string, 4> problems;
        std::vector<std::jthread> openers;
        for (std::size_t k = 0; k < problems.size(); ++k) {
            const auto how = k == 0 || round % 2 == 0 ? dartHistoryC::mode::readWrite
                                                      : dartHistoryC::mode::readOnly;
            openers.emplace_back(
                [&, k, how] { problems[k] = dartHistoryC(fresh, how, 5000).problem(); });
        }
        openers.clear();  // each joins as it goes
        ASSERT_EQ(problems, (std::array<std::string, 4>{})) << round;
    }
    // A reader never writes, not even the layout into an empty file another program made.
    writeBytes(dir / "empty.sqlite", {});
    EXPECT_EQ(dartHistoryC(dir / "empty.sqlite", dartHistoryC::mode::readOnly).problem(), "");
    EXPECT_EQ(std::filesystem::file_size(dir / "empty.sqlite"), 0u);
    // Reading a history that is not there yet is no fault.
    dartHistoryC missing(dir / "missing.sqlite", dartHistoryC::mode::readOnly);
    EXPECT_FALSE(missing.usable());
    EXPECT_EQ(missing.problem(), "");
    EXPECT_EQ(missing.figures("Ann", {2000, 1, 1}, {2099, 1, 1})->legs, 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.sqlite"));
}

TEST(DartHistory, AReadOnlyFolderIsReportedAndLosesNothing) {
    tempDir dir;
    const std::vector<legDartsS> one{playerLeg("Ann", {2026, 12, 1}, 501, nineDarter)};
    const auto kept = dir / "kept";
    std::filesystem::create_directory(kept);
    ASSERT_TRUE(dartHistoryC(kept / dartHistoryFileName).write(one));
    ::chmod(dir.path().c_str(), 0755);
    ::chmod(kept.c_str(), 0555);
    const auto empty = dir / "empty";
    std::filesystem::create_directory(empty);
    ::chmod(empty.c_str(), 0555);
    // 1: a new history cannot be made; 2: the kept one cannot take a leg; 0: both reported.
    const int status = asNobody([&] {
        dartHistoryC fresh(empty / dartHistoryFileName);
        if (fresh.usable() || !fresh.problem().starts_with("cannot open the dart history")) {
            return 1;
        }
        dartHistoryC old(kept / dartHistoryFileName);
        // Without room for its shared-memory file even reading fails: it says so at once.
        if (old.write(one) || !old.problem().starts_with("cannot read the dart history")) {
            return 2;
        }
        // A reader reads it all the same, as the file stands.
        dartHistoryC reader(kept / dartHistoryFileName, dartHistoryC::mode::readOnly);
        return reader.legsOf("Ann").size() == 1 ? 0 : 3;
    });
    EXPECT_EQ(status, 0);
    ::chmod(kept.c_str(), 0755);
    ::chmod(empty.c_str(), 0755);
    EXPECT_FALSE(std::filesystem::exists(empty / dartHistoryFileName));
    expectWholeLegs(kept / dartHistoryFileName, 1);
    EXPECT_EQ(dartHistoryC(kept / dartHistoryFileName).legsOf("Ann").size(), 1u);
}

TEST(DartHistory, AKillOrAFullDiskLeavesEveryCommittedLegWhole) {
    tempDir dir;
    const std::vector<legDartsS> one{playerLeg("Ann", {2026, 12, 1}, 501, nineDarter)};
    // Killed while it writes leg after leg.
    const auto killed = dir / "killed.sqlite";
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(30);  // a child that hangs (a fault under test) ends, and the test fails
        dartHistoryC history(killed);
        for (;;) {
            history.write(one);
        }
    }
    for (int wait = 0; wait < 10000 &&
                       dartHistoryC(killed, dartHistoryC::mode::readOnly).legsOf("Ann").size() < 20;
         ++wait) {
        ::usleep(1000);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    expectWholeLegs(killed, 20);

    // The file may grow no further: the write that would pass the limit fails and says so.
    ::chmod(dir.path().c_str(), 0755);
    std::filesystem::create_directory(dir / "open");
    ::chmod((dir / "open").c_str(), 0777);
    const auto full = dir / "open" / "full.sqlite";
    const int status = asNobody([&] {
        limitFileSize(96 * 1024);
        dartHistoryC history(full);
        for (int i = 0; i < 100000; ++i) {
            if (!history.write(one)) {
                return history.problem().starts_with("cannot write the dart history") ? 0 : 1;
            }
        }
        return 2;
    });
    EXPECT_EQ(status, 0);
    expectWholeLegs(full, 1);

    // The disk fills while the tables of a new history are made (an empty database of 64 KiB
    // pages: the tables take more than the room left).
    const auto bigPages = dir / "open" / "bigPages.sqlite";
    setVersion(bigPages, "PRAGMA page_size = 65536; CREATE TABLE t (x); DROP TABLE t; VACUUM");
    EXPECT_EQ(inChild([&] {
                  limitFileSize(100'000);
                  const dartHistoryC history(bigPages);
                  return !history.usable() &&
                                 history.problem().starts_with("cannot write the dart history " +
                                                               bigPages.string() + " (")
                             ? 0
                             : 1;
              }),
              0);
    // Nothing half made is left: with room again, the next start makes the tables.
    dartHistoryC again(bigPages);
    EXPECT_TRUE(again.usable()) << again.problem();
    EXPECT_TRUE(again.write(one));

    // Another program's trigger refuses a leg's darts: the leg is refused whole, said so.
    setVersion(bigPages,
               "CREATE TRIGGER refuse BEFORE INSERT ON leg_darts BEGIN "
               "SELECT RAISE(ABORT, 'refused'); END");
    dartHistoryC refusing(bigPages);
    EXPECT_FALSE(refusing.write(one));
    EXPECT_TRUE(refusing.problem().starts_with("cannot write the dart history"));
    EXPECT_EQ(refusing.figures("Ann", {2000, 1, 1}, {2099, 12, 31})->legs, 1);
}

// Drills beside the legs: each kept whole with its darts and targets, read back by player,
// kind and days; an abandoned one without a score; a history that never kept one has none.
TEST(DartHistory, KeepsPracticeDrillsBesideTheLegs) {
    tempDir dir;
    dartHistoryC history(dir / dartHistoryFileName);
    ASSERT_TRUE(history.write({playerLeg("Ann", {2026, 12, 1}, 101, withBusts)}));
    EXPECT_TRUE(history.drillsOf("Ann", 1, {2026, 1, 1}, {2026, 12, 31}).empty());
    dartRecordS dart;
    dart.visit = 1, dart.order = 1, dart.type = 2, dart.number = 1;
    dart.targetType = 2, dart.targetNumber = 1;
    dart.point = dartPointS{10.0f, -3.5f};
    dartRecordS second = dart;
    second.order = 2;
    const std::vector<drillRecordS> drills{
        {"Ann", {2026, 12, 8}, 1, 0, true, 301.0, 63, 12, {dart}},
        {"Bob", {2026, 12, 8}, 1, 0, true, 99.0, 63, 4, {}},
        {"Ann", {2026, 12, 9}, 1, 0, false, 0.0, 9, 1, {dart, second}},  // abandoned
        {"Ann", {2026, 12, 9}, 4, 20, true, 61.5, 99, 30, {}},           // another drill
        {"Ann", {2026, 12, 10}, 1, 0, true, 27.0, 63, 0, {}},            // after the range
    };
    ASSERT_TRUE(history.writeDrills(drills));
    const auto ann = history.drillsOf("Ann", 1, {2026, 12, 8}, {2026, 12, 9}, true);
    ASSERT_EQ(ann.size(), 2u);
    EXPECT_EQ(ann[0].day, (civilDate{2026, 12, 8}));
    EXPECT_EQ(ann[0].score, 301.0);
    EXPECT_EQ(ann[0].darts, 63);
    EXPECT_EQ(ann[0].hits, 12);
    ASSERT_EQ(ann[0].thrown.size(), 1u);
    EXPECT_EQ(ann[0].thrown[0].targetNumber, 1);
    EXPECT_EQ(ann[0].thrown[0].point->y, -3.5f);
    EXPECT_FALSE(ann[1].finished);
    EXPECT_EQ(ann[1].score, 0.0);  // no score, though the drill written before it had one
    EXPECT_EQ(ann[1].thrown.size(), 2u);
    EXPECT_TRUE(history.drillsOf("Ann", 1, {2026, 12, 8}, {2026, 12, 9})[0].thrown.empty());
    EXPECT_EQ(history.drillsOf("Ann", 4, {2026, 1, 1}, {2026, 12, 31})[0].variant, 20);
    EXPECT_EQ(history.legsOf("Ann").size(), 1u);  // the legs as they were
}
