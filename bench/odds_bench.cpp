// The time to one match-odds figure, as the window asks for it: 501, best of 11 legs, from the
// first visit, at a later state and part-way through a visit. Each figure is worked out exactly
// (the first time with the pair's tables, then from them) and by sampling, side by side.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

#include "game/exactOdds.h"
#include "game/matchOdds.h"

namespace {

using clockType = std::chrono::steady_clock;

double millisecondsSince(clockType::time_point start) {
    return std::chrono::duration<double, std::milli>(clockType::now() - start).count();
}

// Best and median of `rounds` timings of `figure`, which returns player 1's chance.
void timeFigure(const char* what, int rounds, const std::function<double()>& figure) {
    std::vector<double> times;
    double chance = 0.0;
    for (int round = 0; round < rounds; ++round) {
        const auto start = clockType::now();
        chance = figure();
        times.push_back(millisecondsSince(start));
    }
    std::sort(times.begin(), times.end());
    std::printf("  %-10s best %8.3f ms  median %8.3f ms  player 1 %.2f%%\n", what, times.front(),
                times[times.size() / 2], 100.0 * chance);
}

void compare(const char* what, const qm::oddsQuestionS& question) {
    std::printf("%s\n", what);
    qm::exactOddsC exact;
    const auto first = clockType::now();
    const double firstChance = exact.odds(question).chance[0];
    std::printf("  %-10s %8.3f ms the first time, tables included; player 1 %.2f%%\n", "exact",
                millisecondsSince(first), 100.0 * firstChance);
    timeFigure("exact", 101, [&] { return exact.odds(question).chance[0]; });
    if (!question.partWay) {
        timeFigure("sampled", 9, [&] { return qm::matchOdds(question)->chance[0]; });
    }
}

}  // namespace

int main() {
    qm::oddsQuestionS question;
    question.startScore = 501;
    question.bestOfLegs = 11;
    question.strengths = {40, 40};
    question.state.remaining = {501, 501};
    compare("501, best of 11, 40 v 40, first visit", question);
    question.state.remaining = {321, 381};
    question.state.legs = {3, 2};
    question.state.toThrow = 1;
    compare("the same at 3-2 in legs, 321 v 381 left", question);
    question.state.remaining = {321, 121};
    question.partWay = qm::visitPartWayS{181, 1};
    compare("the same, 121 left after one dart of a visit begun at 181", question);
    question.partWay.reset();
    question.strengths = {12, 55};
    question.state.remaining = {501, 501};
    question.state.legs = {0, 0};
    compare("12 v 55, first visit", question);
    return 0;
}
