// Pixel memory of a QImage seen by OpenCV as blue, green, red, alpha bytes.
#pragma once

#include <QImage>
#include <opencv2/core.hpp>

namespace tavix::image {

// A 4-byte-per-pixel matrix over an image's own pixels (no copy, the image's
// own row stride). Images of another layout (8-bit gray, 24-bit RGB, RGBA
// byte order, premultiplied) are converted to 32-bit ARGB first, so that they
// are not read wrongly; the view then keeps the converted copy alive.
class BgraView {
public:
    explicit BgraView(const QImage& image);

    const cv::Mat& mat() const { return mat_; }
    const QImage& image() const { return image_; }

private:
    QImage image_;
    cv::Mat mat_;
};

// Whether `image` already has the blue, green, red, alpha layout.
bool isBgra(const QImage& image);

// A deep copy of `mat` (8-bit, `channels` per pixel as `format` needs) as an
// image of `format`; a null image when the matrix does not fit the format.
QImage imageFromMat(const cv::Mat& mat, QImage::Format format);

// Images the engine builds are limited to this many bytes of pixels: a result
// of a caller's made-up size must not exhaust memory.
constexpr qint64 kMaxResultBytes = qint64(1) << 30;

// A new image of `size` in `format` whose pixels OpenCV can write directly;
// null (and a log line) beyond kMaxResultBytes or when Qt cannot allocate it.
QImage blankImage(const cv::Size& size, QImage::Format format);
cv::Mat writableMat(QImage& image);

}  // namespace tavix::image
