#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "computer/dartChances.h"
#include "computer/virtualBoardC.h"

namespace qm {

// A player's own scatter: where their darts land around the point they aim at, as a
// two-dimensional normal distribution in board units. The bias is the mean offset from the
// aim point, the spread two deviations and their correlation.
struct normalScatterS {
    double biasX = 0.0;
    double biasY = 0.0;
    double sigmaX = 1.0;
    double sigmaY = 1.0;
    double rho = 0.0;

    // Deviations above 0 and a correlation strictly between -1 and 1: a distribution at all.
    [[nodiscard]] bool usable() const;
    // The offset of a dart from two independent standard normal draws.
    [[nodiscard]] boardPointS offset(double z1, double z2) const;
    friend bool operator==(const normalScatterS&, const normalScatterS&) = default;
};

// The scatter's own axes: along `angle` (radians, anticlockwise from the x axis) the deviation
// `along`, across it `across`, and no correlation between the two.
struct scatterAxesS {
    double angle = 0.0;
    double along = 0.0;
    double across = 0.0;
};
[[nodiscard]] scatterAxesS principalAxes(const normalScatterS& scatter);

// The board's regions on a quarter-unit raster: a point's region by a table read instead of
// a hit test, for the sums below that ask for millions of them. Built once for the process.
class boardRasterC {
  public:
    static constexpr double step = 0.25;
    static constexpr int half = 680;  // cells from the centre to the edge: 170 board units

    [[nodiscard]] static const boardRasterC& instance();
    // The region of the cell the point lies in, as a slot of the outcome table (miss 0).
    [[nodiscard]] std::uint8_t slotAt(double x, double y) const {
        const long i = lround(x / step) + half;
        const long j = lround(y / step) + half;
        if (i < 0 || j < 0 || i > 2 * half || j > 2 * half) {
            return 0;
        }
        return slots_[static_cast<std::size_t>(j * (2 * half + 1) + i)];
    }
    [[nodiscard]] static int scoreOf(std::uint8_t slot) { return (slot / 26) * (slot % 26); }

  private:
    boardRasterC();
    static long lround(double v) { return static_cast<long>(v < 0 ? v - 0.5 : v + 0.5); }
    std::vector<std::uint8_t> slots_;
};

// What one dart aimed at a point gives under a scatter: the chance of every region, summed
// over the scatter's density on a grid fine beside its deviations (a tenth of the narrower
// one, from a quarter to half a unit: the rings are ten wide), the region of each grid point read
// off the raster. Nothing is drawn: the same scatter always gives the same figures.
class scatterChancesC final : public dartOutcomesC {
  public:
    scatterChancesC(const normalScatterS& scatter, const virtualBoardC& board);

    [[nodiscard]] std::array<double, 4 * 26> regionChances(boardPointS aim) const;
    // The points one dart aimed at `aim` scores on average.
    [[nodiscard]] double expectedPoints(boardPointS aim) const;
    [[nodiscard]] const normalScatterS& scatter() const { return scatter_; }

  private:
    [[nodiscard]] std::vector<hitChanceS> workOut(const dartS& target) const override;

    struct weightS {
        float dx;
        float dy;
        double weight;
    };
    normalScatterS scatter_;
    const virtualBoardC* board_;
    std::vector<weightS> weights_;  // the density's grid, offsets with the bias, adding up to 1
};

// The expected points of one dart at every aim point of a 1-unit grid over the board.
struct expectedMapS {
    static constexpr int half = 170;
    static constexpr int side = 2 * half + 1;
    std::vector<float> points;  // row by row from y = -half up, x = -half to half within a row

    [[nodiscard]] float at(int x, int y) const {
        return points[static_cast<std::size_t>((y + half) * side + (x + half))];
    }
};

// The map worked out as one smoothing of the board's points by the scatter: along the
// scatter's own axes the density falls apart into two one-dimensional ones, so the board's
// points are laid on a grid turned to those axes (each cell the average of sixteen raster
// reads), smoothed along one axis and then the other, and read back onto the board's grid
// between the four nearest cells.
[[nodiscard]] expectedMapS expectedPointsMap(const normalScatterS& scatter);

// Where one dart scores most on average under a scatter, beside the treble 20 and 19.
struct bestAimS {
    boardPointS aim;
    double points = 0.0;
    double treble20 = 0.0;
    double treble19 = 0.0;
};
// The map's highest point, its figure summed straight at that point.
[[nodiscard]] bestAimS bestAim(const scatterChancesC& chances, const expectedMapS& map,
                               const virtualBoardC& board);

}  // namespace qm
