// Filters of the working image: colour mask, Otsu binarisation, one-plane blurs.
#include <QColor>
#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>
#include <vector>

#include "image/bgra_view.h"
#include "image/colour_text.h"
#include "image/image_family.h"
#include "image/working_image.h"

namespace tavix::image {

namespace {

struct Interval {
    int low, high;
    bool contains(int v) const { return v >= low && v <= high; }
};

Interval around(int centre, int t)
{
    return {int(std::max<long long>((long long)centre - t, 0)),
            int(std::min<long long>((long long)centre + t, 255))};
}

// A kernel side beyond twice the picture's longer side only mirrors the same
// pixels again, at a cost that grows with its square: such kernels (given, or
// derived from a sigma as OpenCV does for 8-bit planes) are refused.
bool kernelFits(cv::Size kernel, double sigmaX, double sigmaY, const QSize& picture)
{
    const double limit = 2.0 * std::max(picture.width(), picture.height()) + 1;
    const auto side = [](int given, double sigma) {
        return given > 0 ? double(given) : std::abs(sigma) * 6 + 1;
    };
    const double width = side(kernel.width, sigmaX);
    const double height = side(kernel.height, sigmaY != 0 ? sigmaY : sigmaX);
    if (width <= limit && height <= limit)
        return true;
    qWarning("Refusing a %.0f x %.0f blur kernel: a %d x %d picture uses %.0f at most", width,
             height, picture.width(), picture.height(), limit);
    return false;
}

// Blurs plane `plane` of the working image's blue, green, red, alpha planes
// and leaves the merged result as a 32-bit ARGB working image.
bool blurPlane(int plane, cv::Size kernel, double sigmaX, double sigmaY, int border)
{
    if (!haveWorkingImage())
        return false;
    if (plane < 0 || plane > 3) {
        qWarning("No colour plane %d (0 blue, 1 green, 2 red, 3 alpha)", plane);
        return false;
    }
    if (!kernelFits(kernel, sigmaX, sigmaY, workingImage().size()))
        return false;
    const BgraView view(workingImage());
    std::vector<cv::Mat> planes;
    cv::split(view.mat(), planes);
    cv::GaussianBlur(planes[std::size_t(plane)], planes[std::size_t(plane)], kernel, sigmaX, sigmaY,
                     border);
    cv::Mat merged;
    cv::merge(planes, merged);
    const QImage result = imageFromMat(merged, QImage::Format_ARGB32);
    if (result.isNull())
        return false;
    workingImage() = result;
    return true;
}

}  // namespace

bool interval(const char* colorStr, int threshold)
{
    if (!haveWorkingImage())
        return false;
    const Rgb centre = namedColour(colorStr);
    const Interval red = around(centre.red, threshold);
    const Interval green = around(centre.green, threshold);
    const Interval blue = around(centre.blue, threshold);
    QImage mask = isBgra(workingImage()) ? workingImage().copy() : workingImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < mask.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(mask.scanLine(y));
        for (int x = 0; x < mask.width(); ++x) {
            const bool inside = red.contains(qRed(row[x])) && green.contains(qGreen(row[x]))
                && blue.contains(qBlue(row[x]));
            row[x] = inside ? 0xFFFFFFFFu : 0xFF000000u;
        }
    }
    workingImage() = mask;
    return true;
}

bool inRange(int lowerBound, int upperBound)
{
    if (!haveWorkingImage())
        return false;
    const BgraView view(workingImage());
    cv::Mat gray;
    cv::cvtColor(view.mat(), gray, cv::COLOR_RGBA2GRAY);  // code 11 on blue, green, red, alpha bytes
    cv::Mat binary;
    cv::threshold(gray, binary, lowerBound, upperBound, cv::THRESH_OTSU);
    const QImage result = imageFromMat(binary, QImage::Format_Grayscale8);
    if (result.isNull())
        return false;
    workingImage() = result;
    return true;
}

bool blur(int x, int y, int type, int point)
{
    return blurPlane(type, cv::Size(x, y), point, 0, cv::BORDER_REFLECT_101);
}

bool gaussianBlur(int x, int y, int sigmaX, int sigmaY, int type)
{
    return blurPlane(0, cv::Size(x, y), sigmaX, sigmaY, type);
}

}  // namespace tavix::image
