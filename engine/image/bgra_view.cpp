#include "image/bgra_view.h"

#include <cstring>

namespace tavix::image {

namespace {

int matType(QImage::Format format)
{
    switch (format) {
    case QImage::Format_Grayscale8:
        return CV_8UC1;
    case QImage::Format_RGB888:
        return CV_8UC3;
    default:
        return CV_8UC4;
    }
}

}  // namespace

bool isBgra(const QImage& image)
{
    return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
}

BgraView::BgraView(const QImage& image)
    : image_(isBgra(image) || image.isNull() ? image : image.convertToFormat(QImage::Format_ARGB32))
{
    if (image_.isNull())
        return;
    // constBits() keeps a shared image from detaching: the view only reads.
    mat_ = cv::Mat(image_.height(), image_.width(), CV_8UC4,
                   const_cast<uchar*>(image_.constBits()), std::size_t(image_.bytesPerLine()));
}

QImage blankImage(const cv::Size& size, QImage::Format format)
{
    if (size.width <= 0 || size.height <= 0)
        return {};
    // Pixels first, then against the byte limit per pixel: width * height * depth
    // of two large sides would overflow even 64 bits.
    const qint64 pixels = qint64(size.width) * size.height;
    const int depth = std::max(1, QImage::toPixelFormat(format).bitsPerPixel() / 8);
    if (pixels > kMaxResultBytes / depth) {
        qWarning("Refusing to build a %d x %d picture: larger than %lld MiB", size.width,
                 size.height, kMaxResultBytes >> 20);
        return {};
    }
    QImage image(size.width, size.height, format);
    if (image.isNull())
        qWarning("Out of memory for a %d x %d picture", size.width, size.height);
    return image;
}

cv::Mat writableMat(QImage& image)
{
    if (image.isNull())
        return {};
    return cv::Mat(image.height(), image.width(), matType(image.format()), image.bits(),
                   std::size_t(image.bytesPerLine()));
}

QImage imageFromMat(const cv::Mat& mat, QImage::Format format)
{
    if (mat.empty() || mat.type() != matType(format))
        return {};
    QImage result = blankImage(mat.size(), format);
    if (result.isNull())
        return {};
    const std::size_t rowBytes = std::size_t(mat.cols) * mat.elemSize();
    for (int row = 0; row < mat.rows; ++row)
        std::memcpy(result.scanLine(row), mat.ptr(row), rowBytes);
    return result;
}

}  // namespace tavix::image
