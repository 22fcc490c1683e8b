#include "image/row_scores.h"

#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "image/window_score.h"
#include "image/vector_clones.h"

namespace tavix::image {

namespace {

// n times a window's variance, from its sums; exact in double while every
// term stays below 2^53 (templates up to about 200 000 pixels), else through
// 64-bit integers.
TAVIX_VECTOR_CLONES_NO_ERRNO void rowVariance(const double* p0, const double* p1, const double* p2,
                                              const double* pq, int count, int width, double n,
                                              double* variance)
{
    for (int x = 0; x < count; ++x) {
        const double s0 = p0[x + width] - p0[x];
        const double s1 = p1[x + width] - p1[x];
        const double s2 = p2[x + width] - p2[x];
        const double sq = pq[x + width] - pq[x];
        variance[x] = n * sq - s0 * s0 - s1 * s1 - s2 * s2;
    }
}

// In SSE2 four at a time, with the same operations in the same order as the
// plain loop, so that every lane rounds as the plain loop does.
void rowScores(const float* corr, const double* variance, int count, float scale, float boundScale,
               float* score, float* bound)
{
    int x = 0;
#if defined(__SSE2__)
    const __m128 scales = _mm_set1_ps(scale), boundScales = _mm_set1_ps(boundScale);
    const __m128 floor = _mm_set1_ps(0.5f), one = _mm_set1_ps(1.0f), tiny = _mm_set1_ps(1e-6f);
    const __m128 magnitude = _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF));
    for (; x + 4 <= count; x += 4) {
        const __m128 v = _mm_movelh_ps(_mm_cvtpd_ps(_mm_loadu_pd(variance + x)),
                                       _mm_cvtpd_ps(_mm_loadu_pd(variance + x + 2)));
        // The root of every lane, kept only above the flat floor.
        const __m128 inv =
            _mm_and_ps(_mm_cmpgt_ps(v, floor), _mm_div_ps(one, _mm_sqrt_ps(_mm_max_ps(v, floor))));
        const __m128 s = _mm_mul_ps(_mm_mul_ps(_mm_loadu_ps(corr + x), scales), inv);
        _mm_storeu_ps(score + x, s);
        _mm_storeu_ps(bound + x,
                      _mm_add_ps(_mm_add_ps(_mm_mul_ps(boundScales, inv), tiny),
                                 _mm_mul_ps(tiny, _mm_and_ps(s, magnitude))));
    }
#endif
    for (; x < count; ++x) {
        const float v = float(variance[x]);
        const float inv = v > 0.5f ? 1.0f / std::sqrt(v) : 0.0f;
        const float s = corr[x] * scale * inv;
        score[x] = s;
        bound[x] = boundScale * inv + 1e-6f + 1e-6f * std::abs(s);
    }
}

// The first window whose variance is neither above `limit` nor 0; `count`
// when there is none. Two at a time in SSE2: almost every window is far above
// the floor.
int firstNearFloor(const double* variance, int count, double limit)
{
    int x = 0;
#if defined(__SSE2__)
    const __m128d high = _mm_set1_pd(limit), zero = _mm_setzero_pd();
    for (; x + 2 <= count; x += 2) {
        const __m128d v = _mm_loadu_pd(variance + x);
        if (_mm_movemask_pd(_mm_or_pd(_mm_cmpgt_pd(v, high), _mm_cmpeq_pd(v, zero))) != 3)
            break;
    }
#endif
    for (; x < count; ++x)
        if (!(variance[x] > limit || variance[x] == 0))
            break;
    return x;
}

}  // namespace

void RowScores::start(const cv::Mat& bgra, int x0, int count, int y0, cv::Size size)
{
    bgra_ = &bgra;
    y_ = y0;
    x0_ = x0;
    count_ = count;
    size_ = size;
    area_ = std::int64_t(size.width) * size.height;
    integer_ = area_ <= ColumnSums::kMaxArea;
    const std::size_t span = std::size_t(count) + size.width - 1;
    variance_.resize(std::size_t(count));
    score_.resize(std::size_t(count));
    bound_.resize(std::size_t(count));
    if (integer_) {
        sums_.start(bgra, x0, int(span), y0, size.height);
        return;
    }
    for (int k = 0; k < 4; ++k) {
        column_[k].assign(span, 0.0);
        prefix_[k].resize(span + 1);
    }
    for (int y = y0; y < y0 + size.height; ++y)
        addRow(y, 1.0);
}

void RowScores::advance(int y)
{
    y_ = y;
    if (integer_) {
        sums_.advance();
        return;
    }
    addRow(y - 1, -1.0);
    addRow(y + size_.height - 1, 1.0);
}

void RowScores::addRow(int y, double sign)
{
    const uchar* p = bgra_->ptr(y) + std::size_t(x0_) * 4;
    const std::size_t span = column_[0].size();
    double* c0 = column_[0].data();
    double* c1 = column_[1].data();
    double* c2 = column_[2].data();
    double* cq = column_[3].data();
    for (std::size_t i = 0; i < span; ++i) {
        const int b = p[i * 4], g = p[i * 4 + 1], r = p[i * 4 + 2];
        c0[i] += sign * b;
        c1[i] += sign * g;
        c2[i] += sign * r;
        cq[i] += sign * (b * b + g * g + r * r);
    }
}

void RowScores::score(const float* corr, float scale, float boundScale)
{
    const double n = double(area_);
    bool exactInDouble = true;
    if (integer_) {
        sums_.rowVariance(count_, size_.width, n, variance_.data());
    } else {
        const std::size_t span = column_[0].size();
        for (int k = 0; k < 4; ++k) {
            double* prefix = prefix_[k].data();
            const double* column = column_[k].data();
            prefix[0] = 0;
            for (std::size_t i = 0; i < span; ++i)
                prefix[i + 1] = prefix[i] + column[i];
        }
        exactInDouble = n * prefix_[3][span] < 4.5e15;
        rowVariance(prefix_[0].data(), prefix_[1].data(), prefix_[2].data(), prefix_[3].data(),
                    count_, size_.width, n, variance_.data());
    }
    // Near OpenCV's flat floor, and wherever double could round, decide from
    // 64-bit integers.
    for (int x = exactInDouble ? firstNearFloor(variance_.data(), count_, 2 * n) : 0; x < count_;
         ++x) {
        if (exactInDouble && (variance_[x] > 2 * n || variance_[x] == 0))
            continue;
        WindowSums sums;
        if (integer_) {
            std::int64_t s[4];
            sums_.window(x, size_.width, s);
            for (int k = 0; k < 3; ++k)
                sums.s[k] = s[k];
            sums.squares = s[3];
        } else {
            for (int k = 0; k < 3; ++k)
                sums.s[k] = std::int64_t(prefix_[k][x + size_.width] - prefix_[k][x]);
            sums.squares = std::int64_t(prefix_[3][x + size_.width] - prefix_[3][x]);
        }
        std::int64_t var = area_ * sums.squares;
        for (int k = 0; k < 3; ++k)
            var -= sums.s[k] * sums.s[k];
        variance_[x] = (var == 0 || flatWindow(sums, area_)) ? 0.0 : double(var);
    }
    rowScores(corr, variance_.data(), count_, scale, boundScale, score_.data(), bound_.data());
}

}  // namespace tavix::image
