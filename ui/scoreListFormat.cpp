#include "ui/scoreListFormat.h"

#include <cstdio>

namespace qm {

namespace {

int digits(int value) {
    return static_cast<int>(std::to_string(value).size());
}

std::string blanks(int count) {
    return std::string(static_cast<std::size_t>(std::max(count, 0)), ' ');
}

std::string field3(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%3d", value);
    return text;
}

}  // namespace

std::vector<std::string> scoreListLines(const ScoreBoardC& board) {
    std::vector<std::string> lines;
    const auto& history = board.remainingHistory();
    for (int i = 0; i < board.historyPos(); ++i) {
        const int before = history[i];
        const int points = before - history[i + 1];
        lines.push_back(blanks(4 - digits(before)) + field3(before) + blanks(9 - digits(points)) +
                        field3(points));
    }
    const std::string left = std::to_string(board.remaining());
    lines.push_back(blanks(4 - digits(board.remaining())) +
                    blanks(3 - static_cast<int>(left.size())) + left);
    return lines;
}

}  // namespace qm
