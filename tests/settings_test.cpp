#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <fstream>
#include <thread>

#include "childProcess.h"
#include "settings/dataLocation.h"
#include "settings/playerName.h"
#include "settings/profileFileC.h"
#include "settings/settingsStoreC.h"
#include "tempDir.h"

using namespace qm;

namespace {

std::string readText(const std::filesystem::path& path) {
    const auto bytes = readBytes(path);
    return {bytes.begin(), bytes.end()};
}

void writeText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class Settings : public testing::Test {
  protected:
    std::filesystem::path ini() const { return dir / "quivermark.INI"; }
    tempDir dir;
    settingsStoreC store{dir / "quivermark.INI"};
};

}  // namespace

TEST(IniPath, ReplacesOrAddsTheExtension) {
    EXPECT_EQ(iniPathFor("/opt/qm/quivermark"), "/opt/qm/quivermark.INI");
    EXPECT_EQ(iniPathFor("/opt/qm/darts.exe"), "/opt/qm/darts.INI");
}

TEST_F(Settings, DefaultsWithoutAFileAndTheFormatResetByEveryLoad) {
    store.storedSettings.startScore = 701;
    store.storedSettings.bestOfLegs = 11;
    store.storedSettings.speedMode = true;
    store.loadSettings();
    const auto& s = store.storedSettings;
    EXPECT_EQ(s.names, (std::array<std::string, 2>{"Player 1", "Player 2"}));
    EXPECT_EQ(s.isComputer, (std::array<bool, 2>{true, true}));
    EXPECT_EQ(s.strengths, (std::array<std::int32_t, 2>{20, 20}));
    EXPECT_EQ(s.startScore, 501);
    EXPECT_EQ(s.bestOfSets, 1);
    EXPECT_EQ(s.bestOfLegs, 5);
    EXPECT_TRUE(s.speedMode);  // lasts while the program runs
    // The options: hints and odds on, the caller off, until chosen otherwise.
    EXPECT_TRUE(store.readCheckoutHints());
    EXPECT_TRUE(store.readMatchOdds());
    EXPECT_FALSE(store.readCaller());
    EXPECT_FALSE(std::filesystem::exists(ini()));
    EXPECT_TRUE(store.saveCaller(true));
    EXPECT_TRUE(store.readCaller());
    EXPECT_TRUE(store.saveMatchOdds(false));
    EXPECT_FALSE(store.readMatchOdds());
    EXPECT_EQ(readText(ini()), "[Caller]\nCaller=1\n\n[Odds]\nMatchOdds=0\n");
}

TEST_F(Settings, SavingANewPairLeavesExactlyTheirEntries) {
    const std::array<std::string, 2> names{"Bot", "Ann"};
    const std::array<bool, 2> kinds{true, false};
    ASSERT_TRUE(store.savePlayer(0, names, kinds, 35, false).ok);
    ASSERT_TRUE(store.savePlayer(1, names, kinds, 20, false).ok);
    EXPECT_EQ(readText(ini()),
              "[AI]\nBot=35\n\n[Default]\nPlayer1=Bot\nPlayer2=Ann\nKind1=1\nKind2=0\n\n"
              "[Players]\nAnn=0\n");

    store.loadSettings();
    EXPECT_EQ(store.storedSettings.names[0], "Bot");
    EXPECT_EQ(store.storedSettings.strengths[0], 35);
    EXPECT_EQ(store.storedSettings.strengths[1], 20);
    EXPECT_EQ(store.storedSettings.isComputer, (std::array<bool, 2>{true, false}));

    // Known players: a computer's strength is rewritten, a human writes nothing under Players.
    ASSERT_TRUE(store.savePlayer(0, names, kinds, 48, true).ok);
    ASSERT_TRUE(store.savePlayer(1, names, kinds, 20, true).ok);
    EXPECT_EQ(store.readStrength("Bot"), 48);
    const auto lists = store.readPlayerLists();
    EXPECT_EQ(lists.humans, (std::vector<std::string>{"Ann"}));
    EXPECT_EQ(lists.computers, (std::vector<std::string>{"Bot"}));

    // A twin is a key of its own section: no twin writes nothing, a human's name is kept and
    // loaded for the computer only, and an empty name takes the twin back.
    const std::string before = readText(ini());
    ASSERT_TRUE(store.saveTwinOf("Bot", ""));
    EXPECT_EQ(readText(ini()), before);
    ASSERT_TRUE(store.saveTwinOf("Bot", "Ann"));
    ASSERT_TRUE(store.saveTwinOf("Ann", "Ann"));  // not a computer: never loaded as a twin
    EXPECT_EQ(readText(ini()), before + "\n[Twins]\nBot=Ann\nAnn=Ann\n");
    store.loadSettings();
    EXPECT_EQ(store.storedSettings.twinOf, (std::array<std::string, 2>{"Ann", ""}));
    ASSERT_TRUE(store.saveTwinOf("Bot", ""));
    EXPECT_EQ(store.readTwinOf("Bot"), "");
    EXPECT_FALSE(store.readPersonalRoutes());
    ASSERT_TRUE(store.savePersonalRoutes(true));
    EXPECT_TRUE(store.readPersonalRoutes());
}

TEST_F(Settings, LongNamesAndInnerBlanksAreStoredAsTyped) {
    const std::array<std::string, 2> names{"The Very Long Computer Name", "Mary  Ann"};
    ASSERT_TRUE(store.savePlayer(0, names, {true, false}, 60, false).ok);
    ASSERT_TRUE(store.savePlayer(1, names, {true, false}, 20, false).ok);
    store.loadSettings();
    EXPECT_EQ(store.storedSettings.names, names);
    EXPECT_EQ(store.storedSettings.strengths[0], 60);
}

TEST_F(Settings, RefusedNamesNeverTouchTheFile) {
    writeText(ini(), "[Players]\nAnn=0\n");
    const std::string before = readText(ini());
    for (const std::string& bad :
         std::vector<std::string>{"", "a\nb", "x=y", "[Evil]", ";comment", " Ann", "Ann ", "a\rb",
                                  std::string("nu\0l", 4), "..", "a/b", std::string(252, 'x')}) {
        const auto outcome = store.savePlayer(0, {bad, "Ann"}, {true, false}, 30, false);
        EXPECT_FALSE(outcome.ok) << bad;
        EXPECT_FALSE(outcome.writeFailed) << bad;
        EXPECT_FALSE(outcome.message.empty());
        EXPECT_EQ(readText(ini()), before);
    }
    EXPECT_EQ(playerNameProblem(""), "Please enter a player name");
    EXPECT_TRUE(playerNameProblem("Phil [ai] Taylor").empty());
    EXPECT_EQ(playerNameProblem(std::string("nu\0l", 4)),
              "A player name cannot contain a NUL character");
    EXPECT_EQ(playerNameProblem("a\rb"), "A player name cannot contain a line break");
    EXPECT_EQ(playerNameProblem(".."), "\"..\" cannot be used as a player name");
    // Control characters at both ends of each range, and text that is no UTF-8; the printable
    // characters beside them are taken.
    for (const char* control : {"\x01", "\x1f", "\x1b[31m", "\x7f", "\u0080", "\u009f"}) {
        EXPECT_EQ(playerNameProblem(std::string("a") + control + "b"),
                  "A player name cannot contain a control character");
    }
    for (const char* printable : {" ", "~", "\u00a0", "\u00e9"}) {
        EXPECT_EQ(playerNameProblem(std::string("a") + printable + "b"), "") << printable;
    }
    for (const char* broken : {"\xff", "\xc3", "\xc3(", "\xed\xa0\x80"}) {
        EXPECT_EQ(playerNameProblem(std::string("a") + broken + "b"),
                  "A player name must be UTF-8 text");
    }
    // Its statistics file "<name>.dat" must fit the 255-byte limit of a file name.
    EXPECT_TRUE(playerNameProblem(std::string(251, 'x')).empty());
    EXPECT_EQ(playerNameProblem(std::string(252, 'x')),
              "A player name can be at most 251 bytes long");
}

TEST_F(Settings, FailedWriteIsReportedAndKeepsTheOldFile) {
    // A missing folder: even the lock beside the file cannot be made.
    settingsStoreC nowhere(dir / "missing" / "quivermark.INI");
    auto outcome = nowhere.savePlayer(0, {"A", "B"}, {false, false}, 20, false);
    EXPECT_FALSE(outcome.ok);
    EXPECT_TRUE(outcome.writeFailed);
    EXPECT_EQ(outcome.message, "Unable to write the settings file " +
                                   (dir / "missing" / "quivermark.INI").string() +
                                   ": No such file or directory");
    // A folder that may not be written, with the file and its lock already there: the new
    // copy cannot be made beside it, and the old file stays.
    writeText(ini(), "[Players]\nAnn=0\n");
    ASSERT_TRUE(store.saveCheckoutHints(true));  // makes the lock
    const std::string before = readText(ini());
    for (const auto& file : std::filesystem::directory_iterator(dir.path())) {
        ::chmod(file.path().c_str(), 0666);
    }
    ::chmod(dir.path().c_str(), 0555);
    const int status = asNobody([&] {
        settingsStoreC other(ini());
        const auto refused = other.savePlayer(0, {"Bob", "Ann"}, {false, false}, 20, false);
        return refused.writeFailed && refused.message == "Unable to write the settings file " +
                                                             ini().string() + ": Permission denied"
                   ? 0
                   : 1;
    });
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readText(ini()), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              2);  // the file and its lock: no copy left behind
}

// A rewrite replaces the file with a new one: it keeps the old one's permissions.
TEST_F(Settings, ARewriteKeepsTheFilesPermissions) {
    writeText(ini(), "[Players]\nAnn=0\n");
    ::chmod(ini().c_str(), 0600);
    ASSERT_TRUE(store.saveCheckoutHints(false));
    struct stat info {};
    ASSERT_EQ(::stat(ini().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_EQ(readText(ini()), "[Players]\nAnn=0\n\n[Hints]\nCheckoutHints=0\n");
    // The lock file beside it is readable by all, writable by its owner (less the umask).
    const mode_t mask = ::umask(022);
    ::umask(mask);
    const auto lock = ini().parent_path() / ("." + ini().filename().string() + ".lock");
    ASSERT_EQ(::stat(lock.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u & ~mask);
}

TEST_F(Settings, AFileThatIsThereButCannotBeReadIsNeverWrittenOver) {
    // A link to itself cannot be opened, by root too; for others a mode-000 file as well.
    std::filesystem::create_symlink(ini().filename(), ini());
    auto outcome = store.savePlayer(0, {"Ann", "Bob"}, {false, false}, 20, false);
    EXPECT_TRUE(outcome.writeFailed);
    EXPECT_EQ(outcome.message, "Unable to write the settings file " + ini().string() +
                                   ": it cannot be read (Too many levels of symbolic links)");
    EXPECT_FALSE(store.saveCheckoutHints(false));
    EXPECT_EQ(store.writeFailureMessage(), outcome.message);
    EXPECT_TRUE(std::filesystem::is_symlink(ini()));
    EXPECT_EQ(std::filesystem::read_symlink(ini()), ini().filename());
    EXPECT_EQ(store.readProblemMessage(),
              "Unable to read the settings file " + ini().string() +
                  ": it cannot be read (Too many levels of symbolic links)");
    if (::geteuid() != 0) {
        std::filesystem::remove(ini());
        writeText(ini(), "[Players]\nAnn=0\n");
        ::chmod(ini().c_str(), 0);
        outcome = store.savePlayer(0, {"Cid", "Ann"}, {false, false}, 20, false);
        ::chmod(ini().c_str(), 0644);
        EXPECT_TRUE(outcome.writeFailed);
        EXPECT_EQ(readText(ini()), "[Players]\nAnn=0\n");
    }
    // A folder or a FIFO in its place is refused before it is read (a FIFO would block).
    for (const bool fifo : {false, true}) {
        std::filesystem::remove(ini());
        if (fifo) {
            ASSERT_EQ(::mkfifo(ini().c_str(), 0644), 0);
        } else {
            std::filesystem::create_directory(ini());
        }
        EXPECT_EQ(store.readProblemMessage(), "Unable to read the settings file " + ini().string() +
                                                  ": it is not a regular file");
        outcome = store.savePlayer(0, {"Cid", "Ann"}, {false, false}, 20, false);
        EXPECT_EQ(outcome.message, "Unable to write the settings file " + ini().string() +
                                       ": it is not a regular file");
        EXPECT_EQ(std::filesystem::is_fifo(ini()), fifo);
        EXPECT_EQ(std::filesystem::is_directory(ini()), !fifo);
    }
}

TEST_F(Settings, NamesThatDifferOnlyInLetterCaseAreRefused) {
    EXPECT_EQ(store.readProblemMessage(), "");  // a missing file is no problem
    writeText(ini(), "[Players]\nAnn=0\n[AI]\nBot=45\n");
    EXPECT_EQ(store.readProblemMessage(), "");
    const std::string before = readText(ini());
    for (const auto& pair :
         std::vector<std::array<std::string, 2>>{{"bot", "Ann"}, {"Cid", "ANN"}, {"Cid", "cid"}}) {
        const auto outcome = store.savePlayer(0, pair, {true, false}, 10, false);
        EXPECT_FALSE(outcome.ok) << pair[0] << pair[1];
        EXPECT_FALSE(outcome.writeFailed);
        EXPECT_EQ(readText(ini()), before);
    }
    EXPECT_EQ(store.caseTwinProblem("bot", ""),
              "bot differs from the player Bot only in letter case, please choose an other name");
    EXPECT_EQ(store.caseTwinProblem("Cid", "cid"),
              "Cid differs from the player cid only in letter case, please choose an other name");
    EXPECT_EQ(store.caseTwinProblem("Bot", ""), "");  // the known spelling itself
    // Beyond ASCII: composed and decomposed accents, and case, are one name.
    const std::string composed = "Caf\u00e9";
    for (const std::string& twin : {std::string("Cafe\u0301"), std::string("CAF\u00c9")}) {
        EXPECT_EQ(store.caseTwinProblem(twin, composed),
                  twin + " differs from the player " + composed +
                      " only in letter case, please choose an other name");
    }
    EXPECT_EQ(store.caseTwinProblem("Cafe", composed), "");  // no accent is another name
    EXPECT_EQ(store.caseTwinProblem("Bots", "Ann"), "");

    // A player from elsewhere joins the computers' list once; known ones stay as they are.
    EXPECT_TRUE(store.addComputerPlayer("Sim", 33).ok);
    EXPECT_TRUE(store.addComputerPlayer("Bot", 10).ok);
    EXPECT_TRUE(store.addComputerPlayer("Ann", 10).ok);
    EXPECT_FALSE(store.addComputerPlayer("BOT", 10).ok);
    EXPECT_FALSE(store.addComputerPlayer("a=b", 10).ok);
    EXPECT_EQ(readText(ini()), "[Players]\nAnn=0\n[AI]\nBot=45\nSim=33\n");
}

TEST_F(Settings, TwoWritersKeepEverySave) {
    // Two writers of one file, each with its own handle, as two programs would be.
    auto writeMany = [this](const std::string& prefix) {
        profileFileC file(ini());
        for (int i = 0; i < 60; ++i) {
            EXPECT_TRUE(file.writeInteger("AI", prefix + std::to_string(i), i));
        }
    };
    std::thread first(writeMany, "A");
    std::thread second(writeMany, "B");
    first.join();
    second.join();
    EXPECT_EQ(profileFileC(ini()).readSectionKeys("AI").size(), 120u);
    // A writer waits for one that holds the lock a moment, rather than give up at once.
    {
        const int held = ::open((dir / ".quivermark.INI.lock").c_str(), O_RDWR | O_CREAT, 0644);
        ASSERT_EQ(::flock(held, LOCK_EX), 0);
        std::thread release([held] {
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            ::close(held);
        });
        EXPECT_TRUE(profileFileC(ini()).writeInteger("AI", "Waited", 1));
        release.join();
    }
    // A writer killed before its rename left a temporary behind: the next save clears it.
    writeText(dir / ".quivermark.INI.Ab12xY", "half");
    writeText(dir / ".quivermark.INI.keep", "mine");
    EXPECT_TRUE(profileFileC(ini()).writeInteger("AI", "C", 1));
    EXPECT_FALSE(std::filesystem::exists(dir / ".quivermark.INI.Ab12xY"));
    EXPECT_TRUE(std::filesystem::exists(dir / ".quivermark.INI.keep"));
    EXPECT_TRUE(std::filesystem::exists(dir / ".quivermark.INI.lock"));
}

TEST_F(Settings, ALinkedFileIsWrittenThroughItsLinkAndAByteOrderMarkIsSkipped) {
    tempDir elsewhere;
    writeText(elsewhere / "real.INI", "\xEF\xBB\xBF[Default]\r\nPlayer1=Zed\r\n");
    std::filesystem::create_symlink(elsewhere / "real.INI", ini());
    EXPECT_EQ(profileFileC(ini()).readString("Default", "Player1", "?"), "Zed");
    EXPECT_TRUE(profileFileC(ini()).writeString("Default", "Player2", "Amy"));
    EXPECT_TRUE(std::filesystem::is_symlink(ini()));
    EXPECT_EQ(readText(elsewhere / "real.INI"),
              "\xEF\xBB\xBF[Default]\r\nPlayer1=Zed\r\nPlayer2=Amy\r\n");
}

TEST_F(Settings, StrengthsReadAsWholeNumbersWithinTheScale) {
    writeText(ini(), "[AI]\nWild=abc\nHalf=12.5\nHuge=500\nZero=0\nPlus=+7\n");
    EXPECT_EQ(store.readStrength("Wild"), 20);
    EXPECT_EQ(store.readStrength("Half"), 20);
    EXPECT_EQ(store.readStrength("Huge"), 60);
    EXPECT_EQ(store.readStrength("Zero"), 1);
    EXPECT_EQ(store.readStrength("Plus"), 7);
    EXPECT_EQ(store.readStrength("nobody"), 20);
}

TEST(DataFolder, OneRuleForTheGameAndTheSimulator) {
    tempDir dir;
    const std::string home = (dir / "home").string();
    const char* oldHome = std::getenv("HOME");
    const char* oldXdg = std::getenv("XDG_DATA_HOME");
    const std::string savedHome = oldHome ? oldHome : "";
    const std::string savedXdg = oldXdg ? oldXdg : "";
    const auto decide = [&](const std::optional<std::string>& chosen) {
        return decideDataDir(chosen, dir / "installed");  // no build-folder marker there
    };
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_DATA_HOME", "relative/share", 1);  // ignored: not an absolute path
    EXPECT_EQ(decide(std::nullopt).dir, std::filesystem::path(home) / ".local/share/quivermark");
    ::setenv("XDG_DATA_HOME", (dir / "xdg").c_str(), 1);
    EXPECT_EQ(decide(std::nullopt).dir, dir / "xdg" / "quivermark");
    EXPECT_EQ(decide("~/x").dir, std::filesystem::path(home) / "x");
    EXPECT_EQ(decide("~").dir, std::filesystem::path(home));
    EXPECT_EQ(decide("~x").dir, std::filesystem::current_path() / "~x");
    EXPECT_EQ(decide("rel").dir, std::filesystem::current_path() / "rel");
    EXPECT_EQ(decide("").problem, "--data-dir needs a folder name");
    ::unsetenv("HOME");
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(decide(std::nullopt).problem,
              "cannot decide the data folder: neither XDG_DATA_HOME nor HOME is an absolute path "
              "(name one with --data-dir)");
    EXPECT_TRUE(decide(std::nullopt).dir.empty());
    EXPECT_EQ(decide("~/x").problem, "cannot expand \"~\" in ~/x: HOME is not an absolute path");
    EXPECT_EQ(decide("/abs").dir, std::filesystem::path("/abs"));
    // The build folder keeps its files beside the program, whatever the variables say.
    std::filesystem::create_directories(dir / "build");
    writeText(dir / "build" / buildFolderMarker, "");
    EXPECT_EQ(decideDataDir(std::nullopt, dir / "build").dir, dir / "build");
    // The program's folder is where the running file is, not what argv[0] says.
    EXPECT_EQ(qm::programDirectory("/nowhere/quivermark"),
              std::filesystem::read_symlink("/proc/self/exe").parent_path());
    oldHome ? ::setenv("HOME", savedHome.c_str(), 1) : ::unsetenv("HOME");
    oldXdg ? ::setenv("XDG_DATA_HOME", savedXdg.c_str(), 1) : ::unsetenv("XDG_DATA_HOME");
}

TEST(ProfileFile, CaseInsensitiveFirstMatchAndFileOrder) {
    tempDir dir;
    writeText(dir / "a.INI",
              "stray=1\r\n; a comment\r\n[ai]\r\n Zed = 5 \r\nalpha=7\r\nZED=9\r\n\r\n"
              "[Other]\r\nkey=x\r\n[AI]\r\nlater=1\r\n");
    profileFileC ini(dir / "a.INI");
    EXPECT_EQ(ini.readInteger("AI", "zed", 0), 5);
    EXPECT_EQ(ini.readString("Ai", "ALPHA", ""), "7");
    EXPECT_EQ(ini.readSectionKeys("AI"), (std::vector<std::string>{"Zed", "alpha"}));
    EXPECT_EQ(ini.readString("AI", "stray", "none"), "none");
    EXPECT_EQ(ini.readString("Missing", "key", "dflt"), "dflt");

    // Writes change a value in place, append new keys to their section, keep everything else.
    ASSERT_TRUE(ini.writeInteger("AI", "zed", 6));
    ASSERT_TRUE(ini.writeInteger("Other", "new", 1));
    ASSERT_TRUE(ini.writeBool("Fresh", "flag", true));
    EXPECT_EQ(readText(dir / "a.INI"),
              "stray=1\r\n; a comment\r\n[ai]\r\nZed=6\r\nalpha=7\r\nZED=9\r\n\r\n"
              "[Other]\r\nkey=x\r\nnew=1\r\n[AI]\r\nlater=1\r\n\r\n[Fresh]\r\nflag=1\r\n");
    EXPECT_TRUE(ini.readBool("fresh", "FLAG", false));
}

TEST(ProfileFile, OddContentIsReadWithoutTrouble) {
    tempDir dir;
    std::string junk = "[Players]\nAnn=0\n";
    junk += std::string(100000, 'x') + "\n";
    junk += std::string("\0\xff\xfe[x]\n=\n[\n]\nBob", 16);
    writeText(dir / "odd.INI", junk);
    profileFileC ini(dir / "odd.INI");
    EXPECT_EQ(ini.readSectionKeys("Players"), (std::vector<std::string>{"Ann"}));
    EXPECT_EQ(ini.readString("Players", "Bob", "none"), "none");  // no "=": not an entry
    ASSERT_TRUE(ini.writeInteger("Players", "Cy", 0));
    EXPECT_EQ(ini.readSectionKeys("Players"), (std::vector<std::string>{"Ann", "Cy"}));
    EXPECT_EQ(readText(dir / "odd.INI").size(), junk.size() + 1 + 5);
}

TEST(ProfileFile, WholeIntegersOnly) {
    std::int32_t value = 0;
    EXPECT_TRUE(parseWholeInteger(" -12 ", value));
    EXPECT_EQ(value, -12);
    for (const char* bad : {"", "12abc", "1.5", "0x10", "99999999999", "+", "- 3"}) {
        EXPECT_FALSE(parseWholeInteger(bad, value)) << bad;
    }
}

TEST(ProfileFile, RefusesWhatTheFormatCannotHold) {
    tempDir dir;
    profileFileC ini(dir / "x.INI");
    EXPECT_FALSE(ini.writeString("AI", "a=b", "1"));
    EXPECT_FALSE(ini.writeString("AI", "key", "two\nlines"));
    EXPECT_FALSE(ini.writeString("A]I", "key", "1"));
    EXPECT_EQ(ini.writeProblem(), "the name or value cannot be held by the file");
    EXPECT_FALSE(std::filesystem::exists(dir / "x.INI"));
    EXPECT_TRUE(ini.writeString("AI", "key", "1"));
    EXPECT_EQ(ini.writeProblem(), "");
}

TEST(ProfileFile, AWriteThatFailsSaysWhyAndLeavesTheFileAsItWas) {
    tempDir dir;
    profileFileC ini(dir / "x.INI");
    ASSERT_TRUE(ini.writeString("AI", "Bot", "40"));
    const std::string before = readText(dir / "x.INI");
    // The file may not grow past 4 KiB: the new file's write fails as on a full disk.
    EXPECT_EQ(inChild([&] {
                  limitFileSize(4096);
                  const bool written = ini.writeString("AI", "Long", std::string(8000, '7'));
                  return !written && ini.writeProblem() == "File too large" ? 0 : 1;
              }),
              0);
    EXPECT_EQ(readText(dir / "x.INI"), before);
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "x.INI" || name == ".x.INI.lock") << name;  // no temporary left
    }
}
