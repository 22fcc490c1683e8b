// Sums of blue, green, red and of their squares over a window's rows, per
// column of a span of a picture, moved down one row at a time. In 32-bit
// unsigned integers that wrap: a window's sum is exact whenever it is below
// 2^32; windows of up to kMaxArea pixels keep every sum below 2^31, so that it
// converts to double as a signed integer.
#pragma once

#include <cstdint>
#include <opencv2/core.hpp>
#include <vector>

namespace tavix::image {

class ColumnSums {
public:
    // 255^2 * 3 * kMaxArea < 2^31.
    static constexpr std::int64_t kMaxArea = 11000;

    // Columns x0 .. x0 + span - 1 of `bgra` (4 bytes per pixel, alpha
    // ignored), summed over rows y0 .. y0 + height - 1.
    void start(const cv::Mat& bgra, int x0, int span, int y0, int height);
    // The rows one further down.
    void advance();

    // n times the variance of each window `width` columns wide whose left
    // columns are 0 .. count - 1 of the span, in double (exact: below 2^53
    // at this size). Also keeps the row's running sums for window().
    void rowVariance(int count, int width, double n, double* variance);
    // The sums of the window at left column `x` of the last rowVariance(), exact.
    void window(int x, int width, std::int64_t sums[4]) const;

private:
    const cv::Mat* bgra_ = nullptr;
    int x0_ = 0;
    int span_ = 0;
    int top_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> columns_;  // blue, green, red, squares per column
    std::vector<std::uint32_t> prefix_;   // the same, summed along the row
    std::vector<uchar> zeros_;            // a black row, for the first rows
};

}  // namespace tavix::image
