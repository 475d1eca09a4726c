#include "stats/grafiekC.h"

namespace qm {

grafiekC::grafiekC(std::int32_t x0_, std::int32_t y0_, std::int32_t width_, std::int32_t height_,
                   double minValue_, double maxValue_, std::int32_t count_)
    : x0(x0_),
      y0(y0_),
      width(width_),
      height(height_),
      minValue(minValue_),
      maxValue(maxValue_),
      count(count_),
      yScale(maxValue_ == minValue_ ? 1.0 : height_ / (maxValue_ - minValue_)) {}

int grafiekC::computePoints(const std::vector<double>& series) {
    xs.clear();
    ys.clear();
    if (width / spacing < count) {
        // Too many legs for the width: take every ratio-th leg at a fixed spacing, each value
        // cut to whole points per dart before it is scaled.
        xStep = static_cast<float>(spacing);
        const auto n = static_cast<std::int32_t>(width / xStep + 1.0);
        const double ratio = static_cast<double>(count) / n;
        for (std::int32_t i = 0; i < n; ++i) {
            const auto index = static_cast<std::int32_t>(i * ratio);
            xs.push_back(static_cast<std::int32_t>(i * xStep + x0));
            if (index < count) {
                const auto value = static_cast<std::int32_t>(series[index] - minValue);
                ys.push_back(static_cast<std::int32_t>(y0 - value * yScale));
            }
        }
        return sampled;
    }
    xStep = count == 1 ? 1.0f : static_cast<float>(width) / static_cast<float>(count - 1);
    for (std::int32_t j = 0; j < count; ++j) {
        xs.push_back(static_cast<std::int32_t>(j * xStep + x0));
        ys.push_back(static_cast<std::int32_t>(y0 - (series[j] - minValue) * yScale));
    }
    return allPlotted;
}

ppdChartS layoutPpdChart(const std::vector<double>& series, int left, int top) {
    ppdChartS chart;
    chart.left = left;
    chart.top = top;
    chart.x0 = left + 36;
    chart.y0 = top + 355;
    for (const double value : series) {
        if (!(value >= chart.lowest)) {
            chart.lowest = value;
        }
        if (value > chart.highest) {
            chart.highest = value;
        }
    }
    grafiekC graph(chart.x0, chart.y0, ppdChartS::plotWidth, ppdChartS::plotHeight, 0.0,
                   chart.highest, static_cast<std::int32_t>(series.size()));
    graph.computePoints(series);
    chart.xs = std::move(graph.xs);
    chart.ys = std::move(graph.ys);
    const double scale = chart.highest == 0.0 ? 1.0 : ppdChartS::plotHeight / chart.highest;
    chart.yLow = chart.y0 - static_cast<int>(chart.lowest * scale);
    chart.showLowest = (chart.highest - chart.lowest) * scale > 20.0;
    return chart;
}

}  // namespace qm
