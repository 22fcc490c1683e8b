// Joins two images side by side, or lays the smaller over the larger's centre.
#pragma once

#include <QImage>

namespace tavix::image {

// Where the second image goes relative to the first.
enum JoinDirection : int { SecondLeft = 3, SecondRight = 5, SecondAbove = 48, SecondBelow = 80 };

// Equal sizes: `second` joined to `first` as `direction` says ("Invalid
// direction specified!" and a null image for any other code). Unequal sizes:
// `direction` is ignored; the image of smaller area is shrunk to fit if need
// be and laid over the centre of the larger (`second` wins a tie). The result
// is a 32-bit ARGB image.
QImage joinImages(const QImage& first, const QImage& second, int direction);

}  // namespace tavix::image
