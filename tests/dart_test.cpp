#include <gtest/gtest.h>

#include "match/dart.h"

using qm::dartS;
using qm::string2dart;

TEST(String2Dart, ReadsEveryTypeWordAndTheBull) {
    EXPECT_EQ(string2dart("Triple 20"), (dartS{3, 20}));
    EXPECT_EQ(string2dart("Triple 20").score(), 60);
    EXPECT_EQ(string2dart("Double 16"), (dartS{2, 16}));
    EXPECT_EQ(string2dart("Single 5"), (dartS{1, 5}));
    EXPECT_EQ(string2dart("Single 25").score(), 25);
    EXPECT_EQ(string2dart("Double 25").score(), 50);
    // Text after the number is ignored; the range is not checked.
    EXPECT_EQ(string2dart("Triple 20 and more"), (dartS{3, 20}));
    EXPECT_EQ(string2dart("Triple 25"), (dartS{3, 25}));
}

// An unknown type word degrades to a single; unreadable text to a single 0; each says so.
TEST(String2Dart, UnknownOrUnreadableTextGivesASingleWithDiagnostic) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(string2dart("double 20"), (dartS{1, 20}));
    EXPECT_EQ(string2dart("Treble 19"), (dartS{1, 19}));
    EXPECT_EQ(string2dart("Triple20"), (dartS{1, 0}));
    EXPECT_EQ(string2dart("Double x"), (dartS{1, 0}));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "unknown type: double\nunknown type: Treble\n"
              "Error in string2dart, while converting: Triple20\n"
              "Error in string2dart, while converting: Double x\n");
}

TEST(DartScore, MissScoresNothingWhateverItsNumber) {
    EXPECT_EQ((dartS{0, 20}).score(), 0);
}
