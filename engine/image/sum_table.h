// Running sums (an integral image) of a picture's blue, green and red values
// and of their squares, in 32-bit unsigned integers that wrap: a window's sum
// is exact whenever it is below 2^32; windows of up to kMaxArea pixels keep
// every sum below 2^31, so that it converts to double as a signed integer.
#pragma once

#include <cstdint>
#include <opencv2/core.hpp>
#include <vector>

namespace tavix::image {

class SumTable {
public:
    // 255^2 * 3 * kMaxArea < 2^31.
    static constexpr std::int64_t kMaxArea = 11000;

    void build(const cv::Mat& bgra);
    bool built() const { return !entries_.empty(); }

    // n times the variance of each window of `size` whose top-left corners are
    // (x0 .. x0 + count - 1, y), in double (exact: below 2^53 at this size).
    void rowVariance(int x0, int count, int y, cv::Size size, double* variance) const;

    // The sums of one window, exact.
    void window(int x, int y, cv::Size size, std::int64_t sums[4]) const;

private:
    const std::uint32_t* entry(int x, int y) const
    {
        return entries_.data() + (std::size_t(y) * cols_ + x) * 4;
    }

    int cols_ = 0;
    std::vector<std::uint32_t> entries_;  // blue, green, red, squares
};

}  // namespace tavix::image
