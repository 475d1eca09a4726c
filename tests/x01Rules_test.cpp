// The x01 rules, exhaustively: every visit of up to three darts, of every kind a dart can score,
// from every score a leg can be on (2 to 230, past the 170 where finishing stops), through the
// dart path and as a typed total, and the computer's visit beside them.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <span>
#include <vector>

#include "computer/ComputerVisitC.h"
#include "match/x01Rules.h"

using namespace qm;

namespace {

// The 63 kinds: a miss, every ring of 1 to 20, the outer bull and the bull's eye.
std::vector<dartS> everyDart() {
    std::vector<dartS> darts{{0, 0}, {1, 25}, {2, 25}};
    for (int number = 1; number <= 20; ++number) {
        for (int type = 1; type <= 3; ++type) {
            darts.push_back({type, number});
        }
    }
    return darts;
}

struct walkS {
    x01Result result = x01Result::scores;
    int darts = 0;
    int total = 0;
};

// The rule as a player states it: a dart that leaves exactly 0 on a double wins the leg; one
// that leaves less than 0, leaves 1, or leaves 0 off a double busts; the visit ends there.
walkS asAPlayerSaysIt(int start, std::span<const dartS> darts) {
    walkS walk;
    for (const dartS& dart : darts) {
        ++walk.darts;
        walk.total += dart.score();
        const int rest = start - walk.total;
        if (rest == 0 && dart.type == 2) {
            walk.result = x01Result::checksOut;
            return walk;
        }
        if (rest < 0 || rest == 1 || rest == 0) {
            walk.result = x01Result::busts;
            return walk;
        }
    }
    return walk;
}

}  // namespace

TEST(X01Rules, EveryVisitOfUpToThreeDartsFromEveryScore) {
    const std::vector<dartS> kinds = everyDart();
    ASSERT_EQ(kinds.size(), 63u);
    for (int start = 2; start <= 230; ++start) {
        int fewest = 0;  // the fewest darts any visit checked out with
        std::array<dartS, 3> darts{};
        // Checks the visit of the first n darts; false when it ended before its last dart.
        const auto check = [&](std::size_t n) {
            const std::span<const dartS> visit(darts.data(), n);
            const walkS expected = asAPlayerSaysIt(start, visit);
            const x01VisitS played = applyX01Visit(start, visit);
            EXPECT_EQ(played.result, expected.result) << start;
            EXPECT_EQ(played.darts, expected.darts) << start;
            EXPECT_EQ(played.total, expected.total) << start;
            EXPECT_EQ(played.points, expected.result == x01Result::busts ? 0 : expected.total);
            // Typed as a total: the same wherever a total can tell. Reaching 0 off a double is
            // a checkout to a total that darts ending on a double could have made.
            const x01Result typed = applyX01Total(start, played.total);
            const bool offADouble = expected.result == x01Result::busts && played.total == start;
            const x01Result told = isFinishable(start) ? x01Result::checksOut : x01Result::busts;
            EXPECT_EQ(typed, offADouble ? told : expected.result)
                << start << " total " << played.total;
            // The computer's visit hands the board a total whose points are the visit's own.
            dartOutcomeS computer;
            computer.remaining = start;
            for (const dartS& dart : visit) {
                computer = applyDart(computer.total, computer.remaining, dart);
            }
            EXPECT_EQ(computer.goesOn, expected.result == x01Result::scores);
            const x01Result board = applyX01Total(start, computer.total);
            EXPECT_EQ(
                board == x01Result::scores || board == x01Result::checksOut ? computer.total : 0,
                played.points)
                << start;
            if (expected.result == x01Result::checksOut && (fewest == 0 || played.darts < fewest)) {
                fewest = played.darts;
            }
            return expected.result == x01Result::scores;
        };
        for (const dartS& first : kinds) {
            darts[0] = first;
            if (!check(1)) {
                continue;  // the visit ended: no second dart is thrown
            }
            for (const dartS& second : kinds) {
                darts[1] = second;
                if (!check(2)) {
                    continue;
                }
                for (const dartS& third : kinds) {
                    darts[2] = third;
                    check(3);
                }
            }
        }
        // The fewest darts to finish are the fewest any visit took; 0 where none could.
        ASSERT_EQ(dartsToFinish(start), fewest) << start;
        ASSERT_EQ(isFinishable(start), fewest != 0) << start;
    }
}

TEST(X01Rules, ValidTargetsAndTotalsAtTheirEdges) {
    for (const dartS& dart : everyDart()) {
        EXPECT_TRUE(isValidTarget(dart)) << dart.type << " " << dart.number;
    }
    for (const dartS& dart :
         {dartS{3, 25}, dartS{1, 0}, dartS{1, 21}, dartS{2, 24}, dartS{4, 1}, dartS{-1, 1}}) {
        EXPECT_FALSE(isValidTarget(dart)) << dart.type << " " << dart.number;
    }
    EXPECT_TRUE(isValidTarget({0, 7}));  // a miss, whatever number came with it
    // What three darts can make as a total, at both ends.
    EXPECT_TRUE(isThreeDartTotal(0) && isThreeDartTotal(180) && isThreeDartTotal(177));
    EXPECT_FALSE(isThreeDartTotal(-1) || isThreeDartTotal(181) || isThreeDartTotal(179) ||
                 isThreeDartTotal(163));
    // The game's lists for typed totals: refused from any score, and checkouts that bust.
    const std::set<int> refused{-1, 166, 169, 172, 173, 175, 176, 178, 179, 181};
    const std::set<int> unfinishable{159, 162, 163, 165, 168, 169};  // and all above 170
    for (int total = -1; total <= 181; ++total) {
        EXPECT_EQ(applyX01Total(501, total) == x01Result::refused, refused.count(total) == 1);
        if (total >= 158 && total <= 180) {
            const bool busts = total > 170 || unfinishable.count(total) == 1;
            EXPECT_EQ(applyX01Total(total, total), busts ? x01Result::busts : x01Result::checksOut)
                << total;
        }
    }
    EXPECT_EQ(applyX01Total(100, 179), x01Result::busts);  // the overshoot is seen first
}
