#include <gtest/gtest.h>

#include "computer/hitTable.h"

using namespace qm;

// A table entry is the hit of the aim point plus that pair of offsets, for every pair a hand
// can throw: the table is only ever a faster getHit.
TEST(HitTable, EveryEntryIsTheHitTestsAnswer) {
    const virtualBoardC board;
    for (const int strength : {1, 7, 40, 60}) {
        const throwC hand(static_cast<float>(strength), throwC::seeding::keep);
        // Each table magnitude is one of the hand's offset values, and each value is used.
        for (int draw = 0; draw < throwC::expectedSpreadCount; ++draw) {
            const float value =
                throwC::axisOffset(hand.spreadTable()[draw], 1, static_cast<float>(strength));
            ASSERT_EQ(hand.axisOffsetOf(hand.axisState(draw, true)), value);
            ASSERT_EQ(hand.axisOffsetOf(hand.axisState(draw, false)), -value);
        }
        for (const dartS target :
             {dartS{3, 20}, dartS{2, 16}, dartS{1, 25}, dartS{2, 25}, dartS{1, 11}, dartS{3, 3}}) {
            const boardPointS aim = board.getCoordinates(target.type, target.number);
            const hitTableC table(hand, board, aim);
            ASSERT_EQ(table.entries(), hand.axisStateCount() * hand.axisStateCount());
            for (int x = 0; x < hand.axisStateCount(); ++x) {
                for (int y = 0; y < hand.axisStateCount(); ++y) {
                    const dartS plain =
                        board.getHit({aim.x + hand.axisOffsetOf(x), aim.y + hand.axisOffsetOf(y)});
                    ASSERT_EQ(table.hit(x, y), plain) << strength << " " << x << " " << y;
                }
            }
        }
    }
}
