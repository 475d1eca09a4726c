#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "childProcess.h"
#include "computer/gameRandom.h"
#include "game/matchOdds.h"
#include "game/playerModel.h"
#include "match/legFigures.h"
#include "sim/calibration.h"
#include "sim/practiceRun.h"
#include "sim/simOptions.h"
#include "sim/simRun.h"
#include "stats/dartHistoryC.h"
#include "stats/legRecord.h"
#include "tempDir.h"

using namespace qm;
using namespace qm::sim;

namespace {

struct commandResult {
    int status = -1;
    std::string out;
};

// Runs the real simulator program; standard error goes to a file of its own.
commandResult runSim(const std::string& arguments, const std::filesystem::path& errFile,
                     const std::string& environment = "") {
    const std::string command = environment + " \"" + std::string(QUIVERMARK_SIM_PATH) + "\" " +
                                arguments + " 2>\"" + errFile.string() + "\"";
    commandResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.out.append(buffer, got);
    }
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// A match and an odds question between two players of strength 40, as the options give them.
const std::vector<std::string> players{"--player1", "A", "--strength1", "40",
                                       "--player2", "B", "--strength2", "40"};
const std::vector<std::string> matchArgs = with({"match"}, players);
const std::vector<std::string> oddsArgs = with({"odds"}, players);

}  // namespace

TEST(SimOptions, TargetsAreReadStrictly) {
    // A drill's variant and target, as the practice command names them.
    const auto variantOf = [](const std::string& drill, const std::string& option,
                              const std::string& value) {
        return std::get<practiceOptions>(parseOptions({"practice", "--drill", drill, option, value,
                                                       "--strength", "9", "--sessions", "1"}))
            .setup.variant;
    };
    EXPECT_EQ(variantOf("doubles", "--target", "D16"), 16);
    EXPECT_EQ(variantOf("doubles", "--target", "round"), 0);
    EXPECT_EQ(variantOf("scoring", "--target", "Bull"), 25);
    EXPECT_EQ(variantOf("scoring", "--target", "T18"), 18);
    EXPECT_EQ(variantOf("around-the-clock", "--variant", "trebles"), 2);
    EXPECT_EQ(variantOf("finishes", "--variant", "41-100"), 1);
    EXPECT_EQ(parseTarget("Triple 20"), (dartS{3, 20}));
    EXPECT_EQ(parseTarget("Double 25"), (dartS{2, 25}));
    for (const char* bad : {"Triple 25", "triple 20", "Triple20", "Double 0", "Single 21",
                            "Single 5x", "Single ", "Bull"}) {
        EXPECT_FALSE(parseTarget(bad).has_value()) << bad;
    }
}

// Every count is bounded on both sides, and the refusal names the option and its range.
TEST(SimOptions, CountsAreBoundedSoThatNoRunIsWithoutEnd) {
    const std::vector<std::pair<std::vector<std::string>, long long>> counts{
        {{"throws", "--strength", "40", "--target", "Triple 20", "--count"}, maxThrows},
        {with(matchArgs, {"--matches"}), maxMatches},
        {{"calibrate", "--legs"}, maxCalibrationLegs},
        {with(oddsArgs, {"--continuations"}), maxContinuations},
        {{"practice", "--drill", "bobs-27", "--strength", "40", "--sessions"}, maxSessions},
    };
    for (const auto& [args, most] : counts) {
        EXPECT_NO_THROW(parseOptions(with(args, {std::to_string(most)})));
        EXPECT_NO_THROW(parseOptions(with(args, {"1"})));
        for (const std::string& refused : {std::to_string(most + 1), std::string("0")}) {
            try {
                parseOptions(with(args, {refused}));
                ADD_FAILURE() << args.back() << " " << refused;
            } catch (const std::invalid_argument& error) {
                EXPECT_EQ(std::string(error.what()),
                          args.back() + " must be from 1 to " + std::to_string(most));
            }
        }
    }
}

TEST(SimOptions, BadArgumentsAreRefusedWithAMessage) {
    const std::vector<std::vector<std::string>> bad{
        {},
        {"juggle"},
        {"throws", "--strength", "61", "--target", "Triple 20", "--count", "5"},
        {"throws", "--strength", "0", "--target", "Triple 20", "--count", "5"},
        {"throws", "--strength", "20", "--target", "Treble 20", "--count", "5"},
        {"throws", "--strength", "20", "--target", "Triple 20", "--count", "0"},
        {"throws", "--strength", "20", "--target", "Triple 20"},
        {"throws", "--strength", "20", "--target", "Triple 20", "--count", "5", "--fast"},
        {"throws", "--strength"},
        with(matchArgs, {"--start", "500"}),
        with(matchArgs, {"--legs", "4"}),
        {"match", "--player1", "A", "--strength1", "40", "--player2", "B", "--strength2", "x"},
        {"match", "--player1", "A", "--strength1", "40", "--player2", "B"},
        {"calibrate", "--legs", "0"},
        {"calibrate", "--start", "500"},
        {"calibrate", "--strength", "40"},
        {"throws", "--strength", "40", "--count", "10"},  // no target
        {"throws", "--target", "Triple 20", "--count", "10"},
        {"throws", "--strength", "40", "--target", "Triple 20"},
        {"odds", "--player1", "A", "--strength1", "40", "--player2", "B"},
        with(oddsArgs, {"--left1", "1"}),
        with(oddsArgs, {"--left2", "502"}),
        with(oddsArgs, {"--legs", "5", "--legs-won1", "3"}),
        with(oddsArgs, {"--sets-won2", "1"}),
        with(oddsArgs, {"--next", "3"}),
        with(oddsArgs, {"--continuations", "0"}),
        with(oddsArgs, {"--legs-won1", "-1"}),
        with(oddsArgs, {"--method", "Exact"}),
        {"expected", "--start", "501"},
        {"expected", "--strength", "61"},
        {"expected", "--strength", "40", "--legs", "5"},
        {"practice", "--drill", "bobs-27", "--strength", "40"},
        {"practice", "--drill", "Bob's 27", "--strength", "40", "--sessions", "5"},
        {"practice", "--drill", "doubles", "--target", "T20", "--strength", "40", "--sessions",
         "5"},
        {"practice", "--drill", "scoring", "--target", "T17", "--strength", "40", "--sessions",
         "5"},
        {"practice", "--drill", "around-the-clock", "--variant", "2-40", "--strength", "40",
         "--sessions", "5"},
        {"practice", "--drill", "doubles", "--darts", "50", "--strength", "40", "--sessions", "5"},
        {"practice", "--drill", "bobs-27", "--strength", "40", "--sessions", "5", "--save-darts"},
    };
    for (const auto& args : bad) {
        EXPECT_THROW(parseOptions(args), std::invalid_argument) << args.size();
    }
    const auto ok = std::get<matchOptions>(
        parseOptions({"match", "--player1", "A", "--strength1", "40", "--player2", "B",
                      "--strength2", "35", "--sets", "3", "--seed", "7", "--trace-legs"}));
    EXPECT_EQ(ok.sets, 3);
    EXPECT_EQ(ok.legs, 5);
    EXPECT_EQ(ok.start, 501);
    EXPECT_EQ(ok.seed, 7u);
    const auto calibrate = std::get<calibrateOptions>(
        parseOptions({"calibrate", "--seed", "5", "--legs", "9", "--start", "301"}));
    EXPECT_EQ(calibrate.seed, 5u);
    EXPECT_EQ(calibrate.legs, 9);
    EXPECT_EQ(calibrate.start, 301);
    // Every start score of the game is taken, 701 among them.
    for (const char* start : {"101", "301", "501", "701", "1001"}) {
        const auto plain = std::get<matchOptions>(
            parseOptions({"match", "--player1", "A", "--strength1", "4", "--player2", "B",
                          "--strength2", "5", "--start", start}));
        EXPECT_EQ(plain.start, std::stoi(start));
        EXPECT_FALSE(plain.saveStats);  // the flags are off unless given
        EXPECT_FALSE(plain.traceLegs);
    }
    EXPECT_TRUE(std::get<throwsOptions>(parseOptions({"throws", "--strength", "20", "--target",
                                                      "Triple 20", "--count", "5", "--trace"}))
                    .trace);
    const auto odds = std::get<oddsOptions>(
        parseOptions({"odds", "--player1", "A", "--strength1", "40", "--player2", "B",
                      "--strength2", "35", "--start", "301", "--left1", "141", "--next", "2"}));
    EXPECT_EQ(odds.left, (std::array<int, 2>{141, 301}));  // a score not given is the start
    EXPECT_EQ(odds.how, oddsOptions::method::exact);
    EXPECT_EQ(std::get<oddsOptions>(
                  parseOptions({"odds", "--player1", "A", "--strength1", "4", "--player2", "B",
                                "--strength2", "5", "--method", "sample"}))
                  .how,
              oddsOptions::method::sample);
    EXPECT_EQ(std::get<oddsOptions>(
                  parseOptions({"odds", "--player1", "A", "--strength1", "4", "--player2", "B",
                                "--strength2", "5", "--legs-won1", "0", "--sets-won2", "0"}))
                  .legsWon[0],
              0);
    // One short of the set and of the match is a position still open: 2 legs of 5, 1 set of 3.
    const auto open = std::get<oddsOptions>(
        parseOptions({"odds", "--player1", "A", "--strength1", "4", "--player2", "B", "--strength2",
                      "5", "--legs", "5", "--legs-won1", "2", "--sets", "3", "--sets-won2", "1"}));
    EXPECT_EQ(open.legsWon[0], 2);
    EXPECT_EQ(open.setsWon[1], 1);
    EXPECT_EQ(odds.next, 2);
    EXPECT_EQ(std::get<oddsOptions>(
                  parseOptions({"odds", "--player1", "A", "--strength1", "4", "--player2", "B",
                                "--strength2", "5", "--seed", "9", "--continuations", "77"}))
                  .seed,
              9u);
    EXPECT_FALSE(odds.starter.has_value());
    // A refusal names the option and the player it is about.
    for (const auto& [option, value, message] : std::vector<std::array<std::string, 3>>{
             {"--left2", "1", "--left2 must be from 2 to the start score"},
             {"--legs-won1", "2", "--legs-won1 would already have won the set"},
             {"--sets-won2", "1", "--sets-won2 would already have won the match"}}) {
        try {
            (void)parseOptions({"odds", "--player1", "A", "--strength1", "4", "--player2", "B",
                                "--strength2", "5", "--legs", "3", option, value});
            ADD_FAILURE() << option << " " << value << " was taken";
        } catch (const std::invalid_argument& error) {
            EXPECT_EQ(error.what(), message);
        }
    }
    try {
        (void)parseOptions({"match", "--save-stats=yes"});
        ADD_FAILURE() << "a flag with a value was taken";
    } catch (const std::invalid_argument& error) {
        EXPECT_STREQ(error.what(), "--save-stats takes no value");
    }
}

TEST(SimRun, ThrowsAreSeededAndCountedLikeTheirTrace) {
    throwsOptions options;
    options.strength = 20;
    options.target = {2, 16};
    options.targetText = "Double 16";
    options.count = 2000;
    options.seed = 42;
    const auto summary = runThrows(options, nullptr);

    tempDir dir;
    FILE* trace = std::fopen((dir / "trace.txt").c_str(), "w");
    ASSERT_NE(trace, nullptr);
    runThrows(options, trace);
    std::fclose(trace);
    std::istringstream lines(fileText(dir / "trace.txt"));
    long long darts = 0, onTarget = 0, off = 0, points = 0;
    int dx = 0, dy = 0, type = 0, number = 0;
    while (lines >> dx >> dy >> type >> number) {
        ++darts;
        onTarget += (type == 2 && number == 16) ? 1 : 0;
        off += type == 0 ? 1 : 0;
        points += type * number;
    }
    EXPECT_EQ(darts, 2000);
    EXPECT_EQ(summary.hitTarget, onTarget);
    EXPECT_EQ(summary.offBoard, off);
    EXPECT_EQ(summary.points, points);
    EXPECT_EQ(throwsJson(options, summary).rfind("{\"strength\":20,\"target\":\"Double 16\",", 0),
              0u);
}

TEST(SimRun, MatchesFollowTheRulesAndAreReproducible) {
    matchOptions options{
        .names{"Ann", "Bob"}, .strengths{50, 30}, .legs = 3, .sets = 3, .matches = 4, .seed = 11};
    options.traceLegs = true;
    const auto first = runMatches(options, {});
    const auto second = runMatches(options, {});
    EXPECT_EQ(matchJson(options, first), matchJson(options, second));
    // Names are JSON strings: a backslash, a quote, a tab and a control character escaped.
    matchOptions named = options;
    named.names = {"A\\n\"x\"", "B\tC\x01"};
    const std::string json = matchJson(named, first);
    EXPECT_NE(json.find("{\"name\":\"A\\\\n\\\"x\\\"\","), std::string::npos) << json;
    EXPECT_NE(json.find("{\"name\":\"B\\tC\\u0001\","), std::string::npos) << json;

    EXPECT_EQ(first.players[0].matchesWon + first.players[1].matchesWon, 4);
    EXPECT_EQ(static_cast<long long>(first.legs.size()), first.totalLegs);
    long long match = 0;
    int expectedStarter = 0;
    for (const auto& leg : first.legs) {
        if (leg.match != match) {  // every match starts with player 1
            match = leg.match;
            expectedStarter = 0;
        }
        EXPECT_EQ(leg.starter, expectedStarter);
        expectedStarter = 1 - expectedStarter;
        EXPECT_EQ(leg.points[leg.winner], 501);
        EXPECT_LT(leg.points[1 - leg.winner], 501);
        EXPECT_GE(leg.finish, 2);
        EXPECT_LE(leg.finish, 170);
        EXPECT_GE(leg.set, 1);
        EXPECT_LE(leg.set, 3);
    }
}

TEST(SimRun, SavedStatisticsAndUnsavableNames) {
    tempDir dir;
    matchOptions options{
        .names{"Ann", "Bob"}, .strengths{40, 40}, .legs = 3, .matches = 2, .seed = 3};
    options.saveStats = true;
    const auto result = runMatches(options, dir.path());
    EXPECT_TRUE(result.errors.empty());
    EXPECT_EQ(std::filesystem::file_size(dir / "Ann.dat"),
              static_cast<std::uintmax_t>(16 * result.totalLegs));

    // Files that can take nothing more: the end of the match reports both players.
    EXPECT_EQ(inChild([&] {
                  limitFileSize(0);
                  const std::vector<std::string> expected{
                      "Unable to save statistics for player: Ann (File too large)",
                      "Unable to save statistics for player: Bob (File too large)"};
                  const tempDir full;
                  return runMatches(options, full.path()).errors == expected ? 0 : 1;
              }),
              0);

    options.names[1] = "../Bob";
    const auto failed = runMatches(options, dir.path());
    EXPECT_EQ(failed.errors,
              (std::vector<std::string>{
                  "Unable to save statistics for player: ../Bob (the name cannot name a file)"}));
    EXPECT_EQ(failed.totalLegs, 1);  // the run stops at the first lost record
}

TEST(SimRun, SavedDartsAgreeWithThePlayedLegs) {
    tempDir dir;
    matchOptions options{
        .names{"Ann", "Bob"}, .strengths{45, 25}, .legs = 5, .matches = 30, .seed = 11};
    options.saveDarts = true;
    options.traceLegs = true;
    const auto result = runMatches(options, dir.path());
    ASSERT_TRUE(result.errors.empty());
    ASSERT_EQ(static_cast<long long>(result.legs.size()), result.totalLegs);
    dartHistoryC history(dir / dartHistoryFileName, dartHistoryC::mode::readOnly);
    for (int p = 0; p < 2; ++p) {
        const auto& totals = result.players[p];
        const auto legs = history.legsOf(options.names[p]);
        // Every leg once, whatever the batches, and the darts add up to what the boards counted.
        ASSERT_EQ(static_cast<long long>(legs.size()), result.totalLegs) << p;
        long long darts = 0;
        long long points = 0;
        long long won = 0;
        for (std::size_t i = 0; i < legs.size(); ++i) {
            const legDartsS& leg = legs[i];
            const legFiguresS figures = legFigures(leg.darts);
            // Leg by leg, the darts give what the trace of the same leg says.
            const legTraceS& traced = result.legs[i];
            EXPECT_EQ(figures.darts, traced.darts[static_cast<std::size_t>(p)]) << i;
            EXPECT_EQ(figures.points, traced.points[static_cast<std::size_t>(p)]) << i;
            EXPECT_EQ(leg.won, traced.winner == p) << i;
            EXPECT_EQ(figures.checkout, leg.won ? traced.finish : 0) << i;
            darts += figures.darts;
            points += figures.points;
            won += leg.won;
            EXPECT_EQ(figures.doublesHit, leg.won ? 1 : 0);
        }
        EXPECT_EQ(darts, totals.darts);
        EXPECT_EQ(points, totals.points);
        EXPECT_EQ(won, totals.legsWon);
        EXPECT_EQ(totals.dartFigures.doublesHit, totals.legsWon);
        EXPECT_EQ(totals.dartFigures.legs, result.totalLegs);
        const dartFiguresS stored = *history.figures(options.names[p], {2000, 1, 1}, {2999, 1, 1});
        EXPECT_EQ(stored.atDouble, totals.dartFigures.atDouble);
        EXPECT_NEAR(stored.first9Average(), totals.dartFigures.first9Average(), 1e-9);
    }
    // The stronger player's first nine darts score more, and so do its doubles.
    EXPECT_GT(result.players[0].dartFigures.first9Average(),
              result.players[1].dartFigures.first9Average() + 10);
    const std::string json = matchJsonHead(options, result);
    EXPECT_NE(json.find("\"doubles_hit\":" + std::to_string(result.players[0].legsWon) +
                        ",\"checkout_percent\":"),
              std::string::npos);
    options.saveDarts = false;
    EXPECT_EQ(matchJsonHead(options, result).find("first9"), std::string::npos);
    // A history that cannot be written stops the run before a match is played.
    tempDir other;
    std::filesystem::create_directory(other / dartHistoryFileName);
    options.saveDarts = true;
    const auto refused = runMatches(options, other.path());
    EXPECT_EQ(refused.errors,
              (std::vector<std::string>{"quivermark-sim: cannot use the dart history " +
                                        (other / dartHistoryFileName).string() +
                                        ": not a regular file"}));
    EXPECT_EQ(refused.totalLegs, 0);
    // A disk that fills once the run is under way: the darts that could not be kept are said.
    tempDir full;
    EXPECT_EQ(inChild([&] {
                  limitFileSize(40'000);  // room for the empty history, not for 30 matches
                  const auto run = runMatches(options, full.path());
                  return !run.errors.empty() &&
                                 run.errors[0].starts_with(
                                     "quivermark-sim: cannot write the dart history " +
                                     (full / dartHistoryFileName).string() + " (")
                             ? 0
                             : 1;
              }),
              0);
}

TEST(SimProgram, ExitStatusesAndOutput) {
    tempDir dir;
    const auto err = dir / "stderr.txt";
    auto ok = runSim("throws --strength 60 --target \"Triple 20\" --count 10 --seed 1", err);
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out.rfind("{\"strength\":60,\"target\":\"Triple 20\",\"darts\":10,", 0), 0u);

    const auto bad = runSim("throws --strength 99 --target \"Triple 20\" --count 10", err);
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(fileText(err), "quivermark-sim: --strength must be from 1 to 60\n");

    const std::string dataDir = " --data-dir " + dir.path().string();
    const auto unusable = runSim(
        "match --player1 a/b --strength1 40 --player2 B --strength2 40 --save-stats" + dataDir,
        err);
    EXPECT_EQ(unusable.status, 2);
    EXPECT_EQ(fileText(err), "quivermark-sim: A player name cannot contain \"/\"\n");
    // The game's name rule, with or without --save-stats.
    for (const char* name : {"'a=b'", "'[x'", "';x'", "' Ann'", "\"$(printf 'a\\nb')\""}) {
        EXPECT_EQ(runSim(std::string("match --player1 ") + name +
                             " --strength1 40 --player2 B --strength2 40 --legs 1 --seed 1",
                         err)
                      .status,
                  2)
            << name;
    }
    const auto help = runSim("--help", err);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: quivermark-sim throws", 0), 0u);
    // Every line fits a terminal of 100 columns, and all but the first are indented.
    std::istringstream lines(help.out);
    std::string line;
    for (int n = 0; std::getline(lines, line); ++n) {
        EXPECT_LE(line.size(), 100u) << line;
        EXPECT_TRUE(n == 0 || line.starts_with(" ") || line.starts_with("See ")) << line;
    }
    // "<name>.dat" must fit a file name of 255 bytes.
    const auto tooLong = runSim(
        "match --player1 " + std::string(252, 'x') + " --strength1 40 --player2 B --strength2 40",
        err);
    EXPECT_EQ(tooLong.status, 2);
    EXPECT_EQ(runSim("match --player1 " + std::string(251, 'x') +
                         " --strength1 40 --player2 B --strength2 40 --legs 1 --seed 1",
                     err)
                  .status,
              0);

    // One leg kept in the data folder given.
    const auto savedInto = [&](const std::filesystem::path& folder) {
        return runSim(
            "match --player1 A --strength1 40 --player2 B --strength2 40 --legs 1 --seed 2 "
            "--save-stats --data-dir " +
                folder.string(),
            err);
    };
    // A missing data folder is made; a file in its place cannot be.
    writeBytes(dir / "not-a-folder", {});
    const auto unsaved = savedInto(dir / "not-a-folder");
    EXPECT_EQ(unsaved.status, 1);
    EXPECT_EQ(fileText(err), "quivermark-sim: Unable to write the settings file " +
                                 (dir / "not-a-folder" / "quivermark.INI").string() +
                                 ": Not a directory\n");

    // A player's history that cannot take its record stops the run with status 1.
    std::filesystem::create_directories(dir / "blocked" / "A.dat");
    const auto blocked = savedInto(dir / "blocked");
    EXPECT_EQ(blocked.status, 1);
    EXPECT_EQ(fileText(err), "Unable to save statistics for player: A (Is a directory)\n");
    EXPECT_EQ(blocked.out, "");

    // Strength 1 needs thousands of darts for this leg: more than a record holds. It is
    // reported and skipped, and the run still succeeds.
    const auto skipped = runSim(
        "match --player1 W1 --strength1 1 --player2 W2 --strength2 1 --legs 1 --seed 2 "
        "--save-stats" +
            dataDir,
        err);
    EXPECT_EQ(skipped.status, 0);
    EXPECT_EQ(skipped.out.rfind("{\"matches\":1,\"total_legs\":1,", 0), 0u);
    EXPECT_EQ(fileText(err).rfind("Unable to save statistics for player: W1 (a leg of ", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(dir / "W1.dat"));

    // Output that cannot be written is a failure, both for the summary and for a trace.
    for (const char* trace : {"", " --trace"}) {
        const auto full =
            runSim(std::string("throws --strength 40 --target \"Triple 20\" --count 10") + trace +
                       " >/dev/full",
                   err);
        EXPECT_EQ(full.status, 1) << trace;
        EXPECT_EQ(fileText(err), "quivermark-sim: could not write the output\n");
    }
}

namespace {

std::string traceOf(const throwsOptions& options, bool fast, const std::filesystem::path& file) {
    FILE* out = std::fopen(file.c_str(), "w");
    const auto summary = fast ? runThrows(options, out) : runThrowsPlain(options, out);
    std::fclose(out);
    return fileText(file) + throwsJson(options, summary);
}

}  // namespace

// The fast runs must throw exactly the darts of the plain ones, for every seed, strength,
// target and start score: the traces, summaries and statistics files are compared whole, on
// runs long enough that the hit tables are built and used.
TEST(SimProgram, SavedPlayersJoinTheGamesListsInTheGamesDataFolder) {
    tempDir dir;
    const auto err = dir / "stderr.txt";
    const auto ini = dir / "data" / "quivermark.INI";
    std::filesystem::create_directories(dir / "data");
    writeBytes(ini, {'[', 'A', 'I', ']', '\n', 'B', 'o', 't', '=', '4', '5', '\n'});
    const std::string match = "match --player2 Bot --strength2 10 --legs 1 --seed 3 --save-stats ";
    // A new player joins the computers' list; the known one keeps its strength.
    EXPECT_EQ(
        runSim(match + "--player1 Sim --strength1 30 --data-dir=" + (dir / "data").string(), err)
            .status,
        0);
    const auto text = readBytes(ini);
    EXPECT_EQ(std::string(text.begin(), text.end()), "[AI]\nBot=45\nSim=30\n");
    EXPECT_TRUE(std::filesystem::exists(dir / "data" / "Sim.dat"));
    // A case twin of a known player is refused before anything is written.
    EXPECT_EQ(
        runSim(match + "--player1 sim --strength1 30 --data-dir " + (dir / "data").string(), err)
            .status,
        2);
    EXPECT_EQ(fileText(err),
              "quivermark-sim: sim differs from the player Sim only in letter "
              "case, please choose an other name\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "data" / "sim.dat"));
    EXPECT_EQ(runSim("match --player1 Amy --strength1 9 --player2 BOT --strength2 9 --save-stats "
                     "--data-dir " +
                         (dir / "data").string(),
                     err)
                  .status,
              2);  // the second player is checked as the first is
    EXPECT_FALSE(std::filesystem::exists(dir / "data" / "Amy.dat"));
    EXPECT_EQ(runSim("match --player1 Zed --strength1 9 --player2 zed --strength2 9 --save-stats "
                     "--data-dir " +
                         (dir / "data").string(),
                     err)
                  .status,
              2);  // and against the first, even when neither is known
    EXPECT_EQ(fileText(err),
              "quivermark-sim: zed differs from the player Zed only in letter case, please "
              "choose an other name\n");

    // The data folder: the game's rule (tested in the settings tests), so "~" is HOME, an
    // empty name or an undecidable folder is an error, a relative XDG_DATA_HOME is ignored.
    const std::string sim = match + "--player1 Amy --strength1 30";
    EXPECT_EQ(runSim(sim + " --data-dir ''", err).status, 2);
    EXPECT_EQ(fileText(err), "quivermark-sim: --data-dir needs a folder name\n");
    EXPECT_EQ(runSim(sim + " --data-dir=~/tilde", err, "HOME=" + dir.path().string()).status, 0);
    EXPECT_TRUE(std::filesystem::exists(dir / "tilde" / "Amy.dat"));

    // Traced legs are streamed through a scratch file, and come out as the in-memory run's.
    matchOptions traced{.names{"A", "B"}, .strengths{35, 45}, .legs = 5, .matches = 3, .seed = 5};
    traced.traceLegs = true;
    const auto expected = matchJson(traced, runMatches(traced, dir.path()));
    const auto streamed = runSim(
        "match --player1 A --strength1 35 --player2 B --strength2 45 --matches 3 --seed 5 "
        "--trace-legs",
        err);
    EXPECT_EQ(streamed.status, 0);
    EXPECT_EQ(streamed.out, expected + "\n");
}

TEST(SimRun, FastRunsMatchThePlainOnesDartForDart) {
    tempDir dir;
    for (const auto& [strength, target] : std::vector<std::pair<int, dartS>>{
             {1, {3, 20}}, {20, {2, 16}}, {60, {2, 25}}, {33, {1, 11}}}) {
        throwsOptions options;
        options.strength = strength;
        options.target = target;
        options.targetText = "x";
        options.count = 330'000;  // more than the largest table's 560 x 560 entries
        options.seed = static_cast<std::uint32_t>(strength * 7);
        EXPECT_EQ(traceOf(options, true, dir / "fast.txt"),
                  traceOf(options, false, dir / "plain.txt"))
            << strength;
    }

    struct matchCase {
        std::array<int, 2> strengths;
        int start, legs, sets;
        long long matches;
    };
    for (const auto& c : {matchCase{{40, 40}, 501, 11, 1, 300}, matchCase{{3, 57}, 301, 3, 3, 40},
                          matchCase{{60, 59}, 101, 5, 1, 400}, matchCase{{1, 2}, 1001, 1, 1, 12}}) {
        matchOptions options{
            .names{"A", "B"}, .strengths = c.strengths, .start = c.start, .legs = c.legs};
        options.sets = c.sets;
        options.matches = c.matches;
        options.seed = 5;
        options.saveStats = true;
        options.traceLegs = true;
        std::filesystem::create_directory(dir / "fast");
        std::filesystem::create_directory(dir / "plain");
        const auto fast = runMatches(options, dir / "fast");
        const auto plain = runMatchesPlain(options, dir / "plain");
        EXPECT_EQ(matchJson(options, fast), matchJson(options, plain)) << c.strengths[0];
        EXPECT_EQ(fast.skipped, plain.skipped);
        for (const char* file : {"A.dat", "B.dat"}) {
            EXPECT_EQ(readBytes(dir / "fast" / file), readBytes(dir / "plain" / file)) << file;
        }
        std::filesystem::remove_all(dir / "fast");
        std::filesystem::remove_all(dir / "plain");
    }
}

// Today's darts, pinned: a change of the generator, the scatter or the hit test shows here.
TEST(SimRun, PinnedTraces) {
    tempDir dir;
    throwsOptions throws;
    throws.strength = 20;
    throws.target = {2, 16};
    throws.count = 5000;
    throws.seed = 7;
    traceOf(throws, true, dir / "trace.txt");
    std::istringstream lines(fileText(dir / "trace.txt"));
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);) {
        all.push_back(line);
    }
    ASSERT_EQ(all.size(), 5000u);
    EXPECT_EQ(all[0], "9 12 1 16");
    EXPECT_EQ(all[1], "14 44 1 8");
    EXPECT_EQ(all[2], "37 -1 1 7");
    EXPECT_EQ(all[4999], "42 -11 1 7");

    matchOptions match{
        .names{"A", "B"}, .strengths{3, 57}, .start = 301, .legs = 3, .sets = 3, .matches = 2};
    match.seed = 11;
    match.traceLegs = true;
    const std::string json = matchJson(match, runMatches(match, {}));
    // Every field of both players; A, who won no leg, has no best finish.
    EXPECT_EQ(json.rfind(
                  "{\"matches\":2,\"total_legs\":8,\"players\":[{\"name\":\"A\",\"strength\":3,"
                  "\"matches_won\":0,\"legs_won\":0,\"darts\":69,\"points\":562,\"ppd\":8.1449,"
                  "\"three_dart_average\":24.4348,\"180s\":0,\"best_finish\":0},{\"name\":\"B\","
                  "\"strength\":57,\"matches_won\":2,\"legs_won\":8,\"darts\":71,\"points\":2408,"
                  "\"ppd\":33.9155,\"three_dart_average\":101.7465,\"180s\":2,\"best_finish\":96}],"
                  "\"legs\":[",
                  0),
              0u)
        << json;
    EXPECT_NE(json.find("{\"match\":1,\"set\":2,\"leg\":1,\"starter\":0,\"winner\":1,\"darts\":[12,"
                        "10],\"points\":[170,301],\"finish\":16}"),
              std::string::npos);
}

namespace {

oddsOptions oddsBetween(int strength1, int strength2) {
    oddsOptions options;
    options.names = {"A", "B"};
    options.strengths = {strength1, strength2};
    return options;
}

double chanceOfFirst(const oddsOptions& options) {
    const std::string json = oddsJson(options);
    const auto at = json.find("\"chance\":");
    return std::stod(json.substr(at + 9));
}

}  // namespace

// The odds from the first dart agree with playing the whole match again and again, and they
// follow every part of the state: scores left, who throws, legs and sets won.
// How the odds model a player: a computer by its strength, a human by the strength whose
// average is nearest theirs, from this game once it has 9 darts, else from their last 100 legs.
TEST(PlayerModel, ComputersByStrengthHumansByTheirAverage) {
    strengthAverages table{};
    table[10] = 30.0, table[20] = 50.0, table[30] = 70.0;
    EXPECT_EQ(nearestStrength(40.0, table), 10);  // as near to both: the weaker
    EXPECT_EQ(nearestStrength(40.5, table), 20);
    EXPECT_EQ(nearestStrength(1000.0, table), 30);
    EXPECT_EQ(nearestStrength(50.0, strengthAverages{}), minStrength);

    std::vector<legRecordS> records(101);
    records[0].points = 501, records[0].darts = 1;  // the 101st leg back is left out
    for (std::size_t r = 1; r < records.size(); ++r) {
        records[r].points = 22, records[r].darts = 1;
    }
    const auto recent = recentAverage(records);
    ASSERT_TRUE(recent);
    EXPECT_DOUBLE_EQ(recent->average, 66.0);
    EXPECT_EQ(recent->legs, 100);
    EXPECT_FALSE(recentAverage(std::vector<legRecordS>(3)));  // no dart in them

    using basis = playerModelS::basis;
    GameStatsC game;
    for (const auto& [strength, held] :
         std::vector<std::pair<int, int>>{{0, 1}, {61, 60}, {7, 7}}) {
        const playerModelS computer = modelPlayer(true, strength, game, recent, table);
        EXPECT_EQ(computer.from, basis::computer);
        EXPECT_EQ(computer.strength, held);
    }
    EXPECT_EQ(modelPlayer(false, 40, game, std::nullopt, table).from, basis::nothing);
    EXPECT_FALSE(modelPlayer(false, 40, game, std::nullopt, table).strength);
    game.addVisit(150, 3), game.addVisit(150, 3), game.addVisit(150, 2);  // 8 darts at 112.5
    const playerModelS fromHistory = modelPlayer(false, 40, game, recent, table);
    EXPECT_EQ(fromHistory.from, basis::history);
    EXPECT_EQ(fromHistory.strength, 30);  // 66 a visit
    EXPECT_EQ(fromHistory.legs, 100);
    game.addVisit(0, 1);  // the ninth dart: 450 in 9 darts, 150 a visit
    const playerModelS fromGame = modelPlayer(false, 40, game, recent, table);
    EXPECT_EQ(fromGame.from, basis::thisGame);
    EXPECT_EQ(fromGame.darts, 9);
    EXPECT_EQ(fromGame.strength, 30);
    table[40] = 150.0;
    EXPECT_EQ(modelPlayer(false, 1, game, recent, table).strength, 40);
}

TEST(MatchOdds, ShownPercentagesAddUpAndKeepTheEndsForADecidedMatch) {
    struct caseS {
        double first;
        bool decided;
        const char* shown[2];
    };
    for (const caseS& c : {caseS{0.0, false, {"<1%", ">99%"}}, caseS{0.004, false, {"<1%", ">99%"}},
                           caseS{0.006, false, {"1%", "99%"}}, caseS{0.994, false, {"99%", "1%"}},
                           caseS{0.996, false, {">99%", "<1%"}}, caseS{1.0, true, {"100%", "0%"}},
                           caseS{0.0, true, {"0%", "100%"}}, caseS{0.37, false, {"37%", "63%"}}}) {
        oddsS odds;
        odds.chance = {c.first, 1.0 - c.first};
        odds.decided = c.decided;
        const auto shown = oddsPercentText(odds);
        EXPECT_EQ(shown[0], c.shown[0]) << c.first;
        EXPECT_EQ(shown[1], c.shown[1]) << c.first;
    }
    // 99 of 12,000 continuations: each share printed to four places on its own would read
    // 0.0083 and 0.9918. The second is worked out from the first.
    oddsS odds;
    odds.chance = {99.0 / 12000, 1.0 - 99.0 / 12000};
    const auto rounded = oddsRounded(odds, 4);
    EXPECT_NEAR(rounded[0], 0.0083, 1e-12);
    EXPECT_NEAR(rounded[1], 0.9917, 1e-12);
}

TEST(SimRun, OddsFollowTheStateByEitherMethod) {
    oddsOptions odds = oddsBetween(30, 38);
    odds.start = 301;
    odds.legs = 3;
    odds.seed = 4;
    const std::string exact = oddsJson(odds);
    EXPECT_EQ(exact.rfind("{\"players\":[{\"name\":\"A\",\"strength\":30,\"chance\":0.", 0), 0u)
        << exact;
    EXPECT_NE(exact.find("},{\"name\":\"B\",\"strength\":38,\"chance\":0."), std::string::npos);
    EXPECT_NE(exact.find("}],\"method\":\"exact\"}"), std::string::npos) << exact;
    odds.how = oddsOptions::method::sample;
    const std::string sampled = oddsJson(odds);
    EXPECT_NE(
        sampled.find("],\"method\":\"sample\",\"continuations\":12000,\"standard_error\":0.00"),
        std::string::npos)
        << sampled;
    EXPECT_EQ(oddsJson(odds), sampled);  // the same seed, the same figure
    // Two figures for one question: the sampled one's standard error is at most 0.0046.
    EXPECT_NEAR(chanceOfFirst(odds), 0.2765, 0.014);
    odds.how = oddsOptions::method::exact;
    EXPECT_NEAR(chanceOfFirst(odds), 0.2765, 0.00005);  // the weaker player

    // One dart at 2 left against 501 in the deciding leg: all but certain.
    oddsOptions oneDart = oddsBetween(40, 40);
    oneDart.legs = 1;
    oneDart.left[0] = 2;
    EXPECT_GT(chanceOfFirst(oneDart), 0.97);
    oneDart.next = 2;  // the other throws first, with 501 left: still near certain
    EXPECT_GT(chanceOfFirst(oneDart), 0.9);
    // The same leg in a best of 5 from 0-0 decides much less; at 2-0 up it decides the match.
    oneDart.next = 1;
    oneDart.legs = 5;
    const double firstOfFive = chanceOfFirst(oneDart);
    EXPECT_GT(firstOfFive, 0.6);
    EXPECT_LT(firstOfFive, 0.85);
    oneDart.legsWon[0] = 2;
    EXPECT_GT(chanceOfFirst(oneDart), 0.97);
    oneDart.legsWon = {0, 2};  // the other needs one more leg
    EXPECT_LT(chanceOfFirst(oneDart), firstOfFive - 0.2);
    // Sets: a set up in a best of 3 sets counts.
    oddsOptions sets = oddsBetween(40, 40);
    sets.legs = 3;
    sets.sets = 3;
    const double even = chanceOfFirst(sets);
    sets.setsWon[1] = 1;
    EXPECT_LT(chanceOfFirst(sets), even - 0.15);
    // The leg's starter decides who begins the next leg.
    sets.setsWon = {0, 0};
    sets.starter = 2;
    sets.next = 1;
    EXPECT_NE(oddsJson(sets), oddsJson(oddsBetween(40, 40)));
}

TEST(MatchOdds, ACancelledQuestionHasNoAnswer) {
    oddsQuestionS question;
    question.state.remaining = {501, 501};
    const std::atomic<bool> cancelled{true};
    EXPECT_FALSE(matchOdds(question, &cancelled).has_value());
    question.continuations = 1;
    EXPECT_EQ(matchOdds(question)->continuations, 1);
    question.continuations = 0;  // at least one
    EXPECT_EQ(matchOdds(question)->continuations, 1);
    question.continuations = 100;
    // The game's own generator is left exactly as it was: its darts do not depend on the odds.
    gameRandom::setState(12345);
    const std::optional<oddsS> answered = matchOdds(question);
    EXPECT_EQ(gameRandom::state(), 12345u);
    ASSERT_TRUE(answered.has_value());
    EXPECT_EQ(answered->continuations, 100);
    EXPECT_DOUBLE_EQ(answered->chance[0] + answered->chance[1], 1.0);
    EXPECT_DOUBLE_EQ(answered->chance[0], 0.52);  // seed 1: the same every time
    EXPECT_DOUBLE_EQ(answered->standardError, std::sqrt(0.52 * 0.48 / 100));
    question.state.remaining[1] = 1;
    EXPECT_THROW((void)matchOdds(question), std::invalid_argument);
}

// A run recorded before the game's rules and the simulator shared one match loop: every leg of
// it, with the hit tables taking over partway, comes out again.
TEST(SimRun, RecordedRunComesOutAgain) {
    matchOptions match{
        .names{"Cy", "Di"}, .strengths{60, 55}, .legs = 11, .matches = 60, .seed = 7};
    match.traceLegs = true;
    const std::string recorded = fileText(std::string(QUIVERMARK_SOURCE_DIR) +
                                          "/tests/data/match-60v55-501-bo11-seed7.json");
    EXPECT_EQ(matchJson(match, runMatches(match, {})) + "\n", recorded);
    EXPECT_EQ(matchJson(match, runMatchesPlain(match, {})) + "\n", recorded);
}

// The shipped strength table is the command's own output: a few rows, each seeded on its own,
// come out again exactly.
TEST(SimRun, ShippedStrengthTableRowsAreReproduced) {
    std::ifstream table(std::string(QUIVERMARK_SOURCE_DIR) + "/data/strength-averages.jsonl");
    std::vector<std::string> rows;
    for (std::string line; std::getline(table, line);) {
        rows.push_back(line);
    }
    ASSERT_EQ(rows.size(), 60u);
    const calibrateOptions defaults;
    for (const int strength : {33, 47, 60}) {
        EXPECT_EQ(calibrationJson(defaults, strength),
                  rows[static_cast<std::size_t>(strength - 1)]);
    }
    EXPECT_EQ(rows[39].rfind("{\"strength\":40,\"legs\":25000,\"three_dart_average\":", 0), 0u);
    // The row's figures from one dart and one leg, and from none.
    calibrationRowS row;
    EXPECT_EQ(row.threeDartAverage(), 0.0);
    EXPECT_EQ(row.dartsPerLegWon(), 0.0);
    row.points = 60, row.darts = 1, row.legs = 1, row.winnerDarts = 9;
    EXPECT_EQ(row.threeDartAverage(), 180.0);
    EXPECT_EQ(row.dartsPerLegWon(), 9.0);
    // The average's standard error: none from one leg, and shrinking as 1 / sqrt(legs) (the
    // README's claim of below 0.1 at 25,000 legs rests on it).
    gameRandom::seed(1);
    EXPECT_EQ(calibrateStrength(40, 501, 1).standardError, 0.0);
    gameRandom::seed(1);
    const double few = calibrateStrength(40, 501, 1000).standardError;
    gameRandom::seed(1);
    const double many = calibrateStrength(40, 501, 16000).standardError;
    EXPECT_GT(few, 0.3);
    EXPECT_LT(few, 0.6);
    EXPECT_NEAR(many / few, 0.25, 0.05);
}

TEST(SimProgram, ATwinPlaysByItsHumansDartsAndTheBestAimIsPrinted) {
    tempDir dir;
    const auto err = dir / "stderr.txt";
    const std::string data = " --data-dir " + (dir / "data").string();
    ASSERT_EQ(runSim("practice --drill scoring --target T20 --strength 40 --sessions 1 --seed 2 "
                     "--save-darts --player Ann" +
                         data,
                     err)
                  .status,
              0);
    const std::string match =
        "match --player1 Copy --twin1 Ann --player2 Bot --strength2 40 --legs 3 --matches 4";
    const auto first = runSim(match + " --seed 4" + data, err);
    EXPECT_EQ(first.status, 0) << fileText(err);
    EXPECT_NE(first.out.find("{\"name\":\"Copy\",\"twin\":\"Ann\",\"matches_won\":"),
              std::string::npos);
    EXPECT_EQ(runSim(match + " --seed 4" + data, err).out, first.out);  // the same darts
    EXPECT_NE(runSim(match + " --seed 5" + data, err).out, first.out);
    // The second player may be a twin as well: Ann's darts are a strength 40's, not a 20's.
    const std::string odds = "odds --player1 Bot --strength1 30 --player2 Copy ";
    const auto twin2 = runSim(odds + "--twin2 Ann" + data, err);
    EXPECT_NE(twin2.out.find("{\"name\":\"Copy\",\"twin\":\"Ann\",\"chance\":"), std::string::npos);
    const auto botsChance = [](const std::string& out) {
        return out.substr(out.find("\"chance\":"), 16);  // the first player's
    };
    EXPECT_NE(botsChance(twin2.out), botsChance(runSim(odds + "--strength2 20" + data, err).out));
    const auto drill =
        runSim("practice --drill bobs-27 --twin Ann --sessions 3 --seed 1" + data, err);
    EXPECT_EQ(drill.status, 0);
    EXPECT_EQ(runSim("practice --drill bobs-27 --twin Bob --sessions 3" + data, err).status, 2);
    EXPECT_EQ(drill.out.rfind("{\"drill\":\"bobs-27\",\"variant\":0,\"twin\":\"Ann\",", 0), 0U);
    EXPECT_EQ(
        runSim("match --player1 Copy --twin1 Bob --player2 Bot --strength2 40" + data, err).status,
        2);
    EXPECT_EQ(fileText(err),
              "quivermark-sim: Bob has not enough darts yet for a twin (0 with a known target and "
              "landing point, 30 wanted)\n");
    EXPECT_EQ(runSim(match + " --data-dir ''", err).status, 2);  // no folder: said once
    EXPECT_EQ(fileText(err), "quivermark-sim: --data-dir needs a folder name\n");

    EXPECT_EQ(runSim("aim --sigma-x 5 --sigma-y 5", err).out,
              "{\"best\":{\"x\":0,\"y\":100,\"in\":\"T20\",\"points\":47.2239},"
              "\"treble20\":47.2239,\"treble19\":44.9011}\n");
    const auto biased =
        runSim("aim --sigma-x 25 --sigma-y 25 --rho 0.2 --bias-x 3 --bias-y -4", err);
    EXPECT_EQ(biased.status, 0);
    EXPECT_NE(biased.out, runSim("aim --sigma-x 25 --sigma-y 25", err).out);
    for (const auto& [args, said] : std::vector<std::pair<std::string, std::string>>{
             {"--sigma-x 0.4 --sigma-y 5", "--sigma-x must be from 0.5 to 500 board units"},
             {"--sigma-y 5 --sigma-x 5x", "--sigma-x needs a number, not 5x"},
             {"--sigma-y 5 --sigma-x inf", "--sigma-x needs a number, not inf"},
             {"--sigma-x 5 --sigma-y 5 --rho 0.95", "--rho must lie between -0.95 and 0.95"},
             {"--sigma-x 5", "aim needs --sigma-x and --sigma-y"}}) {
        EXPECT_EQ(runSim("aim " + args, err).status, 2) << args;
        EXPECT_EQ(fileText(err), "quivermark-sim: " + said + "\n");
    }
}
