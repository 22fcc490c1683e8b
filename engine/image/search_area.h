// Search rectangles given as corners, clipped to the picture searched.
#pragma once

#include <QRect>

#include "tavix/corners.hpp"

namespace tavix::image {

// The part of `corners` inside a picture of `size`, with the meaning of Qt's
// rectangle intersection (reversed corners are swapped); the null rectangle
// gives the whole picture and an empty intersection a null QRect. Computed in
// 64 bits, so that no corner values can overflow.
QRect searchArea(const Corners& corners, const QSize& size);

}  // namespace tavix::image
