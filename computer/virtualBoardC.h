#pragma once

#include <array>

#include "match/dart.h"

namespace qm {

// A point on the board in board units: origin at the bull's centre, x to the right, y upwards,
// the double ring's outer edge at 169.
struct boardPointS {
    float x = 0.0f;
    float y = 0.0f;
    boardPointS() = default;
    boardPointS(float px, float py) : x(px), y(py) {}
    friend bool operator==(const boardPointS&, const boardPointS&) = default;
};

struct polarS {
    double distance = 0.0;
    double angle = 0.0;  // degrees, anticlockwise from the positive x axis, in [0, 360)
};

// The geometry of the dartboard: where a target lies, and which target a point lies in.
class virtualBoardC {
  public:
    virtualBoardC();

    // The aim point of a target. A number outside 1 to 20 and 25 writes a diagnostic line and
    // aims at the centre.
    [[nodiscard]] boardPointS getCoordinates(int type, int number) const {
        const bool cached = type >= 1 && type <= 3 &&
                            ((number >= 1 && number <= 20) || (number == 25 && type != 3));
        return cached ? aimPoints_[static_cast<std::size_t>(type)][static_cast<std::size_t>(number)]
                      : computeCoordinates(type, number);
    }
    [[nodiscard]] dartS getHit(boardPointS point) const;

    [[nodiscard]] static boardPointS fromPolar(float radius, float angle);
    [[nodiscard]] static polarS toPolar(boardPointS point);

    [[nodiscard]] int segmentAngle(int number) const { return segmentAngle_[number]; }
    [[nodiscard]] int sectorNumber(int sector) const { return sectorNumber_[sector]; }

  private:
    [[nodiscard]] boardPointS computeCoordinates(int type, int number) const;

    std::array<int, 21> segmentAngle_{};
    std::array<int, 20> sectorNumber_{};
    // Aim points of single, double and triple 1 to 20 and the bull, worked out once: the
    // computer asks for one twice per dart.
    std::array<std::array<boardPointS, 26>, 4> aimPoints_{};
};

}  // namespace qm
