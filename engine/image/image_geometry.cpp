// Clip, resize, rotate and the gray conversions of the working image.
#include <QtGlobal>
#include <cstring>
#include <opencv2/imgproc.hpp>

#include "image/bgra_view.h"
#include "image/image_family.h"
#include "image/working_image.h"

namespace tavix::image {

namespace {

bool replaceIfBuilt(const QImage& result)
{
    if (result.isNull())
        return false;
    workingImage() = result;
    return true;
}

// The first `width` bytes of each of the first `height` rows of `converted`,
// as an 8-bit gray image; null when the conversion gave fewer bytes than that.
QImage grayFromRows(const cv::Mat& converted, int width, int height)
{
    const std::size_t rowBytes = std::size_t(converted.cols) * converted.elemSize();
    if (converted.rows < height || rowBytes < std::size_t(width)) {
        qWarning("The colour conversion does not give a picture of the image's size");
        return {};
    }
    QImage gray(width, height, QImage::Format_Grayscale8);
    if (gray.isNull())
        return {};
    for (int row = 0; row < height; ++row)
        std::memcpy(gray.scanLine(row), converted.ptr(row), std::size_t(width));
    return gray;
}

bool convertToGray(int code, int dstCn)
{
    if (!haveWorkingImage())
        return false;
    const BgraView view(workingImage());
    cv::Mat converted;
    cv::cvtColor(view.mat(), converted, code, dstCn);
    return replaceIfBuilt(grayFromRows(converted, view.mat().cols, view.mat().rows));
}

}  // namespace

bool clip(int x, int y, int w, int h)
{
    if (!haveWorkingImage())
        return false;
    const BgraView view(workingImage());
    const qint64 right = qint64(x) + w;
    const qint64 bottom = qint64(y) + h;
    if (x < 0 || y < 0 || w <= 0 || h <= 0 || right > view.mat().cols || bottom > view.mat().rows) {
        qWarning("The clip rectangle %d, %d, %d x %d is not inside the %d x %d image", x, y, w, h,
                 view.mat().cols, view.mat().rows);
        return false;
    }
    return replaceIfBuilt(imageFromMat(view.mat()(cv::Rect(x, y, w, h)), QImage::Format_ARGB32));
}

bool resize(int width, int height, int interpolation)
{
    if (!haveWorkingImage())
        return false;
    if (width <= 0 || height <= 0) {
        qWarning("Cannot resize to %d x %d pixels", width, height);
        return false;
    }
    const QImage rgb = workingImage().convertToFormat(QImage::Format_RGB888);
    const cv::Mat source(rgb.height(), rgb.width(), CV_8UC3, const_cast<uchar*>(rgb.constBits()),
                         std::size_t(rgb.bytesPerLine()));
    // OpenCV writes straight into the result image, which Qt refuses to
    // allocate beyond its size limit.
    QImage result = blankImage(cv::Size(width, height), QImage::Format_RGB888);
    if (result.isNull())
        return false;
    cv::Mat target = writableMat(result);
    cv::resize(source, target, target.size(), 0, 0, interpolation);
    return replaceIfBuilt(result);
}

bool rotate(int x, int y, int degree)
{
    if (!haveWorkingImage())
        return false;
    const QImage rgb = workingImage().convertToFormat(QImage::Format_RGB888);
    const cv::Mat source(rgb.height(), rgb.width(), CV_8UC3, const_cast<uchar*>(rgb.constBits()),
                         std::size_t(rgb.bytesPerLine()));
    cv::Mat bgra;
    cv::cvtColor(source, bgra, cv::COLOR_BGRA2RGBA);  // code 5: 3 to 4 channels, red and blue swapped
    const cv::Mat turn = cv::getRotationMatrix2D(cv::Point2f(float(x), float(y)), degree, 1.0);
    cv::Mat turned;
    cv::warpAffine(bgra, turned, turn, bgra.size(), cv::INTER_LINEAR, cv::BORDER_CONSTANT,
                   cv::Scalar(0, 0, 0, 0));
    cv::cvtColor(turned, turned, cv::COLOR_BGRA2RGBA);
    return replaceIfBuilt(imageFromMat(turned, QImage::Format_RGBA8888));
}

bool grayscale(int dstCn)
{
    return convertToGray(cv::COLOR_BGR2GRAY, dstCn);
}

bool cvtColor(int code, int dstCn)
{
    return convertToGray(code, dstCn);
}

}  // namespace tavix::image
