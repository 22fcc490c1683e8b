#include "image/column_sums.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tavix::image {

namespace {

// columns += the pixels of row `in` less those of row `out` (wrapping), with
// the difference of the sums of their three squares in the fourth place.
void moveRows(const uchar* in, const uchar* out, int span, std::uint32_t* columns)
{
    int i = 0;
#if defined(__SSE2__)
    const __m128i colours = _mm_set1_epi32(0x00FFFFFF);
    const __m128i last = _mm_set_epi32(-1, 0, 0, 0);
    const __m128i zero = _mm_setzero_si128();
    // Two pixels as 16-bit values: their differences, and the differences of
    // their squares as (in + out) * (in - out), summed into the fourth place.
    auto addPair = [&](__m128i in16, __m128i out16, std::uint32_t* to) {
        const __m128i d = _mm_sub_epi16(in16, out16);
        const __m128i m = _mm_madd_epi16(_mm_add_epi16(in16, out16), d);
        const __m128i q = _mm_add_epi32(m, _mm_shuffle_epi32(m, _MM_SHUFFLE(2, 3, 0, 1)));
        const __m128i sign = _mm_srai_epi16(d, 15);
        const __m128i first = _mm_add_epi32(_mm_unpacklo_epi16(d, sign), _mm_slli_si128(q, 12));
        const __m128i second =
            _mm_add_epi32(_mm_unpackhi_epi16(d, sign), _mm_and_si128(_mm_slli_si128(q, 4), last));
        auto* at = reinterpret_cast<__m128i*>(to);
        _mm_storeu_si128(at, _mm_add_epi32(_mm_loadu_si128(at), first));
        _mm_storeu_si128(at + 1, _mm_add_epi32(_mm_loadu_si128(at + 1), second));
    };
    for (; i + 4 <= span; i += 4) {
        const __m128i a =
            _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i * 4)), colours);
        const __m128i b =
            _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(out + i * 4)), colours);
        addPair(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero), columns + i * 4);
        addPair(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero), columns + i * 4 + 8);
    }
#endif
    for (; i < span; ++i) {
        const std::uint32_t bi = in[i * 4], gi = in[i * 4 + 1], ri = in[i * 4 + 2];
        const std::uint32_t bo = out[i * 4], go = out[i * 4 + 1], ro = out[i * 4 + 2];
        columns[i * 4] += bi - bo;
        columns[i * 4 + 1] += gi - go;
        columns[i * 4 + 2] += ri - ro;
        columns[i * 4 + 3] += (bi * bi + gi * gi + ri * ri) - (bo * bo + go * go + ro * ro);
    }
}

// Running sums along the row: prefix[i] = columns[0] + ... + columns[i - 1],
// the four sums of a column side by side.
void runningSums(const std::uint32_t* columns, int span, std::uint32_t* prefix)
{
#if defined(__SSE2__)
    __m128i run = _mm_setzero_si128();
    _mm_storeu_si128(reinterpret_cast<__m128i*>(prefix), run);
    for (int i = 0; i < span; ++i) {
        run =
            _mm_add_epi32(run, _mm_loadu_si128(reinterpret_cast<const __m128i*>(columns + i * 4)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(prefix + (i + 1) * 4), run);
    }
#else
    std::uint32_t run[4] = {0, 0, 0, 0};
    prefix[0] = prefix[1] = prefix[2] = prefix[3] = 0;
    for (int i = 0; i < span; ++i)
        for (int k = 0; k < 4; ++k) {
            run[k] += columns[i * 4 + k];
            prefix[(i + 1) * 4 + k] = run[k];
        }
#endif
}

// Every term is an exact integer below 2^53, so that the order of the
// operations does not change the result. Two windows at a time in SSE2.
void variances(const std::uint32_t* prefix, int count, int width, double n, double* variance)
{
    const int w = width * 4;
    int x = 0;
#if defined(__SSE2__)
    const __m128d area = _mm_set1_pd(n);
    auto sums = [&](int at) {
        const auto* p = reinterpret_cast<const __m128i*>(prefix + at * 4);
        // Wrapping differences: exact, as every window sum is below 2^32.
        return _mm_sub_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(prefix + at * 4 + w)),
                             _mm_loadu_si128(p));
    };
    for (; x + 2 <= count; x += 2) {
        const __m128i a = sums(x), b = sums(x + 1);
        const __m128i low = _mm_unpacklo_epi32(a, b);   // blue, blue, green, green
        const __m128i high = _mm_unpackhi_epi32(a, b);  // red, red, squares, squares
        const __m128d d0 = _mm_cvtepi32_pd(low), d1 = _mm_cvtepi32_pd(_mm_srli_si128(low, 8));
        const __m128d d2 = _mm_cvtepi32_pd(high), sq = _mm_cvtepi32_pd(_mm_srli_si128(high, 8));
        __m128d v = _mm_mul_pd(area, sq);
        v = _mm_sub_pd(v, _mm_mul_pd(d0, d0));
        v = _mm_sub_pd(v, _mm_mul_pd(d1, d1));
        v = _mm_sub_pd(v, _mm_mul_pd(d2, d2));
        _mm_storeu_pd(variance + x, v);
    }
#endif
    for (; x < count; ++x) {
        const std::uint32_t* p = prefix + x * 4;
        const std::uint32_t s0 = p[w] - p[0];
        const std::uint32_t s1 = p[w + 1] - p[1];
        const std::uint32_t s2 = p[w + 2] - p[2];
        const std::uint32_t sq = p[w + 3] - p[3];
        const double d0 = double(std::int32_t(s0)), d1 = double(std::int32_t(s1)),
                     d2 = double(std::int32_t(s2));
        variance[x] = n * double(std::int32_t(sq)) - d0 * d0 - d1 * d1 - d2 * d2;
    }
}

}  // namespace

void ColumnSums::start(const cv::Mat& bgra, int x0, int span, int y0, int height)
{
    bgra_ = &bgra;
    x0_ = x0;
    span_ = span;
    top_ = y0;
    height_ = height;
    columns_.assign(std::size_t(span) * 4, 0u);
    prefix_.resize((std::size_t(span) + 1) * 4);
    zeros_.assign(std::size_t(span) * 4, 0);
    for (int y = y0; y < y0 + height; ++y)
        moveRows(bgra.ptr(y) + std::size_t(x0) * 4, zeros_.data(), span, columns_.data());
}

void ColumnSums::advance()
{
    moveRows(bgra_->ptr(top_ + height_) + std::size_t(x0_) * 4,
             bgra_->ptr(top_) + std::size_t(x0_) * 4, span_, columns_.data());
    ++top_;
}

void ColumnSums::rowVariance(int count, int width, double n, double* variance)
{
    runningSums(columns_.data(), span_, prefix_.data());
    variances(prefix_.data(), count, width, n, variance);
}

void ColumnSums::window(int x, int width, std::int64_t sums[4]) const
{
    const std::uint32_t* p = prefix_.data() + std::size_t(x) * 4;
    const int w = width * 4;
    for (int k = 0; k < 4; ++k)
        sums[k] = std::uint32_t(p[w + k] - p[k]);
}

}  // namespace tavix::image
