// Search rectangles given as corners, clipped to the picture searched.
#pragma once

#include <QRect>

namespace tavix::image {

// Top-left and bottom-right pixel, both inside; x2 = x1 - 1 and y2 = y1 - 1
// (for example 0, 0, -1, -1) is the null rectangle: the whole picture.
struct Corners {
    int x1 = 0;
    int y1 = 0;
    int x2 = -1;
    int y2 = -1;
};

// The part of `corners` inside a picture of `size`, with the meaning of Qt's
// rectangle intersection (reversed corners are swapped); the null rectangle
// gives the whole picture and an empty intersection a null QRect. Computed in
// 64 bits, so that no corner values can overflow.
QRect searchArea(const Corners& corners, const QSize& size);

}  // namespace tavix::image
