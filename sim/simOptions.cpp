#include "sim/simOptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string>

#include "match/x01Rules.h"
#include "settings/gameSettingsS.h"
#include "settings/playerName.h"
#include "stats/legFile.h"

namespace qm::sim {

namespace {

template <typename T>
T parseNumber(const std::string& option, const std::string& text) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        throw std::invalid_argument(option + " needs a whole number, not \"" + text + "\"");
    }
    return value;
}

// A count of darts, matches, legs or continuations: at least 1, and no more than a run that
// ends within minutes, so that a slip of the keyboard never starts one without end.
long long parseCount(const std::string& option, const std::string& text, long long most) {
    const auto value = parseNumber<long long>(option, text);
    if (value < 1 || value > most) {
        throw std::invalid_argument(option + " must be from 1 to " + std::to_string(most));
    }
    return value;
}

int parseStrength(const std::string& option, const std::string& text) {
    const int strength = parseNumber<int>(option, text);
    if (strength < minStrength || strength > maxStrength) {
        throw std::invalid_argument(option + " must be from 1 to 60");
    }
    return strength;
}

template <std::size_t N>
int parseChoice(const std::string& option, const std::string& text,
                const std::array<std::int32_t, N>& choices) {
    const int value = parseNumber<int>(option, text);
    if (std::find(choices.begin(), choices.end(), value) == choices.end()) {
        std::string allowed;
        for (const auto choice : choices) {
            allowed += (allowed.empty() ? "" : ", ") + std::to_string(choice);
        }
        throw std::invalid_argument(option + " must be one of " + allowed);
    }
    return value;
}

// Walks the options after the command word; every option but the flags takes one value, as
// the next argument or after "=" ("--data-dir=DIR", as the game takes it too).
class optionReader {
  public:
    explicit optionReader(const std::vector<std::string>& args) : args_(args) {}
    bool next(std::string& option) {
        if (attached_) {
            throw std::invalid_argument(current_ + " takes no value");
        }
        if (index_ >= args_.size()) {
            return false;
        }
        option = args_[index_++];
        if (const auto equals = option.find('=');
            option.rfind("--", 0) == 0 && equals != std::string::npos) {
            attached_ = option.substr(equals + 1);
            option.resize(equals);
        }
        current_ = option;
        return true;
    }
    std::string value(const std::string& option) {
        if (attached_) {
            std::string text = std::move(*attached_);
            attached_.reset();
            return text;
        }
        if (index_ >= args_.size()) {
            throw std::invalid_argument(option + " needs a value");
        }
        return args_[index_++];
    }

  private:
    const std::vector<std::string>& args_;
    std::size_t index_ = 1;
    std::string current_;
    std::optional<std::string> attached_;
};

throwsOptions parseThrows(const std::vector<std::string>& args) {
    throwsOptions result;
    bool haveStrength = false;
    bool haveTarget = false;
    bool haveCount = false;
    optionReader reader(args);
    std::string option;
    while (reader.next(option)) {
        if (option == "--strength") {
            result.strength = parseStrength(option, reader.value(option));
            haveStrength = true;
        } else if (option == "--target") {
            result.targetText = reader.value(option);
            const auto target = parseTarget(result.targetText);
            if (!target) {
                throw std::invalid_argument("unreadable target \"" + result.targetText + "\"");
            }
            result.target = *target;
            haveTarget = true;
        } else if (option == "--count") {
            result.count = parseCount(option, reader.value(option), maxThrows);
            haveCount = true;
        } else if (option == "--seed") {
            result.seed = parseNumber<std::uint32_t>(option, reader.value(option));
        } else if (option == "--trace") {
            result.trace = true;
        } else {
            throw std::invalid_argument("unknown option " + option);
        }
    }
    if (!haveStrength || !haveTarget || !haveCount) {
        throw std::invalid_argument("throws needs --strength, --target and --count");
    }
    return result;
}

// The options a match and the odds share: the two players, their strengths and the match
// format. False when the option is none of them.
template <typename Options>
bool readPlayersAndFormat(const std::string& option, optionReader& reader, Options& result,
                          std::array<bool, 4>& have) {
    // Only an option ending in 1 or 2 is read for its player.
    const auto player = [&option] { return static_cast<std::size_t>(option.back() - '1'); };
    if (option == "--player1" || option == "--player2") {
        result.names[player()] = reader.value(option);
        have[player()] = true;
    } else if (option == "--strength1" || option == "--strength2") {
        result.strengths[player()] = parseStrength(option, reader.value(option));
        have[2 + player()] = true;
    } else if (option == "--twin1" || option == "--twin2") {
        // In place of a strength: the twin's strength is the game's default, never used.
        result.twins.of[player()] = reader.value(option);
        result.strengths[player()] = 20;
        have[2 + player()] = true;
    } else if (option == "--start") {
        result.start = parseChoice(option, reader.value(option), startScoreChoices);
    } else if (option == "--legs") {
        result.legs = parseChoice(option, reader.value(option), bestOfChoices);
    } else if (option == "--sets") {
        result.sets = parseChoice(option, reader.value(option), bestOfChoices);
    } else {
        return false;
    }
    return true;
}

matchOptions parseMatch(const std::vector<std::string>& args) {
    matchOptions result;
    std::array<bool, 4> have{};
    optionReader reader(args);
    std::string option;
    while (reader.next(option)) {
        if (readPlayersAndFormat(option, reader, result, have)) {
            continue;
        }
        if (option == "--matches") {
            result.matches = parseCount(option, reader.value(option), maxMatches);
        } else if (option == "--seed") {
            result.seed = parseNumber<std::uint32_t>(option, reader.value(option));
        } else if (option == "--save-stats") {
            result.saveStats = true;
        } else if (option == "--save-darts") {
            result.saveDarts = true;
        } else if (option == "--data-dir") {
            result.dataDir = reader.value(option);
        } else if (option == "--trace-legs") {
            result.traceLegs = true;
        } else {
            throw std::invalid_argument("unknown option " + option);
        }
    }
    if (!std::all_of(have.begin(), have.end(), [](bool b) { return b; })) {
        throw std::invalid_argument(
            "match needs --player1, --strength1 (or --twin1), --player2 and --strength2 (or "
            "--twin2)");
    }
    for (const auto& name : result.names) {
        // The game's rule, checked up front: its histories are the game's players.
        if (const std::string problem = playerNameProblem(name); !problem.empty()) {
            throw std::invalid_argument(problem);
        }
    }
    return result;
}

calibrateOptions parseCalibrate(const std::vector<std::string>& args) {
    calibrateOptions result;
    optionReader reader(args);
    std::string option;
    while (reader.next(option)) {
        if (option == "--legs") {
            result.legs = parseCount(option, reader.value(option), maxCalibrationLegs);
        } else if (option == "--seed") {
            result.seed = parseNumber<std::uint32_t>(option, reader.value(option));
        } else if (option == "--start") {
            result.start = parseChoice(option, reader.value(option), startScoreChoices);
        } else {
            throw std::invalid_argument("unknown option " + option);
        }
    }
    return result;
}

expectedOptions parseExpected(const std::vector<std::string>& args) {
    expectedOptions result;
    bool strength = false;
    optionReader reader(args);
    std::string option;
    while (reader.next(option)) {
        if (option == "--strength") {
            result.strength = parseStrength(option, reader.value(option));
            strength = true;
        } else if (option == "--start") {
            result.start = parseChoice(option, reader.value(option), startScoreChoices);
        } else {
            throw std::invalid_argument("unknown option " + option);
        }
    }
    if (!strength) {
        throw std::invalid_argument("expected needs --strength");
    }
    return result;
}

// The drill, its variant and its target, as the command line names them.
drillKind parseDrill(const std::string& text) {
    for (const drillKind kind : drillKinds) {
        if (text == drillId(kind)) {
            return kind;
        }
    }
    throw std::invalid_argument(
        "--drill must be around-the-clock, bobs-27, checkout-121, "
        "doubles, scoring or finishes");
}

int parseVariant(drillKind kind, const std::string& text) {
    const std::vector<std::string> variants =
        kind == drillKind::aroundTheClock ? std::vector<std::string>{"any", "doubles", "trebles"}
        : kind == drillKind::finishes     ? std::vector<std::string>{"2-40", "41-100", "101-170"}
                                          : std::vector<std::string>{};
    const auto found = std::find(variants.begin(), variants.end(), text);
    if (found == variants.end()) {
        throw std::invalid_argument("--variant " + text + " is not one of this drill's");
    }
    return static_cast<int>(found - variants.begin());
}

// Doubles: D1 to D20, Bull or round; Scoring: T20, T19, T18 or Bull.
int parseDrillTarget(drillKind kind, const std::string& text) {
    if (kind == drillKind::doubles && text == "round") {
        return 0;
    }
    if (text == "Bull" && (kind == drillKind::doubles || kind == drillKind::scoring)) {
        return 25;
    }
    const char ring = kind == drillKind::doubles ? 'D' : 'T';
    if ((kind == drillKind::doubles || kind == drillKind::scoring) && text.size() >= 2 &&
        text[0] == ring) {
        const int number = parseNumber<int>("--target", text.substr(1));
        const bool ok =
            kind == drillKind::doubles ? number >= 1 && number <= 20 : number >= 18 && number <= 20;
        if (ok) {
            return number;
        }
    }
    throw std::invalid_argument("--target " + text + " is not one of this drill's");
}

practiceOptions parsePractice(const std::vector<std::string>& args) {
    practiceOptions result;
    std::optional<std::string> drill, variant, target;
    bool strength = false;
    optionReader reader(args);
    std::string option;
    while (reader.next(option)) {
        if (option == "--drill") {
            drill = reader.value(option);
        } else if (option == "--variant") {
            variant = reader.value(option);
        } else if (option == "--target") {
            target = reader.value(option);
        } else if (option == "--darts") {
            result.setup.darts =
                parseChoice(option, reader.value(option), std::array<std::int32_t, 3>{30, 60, 99});
        } else if (option == "--strength") {
            result.strength = parseStrength(option, reader.value(option));
            strength = true;
        } else if (option == "--twin") {
            result.twin = reader.value(option);
            result.strength = 20;
            strength = true;
        } else if (option == "--sessions") {
            result.sessions = parseCount(option, reader.value(option), maxSessions);
        } else if (option == "--seed") {
            result.seed = parseNumber<std::uint32_t>(option, reader.value(option));
        } else if (option == "--save-darts") {
            result.saveDarts = true;
        } else if (option == "--player") {
            result.player = reader.value(option);
        } else if (option == "--data-dir") {
            result.dataDir = reader.value(option);
        } else {
            throw std::invalid_argument("unknown option " + option);
        }
    }
    if (!drill || !strength || result.sessions == 0) {
        throw std::invalid_argument(
            "practice needs --drill, --strength (or --twin) and --sessions");
    }
    if (result.saveDarts) {
        if (result.player.empty()) {
            throw std::invalid_argument("--save-darts needs --player, the name they are kept by");
        }
        if (const std::string problem = playerNameProblem(result.player); !problem.empty()) {
            throw std::invalid_argument(problem);
        }
    }
    result.drillText = *drill;
    result.setup.kind = parseDrill(*drill);
    const drillKind kind = result.setup.kind;
    if (variant) {
        result.setup.variant = parseVariant(kind, *variant);
    } else if (target) {
        result.setup.variant = parseDrillTarget(kind, *target);
    } else if (kind == drillKind::doubles || kind == drillKind::scoring) {
        result.setup.variant = 20;  // D20, T20
    }
    if (variant && target) {
        throw std::invalid_argument("--variant and --target do not go together");
    }
    return result;
}

oddsOptions parseOdds(const std::vector<std::string>& args) {
    oddsOptions result;
    std::array<bool, 4> have{};
    optionReader reader(args);
    std::string option;
    const auto playerOf = [](const std::string& o) { return o.back() - '1'; };
    const auto nonNegative = [](const std::string& o, const std::string& text) {
        const int value = parseNumber<int>(o, text);
        if (value < 0) {
            throw std::invalid_argument(o + " must not be negative");
        }
        return value;
    };
    while (reader.next(option)) {
        if (readPlayersAndFormat(option, reader, result, have)) {
            continue;
        }
        if (option == "--left1" || option == "--left2") {
            result.left[playerOf(option)] = nonNegative(option, reader.value(option));
        } else if (option == "--legs-won1" || option == "--legs-won2") {
            result.legsWon[playerOf(option)] = nonNegative(option, reader.value(option));
        } else if (option == "--sets-won1" || option == "--sets-won2") {
            result.setsWon[playerOf(option)] = nonNegative(option, reader.value(option));
        } else if (option == "--next" || option == "--starter") {
            const int player = parseNumber<int>(option, reader.value(option));
            if (player != 1 && player != 2) {
                throw std::invalid_argument(option + " must be 1 or 2");
            }
            (option == "--next" ? result.next : result.starter.emplace()) = player;
        } else if (option == "--method") {
            const std::string how = reader.value(option);
            if (how != "exact" && how != "sample") {
                throw std::invalid_argument("--method must be exact or sample");
            }
            result.how = how == "exact" ? oddsOptions::method::exact : oddsOptions::method::sample;
        } else if (option == "--continuations") {
            result.continuations = parseCount(option, reader.value(option), maxContinuations);
        } else if (option == "--seed") {
            result.seed = parseNumber<std::uint32_t>(option, reader.value(option));
        } else if (option == "--data-dir") {
            result.dataDir = reader.value(option);
        } else {
            throw std::invalid_argument("unknown option " + option);
        }
    }
    if (!std::all_of(have.begin(), have.end(), [](bool b) { return b; })) {
        throw std::invalid_argument(
            "odds needs --player1, --strength1 (or --twin1), --player2 and --strength2 (or "
            "--twin2)");
    }
    for (int p = 0; p < 2; ++p) {
        if (result.left[p] == 0) {
            result.left[p] = result.start;
        }
        if (result.left[p] < 2 || result.left[p] > result.start) {
            throw std::invalid_argument("--left" + std::to_string(p + 1) +
                                        " must be from 2 to the start score");
        }
        if (result.legsWon[p] >= (result.legs + 1) / 2) {
            throw std::invalid_argument("--legs-won" + std::to_string(p + 1) +
                                        " would already have won the set");
        }
        if (result.setsWon[p] >= (result.sets + 1) / 2) {
            throw std::invalid_argument("--sets-won" + std::to_string(p + 1) +
                                        " would already have won the match");
        }
    }
    return result;
}

}  // namespace

std::optional<dartS> parseTarget(const std::string& text) {
    const auto blank = text.find(' ');
    if (blank == std::string::npos) {
        return std::nullopt;
    }
    const std::string word = text.substr(0, blank);
    const int type = word == "Single" ? 1 : word == "Double" ? 2 : word == "Triple" ? 3 : 0;
    int number = 0;
    const std::string digits = text.substr(blank + 1);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (type == 0 || digits.empty() || error != std::errc() ||
        end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    const dartS target{type, number};
    return isValidTarget(target) ? std::optional(target) : std::nullopt;
}

double parseReal(const std::string& option, const std::string& text) {
    std::size_t used = 0;
    double value = 0.0;
    try {
        value = std::stod(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size() || !std::isfinite(value)) {
        throw std::invalid_argument(option + " needs a number, not " + text);
    }
    return value;
}

aimOptions parseAim(const std::vector<std::string>& args) {
    aimOptions result;
    std::array<bool, 2> sigma{};
    optionReader reader(args);
    std::string option;
    while (reader.next(option)) {
        if (option == "--sigma-x" || option == "--sigma-y") {
            const double value = parseReal(option, reader.value(option));
            if (value < 0.5 || value > 500.0) {
                throw std::invalid_argument(option + " must be from 0.5 to 500 board units");
            }
            (option == "--sigma-x" ? result.scatter.sigmaX : result.scatter.sigmaY) = value;
            sigma[option == "--sigma-x" ? 0 : 1] = true;
        } else if (option == "--rho") {
            result.scatter.rho = parseReal(option, reader.value(option));
            if (result.scatter.rho <= -0.95 || result.scatter.rho >= 0.95) {
                throw std::invalid_argument("--rho must lie between -0.95 and 0.95");
            }
        } else if (option == "--bias-x" || option == "--bias-y") {
            const double value = parseReal(option, reader.value(option));
            if (std::abs(value) > 200.0) {
                throw std::invalid_argument(option + " must be from -200 to 200 board units");
            }
            (option == "--bias-x" ? result.scatter.biasX : result.scatter.biasY) = value;
        } else {
            throw std::invalid_argument("unknown option " + option);
        }
    }
    if (!sigma[0] || !sigma[1]) {
        throw std::invalid_argument("aim needs --sigma-x and --sigma-y");
    }
    return result;
}

const char* usageText() {
    return "usage: quivermark-sim throws --strength S --target TARGET --count N [--seed X] "
           "[--trace]\n"
           "       quivermark-sim match --player1 NAME --strength1 S --player2 NAME "
           "--strength2 S\n"
           "                            [--start 501] [--legs 5] [--sets 1] [--matches 1] "
           "[--seed X]\n"
           "                            [--save-stats] [--save-darts] [--data-dir DIR] "
           "[--trace-legs]\n"
           "       quivermark-sim calibrate [--legs 25000] [--seed 1] [--start 501]\n"
           "       quivermark-sim odds --player1 NAME --strength1 S --player2 NAME "
           "--strength2 S\n"
           "                           [--start 501] [--legs 5] [--sets 1] [--left1 X] "
           "[--left2 Y]\n"
           "                           [--legs-won1 A] [--legs-won2 B] [--sets-won1 C] "
           "[--sets-won2 D]\n"
           "                           [--next 1|2] [--starter 1|2] [--method exact|sample]\n"
           "                           [--continuations 12000] [--seed 1]\n"
           "       quivermark-sim expected --strength S [--start 501]\n"
           "       quivermark-sim practice --drill NAME [--variant V | --target T] "
           "[--darts 30|60|99]\n"
           "                               --strength S --sessions K [--seed X]\n"
           "                               [--save-darts --player NAME] [--data-dir DIR]\n"
           "       quivermark-sim aim --sigma-x X --sigma-y Y [--rho R] [--bias-x BX --bias-y BY]\n"
           "       (match and odds: --twin1 NAME or --twin2 NAME in place of a strength;\n"
           "        practice: --twin NAME in place of --strength)\n"
           "       quivermark-sim --help\n"
           "See quivermark-sim(6) for what each command prints.\n";
}

simCommand parseOptions(const std::vector<std::string>& args) {
    if (args.empty()) {
        throw std::invalid_argument(
            "usage: quivermark-sim throws|match|calibrate|odds|expected|practice|aim [options]");
    }
    if (args[0] == "throws") {
        return parseThrows(args);
    }
    if (args[0] == "match") {
        return parseMatch(args);
    }
    if (args[0] == "calibrate") {
        return parseCalibrate(args);
    }
    if (args[0] == "odds") {
        return parseOdds(args);
    }
    if (args[0] == "expected") {
        return parseExpected(args);
    }
    if (args[0] == "practice") {
        return parsePractice(args);
    }
    if (args[0] == "aim") {
        return parseAim(args);
    }
    throw std::invalid_argument("unknown command " + args[0] +
                                " (use throws, match, calibrate, odds, expected, practice or aim)");
}

}  // namespace qm::sim
