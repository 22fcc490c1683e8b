// Exact normalised correlation coefficient of one window of a picture with a
// template, in integer arithmetic: the reference the faster passes answer to.
#pragma once

#include <cstdint>
#include <opencv2/core.hpp>

namespace tavix::image {

// A template (blue, green, red) with the sums its scores need.
class ScoredTemplate {
public:
    explicit ScoredTemplate(const cv::Mat& bgr);

    int cols() const { return cols_; }
    int rows() const { return rows_; }
    std::int64_t area() const { return std::int64_t(cols_) * rows_; }
    // Each channel constant: OpenCV scores every window 1 for such a template.
    bool uniform() const { return centredNorm_ == 0; }
    // n times the sum of squared deviations from the channel means.
    std::int64_t centredNorm() const { return centredNorm_; }
    std::int64_t channelSum(int c) const { return sums_[c]; }
    // Pixels as 16-bit blue, green, red, 0: a dot product with 4-byte pixels.
    const std::int16_t* row(int y) const { return weights_.data() + std::size_t(y) * cols_ * 4; }
    const cv::Mat& bgr() const { return bgr_; }

private:
    cv::Mat bgr_;
    int cols_ = 0;
    int rows_ = 0;
    std::int64_t sums_[3] = {0, 0, 0};
    std::int64_t centredNorm_ = 0;
    std::vector<std::int16_t> weights_;
};

// Sums of one window: per channel, and of all squares.
struct WindowSums {
    std::int64_t s[3] = {0, 0, 0};
    std::int64_t squares = 0;
};

// OpenCV treats a window whose variance is at or below its rounding floor as
// flat and scores it 0; computed from exact sums the way OpenCV computes it.
bool flatWindow(const WindowSums& sums, std::int64_t area);

// The score of the window of `bgra` (4 bytes per pixel, alpha ignored) whose
// top-left pixel is `at`, as OpenCV's TM_CCOEFF_NORMED defines it, computed
// exactly: identical windows score identically, a perfect match exactly 1.
double exactScore(const cv::Mat& bgra, cv::Point at, const ScoredTemplate& templ);

}  // namespace tavix::image
