#include "computer/normalScatter.h"

#include <algorithm>
#include <cmath>

namespace qm {

namespace {

// The chance that a normal variable of mean `mean` and deviation `sigma` lies below x.
double below(double x, double mean, double sigma) {
    return 0.5 * std::erfc(-(x - mean) / (sigma * std::sqrt(2.0)));
}

// The chances of unit cells centred on whole numbers, from -reach to reach.
std::vector<float> cellChances(double mean, double sigma, int reach) {
    std::vector<float> w;
    double sum = 0.0;
    for (int k = -reach; k <= reach; ++k) {
        const double c = below(k + 0.5, mean, sigma) - below(k - 0.5, mean, sigma);
        w.push_back(static_cast<float>(c));
        sum += c;
    }
    for (float& c : w) {
        c = static_cast<float>(c / sum);
    }
    return w;
}

}  // namespace

bool normalScatterS::usable() const {
    return std::isfinite(biasX) && std::isfinite(biasY) && sigmaX > 0.0 && sigmaY > 0.0 &&
           std::isfinite(sigmaX) && std::isfinite(sigmaY) && rho > -1.0 && rho < 1.0;
}

boardPointS normalScatterS::offset(double z1, double z2) const {
    return {static_cast<float>(biasX + sigmaX * z1),
            static_cast<float>(biasY + sigmaY * (rho * z1 + std::sqrt(1.0 - rho * rho) * z2))};
}

scatterAxesS principalAxes(const normalScatterS& scatter) {
    const double sxx = scatter.sigmaX * scatter.sigmaX;
    const double syy = scatter.sigmaY * scatter.sigmaY;
    const double sxy = scatter.rho * scatter.sigmaX * scatter.sigmaY;
    const double theta = 0.5 * std::atan2(2.0 * sxy, sxx - syy);
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    return {theta, std::sqrt(std::max(1e-9, sxx * c * c + 2.0 * sxy * s * c + syy * s * s)),
            std::sqrt(std::max(1e-9, sxx * s * s - 2.0 * sxy * s * c + syy * c * c))};
}

const boardRasterC& boardRasterC::instance() {
    static const boardRasterC raster;
    return raster;
}

boardRasterC::boardRasterC() {
    const virtualBoardC board;
    const int side = 2 * half + 1;
    slots_.resize(static_cast<std::size_t>(side) * static_cast<std::size_t>(side));
    for (int j = 0; j < side; ++j) {
        for (int i = 0; i < side; ++i) {
            const dartS hit = board.getHit(
                {static_cast<float>((i - half) * step), static_cast<float>((j - half) * step)});
            slots_[static_cast<std::size_t>(j * side + i)] =
                static_cast<std::uint8_t>(outcomeSlot(hit));
        }
    }
}

scatterChancesC::scatterChancesC(const normalScatterS& scatter, const virtualBoardC& board)
    : scatter_(scatter), board_(&board) {
    const double h = std::clamp(std::min(scatter.sigmaX, scatter.sigmaY) / 10.0, 0.25, 0.5);
    const int nx = static_cast<int>(std::ceil(4.5 * scatter.sigmaX / h));
    const int ny = static_cast<int>(std::ceil(4.5 * scatter.sigmaY / h));
    const double r2 = 1.0 - scatter.rho * scatter.rho;
    double sum = 0.0;
    for (int j = -ny; j <= ny; ++j) {
        const double b = j * h / scatter.sigmaY;
        for (int i = -nx; i <= nx; ++i) {
            const double a = i * h / scatter.sigmaX;
            const double q = (a * a - 2.0 * scatter.rho * a * b + b * b) / r2;
            if (q > 20.25) {
                continue;  // beyond 4.5 deviations: a share of the density below 1e-4
            }
            const double w = std::exp(-0.5 * q);
            weights_.push_back({static_cast<float>(scatter.biasX + i * h),
                                static_cast<float>(scatter.biasY + j * h), w});
            sum += w;
        }
    }
    for (weightS& w : weights_) {
        w.weight /= sum;
    }
}

std::array<double, 4 * 26> scatterChancesC::regionChances(boardPointS aim) const {
    const boardRasterC& raster = boardRasterC::instance();
    std::array<double, 4 * 26> chances{};
    for (const weightS& w : weights_) {
        chances[raster.slotAt(aim.x + w.dx, aim.y + w.dy)] += w.weight;
    }
    return chances;
}

double scatterChancesC::expectedPoints(boardPointS aim) const {
    const std::array<double, 4 * 26> chances = regionChances(aim);
    double points = 0.0;
    for (std::size_t slot = 0; slot < chances.size(); ++slot) {
        points += chances[slot] * boardRasterC::scoreOf(static_cast<std::uint8_t>(slot));
    }
    return points;
}

std::vector<hitChanceS> scatterChancesC::workOut(const dartS& target) const {
    return outcomesOf(regionChances(board_->getCoordinates(target.type, target.number)));
}

expectedMapS expectedPointsMap(const normalScatterS& scatter) {
    const boardRasterC& raster = boardRasterC::instance();
    // The scatter's own axes: u along them, v across.
    const scatterAxesS axes = principalAxes(scatter);
    const double c = std::cos(axes.angle);
    const double s = std::sin(axes.angle);
    const double su = axes.along;
    const double sv = axes.across;
    const double bu = scatter.biasX * c + scatter.biasY * s;
    const double bv = -scatter.biasX * s + scatter.biasY * c;

    // The board's points on the turned grid: every cell within the board's reach.
    constexpr int field = expectedMapS::half;
    constexpr int fieldSide = 2 * field + 1;
    std::vector<float> f(static_cast<std::size_t>(fieldSide * fieldSide), 0.0f);
    for (int i = -field; i <= field; ++i) {
        for (int j = -field; j <= field; ++j) {
            if (i * i + j * j > 172 * 172) {
                continue;  // the corners lie off the board, whichever way the grid turns
            }
            int sum = 0;
            for (int a = 0; a < 4; ++a) {
                for (int b = 0; b < 4; ++b) {
                    const double u = i + (a + 0.5) / 4.0 - 0.5;
                    const double v = j + (b + 0.5) / 4.0 - 0.5;
                    sum += boardRasterC::scoreOf(raster.slotAt(u * c - v * s, u * s + v * c));
                }
            }
            f[static_cast<std::size_t>((i + field) * fieldSide + (j + field))] =
                static_cast<float>(sum) / 16.0f;
        }
    }

    // Aim cells cover the board's square whichever way the grid turns.
    constexpr int aim = 242;
    constexpr int aimSide = 2 * aim + 1;
    const int ku = static_cast<int>(std::ceil(4.5 * su + std::abs(bu))) + 1;
    const int kv = static_cast<int>(std::ceil(4.5 * sv + std::abs(bv))) + 1;
    const std::vector<float> wu = cellChances(bu, su, ku);
    const std::vector<float> wv = cellChances(bv, sv, kv);

    // Along v: g(i, j) for every field row i and every aim column j.
    std::vector<float> g(static_cast<std::size_t>(fieldSide * aimSide), 0.0f);
    for (int i = 0; i < fieldSide; ++i) {
        const float* from = &f[static_cast<std::size_t>(i * fieldSide)];
        float* to = &g[static_cast<std::size_t>(i * aimSide)];
        for (int l = -kv; l <= kv; ++l) {
            const float w = wv[static_cast<std::size_t>(l + kv)];
            // Aim column j reads field column j + l: both within their grids.
            const int first = std::max(-aim, -field - l);
            const int last = std::min(aim, field - l);
            for (int j = first; j <= last; ++j) {
                to[j + aim] += w * from[j + l + field];
            }
        }
    }
    // Along u: e(i, j) for every aim cell.
    std::vector<float> e(static_cast<std::size_t>(aimSide * aimSide), 0.0f);
    for (int i = -aim; i <= aim; ++i) {
        float* to = &e[static_cast<std::size_t>((i + aim) * aimSide)];
        const int first = std::max(-ku, -field - i);
        const int last = std::min(ku, field - i);
        for (int k = first; k <= last; ++k) {
            const float w = wu[static_cast<std::size_t>(k + ku)];
            const float* from = &g[static_cast<std::size_t>((i + k + field) * aimSide)];
            for (int j = 0; j < aimSide; ++j) {
                to[j] += w * from[j];
            }
        }
    }

    // Back onto the board's grid, between the four nearest turned cells.
    expectedMapS map;
    map.points.resize(static_cast<std::size_t>(expectedMapS::side * expectedMapS::side));
    const auto cell = [&e](int i, int j) {
        return e[static_cast<std::size_t>((i + aim) * aimSide + (j + aim))];
    };
    for (int y = -expectedMapS::half; y <= expectedMapS::half; ++y) {
        for (int x = -expectedMapS::half; x <= expectedMapS::half; ++x) {
            const double u = x * c + y * s;
            const double v = -x * s + y * c;
            const int i = static_cast<int>(std::floor(u));
            const int j = static_cast<int>(std::floor(v));
            const auto fu = static_cast<float>(u - i);
            const auto fv = static_cast<float>(v - j);
            const float value = (1 - fu) * ((1 - fv) * cell(i, j) + fv * cell(i, j + 1)) +
                                fu * ((1 - fv) * cell(i + 1, j) + fv * cell(i + 1, j + 1));
            map.points[static_cast<std::size_t>((y + expectedMapS::half) * expectedMapS::side +
                                                (x + expectedMapS::half))] = value;
        }
    }
    return map;
}

bestAimS bestAim(const scatterChancesC& chances, const expectedMapS& map,
                 const virtualBoardC& board) {
    const auto best = std::max_element(map.points.begin(), map.points.end());
    const auto at = static_cast<int>(best - map.points.begin());
    const boardPointS aim{static_cast<float>(at % expectedMapS::side - expectedMapS::half),
                          static_cast<float>(at / expectedMapS::side - expectedMapS::half)};
    return {aim, chances.expectedPoints(aim), chances.expectedPoints(board.getCoordinates(3, 20)),
            chances.expectedPoints(board.getCoordinates(3, 19))};
}

}  // namespace qm
