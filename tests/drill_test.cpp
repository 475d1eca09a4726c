// The practice drills on scripted darts, at the edges of their rules.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "match/drill.h"
#include "match/x01Rules.h"

using namespace qm;

namespace {

// Darts in notation, as a visit list: "T20 T20 S1 | D25". M is a miss.
std::vector<std::vector<dartS>> visits(const std::string& text) {
    std::vector<std::vector<dartS>> out(1);
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        const std::string word = text.substr(at, end - at);
        at = end + 1;
        if (word == "|") {
            out.emplace_back();
        } else if (word == "M") {
            out.back().push_back({0, 0});
        } else if (!word.empty()) {
            const int type = word[0] == 'T' ? 3 : word[0] == 'D' ? 2 : 1;
            out.back().push_back({type, std::stoi(word.substr(1))});
        }
    }
    return out;
}

// Plays the visits; each must end exactly at its last dart.
drillC play(const drillSetupS& setup, const std::string& text) {
    drillC drill(setup);
    for (const auto& visit : visits(text)) {
        for (std::size_t k = 0; k < visit.size(); ++k) {
            EXPECT_EQ(drill.dart(visit[k]), k + 1 == visit.size()) << text << " dart " << k;
        }
    }
    return drill;
}

std::string repeat(const std::string& visit, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += (i ? " | " : "") + visit;
    }
    return out;
}

}  // namespace

TEST(Drills, AroundTheClockEndsOnTheBullEvenMidVisit) {
    // A miss, the 20 numbers and the bull: seven visits of three, and the bull the first dart
    // of the eighth, which it ends.
    std::string darts = "M";
    for (int n = 1; n <= 20; ++n) {
        darts += (n % 3 == 0 ? " | S" : " S") + std::to_string(n);
    }
    const drillC any = play({drillKind::aroundTheClock, 0}, darts + " | S25");
    EXPECT_TRUE(any.finished());
    EXPECT_EQ(any.score().value, 22);
    // The doubles variant takes the bull's eye only, the trebles variant either bull.
    drillC doubles({drillKind::aroundTheClock, 1});
    EXPECT_EQ(doubles.target(), (dartS{2, 1}));
    EXPECT_FALSE(doubles.dart({1, 1}));
    EXPECT_FALSE(doubles.dart({3, 1}));
    EXPECT_TRUE(doubles.dart({2, 1}));  // the visit's third dart
    EXPECT_EQ(doubles.target(), (dartS{2, 2}));
    drillC trebles({drillKind::aroundTheClock, 2});
    for (int n = 1; n <= 20; ++n) {
        trebles.dart({3, n});
    }
    EXPECT_FALSE(trebles.finished());
    EXPECT_TRUE(trebles.dart({0, 0}));   // the seventh visit's third dart
    EXPECT_TRUE(trebles.dart({1, 25}));  // the eighth's first, the outer bull: over
    EXPECT_TRUE(trebles.finished());
    EXPECT_EQ(trebles.score().darts, 22);
    EXPECT_THROW(trebles.dart({1, 1}), std::logic_error);
}

TEST(Drills, BobsTwentySevenAndItsFall) {
    // The score stays odd (27 and every double even), so it falls below 0, never to it: all
    // missed, 27 - 2 - 4 - 6 - 8 = 7 after D4, and D5 takes it to -3.
    const drillC fall = play({drillKind::bobs27}, repeat("M M M", 5));
    EXPECT_TRUE(fall.finished());
    EXPECT_TRUE(fall.score().lost);
    EXPECT_EQ(fall.score().round, 5);
    EXPECT_EQ(fall.score().value, -3);
    // One hit in a round keeps its value; two add it twice; the bull's eye round is worth 50.
    std::string all = "D1 D1 M | D2 M M";
    for (int n = 3; n <= 20; ++n) {
        all += " | D" + std::to_string(n) + " M M";
    }
    const drillC full = play({drillKind::bobs27}, all + " | D25 S25 M");
    EXPECT_TRUE(full.finished());
    EXPECT_FALSE(full.score().lost);
    EXPECT_EQ(full.score().round, 21);
    EXPECT_EQ(full.score().value, 27 + 2 + 420 + 50);
}

TEST(Drills, CheckoutOneTwentyOneBustsSuccessesAndTheSafePoint) {
    drillSetupS setup{drillKind::checkout121};
    setup.attempts = 3;
    // 121: a bust leaving 1 ends the visit at its second dart and the score goes back; then
    // T20 S11 Bull. 122 then: three visits missed, back to the safe point 122; then 122 again.
    const drillC drill = play(setup, "T20 T20 | T20 S11 D25 | M M M | M M M | M M M");
    EXPECT_EQ(drill.checkoutTarget(), 122);
    EXPECT_FALSE(drill.finished());
    const drillC done =
        play(setup, "T20 T20 | T20 S11 D25 | " + repeat("M M M", 3) + " | T20 T20 D1");
    EXPECT_TRUE(done.finished());
    EXPECT_EQ(done.score().value, 122);  // the highest checked out
    EXPECT_EQ(done.score().hits, 2);
    EXPECT_EQ(done.checkoutTarget(), 123);
    drillC bust(setup);
    EXPECT_FALSE(bust.dart({3, 20}));
    EXPECT_TRUE(bust.dart({3, 20}));  // 1 left: a bust ends the visit, its third dart lost
    EXPECT_EQ(bust.checkoutLeft(), 121);
    EXPECT_EQ(bust.dartsLeft(), 6);
}

TEST(Drills, DoublesRoundTheBoardAndScoringVisits) {
    drillSetupS round{drillKind::doubles, 0, 30};
    const drillC doubles = play(round, "D1 M D2 | M M M | " + repeat("M M M", 8));
    EXPECT_TRUE(doubles.finished());
    EXPECT_EQ(doubles.target(), (dartS{2, 3}));
    EXPECT_EQ(doubles.hitsBy()[1], 1);
    EXPECT_EQ(doubles.dartsBy()[2], 2);   // a miss at D2, then D2
    EXPECT_EQ(doubles.dartsBy()[3], 27);  // the rest at D3
    EXPECT_NEAR(doubles.score().value, 100.0 * 2 / 30, 1e-12);
    drillC wraps({drillKind::doubles, 0, 30});
    for (int n = 1; n <= 20; ++n) {
        wraps.dart({2, n});
    }
    wraps.dart({2, 25});
    EXPECT_EQ(wraps.target(), (dartS{2, 1}));  // round the board again after the bull
    EXPECT_THROW(drillC({drillKind::doubles, 21, 30}), std::invalid_argument);
    EXPECT_THROW(drillC({drillKind::doubles, 5, 31}), std::invalid_argument);

    // 100, 139 and 140 a visit, then 180s: each visit counted once, in its class.
    const drillC scoring =
        play({drillKind::scoring, 20},
             "T20 S20 S20 | T20 T20 S19 | T20 T20 S20 | " + repeat("T20 T20 T20", 30));
    EXPECT_TRUE(scoring.finished());
    EXPECT_EQ(scoring.highVisits(), (std::array<int, 3>{2, 1, 30}));
    EXPECT_EQ(scoring.score().hits, 1 + 2 + 2 + 90);
    EXPECT_NEAR(scoring.score().value, 3.0 * (100 + 139 + 140 + 30 * 180) / 99, 1e-9);
}

TEST(Drills, FinishesAreDrawnFromTheirRangeBySeed) {
    const std::array<std::pair<int, int>, 3> ranges{{{2, 40}, {41, 100}, {101, 170}}};
    for (int range = 0; range < 3; ++range) {
        const auto [low, high] = ranges[static_cast<std::size_t>(range)];
        drillSetupS setup{drillKind::finishes, range};
        setup.seed = 5;
        const drillC drill(setup);
        EXPECT_EQ(drill.finishes(), drillC(setup).finishes());  // the same seed, the same draws
        setup.seed = 6;
        EXPECT_NE(drill.finishes(), drillC(setup).finishes());
        for (const std::int32_t f : drill.finishes()) {
            EXPECT_TRUE(isFinishable(f));
            EXPECT_GE(f, low);
            EXPECT_LE(f, high);
        }
        EXPECT_EQ(drill.dartsLeft(), 3 * (range + 1));
    }
}
