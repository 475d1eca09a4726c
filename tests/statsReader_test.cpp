#include <gtest/gtest.h>

#include <sys/stat.h>
#include <cstdio>
#include <ctime>

#include "legRecordMaker.h"
#include "match/legFigures.h"
#include "match/x01Rules.h"
#include "stats/dartHistoryC.h"
#include "stats/legCsv.h"
#include "stats/legFile.h"
#include "stats/statsReader.h"
#include "tempDir.h"

using namespace qm;

namespace {

struct recordingSink : statsReportSink {
    std::vector<std::string> info, system, sounds;
    std::int64_t maximum = -1, position = -1;
    void showInfo(const std::string& text) override { info.push_back(text); }
    void showSystemInfo(const std::string& text) override { system.push_back(text); }
    void playSound(const std::string& name) override { sounds.push_back(name); }
    void startProgress(std::int64_t max) override {
        maximum = max;
        position = 0;
    }
    void setProgress(std::int64_t pos) override { position = pos; }
};

class StatsReader : public testing::Test {
  protected:
    void append(const legRecordS& r) { appendRawRecord(dir / "Ann.dat", r); }
    tempDir dir;
    recordingSink sink;
    statsSummaryC summary;
    std::vector<double> series;
};

}  // namespace

TEST_F(StatsReader, SummaryOfAWholeFile) {
    append(makeLeg({2026, 1, 2}, 501, 21, true, 40, 1));
    append(makeLeg({2026, 1, 3}, 420, 18));
    append(makeLeg({2026, 1, 4}, 501, 18, true, 121, 2));
    append(makeLeg({2026, 1, 5}, 301, 12, true, 60));
    ASSERT_TRUE(loadSummary(dir.path(), "Ann", summary, sink));
    EXPECT_EQ(sink.info, (std::vector<std::string>{"Loading Ann.dat", "Loaded file: Ann.dat"}));
    EXPECT_TRUE(sink.system.empty());
    EXPECT_EQ(sink.maximum, 4);
    EXPECT_EQ(sink.position, 4);
    EXPECT_EQ(summary.firstDate, (civilDate{2026, 1, 2}));
    EXPECT_EQ(summary.lastDate, (civilDate{2026, 1, 5}));
    // 1723 / 69 overall and over the last ten legs (all four), 1303 / 51 over the won ones.
    EXPECT_EQ(summary.figureTexts(), (std::array<std::string, 9>{"24.97", "24.97", "25.55", "4",
                                                                 "3", "1", "3", "121", "18"}));
    // A 501 leg in 998 darts is still a best leg: none is shown only without one.
    std::filesystem::remove(dir / "Ann.dat");
    append(makeLeg({2026, 1, 2}, 501, 998, true, 2));
    statsSummaryC slow;
    ASSERT_TRUE(loadSummary(dir.path(), "Ann", slow, sink));
    EXPECT_EQ(slow.figureTexts()[8], "998");
}

TEST_F(StatsReader, LastTenLegsAreARatioOfSums) {
    append(makeLeg({2026, 1, 1}, 1000, 1));
    append(makeLeg({2026, 1, 1}, 1000, 1));
    for (int i = 0; i < 10; ++i) {
        append(makeLeg({2026, 1, 2}, 60, 20));
    }
    ASSERT_TRUE(loadSummary(dir.path(), "Ann", summary, sink));
    // No leg won: no finish, no best leg either.
    EXPECT_EQ(summary.figureTexts(), (std::array<std::string, 9>{"12.87", "3.00", "0.00", "12", "0",
                                                                 "12", "0", "0", "-"}));
}

TEST_F(StatsReader, EmptyFileGivesAnEmptySummaryAndSeries) {
    writeBytes(dir / "Ann.dat", {});
    ASSERT_TRUE(loadSummary(dir.path(), "Ann", summary, sink));
    EXPECT_EQ(summary.figureTexts()[0], "0.00");
    EXPECT_FALSE(summary.firstDate.has_value());
    EXPECT_TRUE(loadPpdSeries(dir.path(), "Ann", 0, 1'000'000, series, sink));
    EXPECT_TRUE(series.empty());
}

TEST_F(StatsReader, MissingFileMessagesDifferBetweenThePasses) {
    EXPECT_FALSE(loadSummary(dir.path(), "Nobody", summary, sink));
    EXPECT_EQ(sink.system, (std::vector<std::string>{"File not found: Nobody.dat"}));
    EXPECT_EQ(sink.sounds, (std::vector<std::string>{"INVALID"}));
    EXPECT_FALSE(loadPpdSeries(dir.path(), "Nobody", 0, 1, series, sink));
    EXPECT_EQ(sink.system, (std::vector<std::string>(2, "File not found: Nobody.dat")));
    EXPECT_EQ(sink.sounds.size(), 1u);  // no sound from the series pass
}

TEST_F(StatsReader, TrailingPartOfARecordIsCorruption) {
    append(makeLeg({2026, 1, 2}, 501, 21, true, 40));
    append(makeLeg({2026, 1, 3}, 420, 18));
    auto bytes = readBytes(dir / "Ann.dat");
    bytes.resize(40, 0);
    writeBytes(dir / "Ann.dat", bytes);

    EXPECT_FALSE(loadSummary(dir.path(), "Ann", summary, sink));
    EXPECT_EQ(sink.maximum, 2);
    EXPECT_EQ(summary.legsPlayed, 2);  // both whole records were read before the tail
    EXPECT_EQ(sink.system.back(), "Warning: data corrupted in Ann.dat");
    EXPECT_EQ(sink.info.back(), "Loading Ann.dat");

    EXPECT_FALSE(loadPpdSeries(dir.path(), "Ann", 0, 1'000'000, series, sink));
    EXPECT_EQ(sink.info.back(), "Load file: Ann.dat");
    EXPECT_EQ(sink.system.back(), "Warning: Data corrupted in: Ann.dat");
}

TEST_F(StatsReader, OutOfRangeRecordsAndNonCalendarDatesStopBothPasses) {
    for (const auto& bad : {makeLeg({1899, 1, 1}, 100, 10), makeLeg({2026, 4, 31}, 100, 10),
                            makeLeg({2026, 0, 5}, 100, 10), makeLeg({2026, 2, 29}, 100, 10)}) {
        writeBytes(dir / "Ann.dat", {});
        append(makeLeg({2026, 1, 1}, 100, 10));
        append(bad);
        summary.reset();
        EXPECT_FALSE(loadSummary(dir.path(), "Ann", summary, sink));
        EXPECT_EQ(sink.system.back(), "Warning: data corrupted in Ann.dat");
        EXPECT_EQ(sink.position, 2);  // the bad record's own number
        EXPECT_FALSE(loadPpdSeries(dir.path(), "Ann", 0, 1'000'000, series, sink));
        EXPECT_EQ(sink.system.back(), "Warning: Data corrupted in: Ann.dat");
    }
    // A leap day is a real date.
    writeBytes(dir / "Ann.dat", {});
    append(makeLeg({2024, 2, 29}, 100, 10));
    EXPECT_TRUE(loadSummary(dir.path(), "Ann", summary, sink));
}

TEST_F(StatsReader, AnythingButARegularFileIsRefusedAtOnce) {
    // A directory used to read as an empty history; a FIFO used to block in open for ever.
    std::filesystem::create_directory(dir / "Dir.dat");
    ASSERT_EQ(::mkfifo((dir / "Fifo.dat").c_str(), 0644), 0);
    for (const std::string name : {"Dir", "Fifo"}) {
        EXPECT_FALSE(loadSummary(dir.path(), name, summary, sink));
        EXPECT_EQ(sink.system.back(), "Error: Failed to open file " + name + ".dat");
        EXPECT_FALSE(loadPpdSeries(dir.path(), name, 0, 1'000'000, series, sink));
        EXPECT_EQ(sink.system.back(), "Error: failed to open file " + name + ".dat");
        EXPECT_FALSE(appendLegRecord(dir.path(), name, makeLeg({2026, 1, 1}, 100, 10)));
    }
}

TEST_F(StatsReader, SeriesFiltersByDayBothEndsIncluded) {
    append(makeLeg({2026, 3, 1}, 100, 10));
    append(makeLeg({2026, 3, 2}, 90, 10));
    append(makeLeg({2026, 3, 2}, 0, 0));
    append(makeLeg({2026, 3, 2}, 60, 1));
    append(makeLeg({2026, 3, 3}, 80, 10));
    const auto day = dayNumber({2026, 3, 2});
    ASSERT_TRUE(loadPpdSeries(dir.path(), "Ann", day, day, series, sink));
    EXPECT_EQ(series, (std::vector<double>{9.0, 0.0, 60.0}));  // no darts: 0; one: its points
    EXPECT_EQ(sink.info, (std::vector<std::string>{"Load file: Ann.dat", "Loaded file: Ann.dat"}));
}

TEST(CivilDate, DayNumbersRoundTrip) {
    EXPECT_EQ(dayNumber({1970, 1, 1}), 0);
    EXPECT_EQ(dayNumber({2000, 3, 1}) - dayNumber({2000, 2, 28}), 2);
    for (std::int64_t d = dayNumber({1900, 1, 1}); d < dayNumber({2100, 1, 1}); d += 37) {
        const auto date = fromDayNumber(d);
        EXPECT_TRUE(isCalendarDate(date));
        EXPECT_EQ(dayNumber(date), d);
    }
    // Every day around the starts of 400-year cycles (1 March 2000 and 2400).
    for (const int year : {2000, 2400}) {
        for (std::int64_t d = dayNumber({year, 2, 1}); d < dayNumber({year, 4, 1}); ++d) {
            EXPECT_EQ(dayNumber(fromDayNumber(d)), d) << d;
        }
        EXPECT_EQ(fromDayNumber(dayNumber({year, 3, 1}) - 1), (civilDate{year, 2, 29}));
    }
    EXPECT_FALSE(isCalendarDate({1900, 2, 29}));
    EXPECT_TRUE(isCalendarDate({2000, 2, 29}));
    // Every month's last day, and the day after it, from the day numbers (which do not use
    // the month lengths).
    for (int month = 1; month <= 12; ++month) {
        const civilDate next = month == 12 ? civilDate{2027, 1, 1} : civilDate{2026, month + 1, 1};
        const int last = fromDayNumber(dayNumber(next) - 1).day;
        EXPECT_TRUE(isCalendarDate({2026, month, last})) << month;
        EXPECT_FALSE(isCalendarDate({2026, month, last + 1})) << month;
    }

    // Today as the C library has it.
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char expected[16];
    std::strftime(expected, sizeof expected, "%Y-%m-%d", &local);
    const civilDate today = localToday();
    char got[16];
    std::snprintf(got, sizeof got, "%04d-%02d-%02d", today.year, today.month, today.day);
    EXPECT_STREQ(got, expected);
}

TEST_F(StatsReader, LegsAsCsvWithinADateRange) {
    append(makeLeg({2026, 3, 1}, 501, 18, true, 40, 1));
    append(makeLeg({2026, 3, 2}, 420, 21));
    append(makeLeg({2026, 3, 3}, 0, 0));
    append(makeLeg({2026, 3, 4}, 301, 12, true, 121));
    // The dart history has the leg of 4 March (T20 T20 T20, T20 T15 D8) under its record's
    // place, 3, and a leg of 3 March under the place of the record of 2 March: the key alone
    // pairs them, whatever the days say.
    std::vector<dartRecordS> darts;
    int left = 301;
    for (const auto& [visit, type, number] : std::vector<std::array<int, 3>>{
             {1, 3, 20}, {1, 3, 20}, {1, 3, 20}, {2, 3, 20}, {2, 3, 15}, {2, 2, 8}}) {
        dartRecordS d;
        d.visit = visit, d.order = static_cast<int>(darts.size()) % 3 + 1;
        d.type = type, d.number = number, d.remainingBefore = left;
        left -= type * number;
        darts.push_back(d);
    }
    dartRecordS five;
    five.visit = 1, five.order = 1, five.type = 1, five.number = 5, five.remainingBefore = 301;
    const auto kept = [](civilDate day, bool won, std::vector<dartRecordS> legDarts,
                         std::int64_t place) {
        legDartsS leg{"Ann", day, 301, won, std::move(legDarts), {}, place};
        leg.figures = legFigures(leg.darts);
        return leg;
    };
    ASSERT_TRUE(
        dartHistoryC(dir / dartHistoryFileName)
            .write({kept({2026, 3, 3}, false, {five}, 1), kept({2026, 3, 4}, true, darts, 3)}));
    std::ostringstream csv;
    EXPECT_EQ(
        writeLegsCsv(dir.path(), "Ann", dayNumber({2026, 3, 2}), dayNumber({2026, 3, 4}), csv), "");
    EXPECT_EQ(csv.str(),
              "date,darts,points,won,180s,finish,ppd,first9,darts_at_double,doubles_hit\r\n"
              "2026-03-02,21,420,0,0,0,20.00,15.00,0,0\r\n"
              "2026-03-03,0,0,0,0,0,0.00,,,\r\n"
              "2026-03-04,12,301,1,0,121,25.08,150.50,1,1\r\n");
    // A history that cannot be read leaves every dart field empty, and says why.
    writeBytes(dir / dartHistoryFileName, std::vector<unsigned char>(4096, 0xA5));
    std::ostringstream unread;
    std::string note;
    EXPECT_EQ(writeLegsCsv(dir.path(), "Ann", dayNumber({2026, 3, 4}), dayNumber({2026, 3, 4}),
                           unread, &note),
              "");
    EXPECT_TRUE(unread.str().ends_with("2026-03-04,12,301,1,0,121,25.08,,,\r\n"));
    EXPECT_EQ(note, "cannot read the dart history " + (dir / dartHistoryFileName).string() +
                        " (file is not a database): the dart columns are empty");
    std::ostringstream badName;
    EXPECT_NE(writeLegsCsv(dir.path(), "../Ann", 0, 1'000'000, badName), "");
    EXPECT_EQ(badName.str(), "");         // not even the header
    append(makeLeg({1899, 1, 1}, 1, 1));  // a record the window would refuse
    std::ostringstream refused;
    EXPECT_NE(writeLegsCsv(dir.path(), "Ann", 0, 1'000'000, refused), "");
    EXPECT_EQ(csvField("plain"), "plain");
    EXPECT_EQ(csvField("a,b"), "\"a,b\"");
    EXPECT_EQ(csvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(csvField("two\nlines"), "\"two\nlines\"");
}
