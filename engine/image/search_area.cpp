#include "image/search_area.h"

#include <algorithm>
#include <cstdint>

namespace tavix::image {

namespace {

struct Span {
    std::int64_t first;
    std::int64_t last;
};

// One axis of the rectangle, its ends in order, cut to [0, extent).
Span clipSpan(std::int64_t a, std::int64_t b, int extent)
{
    Span span = (b - a + 1 < 0) ? Span{b, a} : Span{a, b};
    span.first = std::max<std::int64_t>(span.first, 0);
    span.last = std::min<std::int64_t>(span.last, std::int64_t(extent) - 1);
    return span;
}

}  // namespace

QRect searchArea(const Corners& c, const QSize& size)
{
    const bool whole = std::int64_t(c.x2) == std::int64_t(c.x1) - 1
        && std::int64_t(c.y2) == std::int64_t(c.y1) - 1;
    if (whole)
        return QRect(QPoint(0, 0), size);
    const Span x = clipSpan(c.x1, c.x2, size.width());
    const Span y = clipSpan(c.y1, c.y2, size.height());
    if (x.first > x.last || y.first > y.last)
        return QRect();
    return QRect(QPoint(int(x.first), int(y.first)), QPoint(int(x.last), int(y.last)));
}

}  // namespace tavix::image
