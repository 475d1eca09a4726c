// The points-per-dart chart, painted from the layout the statistics window keeps, so that it
// survives being covered, uncovered or minimised; the practice view draws its scores alike.
#include <QPainter>

#include "stats/decimals.h"
#include "ui/statsWindow.h"

namespace qm {

namespace {

void textAt(QPainter& painter, int x, int y, const QString& text) {
    painter.drawText(QRect(x, y, 200, 40), Qt::AlignLeft | Qt::AlignTop, text);
}

}  // namespace

void paintSeriesChart(QPainter& painter, const ppdChartS& c, const QString& title, QDate start,
                      QDate end, const QFont& base, const QBrush& fill) {
    const int L = c.left;
    const int T = c.top;
    const int plotTop = c.y0 - ppdChartS::plotHeight;
    const int plotRight = c.x0 + ppdChartS::plotWidth;

    painter.setBrush(fill);
    painter.setPen(Qt::black);
    painter.drawLine(c.x0, plotTop, c.x0, c.y0);
    painter.drawLine(c.x0, c.y0, plotRight, c.y0);

    QFont heading = base;
    heading.setPointSize(12);
    heading.setBold(true);
    painter.setFont(heading);
    textAt(painter, L + 26, T + 3, title);
    textAt(painter, L + 717, T + 345, QStringLiteral("Time"));

    QFont small = base;
    small.setPointSize(8);
    small.setBold(false);
    painter.setFont(small);
    textAt(painter, L + 4, T + 28, QString::fromStdString(twoDecimals(c.highest)));
    if (c.showLowest) {
        textAt(painter, L + 4, c.yLow, QString::fromStdString(twoDecimals(c.lowest)));
    }
    painter.setPen(QColor(0, 128, 0));
    painter.drawLine(c.x0, plotTop, plotRight, plotTop);
    painter.drawLine(c.x0, c.yLow, plotRight, c.yLow);
    painter.setPen(Qt::black);
    textAt(painter, L + 4, T + 343, QStringLiteral("0.00"));
    textAt(painter, L + 36, T + 360, start.toString(QStringLiteral("dd-MM-yyyy")));
    textAt(painter, L + 663, T + 360, end.toString(QStringLiteral("dd-MM-yyyy")));

    const std::size_t points = std::min(c.xs.size(), c.ys.size());
    QPoint previous;
    for (std::size_t i = 0; i < points; ++i) {
        const QPoint point(c.xs[i], c.ys[i]);
        if (i == 0) {
            previous = point;
        }
        painter.setPen(QColor(255, 0, 0));
        painter.setBrush(QColor(255, 0, 0));
        painter.drawEllipse(QRect(point - QPoint(2, 2), point + QPoint(1, 1)));
        painter.setPen(QColor(0, 128, 0));
        painter.drawLine(previous, point);
        previous = point;
    }
}

void TForm4::paintChart(QPainter& painter) const {
    paintSeriesChart(painter, *chart_, QStringLiteral("ppd"), chartStart_, chartEnd_, font(),
                     palette().button());
}

}  // namespace qm
