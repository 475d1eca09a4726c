#pragma once

#include <cstdint>
#include <vector>

namespace qm {

// Maps a series of values (one PPD per leg) to pixel positions in a plot area. Up to one point
// per two pixels is drawn; a longer series is sampled.
class grafiekC {
  public:
    grafiekC(std::int32_t x0, std::int32_t y0, std::int32_t width, std::int32_t height,
             double minValue, double maxValue, std::int32_t count);

    static constexpr int allPlotted = 1;
    static constexpr int sampled = 2;

    // Fills xs and ys; allPlotted when every value got a point, sampled otherwise.
    int computePoints(const std::vector<double>& series);

    std::int32_t x0;
    std::int32_t y0;
    std::int32_t width;
    std::int32_t height;
    double minValue;
    double maxValue;
    std::int32_t count;
    std::int32_t spacing = 2;
    float xStep = 0.0f;
    double yScale;
    std::vector<std::int32_t> xs;
    std::vector<std::int32_t> ys;
};

// Everything the statistics window paints for one chart, in pixels of the window: the chart
// frame's top-left corner is (left, top) and it is 761 by 377 pixels.
struct ppdChartS {
    static constexpr int frameWidth = 761;
    static constexpr int frameHeight = 377;
    static constexpr int plotWidth = 681;
    static constexpr int plotHeight = 327;

    int left = 0;
    int top = 0;
    int x0 = 0;
    int y0 = 0;
    double lowest = 999.9;
    double highest = 0.0;
    int yLow = 0;
    bool showLowest = false;  // the lowest label is left out when it would touch the highest
    std::vector<std::int32_t> xs;
    std::vector<std::int32_t> ys;
};

// Lays out the chart of a non-empty series in a frame at (left, top).
ppdChartS layoutPpdChart(const std::vector<double>& series, int left, int top);

}  // namespace qm
