#include "computer/virtualBoardC.h"

#include <cmath>
#include <iostream>

namespace qm {

namespace {

// The constants are kept exactly as the game has always used them, so that a landing point on a
// sector's edge falls the same way every time.
constexpr double pi = 3.141592654;
constexpr double twoPi = 6.283185308;

constexpr double bullsEyeRadius = 7.5;
constexpr double outerBullRadius = 17.0;
constexpr double innerSingleRadius = 95.0;
constexpr double tripleRadius = 105.0;
constexpr double outerSingleRadius = 159.0;
constexpr double doubleRadius = 169.0;

constexpr float outerBullAim = 12.25f;
constexpr float doubleAim = 164.0f;
constexpr float tripleAim = 100.0f;
constexpr float singleAim = 135.0f;

}  // namespace

virtualBoardC::virtualBoardC()
    : segmentAngle_{0,   72,  306, 270, 36,  108, 0,   234, 198, 144, 342,
                    180, 126, 18,  162, 324, 216, 288, 54,  252, 90},
      sectorNumber_{6, 13, 4, 18, 1, 20, 5, 12, 9, 14, 11, 8, 16, 7, 19, 3, 17, 2, 15, 10} {
    for (int type = 1; type <= 3; ++type) {
        for (int number = 1; number <= 20; ++number) {
            aimPoints_[type][number] = computeCoordinates(type, number);
        }
    }
    aimPoints_[1][25] = computeCoordinates(1, 25);
    aimPoints_[2][25] = computeCoordinates(2, 25);
}

boardPointS virtualBoardC::computeCoordinates(int type, int number) const {
    if (number == 25) {
        float radius = 0.0f;
        if (type == 1) {
            radius = outerBullAim;
        } else if (type != 2) {
            std::cout << "virtualBoardC::getCoordinates invalid type" << std::endl;
        }
        return fromPolar(radius, 180.0f);
    }
    if (number < 1 || number > 20) {
        // Only the checkout chart supplies targets; anything else is a programming error, but
        // it must not read past the angle table.
        std::cout << "virtualBoardC::getCoordinates invalid number: " << number << std::endl;
        return boardPointS{};
    }
    const auto angle = static_cast<float>(segmentAngle_[number]);
    const float radius = type == 2 ? doubleAim : type == 3 ? tripleAim : singleAim;
    return fromPolar(radius, angle);
}

boardPointS virtualBoardC::fromPolar(float radius, float angle) {
    const double radians = static_cast<double>(angle) * twoPi * (1.0 / 360.0);
    return {static_cast<float>(radius * std::cos(radians)),
            static_cast<float>(radius * std::sin(radians))};
}

polarS virtualBoardC::toPolar(boardPointS point) {
    const double x = point.x;
    const double y = point.y;
    if (x == 0.0) {
        return {std::fabs(y), y >= 0.0 ? 90.0 : 270.0};
    }
    double radians = 0.0;
    if (x >= 0.0 && y >= 0.0) {
        radians = std::atan(y / x);
    } else if (x < 0.0 && y >= 0.0) {
        radians = pi - std::atan(y / -x);
    } else if (x < 0.0 && y < 0.0) {
        radians = pi + std::atan(y / x);
    } else {
        radians = twoPi - std::atan(-y / x);
    }
    return {std::sqrt(x * x + y * y), radians * 360.0 * (1.0 / twoPi)};
}

dartS virtualBoardC::getHit(boardPointS point) const {
    const polarS polar = toPolar(point);
    double shifted = polar.angle + 9.0;
    if (shifted >= 360.0) {
        shifted -= 360.0;
    }
    int sector = static_cast<int>(shifted / 18.0);
    if (sector < 0 || sector > 19) {
        sector = 0;  // only reachable through rounding at 360 degrees exactly
    }
    const int number = sectorNumber_[sector];
    const double r = polar.distance;
    if (r < bullsEyeRadius) {
        return {2, 25};
    }
    if (r < outerBullRadius) {
        return {1, 25};
    }
    if (r < innerSingleRadius) {
        return {1, number};
    }
    if (r < tripleRadius) {
        return {3, number};
    }
    if (r < outerSingleRadius) {
        return {1, number};
    }
    if (r < doubleRadius) {
        return {2, number};
    }
    return {0, number};
}

}  // namespace qm
