// Float scores of the windows along one row of a tile, from the correlation
// and running sums of the pixels: the inner loop of the correlation search.
#pragma once

#include <cstdint>
#include <opencv2/core.hpp>
#include <vector>

#include "image/column_sums.h"

namespace tavix::image {

class RowScores {
public:
    // Windows of `size` whose top-left corners are columns x0 .. x0 + count - 1
    // of `bgra`, starting at row `y0`. The windows' sums come from sums over
    // their rows kept here: in integers up to ColumnSums::kMaxArea pixels,
    // else in double.
    void start(const cv::Mat& bgra, int x0, int count, int y0, cv::Size size);
    // Moves the windows down to row `y`, one row further.
    void advance(int y);

    // Scores of the current row: `corr` times `scale` over each window's
    // deviation, and the bound of their error (`boundScale` over the
    // deviation, plus the float rounding of this arithmetic). Flat windows, as
    // OpenCV defines them, score 0 with a bound of 0.
    void score(const float* corr, float scale, float boundScale);

    const float* scores() const { return score_.data(); }
    const float* bounds() const { return bound_.data(); }

private:
    void addRow(int y, double sign);

    const cv::Mat* bgra_ = nullptr;
    bool integer_ = false;
    ColumnSums sums_;
    int y_ = 0;
    int x0_ = 0;
    int count_ = 0;
    cv::Size size_;
    std::int64_t area_ = 0;
    // Per column of the span: sums over the window's rows (exact integers).
    std::vector<double> column_[4];
    std::vector<double> prefix_[4];
    std::vector<double> variance_;
    std::vector<float> score_;
    std::vector<float> bound_;
};

}  // namespace tavix::image
