#include "image/sum_table.h"

#include <algorithm>

#include "image/vector_clones.h"

namespace tavix::image {

namespace {

TAVIX_VECTOR_CLONES void variances(const std::uint32_t* top, const std::uint32_t* bottom, int count,
                                   int width, double n, double* variance)
{
    const int w = width * 4;
    for (int x = 0; x < count; ++x) {
        const std::uint32_t* t = top + x * 4;
        const std::uint32_t* b = bottom + x * 4;
        // Wrapping differences: exact, as every window sum is below 2^32.
        const std::uint32_t s0 = b[w] - b[0] - t[w] + t[0];
        const std::uint32_t s1 = b[w + 1] - b[1] - t[w + 1] + t[1];
        const std::uint32_t s2 = b[w + 2] - b[2] - t[w + 2] + t[2];
        const std::uint32_t sq = b[w + 3] - b[3] - t[w + 3] + t[3];
        const double d0 = double(std::int32_t(s0)), d1 = double(std::int32_t(s1)),
                     d2 = double(std::int32_t(s2));
        variance[x] = n * double(std::int32_t(sq)) - d0 * d0 - d1 * d1 - d2 * d2;
    }
}

}  // namespace

void SumTable::build(const cv::Mat& bgra)
{
    cols_ = bgra.cols + 1;
    entries_.resize(std::size_t(cols_) * (bgra.rows + 1) * 4);
    std::fill(entries_.begin(), entries_.begin() + cols_ * 4, 0u);
    for (int y = 0; y < bgra.rows; ++y) {
        const uchar* p = bgra.ptr(y);
        const std::uint32_t* above = entries_.data() + std::size_t(y) * cols_ * 4;
        std::uint32_t* row = entries_.data() + std::size_t(y + 1) * cols_ * 4;
        std::uint32_t run[4] = {0, 0, 0, 0};
        row[0] = row[1] = row[2] = row[3] = 0;
        for (int x = 0; x < bgra.cols; ++x) {
            const std::uint32_t b = p[x * 4], g = p[x * 4 + 1], r = p[x * 4 + 2];
            run[0] += b;
            run[1] += g;
            run[2] += r;
            run[3] += b * b + g * g + r * r;
            for (int k = 0; k < 4; ++k)
                row[(x + 1) * 4 + k] = above[(x + 1) * 4 + k] + run[k];
        }
    }
}

void SumTable::rowVariance(int x0, int count, int y, cv::Size size, double* variance) const
{
    variances(entry(x0, y), entry(x0, y + size.height), count, size.width, double(size.area()),
              variance);
}

void SumTable::window(int x, int y, cv::Size size, std::int64_t sums[4]) const
{
    const std::uint32_t* t = entry(x, y);
    const std::uint32_t* b = entry(x, y + size.height);
    const int w = size.width * 4;
    for (int k = 0; k < 4; ++k)
        sums[k] = std::uint32_t(b[w + k] - b[k] - t[w + k] + t[k]);
}

}  // namespace tavix::image
