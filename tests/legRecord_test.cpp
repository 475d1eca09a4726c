#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "childProcess.h"
#include "stats/legFile.h"
#include "stats/legRecord.h"
#include "tempDir.h"

using namespace qm;

namespace {

legRecordS winnersRecord() {
    legRecordS record;
    record.year = 2026;
    record.month = 12;
    record.day = 6;
    record.darts = 18;
    record.points = 501;
    record.won = 1;
    record.count180 = 1;
    record.finish = 40;
    return record;
}

}  // namespace

TEST(LegRecord, HasTheStoredByteLayout) {
    static_assert(legRecordSize == 16);
    const legRecordBytes expected{0xEA, 0x07, 0x0C, 0x00, 0x06, 0x00, 0x12, 0x00,
                                  0xF5, 0x01, 0x01, 0x00, 0x01, 0x00, 0x28, 0x00};
    EXPECT_EQ(encodeLegRecord(winnersRecord()), expected);

    legRecordBytes other = expected;
    other[10] = 2;     // any non-zero byte means won
    other[11] = 0x5A;  // the reserved byte is ignored
    const auto decoded = decodeLegRecord(other);
    EXPECT_TRUE(decoded.isWon());
    EXPECT_EQ(decoded.points, 501);
    EXPECT_EQ(decoded.finish, 40);
}

TEST(LegRecord, RangeCheckBounds) {
    EXPECT_TRUE(isValidRecord(winnersRecord()));
    auto with = [](auto change) {
        auto record = winnersRecord();
        change(record);
        return isValidRecord(record);
    };
    // Each field just outside its range on both sides, and just inside.
    using fieldT = std::int16_t legRecordS::*;
    const std::vector<std::pair<fieldT, int>> outside{
        {&legRecordS::year, 1899},   {&legRecordS::year, 10000}, {&legRecordS::month, -1},
        {&legRecordS::month, 13},    {&legRecordS::day, -1},     {&legRecordS::day, 32},
        {&legRecordS::darts, -1},    {&legRecordS::darts, 1001}, {&legRecordS::points, -1},
        {&legRecordS::points, 1002}, {&legRecordS::finish, -1},  {&legRecordS::finish, 171},
        {&legRecordS::count180, -1}};
    for (const auto& [field, value] : outside) {
        EXPECT_FALSE(with([&](legRecordS& r) { r.*field = static_cast<std::int16_t>(value); }))
            << value;
    }
    // Every field at both ends of its range (won is not examined).
    EXPECT_TRUE(isValidRecord(
        {.year = 1900, .darts = 1000, .points = 1001, .count180 = 32767, .finish = 170}));
    EXPECT_TRUE(isValidRecord(
        {.year = 9999, .month = 12, .day = 31, .won = 2, .count180 = 0, .finish = 0}));
}

TEST(LegFile, AppendsOneWholeRecordPerCall) {
    tempDir dir;
    ASSERT_TRUE(appendLegRecord(dir.path(), "New Player", winnersRecord()));
    EXPECT_EQ(readBytes(dir / "New Player.dat").size(), 16u);
    // A new history is readable by all and writable by its owner, less the umask.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    struct stat info {};
    ASSERT_EQ(::stat((dir / "New Player.dat").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u & ~mask);
    auto second = winnersRecord();
    second.won = 0;
    ASSERT_TRUE(appendLegRecord(dir.path(), "New Player", second));
    const auto bytes = readBytes(dir / "New Player.dat");
    ASSERT_EQ(bytes.size(), 32u);
    EXPECT_EQ(bytes[10], 1);
    EXPECT_EQ(bytes[26], 0);
}

TEST(LegFile, NamesThatLeaveTheDirectoryAreRefused) {
    tempDir dir;
    for (const std::string& name :
         std::vector<std::string>{"", ".", "..", "a/b", "../up", std::string("nul\0x", 5)}) {
        EXPECT_FALSE(isUsableStatsFileName(name));
        EXPECT_FALSE(appendLegRecord(dir.path(), name, winnersRecord()));
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    EXPECT_TRUE(isUsableStatsFileName("Phil the Power"));
    EXPECT_TRUE(isUsableStatsFileName(".hidden"));
    // "<name>.dat" must fit the 255-byte file name limit.
    EXPECT_TRUE(appendLegRecord(dir.path(), std::string(251, 'x'), winnersRecord()));
    EXPECT_FALSE(isUsableStatsFileName(std::string(252, 'x')));
}

TEST(LegFile, RecordsTheReadersWouldRefuseAreNeverWritten) {
    tempDir dir;
    auto longest = winnersRecord();
    longest.darts = 1000;
    EXPECT_TRUE(appendLegRecord(dir.path(), "Ann", longest));
    EXPECT_EQ(recordProblem(longest), "");
    auto tooLong = longest;
    tooLong.darts = 1001;
    EXPECT_FALSE(appendLegRecord(dir.path(), "Ann", tooLong));
    EXPECT_EQ(recordProblem(tooLong),
              "a leg of 1001 darts is more than the 1000 a statistics record holds");
    auto noDay = winnersRecord();
    noDay.day = 0;  // in range, but no calendar day
    EXPECT_FALSE(appendLegRecord(dir.path(), "Ann", noDay));
    EXPECT_NE(recordProblem(noDay), "");
    EXPECT_EQ(readBytes(dir / "Ann.dat").size(), 16u);
}

TEST(LegFile, ADescriptorIsClosedOnceAndOnlyItsOwn) {
    // The lowest free descriptor comes back from the next open: one left open would not.
    int first = -1;
    {
        const fileDescriptor held(::open("/dev/null", O_RDONLY));
        first = held.get();
        ASSERT_GE(first, 0);
    }
    const int again = ::open("/dev/null", O_RDONLY);
    EXPECT_EQ(again, first);
    ::close(again);
    // Closed early, it closes nothing more when it goes (standard input least of all).
    if (::fcntl(0, F_GETFD) == -1) {
        ::open("/dev/null", O_RDONLY);  // a standard input to lose, where the test has none
    }
    const bool inputOpen = ::fcntl(0, F_GETFD) != -1;
    {
        fileDescriptor early(::open("/dev/null", O_RDONLY));
        EXPECT_TRUE(early.close());
        EXPECT_FALSE(early.valid());
    }
    EXPECT_EQ(::fcntl(0, F_GETFD) != -1, inputOpen);
}

TEST(LegFile, FailureIsReportedAndLeavesTheFileAlone) {
    tempDir dir;
    // A directory where the file should be, then an unwritable data directory.
    std::filesystem::create_directory(dir / "Dir.dat");
    EXPECT_EQ(appendLegRecord(dir.path(), "Dir", winnersRecord()).problem, "Is a directory");
    EXPECT_EQ(appendLegRecord(dir / "missing", "Ann", winnersRecord()).problem,
              "No such file or directory");

    // A torn last record: appending would put every new record off the grid for good. Both
    // writers leave the file as it is; one byte less or more than whole records is torn too.
    for (const std::size_t size : {15u, 17u, 33u}) {
        const std::vector<std::uint8_t> torn(size, 7);
        writeBytes(dir / "Torn.dat", torn);
        const legWriteS once = appendLegRecord(dir.path(), "Torn", winnersRecord());
        EXPECT_FALSE(once);
        EXPECT_EQ(once.problem, "the file ends in a partial record");
        {
            legFileAppender run(dir.path(), "Torn");
            EXPECT_EQ(run.append(winnersRecord()).problem, "the file ends in a partial record");
        }
        EXPECT_EQ(readBytes(dir / "Torn.dat"), torn) << size;
    }
    writeBytes(dir / "Whole.dat", std::vector<std::uint8_t>(32, 0));
    EXPECT_TRUE(appendLegRecord(dir.path(), "Whole", winnersRecord()));
    EXPECT_EQ(readBytes(dir / "Whole.dat").size(), 48u);
    // A full disk, as a file that may not grow past ten records and a half: the record that
    // does not fit is taken back whole; then one that may not grow at all.
    EXPECT_EQ(inChild([&] {
                  limitFileSize(16 * 10 + 8);
                  for (int i = 0; i < 10; ++i) {
                      if (!appendLegRecord(dir.path(), "Full", winnersRecord())) {
                          return 1;
                      }
                  }
                  const bool torn = appendLegRecord(dir.path(), "Full", winnersRecord()).problem ==
                                    "No space left on device";
                  // With no room at all the write fails outright.
                  limitFileSize(16 * 10);
                  const bool refused =
                      appendLegRecord(dir.path(), "Full", winnersRecord()).problem ==
                      "File too large";
                  legFileAppender run(dir.path(), "Full");
                  const bool batch = run.append(winnersRecord()) && !run.flush();
                  return torn && refused ? (batch ? 0 : 3) : 2;
              }),
              0);
    EXPECT_EQ(readBytes(dir / "Full.dat").size(), 160u);
    if (::geteuid() != 0) {  // root writes anywhere
        std::filesystem::create_directory(dir / "ro");
        ::chmod((dir / "ro").c_str(), 0555);
        EXPECT_FALSE(appendLegRecord(dir / "ro", "Ann", winnersRecord()));
    }
}
