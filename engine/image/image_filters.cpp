// Filters of the working image: colour mask, Otsu binarisation, one-plane blurs.
#include <QColor>
#include <algorithm>
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
