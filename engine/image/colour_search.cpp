// Colour tests at a point and the first-match colour search of the working image.
#include <QRect>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <opencv2/imgproc.hpp>

#include "image/bgra_view.h"
#include "image/colour_text.h"
#include "image/image_family.h"
#include "image/search_area.h"
#include "image/working_image.h"

namespace tavix::image {

namespace {

struct Hsv {
    int hue, saturation, value;
};

Hsv toHsv(const Rgb& c)
{
    const cv::Mat bgr(1, 1, CV_8UC3, cv::Scalar(c.blue, c.green, c.red));
    cv::Mat hsv;
    cv::cvtColor(bgr, hsv, cv::COLOR_BGR2HSV);
    const cv::Vec3b v = hsv.at<cv::Vec3b>(0, 0);
    return {v[0], v[1], v[2]};
}

bool hsvClose(const Rgb& p, const Rgb& c, int t)
{
    const Hsv a = toHsv(p);
    const Hsv b = toHsv(c);
    // 8-bit hue runs 0..179 in steps of 2 degrees and wraps round at 180.
    int dH = std::abs(a.hue - b.hue);
    if (dH > 90)
        dH = 180 - dH;
    return dH <= t && std::abs(a.saturation - b.saturation) <= t
        && std::abs(a.value - b.value) <= t;
}

using Detector = bool (*)(const Rgb& p, const Rgb& c, int t);

struct Algorithm {
    const char* name;
    Detector detect;
};

const Algorithm kAlgorithms[] = {
    {"equal", [](const Rgb& p, const Rgb& c, int) { return p == c; }},
    {"diff",
     [](const Rgb& p, const Rgb& c, int t) {
         return std::abs(p.blue - c.blue) + std::abs(p.green - c.green) + std::abs(p.red - c.red) < t;
     }},
    {"rgb",
     [](const Rgb& p, const Rgb& c, int t) {
         const long long db = p.blue - c.blue, dg = p.green - c.green, dr = p.red - c.red;
         return db * db + dg * dg + dr * dr <= (long long)t * t;
     }},
    {"rgb+",
     [](const Rgb& p, const Rgb& c, int t) {
         return std::max({std::abs(p.blue - c.blue), std::abs(p.green - c.green),
                          std::abs(p.red - c.red)})
             <= t;
     }},
    {"hs", hsvClose},
};

Detector detectorNamed(const char* name)
{
    for (const Algorithm& algorithm : kAlgorithms)
        if (std::strcmp(algorithm.name, name) == 0)
            return algorithm.detect;
    return nullptr;
}

Rgb pixelAt(const cv::Mat& bgra, int x, int y)
{
    const cv::Vec4b p = bgra.at<cv::Vec4b>(y, x);
    return {p[2], p[1], p[0]};
}

}  // namespace

bool detectsColor(const char* color, int x, int y, int threshold, const char* algorithm)
{
    const QImage& image = workingImage();
    if (!haveWorkingImage() || !haveText(color, "colour") || !haveText(algorithm, "algorithm"))
        return false;
    if (!image.valid(x, y)) {
        qWarning("The point %d, %d is not inside the image", x, y);
        return false;
    }
    const Detector detect = detectorNamed(algorithm);
    if (!detect) {
        qWarning("No colour detection algorithm named %.40s", algorithm);
        return false;
    }
    const BgraView view(image);
    return detect(pixelAt(view.mat(), x, y), scanColour(color), threshold);
}

bool findColor(int x1, int y1, int x2, int y2, const char* color, int threshold, int* outX,
               int* outY)
{
    const QImage& image = workingImage();
    if (!haveWorkingImage() || !haveText(color, "colour"))
        return false;
    const std::optional<Rgb> wanted = positionalColour(color);
    if (!wanted) {
        qWarning("Not a colour: %.40s", color);
        return false;
    }
    const BgraView view(image);
    const QRect area = searchArea({x1, y1, x2, y2}, image.size());
    // A squared integer distance within t squared is the Euclidean distance within t.
    const double limit = threshold < 0 ? -1.0 : double(threshold) * double(threshold);
    QPoint found(-1, -1);
    for (int y = area.top(); y <= area.bottom() && found.x() < 0; ++y) {
        const cv::Vec4b* row = view.mat().ptr<cv::Vec4b>(y);
        for (int x = area.left(); x <= area.right(); ++x) {
            const int db = row[x][0] - wanted->blue;
            const int dg = row[x][1] - wanted->green;
            const int dr = row[x][2] - wanted->red;
            if (double(db * db + dg * dg + dr * dr) <= limit) {
                found = QPoint(x, y);
                break;
            }
        }
    }
    if (outX)
        *outX = found.x();
    if (outY)
        *outY = found.y();
    return found.x() >= 0;
}

}  // namespace tavix::image
