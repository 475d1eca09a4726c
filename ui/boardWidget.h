#pragma once

#include <QPainter>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "computer/virtualBoardC.h"

namespace qm {

// A point of the main window's client area, in pixels.
struct windowPointS {
    double x = 0.0;
    double y = 0.0;
};

// The dartboard as the main window shows it: where it lies on the screen, which dart a click
// on it hits, and what is drawn over the board picture, in layers: first the marks of a
// visit (the aim of the dart about to be thrown, and the darts thrown, in red, green and
// blue), then whatever a later feature adds (a heat map, a player's own darts).
//
// It lies over the board picture the window paints, and paints nothing else itself, so the
// picture keeps its place among the window's pictures.
class boardWidget final : public QWidget {
  public:
    boardWidget(const virtualBoardC& board, QWidget* parent);

    // The client area's pixel of a board point, and back: the bull at (515, 186), 125 pixels to
    // 169 board units, y upwards on the board and downwards on the screen.
    static windowPointS boardToWindow(boardPointS point);
    static boardPointS windowToBoard(int windowX, int windowY);

    // What the marks layer draws, asked for at every paint: the window decides from the game.
    struct marksS {
        std::optional<boardPointS> aim;
        std::vector<boardPointS> darts;  // the first three are drawn
    };
    std::function<marksS()> marks;

    // A layer paints in the client area's pixels (boardToWindow), over the marks and the layers
    // added before it.
    using layer = std::function<void(QPainter&)>;
    void addLayer(layer paint);

    // A left click on the board picture: where it landed and the dart that scores there. A
    // right click: take the last dart back. The mouse over the board, in the client area's
    // pixels. Clicks beside the board's circle are nobody's darts.
    std::function<void(boardPointS, dartS)> onDart;
    std::function<void()> onTakeBack;
    std::function<void(QPoint)> onPointer;

    // The board's circle on the picture, in pixels from the bull.
    static constexpr int pictureRadius = 170;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    const virtualBoardC& board_;
    std::vector<layer> layers_;
};

}  // namespace qm
