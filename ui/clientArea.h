#pragma once

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <functional>

namespace qm {

// The main window's client area: it hands painting and mouse moves to the window, which knows
// what to draw and what the mouse is over.
class clientArea final : public QWidget {
  public:
    explicit clientArea(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

    std::function<void(QPainter&)> onPaint;
    std::function<void(QPoint)> onMouseMove;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (onPaint) {
            onPaint(painter);
        }
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (onMouseMove) {
            onMouseMove(event->position().toPoint());
        }
    }
};

}  // namespace qm
