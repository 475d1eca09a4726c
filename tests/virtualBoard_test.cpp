#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "computer/virtualBoardC.h"

using qm::boardPointS;
using qm::dartS;
using qm::virtualBoardC;

namespace {
const virtualBoardC board;
}

TEST(VirtualBoard, AimPointsOfTargets) {
    const auto t20 = board.getCoordinates(3, 20);
    EXPECT_NEAR(t20.x, 0.0f, 1e-4);
    EXPECT_NEAR(t20.y, 100.0f, 1e-4);
    const auto d6 = board.getCoordinates(2, 6);
    EXPECT_FLOAT_EQ(d6.x, 164.0f);
    EXPECT_FLOAT_EQ(d6.y, 0.0f);
    const auto outerBull = board.getCoordinates(1, 25);
    EXPECT_NEAR(outerBull.x, -12.25f, 1e-4);
    EXPECT_NEAR(outerBull.y, 0.0f, 1e-4);
    EXPECT_EQ(board.getCoordinates(2, 25), (boardPointS{0.0f, 0.0f}));
    const auto s20 = board.getCoordinates(1, 20);
    EXPECT_NEAR(s20.y, 135.0f, 1e-4);
    EXPECT_EQ(board.getHit(outerBull), (dartS{1, 25}));
    EXPECT_EQ(board.getHit({0.0f, 0.0f}), (dartS{2, 25}));
}

TEST(VirtualBoard, EveryTargetsAimPointHitsIt) {
    for (int type = 1; type <= 3; ++type) {
        for (int number = 1; number <= 20; ++number) {
            EXPECT_EQ(board.getHit(board.getCoordinates(type, number)), (dartS{type, number}));
        }
    }
    for (int k = 0; k < 20; ++k) {
        EXPECT_EQ(board.segmentAngle(board.sectorNumber(k)), 18 * k);
    }
}

TEST(VirtualBoard, RingLimitsBelongToTheRingOutside) {
    // Each edge from both sides, in sector 6 (along +x) and sector 3 (along -y): the limit
    // itself and a hair above belong to the ring outside, a hair below to the ring inside.
    struct edgeCase {
        float radius;
        int insideType, outsideType;
        bool bullInside, bullOutside;
    };
    for (const auto& e :
         {edgeCase{7.5f, 2, 1, true, true}, edgeCase{17.0f, 1, 1, true, false},
          edgeCase{95.0f, 1, 3, false, false}, edgeCase{105.0f, 3, 1, false, false},
          edgeCase{159.0f, 1, 2, false, false}, edgeCase{169.0f, 2, 0, false, false}}) {
        for (const auto& [dx, dy, number] :
             {std::tuple{1.0f, 0.0f, 6}, std::tuple{0.0f, -1.0f, 3}}) {
            auto at = [&, dx = dx, dy = dy](float r) { return board.getHit({dx * r, dy * r}); };
            const dartS inside{e.insideType, e.bullInside ? 25 : number};
            const dartS outside{e.outsideType, e.bullOutside ? 25 : number};
            EXPECT_EQ(at(e.radius - 0.01f), inside) << e.radius;
            EXPECT_EQ(at(e.radius), outside) << e.radius;
            EXPECT_EQ(at(e.radius + 0.01f), outside) << e.radius;
        }
    }
    EXPECT_EQ(board.getHit({200.0f, 0.0f}).score(), 0);
}

TEST(VirtualBoard, SectorEdgesFromBothSides) {
    // Half a degree either side of every sector edge, at the treble ring: the sector edges lie
    // at 9 + 18k degrees, and sector k is centred on 18k degrees.
    for (int k = 0; k < 20; ++k) {
        const double edge = 9.0 + 18.0 * k;
        for (const auto& [offset, sector] : {std::pair{-0.5, k}, std::pair{0.5, (k + 1) % 20}}) {
            const double radians = (edge + offset) * 3.141592653589793 / 180.0;
            const boardPointS point{static_cast<float>(100.0 * std::cos(radians)),
                                    static_cast<float>(100.0 * std::sin(radians))};
            EXPECT_EQ(board.getHit(point), (dartS{3, board.sectorNumber(sector)})) << edge + offset;
        }
    }
}

TEST(VirtualBoard, PolarAnglesInAllFourQuadrants) {
    EXPECT_EQ(board.getHit({0.0f, -100.0f}), (dartS{3, 3}));
    EXPECT_EQ(board.getHit({0.0f, 100.0f}), (dartS{3, 20}));
    EXPECT_EQ(board.getHit({-100.0f, 0.0f}), (dartS{3, 11}));
    struct polarCase {
        boardPointS point;
        double angle;
    };
    for (const auto& c : {polarCase{{10.0f, 10.0f}, 45.0}, polarCase{{-10.0f, 10.0f}, 135.0},
                          polarCase{{-10.0f, -10.0f}, 225.0}, polarCase{{10.0f, -10.0f}, 315.0},
                          polarCase{{0.0f, -3.0f}, 270.0}}) {
        const auto polar = virtualBoardC::toPolar(c.point);
        EXPECT_NEAR(polar.angle, c.angle, 1e-6);
    }
    EXPECT_DOUBLE_EQ(virtualBoardC::toPolar({3.0f, -4.0f}).distance, 5.0);
}

TEST(VirtualBoard, PointsOnTheDiagonalsFallAsThePinnedConstantsGive) {
    // 45 degrees plus half a sector is 54: exactly three sectors on paper, so the last bits of
    // the angle decide between neighbours. With these constants 45 and 225 degrees come out a
    // hair low (the sector below wins); 135 and 315 do not.
    EXPECT_EQ(board.getHit({13.0f, 13.0f}), (dartS{1, 4}));
    EXPECT_EQ(board.getHit({-13.0f, -13.0f}), (dartS{1, 16}));
    EXPECT_EQ(board.getHit({-13.0f, 13.0f}), (dartS{1, 9}));
    EXPECT_EQ(board.getHit({13.0f, -13.0f}), (dartS{1, 15}));
}

TEST(VirtualBoard, InvalidTargetsAimAtTheCentreWithADiagnostic) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(board.getCoordinates(3, 25), (boardPointS{0.0f, 0.0f}));
    EXPECT_EQ(board.getCoordinates(1, 21), (boardPointS{}));
    EXPECT_EQ(board.getCoordinates(1, -5), (boardPointS{}));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "virtualBoardC::getCoordinates invalid type\n"
              "virtualBoardC::getCoordinates invalid number: 21\n"
              "virtualBoardC::getCoordinates invalid number: -5\n");
    // An invalid type with a real number aims like a single.
    EXPECT_EQ(board.getCoordinates(7, 20), board.getCoordinates(1, 20));
    EXPECT_EQ(board.getCoordinates(0, 20), board.getCoordinates(1, 20));
}
