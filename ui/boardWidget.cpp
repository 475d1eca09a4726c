#include "ui/boardWidget.h"

#include <QMouseEvent>

namespace qm {

namespace {

// The board picture's square in the client area, and its bull.
constexpr QRect pictureSquare(341, 10, 357, 357);
constexpr float bullX = 515.0f;
constexpr float bullY = 186.0f;

void paintMarks(QPainter& painter, const boardWidget::marksS& marks) {
    static const QColor dartColours[] = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255)};
    painter.setPen(Qt::black);
    for (std::size_t k = 0; k < marks.darts.size() && k < 3; ++k) {
        const auto window = boardWidget::boardToWindow(marks.darts[k]);
        painter.setBrush(dartColours[k]);
        const int left = static_cast<int>(window.x - 3);
        const int top = static_cast<int>(window.y - 3);
        const int right = static_cast<int>(window.x + 3);
        const int bottom = static_cast<int>(window.y + 3);
        painter.drawEllipse(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
    }
    if (!marks.aim) {
        return;
    }
    const auto window = boardWidget::boardToWindow(*marks.aim);
    const int x = static_cast<int>(window.x);
    const int y = static_cast<int>(window.y);
    painter.setPen(QPen(QColor(0, 255, 0), 1));
    painter.setBrush(Qt::NoBrush);
    for (const double r : {15.0, 30.0}) {
        const QPoint topLeft(static_cast<int>(window.x - r), static_cast<int>(window.y - r));
        const QPoint bottomRight(static_cast<int>(window.x + r), static_cast<int>(window.y + r));
        painter.drawEllipse(QRect(topLeft, bottomRight - QPoint(1, 1)));
    }
    painter.drawLine(x, static_cast<int>(window.y - 35), x, static_cast<int>(window.y + 35));
    painter.drawLine(static_cast<int>(window.x - 35), y, static_cast<int>(window.x + 35), y);
}

}  // namespace

boardWidget::boardWidget(const virtualBoardC& board, QWidget* parent)
    : QWidget(parent), board_(board) {
    setObjectName(QStringLiteral("Board"));
    setGeometry(pictureSquare);
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("Dartboard"));
}

windowPointS boardWidget::boardToWindow(boardPointS point) {
    return {bullX + point.x * 125.0 * (1.0 / 169.0), bullY - point.y * 125.0 * (1.0 / 169.0)};
}

boardPointS boardWidget::windowToBoard(int windowX, int windowY) {
    return {static_cast<float>((windowX - bullX) * 1.352),
            static_cast<float>((windowY - bullY) * -1.352)};
}

void boardWidget::addLayer(layer paint) {
    layers_.push_back(std::move(paint));
    update();
}

void boardWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.translate(-pos());  // the layers draw in the client area's pixels
    if (marks) {
        paintMarks(painter, marks());
    }
    for (const layer& paint : layers_) {
        painter.save();
        paint(painter);
        painter.restore();
    }
}

void boardWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint() + pos();
    const double dx = at.x() - bullX;
    const double dy = at.y() - bullY;
    if (dx * dx + dy * dy > pictureRadius * pictureRadius) {
        event->ignore();  // beside the board: not a dart
        return;
    }
    if (event->button() == Qt::RightButton && onTakeBack) {
        onTakeBack();
    } else if (event->button() == Qt::LeftButton && onDart) {
        const boardPointS point = windowToBoard(at.x(), at.y());
        onDart(point, board_.getHit(point));
    }
}

void boardWidget::mouseMoveEvent(QMouseEvent* event) {
    if (onPointer) {
        onPointer(event->position().toPoint() + pos());
    }
}

}  // namespace qm
