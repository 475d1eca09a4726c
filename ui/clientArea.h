#pragma once

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <functional>

namespace qm {

// The main window's client area: it hands painting, clicks and mouse moves to the window, which
// knows what to draw and what the mouse is over.
class clientArea final : public QWidget {
  public:
    explicit clientArea(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

    std::function<void(QPainter&)> onPaint;
    std::function<void(QPoint)> onMouseMove;
    std::function<void(QPoint, Qt::MouseButton)> onMousePress;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (onPaint) {
            onPaint(painter);
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (onMousePress) {
            onMousePress(event->position().toPoint(), event->button());
        }
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (onMouseMove) {
            onMouseMove(event->position().toPoint());
        }
    }
};

}  // namespace qm
