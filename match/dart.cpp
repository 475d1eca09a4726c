#include "match/dart.h"

#include <iostream>
#include <sstream>

namespace qm {

namespace {

constexpr dartS unreadableDart{1, 0};

void reportUnreadable(const std::string& text) {
    std::cout << "Error in string2dart, while converting: " << text << std::endl;
}

}  // namespace

dartS string2dart(std::string text) {
    const auto blank = text.find(' ');
    if (blank == std::string::npos) {
        reportUnreadable(text);
        return unreadableDart;
    }

    const std::string word = text.substr(0, blank);
    std::int32_t type = 1;
    if (word == "Single") {
        type = 1;
    } else if (word == "Double") {
        type = 2;
    } else if (word == "Triple") {
        type = 3;
    } else {
        // A misspelt type word still gives a usable target.
        std::cout << "unknown type: " << word << std::endl;
    }

    std::istringstream rest(text.substr(blank + 1));
    std::int32_t number = 0;
    if (!(rest >> number)) {
        reportUnreadable(text);
        return unreadableDart;
    }
    return dartS{type, number};
}

}  // namespace qm
