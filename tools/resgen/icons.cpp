#include "tools/resgen/icons.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <cmath>
#include <vector>

#include "tools/resgen/boardColours.h"

namespace qm::resgen {

namespace {

constexpr int iconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr double surroundRadius = 190.0;  // board units; the double ring ends at 169

// One filled piece of the board: a ring segment between two radii and two angles (degrees,
// anticlockwise from the right, y upwards), or a whole disc when the angles span the circle.
struct piece {
    double inner, outer, from, to;
    palette::rgb colour;
};

std::vector<piece> boardPieces() {
    std::vector<piece> pieces{{0.0, surroundRadius, 0.0, 360.0, palette::surround}};
    // Outer single, double, treble and inner single rings, sector by sector.
    const struct {
        double inner, outer;
        bool single;
    } rings[] = {
        {105.0, 159.0, true}, {159.0, 169.0, false}, {95.0, 105.0, false}, {17.0, 95.0, true}};
    for (const auto& ring : rings) {
        for (int sector = 0; sector < 20; ++sector) {
            const bool dark = palette::isDarkSector(sector);
            const palette::rgb colour = ring.single
                                            ? (dark ? palette::darkSegment : palette::lightSegment)
                                            : (dark ? palette::redRing : palette::greenRing);
            pieces.push_back(
                {ring.inner, ring.outer, 18.0 * sector - 9.0, 18.0 * sector + 9.0, colour});
        }
    }
    pieces.push_back({0.0, 17.0, 0.0, 360.0, palette::greenRing});
    pieces.push_back({0.0, 7.5, 0.0, 360.0, palette::redRing});
    return pieces;
}

// Board units to icon units: the surround fills the icon with a small margin; y points down.
QPointF at(double radius, double degrees, double size) {
    const double scale = size / 2.0 / (surroundRadius + 4.0);
    const double radians = degrees * M_PI / 180.0;
    return {size / 2.0 + radius * std::cos(radians) * scale,
            size / 2.0 - radius * std::sin(radians) * scale};
}

QPainterPath pathOf(const piece& p, double size) {
    const double scale = size / 2.0 / (surroundRadius + 4.0);
    QPainterPath path;
    const QPointF centre(size / 2.0, size / 2.0);
    if (p.to - p.from >= 360.0) {
        path.addEllipse(centre, p.outer * scale, p.outer * scale);
        return path;
    }
    const QRectF outer(centre.x() - p.outer * scale, centre.y() - p.outer * scale,
                       2 * p.outer * scale, 2 * p.outer * scale);
    const QRectF inner(centre.x() - p.inner * scale, centre.y() - p.inner * scale,
                       2 * p.inner * scale, 2 * p.inner * scale);
    path.moveTo(at(p.outer, p.from, size));
    path.arcTo(outer, p.from, p.to - p.from);
    path.arcTo(inner, p.to, p.from - p.to);
    path.closeSubpath();
    return path;
}

QImage pngIcon(const std::vector<piece>& pieces, int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (const piece& p : pieces) {
        painter.setBrush(QColor(p.colour.r, p.colour.g, p.colour.b));
        painter.drawPath(pathOf(p, size));
    }
    return image;
}

QString svgIcon(const std::vector<piece>& pieces) {
    constexpr double size = 256.0;
    const double scale = size / 2.0 / (surroundRadius + 4.0);
    QString svg;
    QTextStream out(&svg);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
           "viewBox=\"0 0 256 256\">\n";
    for (const piece& p : pieces) {
        const QString fill = QColor(p.colour.r, p.colour.g, p.colour.b).name();
        if (p.to - p.from >= 360.0) {
            out << "  <circle cx=\"128\" cy=\"128\" r=\"" << p.outer * scale << "\" fill=\"" << fill
                << "\"/>\n";
            continue;
        }
        const QPointF a = at(p.outer, p.from, size);
        const QPointF b = at(p.outer, p.to, size);
        const QPointF c = at(p.inner, p.to, size);
        const QPointF d = at(p.inner, p.from, size);
        // Anticlockwise on the board is counter-clockwise on screen: sweep flag 0 outside.
        out << "  <path fill=\"" << fill << "\" d=\"M" << a.x() << ' ' << a.y() << " A"
            << p.outer * scale << ' ' << p.outer * scale << " 0 0 0 " << b.x() << ' ' << b.y()
            << " L" << c.x() << ' ' << c.y() << " A" << p.inner * scale << ' ' << p.inner * scale
            << " 0 0 1 " << d.x() << ' ' << d.y() << " Z\"/>\n";
    }
    out << "</svg>\n";
    return svg;
}

}  // namespace

bool writeIcons(const QString& dir, const QString& appId) {
    const std::vector<piece> pieces = boardPieces();
    const QDir root(dir);
    bool ok = true;
    for (const int size : iconSizes) {
        const QString folder = QStringLiteral("hicolor/%1x%1/apps").arg(size);
        ok = root.mkpath(folder) && ok;
        ok = pngIcon(pieces, size)
                 .save(root.filePath(folder + QLatin1Char('/') + appId + QStringLiteral(".png"))) &&
             ok;
    }
    ok = root.mkpath(QStringLiteral("hicolor/scalable/apps")) && ok;
    QFile svg(
        root.filePath(QStringLiteral("hicolor/scalable/apps/") + appId + QStringLiteral(".svg")));
    ok = svg.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
         svg.write(svgIcon(pieces).toUtf8()) > 0 && ok;
    return ok;
}

}  // namespace qm::resgen
