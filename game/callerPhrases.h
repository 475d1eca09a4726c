#pragma once

#include <string>
#include <vector>

#include "computer/vPlayerC.h"

namespace qm {

// What the caller says, as a match caller says it. The words are English whatever the
// desktop's language: that is how darts is called.

// 0 to 999 in words, British style: "one hundred and eighty".
std::string numberWords(int n);

// A visit's score: "sixty", "one hundred and eighty!", "no score" for a bust or nothing.
std::string scoreCall(int points);

// "Ann, you require 32" when the chart can finish the score (2 to 170, not the impossible
// ones); empty otherwise.
std::string requireCall(const vPlayerC& chart, const std::string& name, int remaining);

// At a checkout: "Game shot, and the match", "Game shot, and the set", or "Game shot, and
// the first leg" with the leg's number within its set.
std::string gameShotCall(int legOfSet, bool setWon, bool matchWon);

inline const std::string gameOnCall = "Game on";

// The calls after a visit that did not end the leg: its score, then what the player to throw
// next requires, if anything.
std::vector<std::string> visitCalls(const vPlayerC& chart, int points, const std::string& nextName,
                                    int nextRemaining);

}  // namespace qm
