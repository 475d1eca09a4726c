#include "game/callerPhrases.h"

#include <array>

#include "computer/checkoutRoute.h"

namespace qm {

namespace {

constexpr std::array<const char*, 20> units{
    "zero",     "one",     "two",     "three",     "four",     "five",    "six",
    "seven",    "eight",   "nine",    "ten",       "eleven",   "twelve",  "thirteen",
    "fourteen", "fifteen", "sixteen", "seventeen", "eighteen", "nineteen"};
constexpr std::array<const char*, 10> tens{"",      "",      "twenty",  "thirty", "forty",
                                           "fifty", "sixty", "seventy", "eighty", "ninety"};
constexpr std::array<const char*, 12> ordinals{"first", "second", "third",    "fourth",
                                               "fifth", "sixth",  "seventh",  "eighth",
                                               "ninth", "tenth",  "eleventh", "twelfth"};

std::string belowHundred(int n) {
    if (n < 20) {
        return units[static_cast<std::size_t>(n)];
    }
    const std::string ten = tens[static_cast<std::size_t>(n / 10)];
    return n % 10 == 0 ? ten : ten + "-" + units[static_cast<std::size_t>(n % 10)];
}

}  // namespace

std::string numberWords(int n) {
    if (n < 0 || n > 999) {
        return std::to_string(n);
    }
    if (n < 100) {
        return belowHundred(n);
    }
    const std::string hundreds = std::string(units[static_cast<std::size_t>(n / 100)]) + " hundred";
    return n % 100 == 0 ? hundreds : hundreds + " and " + belowHundred(n % 100);
}

std::string scoreCall(int points) {
    if (points <= 0) {
        return "no score";
    }
    return points == 180 ? "one hundred and eighty!" : numberWords(points);
}

std::string requireCall(const vPlayerC& chart, const std::string& name, int remaining) {
    if (checkoutRoute(chart, remaining).empty()) {
        return {};
    }
    return name + ", you require " + std::to_string(remaining);
}

std::string gameShotCall(int legOfSet, bool setWon, bool matchWon) {
    if (matchWon) {
        return "Game shot, and the match";
    }
    if (setWon) {
        return "Game shot, and the set";
    }
    const bool named = legOfSet >= 1 && legOfSet <= static_cast<int>(ordinals.size());
    return named ? std::string("Game shot, and the ") +
                       ordinals[static_cast<std::size_t>(legOfSet - 1)] + " leg"
                 : std::string("Game shot, and the leg");
}

std::vector<std::string> visitCalls(const vPlayerC& chart, int points, const std::string& nextName,
                                    int nextRemaining) {
    std::vector<std::string> calls{scoreCall(points)};
    if (std::string require = requireCall(chart, nextName, nextRemaining); !require.empty()) {
        calls.push_back(std::move(require));
    }
    return calls;
}

}  // namespace qm
