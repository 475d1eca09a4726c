#include "tools/resgen/pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>

#include "computer/virtualBoardC.h"
#include "tools/resgen/boardColours.h"

namespace qm::resgen {

namespace {

constexpr int boardSize = 357;
constexpr double centreX = 174.5;  // the middle of pixel (174, 176)
constexpr double centreY = 176.5;
constexpr double unitsPerPixel = 169.0 / 125.0;
constexpr double surroundUnits = 228.0;  // the black ring that carries the numbers
constexpr double wireHalfWidth = 0.55;   // board units
constexpr int samples = 4;               // per pixel and axis

QColor toColor(palette::rgb c) {
    return QColor(c.r, c.g, c.b);
}

palette::rgb colourAt(const virtualBoardC& board, double x, double y) {
    const double r = std::hypot(x, y);
    if (r >= 169.0) {
        return palette::surround;
    }
    for (const double ring : {7.5, 17.0, 95.0, 105.0, 159.0}) {
        if (std::fabs(r - ring) < wireHalfWidth) {
            return palette::wire;
        }
    }
    const dartS hit = board.getHit({static_cast<float>(x), static_cast<float>(y)});
    if (hit.number == 25) {
        return hit.type == 2 ? palette::redRing : palette::greenRing;
    }
    // Wires between the sectors: distance from the nearest sector edge.
    const double degrees = std::atan2(y, x) * 180.0 / M_PI;
    const double fromEdge = std::fmod(degrees + 9.0 + 720.0, 18.0);
    const double edgeDistance = std::min(fromEdge, 18.0 - fromEdge) * M_PI / 180.0 * r;
    if (r > 17.0 && edgeDistance < wireHalfWidth) {
        return palette::wire;
    }
    int sector = 0;
    while (board.sectorNumber(sector) != hit.number) {
        ++sector;
    }
    const bool dark = palette::isDarkSector(sector);
    if (hit.type == 1) {
        return dark ? palette::darkSegment : palette::lightSegment;
    }
    return dark ? palette::redRing : palette::greenRing;
}

void drawNumbers(QImage& image, const virtualBoardC& board) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(15);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(toColor(palette::numberText));
    const double radius = (169.0 + surroundUnits) / 2.0 / unitsPerPixel;
    for (int number = 1; number <= 20; ++number) {
        const double angle = board.segmentAngle(number) * M_PI / 180.0;
        const QPointF at(centreX + radius * std::cos(angle), centreY - radius * std::sin(angle));
        const QRectF box(at.x() - 14.0, at.y() - 10.0, 28.0, 20.0);
        painter.drawText(box, Qt::AlignCenter, QString::number(number));
    }
}

QImage caption(int width, int height, const QString& text, const QColor& top,
               const QColor& bottom) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(toColor(palette::transparentKey));
    QPainter painter(&image);
    // The outline is drawn without smoothing so that no pixel mixes with the transparent colour.
    QLinearGradient fill(0, 0, 0, height);
    fill.setColorAt(0.0, top);
    fill.setColorAt(1.0, bottom);
    painter.setPen(QPen(bottom.darker(140), 1));
    painter.setBrush(fill);
    painter.drawRect(2, 2, width - 5, height - 5);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(2, 2, width - 4, height - 4), Qt::AlignCenter, text);
    return image;
}

QImage banner() {
    QImage image(100, 560, QImage::Format_RGB32);
    image.fill(toColor(palette::transparentKey));
    QPainter painter(&image);
    QLinearGradient fill(0, 0, 100, 0);
    fill.setColorAt(0.0, QColor(20, 90, 50));
    fill.setColorAt(1.0, QColor(10, 50, 28));
    painter.setPen(QPen(QColor(200, 30, 40), 3));
    painter.setBrush(fill);
    painter.drawRect(6, 6, 86, 546);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(44);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(236, 222, 186));
    painter.translate(50, 280);
    painter.rotate(-90);
    painter.drawText(QRect(-270, -30, 540, 60), Qt::AlignCenter, QStringLiteral("QUIVERMARK"));
    return image;
}

QImage frame() {
    QImage image(137, 409, QImage::Format_RGB32);
    image.fill(toColor(palette::transparentKey));
    QPainter painter(&image);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(20, 90, 50), 4));
    painter.drawRect(2, 2, 132, 404);
    painter.setPen(QPen(QColor(200, 30, 40), 2));
    painter.drawRect(7, 7, 122, 394);
    return image;
}

QImage applicationIcon(const QImage& board) {
    QImage icon(128, 128, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QPainterPath circle;
    circle.addEllipse(QPointF(64, 64), 62, 62);
    painter.setClipPath(circle);
    const QRectF source(centreX - 167.0, centreY - 167.0, 334.0, 334.0);
    painter.drawImage(QRectF(2, 2, 124, 124), board, source);
    return icon;
}

}  // namespace

QImage drawBoard() {
    const virtualBoardC board;
    QImage image(boardSize, boardSize, QImage::Format_RGB32);
    const double surroundPixels = surroundUnits / unitsPerPixel;
    for (int py = 0; py < boardSize; ++py) {
        for (int px = 0; px < boardSize; ++px) {
            const double dx = px + 0.5 - centreX;
            const double dy = py + 0.5 - centreY;
            if (std::hypot(dx, dy) >= surroundPixels) {
                image.setPixelColor(px, py, toColor(palette::transparentKey));
                continue;
            }
            int r = 0, g = 0, b = 0;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const double x = (px + (sx + 0.5) / samples - centreX) * unitsPerPixel;
                    const double y = -(py + (sy + 0.5) / samples - centreY) * unitsPerPixel;
                    const palette::rgb c = colourAt(board, x, y);
                    r += c.r;
                    g += c.g;
                    b += c.b;
                }
            }
            constexpr int n = samples * samples;
            image.setPixelColor(px, py, QColor(r / n, g / n, b / n));
        }
    }
    drawNumbers(image, board);
    return image;
}

bool writePictures(const QString& dir) {
    const QImage board = drawBoard();
    const QColor green(30, 120, 65);
    const QColor darkGreen(12, 60, 32);
    const QColor red(205, 45, 50);
    const QColor darkRed(120, 20, 25);
    const std::array<std::pair<const char*, QImage>, 11> pictures{{
        {"BOARD", board},
        {"QUIVERMARK", banner()},
        {"AI", caption(80, 30, QStringLiteral("Computer"), red, darkRed)},
        {"INFO", caption(80, 30, QStringLiteral("Board"), green, darkGreen)},
        {"HUMAN", caption(80, 30, QStringLiteral("Human"), red, darkRed)},
        {"FRAME", frame()},
        {"STATS_SELECT", caption(90, 30, QStringLiteral("Player"), green, darkGreen)},
        {"STATS_PPD", caption(60, 30, QStringLiteral("PPD"), red, darkRed)},
        {"STATS_LEGS", caption(60, 30, QStringLiteral("Legs"), red, darkRed)},
        {"STATS_INFO", caption(55, 30, QStringLiteral("Other"), red, darkRed)},
        {"ICON", applicationIcon(board)},
    }};
    bool ok = true;
    for (const auto& [name, image] : pictures) {
        ok =
            image.save(dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png")) && ok;
    }
    return ok;
}

}  // namespace qm::resgen
