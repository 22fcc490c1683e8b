#include "capture_selection.h"

#include <algorithm>
#include <cstdlib>

namespace vantor {

namespace {

// Points on a border do not count, so that a handle wins only well inside it.
bool strictlyInside(const QRectF& r, QPoint p)
{
    return p.x() > r.left() && p.x() < r.right() && p.y() > r.top() && p.y() < r.bottom();
}

}  // namespace

CaptureSelection::CaptureSelection(QSize bounds) : bounds_(bounds) {}

void CaptureSelection::press(QPoint at, bool leftButton)
{
    if (leftButton && selecting_) {
        x1_ = at.x();
        y1_ = at.y();
    } else {
        last_ = at;
    }
}

void CaptureSelection::drag(QPoint to)
{
    if (selecting_) {
        x2_ = to.x();
        y2_ = to.y();
        return;
    }
    const QPoint d = to - last_;
    switch (handle_) {
    case CaptureHandle::TopRight:
        y1_ += d.y();
        x2_ += d.x();
        break;
    case CaptureHandle::TopLeft:
        x1_ += d.x();
        y1_ += d.y();
        break;
    case CaptureHandle::BottomLeft:
        x1_ += d.x();
        y2_ += d.y();
        break;
    case CaptureHandle::BottomRight:
        x2_ += d.x();
        y2_ += d.y();
        break;
    case CaptureHandle::Inside: moveBy(d); break;
    case CaptureHandle::None: break;
    }
    last_ = to;
}

// The whole selection follows the mouse but stops at the edges of the grab
// with its size unchanged.
void CaptureSelection::moveBy(QPoint d)
{
    const int dx = std::clamp(d.x(), -std::min(x1_, x2_), bounds_.width() - std::max(x1_, x2_));
    const int dy = std::clamp(d.y(), -std::min(y1_, y2_), bounds_.height() - std::max(y1_, y2_));
    x1_ += dx;
    x2_ += dx;
    y1_ += dy;
    y2_ += dy;
}

CaptureHandle CaptureSelection::hover(QPoint at)
{
    const std::array<QRectF, 4> handles = handleRects();
    handle_ = CaptureHandle::None;
    for (int i = 0; i < 4; ++i) {
        if (strictlyInside(handles[static_cast<std::size_t>(i)], at)) {
            handle_ = static_cast<CaptureHandle>(i);
            return handle_;
        }
    }
    if (strictlyInside(QRectF(area()), at))
        handle_ = CaptureHandle::Inside;
    return handle_;
}

QRect CaptureSelection::area() const
{
    return QRect(std::min(x1_, x2_), std::min(y1_, y2_), std::abs(x2_ - x1_), std::abs(y2_ - y1_));
}

std::array<QRectF, 4> CaptureSelection::handleRects() const
{
    return {QRectF(x2_ - 3, y1_ - 3, 6, 6), QRectF(x1_ - 3, y1_ - 3, 6, 6),
            QRectF(x1_ - 3, y2_ - 3, 6, 6), QRectF(x2_ - 3, y2_ - 3, 6, 6)};
}

}  // namespace vantor
