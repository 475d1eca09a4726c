#include "computer/checkoutRoute.h"

#include <algorithm>
#include <cctype>

#include "match/x01Rules.h"

namespace qm {

namespace {

// The chart's darts from dart `first` on, if they finish on a double by the third.
std::vector<dartS> chartRoute(const vPlayerC& chart, int remaining, int first) {
    std::vector<dartS> route;
    for (int k = first; k <= 3; ++k) {
        const dartS aim = chart.dartCheck(k, remaining, true);
        route.push_back(aim);
        remaining -= aim.score();
        if (remaining == 0) {
            return aim.type == 2 ? route : std::vector<dartS>{};
        }
        if (remaining < 2) {
            return {};
        }
    }
    return {};
}

// What a setting-up dart may be, in the order it is looked for: trebles from 20 down. For
// every score the chart can be asked about, a treble is found before any bull or single
// would be, so those are not tried.
std::vector<dartS> setupDarts() {
    std::vector<dartS> darts;
    for (int n = 20; n >= 1; --n) {
        darts.push_back({3, n});
    }
    return darts;
}

}  // namespace

std::vector<dartS> checkoutRoute(const vPlayerC& chart, int remaining, int dartsInHand) {
    if (remaining < 2 || remaining > 170 || dartsInHand < 1 || dartsInHand > 3) {
        return {};
    }
    std::vector<dartS> route = chartRoute(chart, remaining, 4 - dartsInHand);
    if (!route.empty() || dartsInHand == 1) {
        return route;
    }
    static const std::vector<dartS> setups = setupDarts();
    for (const dartS& setup : setups) {
        std::vector<dartS> rest = checkoutRoute(chart, remaining - setup.score(), dartsInHand - 1);
        if (!rest.empty()) {
            rest.insert(rest.begin(), setup);
            return rest;
        }
    }
    return {};
}

std::string dartNotation(const dartS& dart) {
    if (dart.number == 25) {
        return dart.type == 2 ? "Bull" : "25";
    }
    const char* prefix = dart.type == 3 ? "T" : dart.type == 2 ? "D" : "S";
    return prefix + std::to_string(dart.number);
}

namespace {

std::optional<dartS> dartFromWord(std::string word) {
    for (char& c : word) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    if (word == "MISS" || word == "M" || word == "0") {
        return dartS{0, 0};
    }
    if (word == "BULL" || word == "50") {
        return dartS{2, 25};
    }
    int type = 1;
    if (word.size() > 1 && (word[0] == 'T' || word[0] == 'D' || word[0] == 'S')) {
        type = word[0] == 'T' ? 3 : word[0] == 'D' ? 2 : 1;
        word.erase(0, 1);
    }
    if (word.empty() || word.size() > 2 ||
        !std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const dartS dart{type, std::stoi(word)};
    return isValidTarget(dart) ? std::optional(dart) : std::nullopt;
}

}  // namespace

std::optional<std::vector<dartS>> parseDartNotation(const std::string& text, std::string& bad) {
    std::vector<dartS> darts;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find_first_of(" ,\t", at);
        const std::string word = text.substr(at, end == std::string::npos ? end : end - at);
        at = end == std::string::npos ? text.size() : end + 1;
        if (word.empty()) {
            continue;
        }
        const std::optional<dartS> dart = dartFromWord(word);
        if (!dart) {
            bad = word;
            return std::nullopt;
        }
        darts.push_back(*dart);
    }
    return darts;
}

std::string routeText(const std::vector<dartS>& route) {
    std::string text;
    for (const dartS& dart : route) {
        text += (text.empty() ? "" : " ") + dartNotation(dart);
    }
    return text;
}

}  // namespace qm
