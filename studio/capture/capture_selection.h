// The selection of the capture overlay without any widget: the two corners a
// drag defines, the handles that resize it and the move that keeps it on the
// grab. The overlay feeds it mouse positions and paints what it holds.
#pragma once

#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <array>

namespace vantor {

// What lies under the mouse, in the order the hover test tries them.
enum class CaptureHandle {
    TopRight = 0,
    TopLeft = 1,
    BottomLeft = 2,
    BottomRight = 3,
    Inside = 4,
    None = 5
};

class CaptureSelection {
public:
    explicit CaptureSelection(QSize bounds);

    // A press: the start corner while the first drag is under way (left button),
    // otherwise the origin of the next adjusting drag.
    void press(QPoint at, bool leftButton);
    // A move with the left button held: the end corner while selecting, else the
    // drag of the handle found by the last hover.
    void drag(QPoint to);
    // A move without the left button: finds the handle under the mouse.
    CaptureHandle hover(QPoint at);
    // Ends the first drag; later releases change nothing.
    void release() { selecting_ = false; }

    bool selecting() const { return selecting_; }
    CaptureHandle handle() const { return handle_; }
    QPoint start() const { return {x1_, y1_}; }
    QPoint end() const { return {x2_, y2_}; }
    // The selected area with its corners put in order (may be empty).
    QRect area() const;
    // The 6 x 6 squares on the corners, indexed by CaptureHandle 0 to 3.
    std::array<QRectF, 4> handleRects() const;

private:
    void moveBy(QPoint d);

    QSize bounds_;
    int x1_ = 0;
    int y1_ = 0;
    int x2_ = 0;
    int y2_ = 0;
    bool selecting_ = true;
    CaptureHandle handle_ = CaptureHandle::None;
    QPoint last_;
};

}  // namespace vantor
