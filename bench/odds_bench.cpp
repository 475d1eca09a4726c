// The time to one match-odds figure, as the window asks for it: 501, best of 11 legs, from the
// first visit, and at a later state. Prints the best and the median of a few rounds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "game/matchOdds.h"

namespace {

void timeFigure(const char* what, const qm::oddsQuestionS& question) {
    std::vector<double> seconds;
    double chance = 0.0;
    for (int round = 0; round < 9; ++round) {
        const auto start = std::chrono::steady_clock::now();
        chance = qm::matchOdds(question)->chance[0];
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        seconds.push_back(took.count());
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("%-44s best %6.1f ms  median %6.1f ms  (%lld continuations, player 1 %.1f%%)\n",
                what, 1000.0 * seconds.front(), 1000.0 * seconds[seconds.size() / 2],
                question.continuations, 100.0 * chance);
}

}  // namespace

int main() {
    qm::oddsQuestionS question;
    question.startScore = 501;
    question.bestOfLegs = 11;
    question.strengths = {40, 40};
    question.state.remaining = {501, 501};
    timeFigure("501, best of 11, 40 v 40, first visit", question);
    question.state.remaining = {321, 381};
    question.state.legs = {3, 2};
    question.state.toThrow = 1;
    timeFigure("the same at 3-2 in legs, 321 v 381 left", question);
    return 0;
}
