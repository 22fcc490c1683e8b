// The template search done directly with OpenCV, attempt by attempt: one
// matchTemplate (TM_CCOEFF_NORMED) and minMaxLoc per attempt over the region,
// the template halved between attempts. The engine's search must agree with it.
#pragma once

#include <QImage>
#include <QPoint>
#include <QtGlobal>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>
#include <opencv2/imgproc.hpp>

#include "image/bgra_view.h"
#include "image/search_area.h"
#include "image/template_search.h"

namespace tavix::test {

struct ReferenceMatch {
    QPoint at{-1, -1};
    double score = 0;
    int attempt = -1;
    cv::Rect region;              // in source pixels
    std::vector<cv::Mat> templ;   // per attempt made: the template (blue, green, red)
    std::vector<cv::Mat> scores;  // and OpenCV's scores
};

// The score of one window computed directly in double precision, with
// OpenCV's floor for flat windows: what the scores are without rounding.
// Each channel constant (exactly, unlike OpenCV's test of the deviation).
inline bool uniformTemplate(const cv::Mat& templBgr)
{
    cv::Mat channels[3];
    cv::split(templBgr, channels);
    for (const cv::Mat& c : channels) {
        double low = 0, high = 0;
        cv::minMaxLoc(c, &low, &high);
        if (low != high)
            return false;
    }
    return true;
}

inline double directScore(const cv::Mat& regionBgr, cv::Point at, const cv::Mat& templBgr)
{
    cv::Mat w, t;
    regionBgr(cv::Rect(at, templBgr.size())).convertTo(w, CV_64FC3);
    templBgr.convertTo(t, CV_64FC3);
    const double n = double(t.total());
    const cv::Scalar mw = cv::mean(w), mt = cv::mean(t);
    const cv::Scalar sw = cv::sum(w);
    double wSum2 = 0, wMean2 = 0;
    for (int c = 0; c < 3; ++c)
        wMean2 += sw[c] * sw[c];
    wMean2 *= 1.0 / n;
    wSum2 = cv::sum(w.mul(w))[0] + cv::sum(w.mul(w))[1] + cv::sum(w.mul(w))[2];
    const double diff2 = std::max(wSum2 - wMean2, 0.0);
    cv::Mat wc = w - mw, tc = t - mt;
    const cv::Scalar dots = cv::sum(wc.mul(tc)), wn = cv::sum(wc.mul(wc)), tn = cv::sum(tc.mul(tc));
    const double tNorm = tn[0] + tn[1] + tn[2];
    if (uniformTemplate(templBgr))
        return 1.0;
    if (diff2 <= std::min(0.5, 10 * FLT_EPSILON * wSum2))
        return 0.0;
    return (dots[0] + dots[1] + dots[2]) / std::sqrt((wn[0] + wn[1] + wn[2]) * tNorm);
}

inline cv::Mat referenceBgr(const QImage& image)
{
    cv::Mat bgr;
    cv::cvtColor(tavix::image::BgraView(image).mat(), bgr, cv::COLOR_BGRA2BGR);
    return bgr;
}

inline ReferenceMatch referenceSearch(const QImage& source, const QImage& templ, float threshold,
                                      const tavix::Corners& corners, int level)
{
    using namespace tavix::image;
    ReferenceMatch result;
    const cv::Mat s = referenceBgr(source);
    const cv::Mat t = referenceBgr(templ);
    const QRect area = searchArea(corners, source.size());
    const float f = levelFactor(level);
    const int xs = int(float(area.left()) * f), ys = int(float(area.top()) * f);
    const int ws = int(float(area.width()) * f), hs = int(float(area.height()) * f);
    const int left = std::max(xs, 0), top = std::max(ys, 0);
    const int width = std::min(ws + xs, s.cols) - left, height = std::min(hs + ys, s.rows) - top;
    if (width < 1 || height < 1)
        return result;
    result.region = cv::Rect(left, top, width, height);
    for (int attempt = 0; attempt < kSearchAttempts; ++attempt) {
        cv::Mat ti = t;
        if (attempt > 0) {
            const double scale = std::ldexp(1.0, -attempt);
            const cv::Size size(cvRound(t.cols * scale), cvRound(t.rows * scale));
            if (std::min(size.width, size.height) < kSmallestShrunkenSide)
                break;
            cv::resize(t, ti, size, 0, 0, cv::INTER_LINEAR);
        }
        if (ti.cols >= width || ti.rows >= height)
            break;
        cv::Mat scores;
        cv::matchTemplate(s(result.region), ti, scores, cv::TM_CCOEFF_NORMED);
        double best = 0;
        cv::Point at;
        cv::minMaxLoc(scores, nullptr, &best, nullptr, &at);
        result.templ.push_back(ti);
        result.scores.push_back(scores);
        if (threshold <= float(best) + 1e-5f) {
            result.at = QPoint(qRound(float(left + at.x) / f), qRound(float(top + at.y) / f));
            result.score = best;
            result.attempt = attempt;
            return result;
        }
    }
    return result;
}

}  // namespace tavix::test
