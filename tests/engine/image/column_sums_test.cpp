// Window sums and variances from running column sums, against sums counted
// pixel by pixel.
#include <gtest/gtest.h>
#include <opencv2/core.hpp>
#include <random>
#include <vector>

#include "image/column_sums.h"

using tavix::image::ColumnSums;

namespace {

// Blue, green, red and the squares of one window, counted directly.
void countedSums(const cv::Mat& bgra, int x, int y, cv::Size size, std::int64_t sums[4])
{
    for (int k = 0; k < 4; ++k)
        sums[k] = 0;
    for (int r = y; r < y + size.height; ++r)
        for (int c = x; c < x + size.width; ++c) {
            const cv::Vec4b p = bgra.at<cv::Vec4b>(r, c);
            for (int k = 0; k < 3; ++k) {
                sums[k] += p[k];
                sums[3] += std::int64_t(p[k]) * p[k];
            }
        }
}

struct Case {
    const char* name;
    cv::Size picture;
    cv::Size window;
    int x0;
    bool saturated;  // every colour 255: the largest sums the integers must hold
};

TEST(ColumnSums, MatchCountedSumsDownEveryRow)
{
    const Case cases[] = {
        {"spans of every remainder", {61, 40}, {7, 5}, 3, false},
        {"one column, one row", {9, 9}, {1, 1}, 0, false},
        {"window as wide as the span", {30, 20}, {30, 4}, 0, false},
        {"largest window, brightest pixels", {130, 120}, {110, 100}, 10, true},
        {"largest window, random pixels", {125, 112}, {100, 110}, 5, false},
    };
    std::mt19937 random(7);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cv::Mat bgra(c.picture, CV_8UC4);
        for (int y = 0; y < bgra.rows; ++y)
            for (int x = 0; x < bgra.cols; ++x) {
                cv::Vec4b& p = bgra.at<cv::Vec4b>(y, x);
                for (int k = 0; k < 4; ++k)
                    p[k] = c.saturated && k < 3 ? 255 : uchar(random());  // alpha is noise
            }
        const int count = c.picture.width - c.window.width + 1 - c.x0;
        const int rows = c.picture.height - c.window.height + 1;
        const double n = double(c.window.area());
        ColumnSums sums;
        sums.start(bgra, c.x0, count + c.window.width - 1, 0, c.window.height);
        std::vector<double> variance(std::size_t(count), -1.0);
        for (int y = 0; y < rows; ++y) {
            if (y > 0)
                sums.advance();
            sums.rowVariance(count, c.window.width, n, variance.data());
            for (int x = 0; x < count; ++x) {
                std::int64_t expected[4], got[4];
                countedSums(bgra, c.x0 + x, y, c.window, expected);
                sums.window(x, c.window.width, got);
                for (int k = 0; k < 4; ++k)
                    ASSERT_EQ(got[k], expected[k]) << "at " << x << "," << y << " sum " << k;
                const std::int64_t nVariance = c.window.area() * expected[3]
                    - expected[0] * expected[0] - expected[1] * expected[1]
                    - expected[2] * expected[2];
                ASSERT_EQ(variance[std::size_t(x)], double(nVariance)) << "at " << x << "," << y;
            }
        }
    }
}

}  // namespace
