#include "image/window_score.h"

#include <cfloat>
#include <cmath>

namespace tavix::image {

ScoredTemplate::ScoredTemplate(const cv::Mat& bgr) : bgr_(bgr), cols_(bgr.cols), rows_(bgr.rows)
{
    CV_Assert(bgr.type() == CV_8UC3);
    weights_.assign(std::size_t(cols_) * rows_ * 4, 0);
    std::int64_t squares = 0;
    for (int y = 0; y < rows_; ++y) {
        const uchar* p = bgr.ptr(y);
        std::int16_t* w = weights_.data() + std::size_t(y) * cols_ * 4;
        for (int x = 0; x < cols_; ++x)
            for (int c = 0; c < 3; ++c) {
                const int v = p[x * 3 + c];
                w[x * 4 + c] = std::int16_t(v);
                sums_[c] += v;
                squares += v * v;
            }
    }
    centredNorm_ = area() * squares;
    for (int c = 0; c < 3; ++c)
        centredNorm_ -= sums_[c] * sums_[c];
}

bool flatWindow(const WindowSums& sums, std::int64_t area)
{
    // The same operations in the same order as OpenCV's normalisation.
    const double invArea = 1.0 / double(area);
    double mean2 = 0;
    for (int c = 0; c < 3; ++c) {
        const double t = double(sums.s[c]);
        mean2 += t * t;
    }
    mean2 *= invArea;
    const double sum2 = double(sums.squares);
    const double diff2 = std::max(sum2 - mean2, 0.0);
    return diff2 <= std::min(0.5, 10 * FLT_EPSILON * sum2);
}

double exactScore(const cv::Mat& bgra, cv::Point at, const ScoredTemplate& templ)
{
    WindowSums sums;
    std::int64_t dot = 0;
    for (int y = 0; y < templ.rows(); ++y) {
        const uchar* p = bgra.ptr(at.y + y) + std::size_t(at.x) * 4;
        const std::int16_t* w = templ.row(y);
        std::int32_t rowDot = 0, rowSquares = 0;
        std::int32_t rowSum[4] = {0, 0, 0, 0};
        const int count = templ.cols() * 4;
        // Plain loops the compiler vectorises; alpha has weight 0.
        for (int i = 0; i < count; ++i)
            rowDot += std::int32_t(p[i]) * w[i];
        for (int i = 0; i < count; i += 4) {
            for (int c = 0; c < 3; ++c) {
                rowSum[c] += p[i + c];
                rowSquares += std::int32_t(p[i + c]) * p[i + c];
            }
        }
        dot += rowDot;
        sums.squares += rowSquares;
        for (int c = 0; c < 3; ++c)
            sums.s[c] += rowSum[c];
    }
    const std::int64_t n = templ.area();
    if (templ.uniform())
        return 1.0;
    if (flatWindow(sums, n))
        return 0.0;
    // n * numerator and n * window variance are exact integers.
    __int128 num = __int128(n) * dot;
    __int128 var = __int128(n) * sums.squares;
    for (int c = 0; c < 3; ++c) {
        num -= __int128(sums.s[c]) * templ.channelSum(c);
        var -= __int128(sums.s[c]) * sums.s[c];
    }
    // A window that is the template up to contrast and brightness: exactly +-1.
    if (num * num == var * templ.centredNorm())
        return num > 0 ? 1.0 : -1.0;
    const double score = double(num) / std::sqrt(double(var) * double(templ.centredNorm()));
    return std::max(-1.0, std::min(1.0, score));
}

}  // namespace tavix::image
