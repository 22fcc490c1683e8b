// Float window scores and their bounds: each lane rounds exactly as the plain
// formula does, for windows summed in integers and in double alike.
#include <cmath>
#include <gtest/gtest.h>
#include <opencv2/core.hpp>
#include <random>
#include <vector>

#include "image/row_scores.h"
#include "image/window_score.h"

using tavix::image::RowScores;

namespace {

// The score and bound of one window by the plain formula, from sums counted
// pixel by pixel.
void plainScore(const cv::Mat& bgra, int x, int y, cv::Size size, float corr, float scale,
                float boundScale, float* score, float* bound)
{
    tavix::image::WindowSums sums;
    for (int r = y; r < y + size.height; ++r)
        for (int c = x; c < x + size.width; ++c) {
            const cv::Vec4b p = bgra.at<cv::Vec4b>(r, c);
            for (int k = 0; k < 3; ++k) {
                sums.s[k] += p[k];
                sums.squares += std::int64_t(p[k]) * p[k];
            }
        }
    const std::int64_t n = size.area();
    std::int64_t var = n * sums.squares;
    for (int k = 0; k < 3; ++k)
        var -= sums.s[k] * sums.s[k];
    const double variance = (var == 0 || tavix::image::flatWindow(sums, n)) ? 0.0 : double(var);
    const float v = float(variance);
    const float inv = v > 0.5f ? 1.0f / std::sqrt(v) : 0.0f;
    *score = corr * scale * inv;
    *bound = boundScale * inv + 1e-6f + 1e-6f * std::abs(*score);
}

TEST(RowScores, EveryLaneRoundsAsThePlainFormula)
{
    struct Case {
        const char* name;
        cv::Size window;
    };
    // Small windows summed in integers, a large one in double.
    const Case cases[] = {{"small window", {5, 3}}, {"large window", {120, 100}}};
    std::mt19937 random(11);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cv::Mat bgra(c.window.height + 6, c.window.width + 13, CV_8UC4);
        for (int y = 0; y < bgra.rows; ++y)
            for (int x = 0; x < bgra.cols; ++x) {
                cv::Vec4b& p = bgra.at<cv::Vec4b>(y, x);
                // Flat patches on the left, where windows sit at the floor.
                const bool flat = x < c.window.width + 2 && y < 3;
                for (int k = 0; k < 4; ++k)
                    p[k] = flat ? uchar(40 + k) : uchar(random());
            }
        const int x0 = 1, count = bgra.cols - c.window.width - x0 + 1;
        const int rows = bgra.rows - c.window.height + 1;
        const float scale = 0.37f, boundScale = 3e-4f;
        std::uniform_real_distribution<float> correlation(-2e6f, 2e6f);
        std::vector<float> corr(static_cast<std::size_t>(count));
        RowScores scores;
        scores.start(bgra, x0, count, 0, c.window);
        for (int y = 0; y < rows; ++y) {
            if (y > 0)
                scores.advance(y);
            for (float& value : corr)
                value = correlation(random);
            scores.score(corr.data(), scale, boundScale);
            for (int x = 0; x < count; ++x) {
                float score = 0, bound = 0;
                plainScore(bgra, x0 + x, y, c.window, corr[std::size_t(x)], scale, boundScale,
                           &score, &bound);
                ASSERT_EQ(scores.scores()[x], score) << "at " << x << "," << y;
                ASSERT_EQ(scores.bounds()[x], bound) << "at " << x << "," << y;
            }
        }
    }
}

}  // namespace
