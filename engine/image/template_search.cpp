#include "image/template_search.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>

#include "core/shared_state.h"
#include "image/bgra_view.h"
#include "image/image_family.h"
#include "image/working_image.h"

namespace tavix::image {

namespace {

// OpenCV's correlation carries rounding errors of about 1e-6: a perfect match
// may score 0.9999993, which must still reach a threshold of 1.
constexpr float kScoreRounding = 1e-5f;

// Blue, green, red of `part` of `image` (code 1: alpha dropped); all of it
// for an empty `part`.
cv::Mat toBgr(const QImage& image, const cv::Rect& part = cv::Rect())
{
    const BgraView view(image);
    cv::Mat bgr;
    cv::cvtColor(part.empty() ? view.mat() : view.mat()(part), bgr, cv::COLOR_BGRA2BGR);
    return bgr;
}

// The template for attempt `attempt`: its own size first, then halved each time
// (bilinear). Empty once a shrunken one would be too small to match reliably.
cv::Mat attemptTemplate(const cv::Mat& templ, int attempt)
{
    if (attempt == 0)
        return templ;
    const double scale = std::ldexp(1.0, -attempt);
    const cv::Size size(cvRound(templ.cols * scale), cvRound(templ.rows * scale));
    if (std::min(size.width, size.height) < kSmallestShrunkenSide)
        return {};
    cv::Mat shrunk;
    cv::resize(templ, shrunk, size, 0, 0, cv::INTER_LINEAR);
    return shrunk;
}

}  // namespace

float levelFactor(int level)
{
    if (level >= 1 && level <= 8)
        return std::ldexp(1.0f, 1 - level);
    return 1.0f;
}

QPoint searchTemplate(const QImage& source, const QImage& templ, float threshold,
                      const Corners& corners, int level)
{
    if (source.isNull() || templ.isNull())
        return QPoint(-1, -1);
    const QRect area = searchArea(corners, source.size());
    const float f = levelFactor(level);
    // The level scales the rectangle and the position found, not the pictures.
    const int xs = int(float(area.left()) * f);
    const int ys = int(float(area.top()) * f);
    const int ws = int(float(area.width()) * f);
    const int hs = int(float(area.height()) * f);
    const int left = std::max(xs, 0);
    const int top = std::max(ys, 0);
    const int width = std::min(ws + xs, source.width()) - left;
    const int height = std::min(hs + ys, source.height()) - top;
    if (width < 1 || height < 1) {
        qDebug("Can't find the image");
        return QPoint(-1, -1);
    }
    // Only the region is converted: every attempt matches inside it.
    const cv::Mat region = toBgr(source, cv::Rect(left, top, width, height));
    const cv::Mat t = toBgr(templ);

    for (int attempt = 0; attempt < kSearchAttempts; ++attempt) {
        const cv::Mat ti = attemptTemplate(t, attempt);
        // The template must fit strictly inside the region.
        if (ti.empty() || ti.cols >= width || ti.rows >= height)
            break;
        cv::Mat scores;
        cv::matchTemplate(region, ti, scores, cv::TM_CCOEFF_NORMED);
        double best = 0;
        cv::Point at;
        cv::minMaxLoc(scores, nullptr, &best, nullptr, &at);
        if (threshold <= float(best) + kScoreRounding)
            return QPoint(qRound(float(left + at.x) / f), qRound(float(top + at.y) / f));
    }
    qDebug("Can't find the image");
    return QPoint(-1, -1);
}

bool ImageFamily::findImage(int x1, int y1, int x2, int y2, int* outX, int* outY, float threshold,
                            int level)
{
    const TX_api& record = sharedRecord();
    if (!haveWorkingImage())
        return false;
    if (record.templateImage.isNull()) {
        qWarning("There is no template image to search for");
        return false;
    }
    const QPoint found =
        searchTemplate(record.image, record.templateImage, threshold, {x1, y1, x2, y2}, level);
    if (outX)
        *outX = found.x();
    if (outY)
        *outY = found.y();
    return found != QPoint(-1, -1);
}

}  // namespace tavix::image
