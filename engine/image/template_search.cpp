#include "image/template_search.h"

#include <QtGlobal>
#include <cfloat>
#include <algorithm>
#include <cmath>
#include <optional>
#include <opencv2/imgproc.hpp>

#include "core/shared_state.h"
#include "image/bgra_view.h"
#include "image/correlation_search.h"
#include "image/exact_occurrence.h"
#include "image/image_family.h"
#include "image/working_image.h"

namespace tavix::image {

namespace {

// OpenCV's correlation carries rounding errors of about 1e-6: a perfect match
// may score 0.9999993, which must still reach a threshold of 1. The same
// comparison holds for the exact scores computed here.
constexpr float kScoreRounding = 1e-5f;

// Blue, green, red of `image` (code 1: alpha dropped).
cv::Mat toBgr(const QImage& image)
{
    const BgraView view(image);
    cv::Mat bgr;
    cv::cvtColor(view.mat(), bgr, cv::COLOR_BGRA2BGR);
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

// OpenCV's answer for a template whose channels are each constant: every
// window scores 1 when the template's deviation, as meanStdDev rounds it, is
// below DBL_EPSILON; otherwise OpenCV scores the windows as it computes them.
Match uniformMatch(const cv::Mat& region, const cv::Mat& templ)
{
    cv::Scalar mean, deviation;
    cv::meanStdDev(templ, mean, deviation);
    if (deviation.dot(deviation) < DBL_EPSILON)
        return {cv::Point(0, 0), 1.0};
    cv::Mat bgr, scores;
    cv::cvtColor(region, bgr, cv::COLOR_BGRA2BGR);
    cv::matchTemplate(bgr, templ, scores, cv::TM_CCOEFF_NORMED);
    Match best;
    cv::minMaxLoc(scores, nullptr, &best.score, nullptr, &best.at);
    return best;
}

// The first position in scan order of the highest normalised correlation
// coefficient of `templ` in `region`, when it is at least `minScore`. A window
// that scores exactly 1 is found by the exact pass without any correlation;
// among windows that score exactly the same, the first in scan order counts
// (OpenCV's float rounding may pick another of them).
std::optional<Match> bestMatch(const cv::Mat& region, const cv::Mat& templ,
                               CorrelationSearch& correlation, double minScore)
{
    const ScoredTemplate scored(templ);
    if (scored.uniform())
        return uniformMatch(region, templ);
    if (const std::optional<cv::Point> perfect = firstPerfectMatch(region, scored))
        return Match{*perfect, 1.0};
    return correlation.best(scored, minScore);
}

}  // namespace

float levelFactor(int level)
{
    if (level >= 1 && level <= 8)
        return std::ldexp(1.0f, 1 - level);
    return 1.0f;
}

TemplateMatch findTemplate(const QImage& source, const QImage& templ, float threshold,
                           const Corners& corners, int level)
{
    if (source.isNull() || templ.isNull())
        return {};
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
    // No score exceeds 1: a higher threshold (or NaN) is never reached.
    if (width < 1 || height < 1 || !(threshold <= 1.0f + kScoreRounding)) {
        qDebug("Can't find the image");
        return {};
    }
    // The source is read in place: every attempt matches inside the region.
    const BgraView view(source);
    const cv::Mat region = view.mat()(cv::Rect(left, top, width, height));
    const cv::Mat t = toBgr(templ);
    // Scores below this cannot reach the threshold in the comparison below.
    const double minScore = double(threshold) - double(kScoreRounding) - 1e-6;

    CorrelationSearch correlation(region);
    for (int attempt = 0; attempt < kSearchAttempts; ++attempt) {
        const cv::Mat ti = attemptTemplate(t, attempt);
        // The template must fit strictly inside the region.
        if (ti.empty() || ti.cols >= width || ti.rows >= height)
            break;
        const std::optional<Match> best = bestMatch(region, ti, correlation, minScore);
        if (best && threshold <= float(best->score) + kScoreRounding)
            return {
                QPoint(qRound(float(left + best->at.x) / f), qRound(float(top + best->at.y) / f)),
                best->score, attempt};
    }
    qDebug("Can't find the image");
    return {};
}

QPoint searchTemplate(const QImage& source, const QImage& templ, float threshold,
                      const Corners& corners, int level)
{
    return findTemplate(source, templ, threshold, corners, level).at;
}

bool findImage(int x1, int y1, int x2, int y2, int* outX, int* outY, float threshold, int level)
{
    const TX_api& record = core::sharedRecord();
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
