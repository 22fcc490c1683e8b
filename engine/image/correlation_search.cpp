#include "image/correlation_search.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <opencv2/core.hpp>

namespace tavix::image {

namespace {

// Tiles of a few hundred pixels keep each transform in the cache; a few
// template sizes wide, their overlap stays a small part of them.
constexpr int kMinTile = 256;
constexpr int kTemplatesPerTile = 4;

// Float transforms of integer data are accurate to about this many units of
// the product of the two inputs' norms per doubling of the transform size;
// the margin is generous (measured errors are an order of magnitude lower).
constexpr double kTransformError = 2e-6;

// The smallest even size at or above `n` that the transform handles fast.
int evenDftSize(int n)
{
    int size = cv::getOptimalDFTSize(std::max(n, 2));
    while (size % 2)
        size = cv::getOptimalDFTSize(size + 1);
    return size;
}

int tileSize(int extent, int templ)
{
    const int wanted = std::max(kMinTile, kTemplatesPerTile * templ);
    return extent <= wanted ? evenDftSize(extent) : evenDftSize(wanted);
}

// acc = sum over channels of a[c] times the conjugate of b[c], for spectra in
// OpenCV's packed layout (even width and height): the first and last columns
// hold their own packed real transforms, the columns between complex pairs.
void multiplyConjugateSum(const cv::Mat* a, const cv::Mat* b, cv::Mat& acc)
{
    const int rows = acc.rows;
    const int cols = acc.cols;
    for (int r = 0; r < rows; ++r) {
        float* out = acc.ptr<float>(r);
        const float* a0 = a[0].ptr<float>(r);
        const float* a1 = a[1].ptr<float>(r);
        const float* a2 = a[2].ptr<float>(r);
        const float* b0 = b[0].ptr<float>(r);
        const float* b1 = b[1].ptr<float>(r);
        const float* b2 = b[2].ptr<float>(r);
        for (int j = 1; j + 1 <= cols - 2; j += 2) {
            out[j] = a0[j] * b0[j] + a0[j + 1] * b0[j + 1] + a1[j] * b1[j] + a1[j + 1] * b1[j + 1]
                + a2[j] * b2[j] + a2[j + 1] * b2[j + 1];
            out[j + 1] = a0[j + 1] * b0[j] - a0[j] * b0[j + 1] + a1[j + 1] * b1[j] - a1[j] * b1[j + 1]
                + a2[j + 1] * b2[j] - a2[j] * b2[j + 1];
        }
    }
    for (const int col : {0, cols - 1}) {
        auto at = [col](const cv::Mat& m, int r) { return m.ptr<float>(r)[col]; };
        auto real = [&](int r) {
            acc.ptr<float>(r)[col] = at(a[0], r) * at(b[0], r) + at(a[1], r) * at(b[1], r)
                + at(a[2], r) * at(b[2], r);
        };
        real(0);
        real(rows - 1);
        for (int r = 1; r + 1 < rows; r += 2) {
            float re = 0, im = 0;
            for (int c = 0; c < 3; ++c) {
                const float ar = at(a[c], r), ai = at(a[c], r + 1);
                const float br = at(b[c], r), bi = at(b[c], r + 1);
                re += ar * br + ai * bi;
                im += ai * br - ar * bi;
            }
            acc.ptr<float>(r)[col] = re;
            acc.ptr<float>(r + 1)[col] = im;
        }
    }
}

// A position whose float score, within its bound, may be the highest.
struct Candidate {
    cv::Point at;
    float score;
    float bound;
};

// The float scores of one tile: its best one and the positions near it.
struct TileScores {
    double minScore = 0;
    float best = -std::numeric_limits<float>::infinity();
    float bestBound = 0;
    double low = -1e300;    // max(best - its bound, minScore)
    double reach = -1e300;  // highest score plus bound
    std::vector<Candidate> candidates;

    double floor() const { return double(best) - double(bestBound); }

    void add(cv::Point at, float score, float bound)
    {
        if (score > best) {
            best = score;
            bestBound = bound;
            low = std::max(floor(), minScore);
        }
        const double high = double(score) + double(bound);
        reach = std::max(reach, high);
        if (high >= low)
            candidates.push_back({at, score, bound});
    }

    // Drops the positions that the tile's final best score rules out.
    void finish(double minScore)
    {
        const double low = std::max(floor(), minScore);
        candidates.erase(std::remove_if(candidates.begin(), candidates.end(),
                                        [low](const Candidate& c) {
                                            return double(c.score) + double(c.bound) < low;
                                        }),
                         candidates.end());
    }
};

// Sums over windows of a fixed height, row after row: per column of the
// tile's span, the sums of the window's rows, updated by one row in and one
// out; along a row, the window's sums slide by one column in and one out.
class WindowRows {
public:
    void start(const cv::Mat& bgra, int x0, int width, int y0, int height)
    {
        x0_ = x0;
        height_ = height;
        cols_.assign(std::size_t(width), Column());
        for (int y = y0; y < y0 + height; ++y)
            addRow(bgra, y, 1);
    }

    // Moves the rows to start at `y`.
    void advance(const cv::Mat& bgra, int y)
    {
        addRow(bgra, y - 1, -1);
        addRow(bgra, y + height_ - 1, 1);
    }

    WindowSums first(int width) const
    {
        WindowSums s;
        for (int i = 0; i < width; ++i)
            add(s, cols_[i], 1);
        return s;
    }

    // Moves the window to start at column `i` of the span.
    void slide(WindowSums& s, int i, int width) const
    {
        add(s, cols_[i - 1], -1);
        add(s, cols_[i + width - 1], 1);
    }

private:
    struct Column {
        std::int32_t s[3] = {0, 0, 0};
        std::int64_t squares = 0;
    };

    static void add(WindowSums& s, const Column& c, int sign)
    {
        for (int k = 0; k < 3; ++k)
            s.s[k] += sign * c.s[k];
        s.squares += sign * c.squares;
    }

    void addRow(const cv::Mat& bgra, int y, int sign)
    {
        const uchar* p = bgra.ptr(y) + std::size_t(x0_) * 4;
        for (std::size_t i = 0; i < cols_.size(); ++i) {
            Column& c = cols_[i];
            int squares = 0;
            for (int k = 0; k < 3; ++k) {
                const int v = p[i * 4 + k];
                c.s[k] += sign * v;
                squares += v * v;
            }
            c.squares += sign * squares;
        }
    }

    int x0_ = 0;
    int height_ = 0;
    std::vector<Column> cols_;
};

}  // namespace

CorrelationSearch::CorrelationSearch(const cv::Mat& bgra) : bgra_(bgra)
{
    CV_Assert(bgra.type() == CV_8UC4);
}

void CorrelationSearch::transformTile(Tile& tile) const
{
    const int width = std::min(dftSize_.width, bgra_.cols - tile.origin.x);
    const int height = std::min(dftSize_.height, bgra_.rows - tile.origin.y);
    const cv::Mat part = bgra_(cv::Rect(tile.origin, cv::Size(width, height)));
    // Less the tile's mean (an integer, so that the values stay exact): the
    // template's deviations sum to zero, so the correlation does not change,
    // and the transform's error, which grows with the data's size, shrinks.
    std::int64_t total[3] = {0, 0, 0};
    for (int y = 0; y < height; ++y) {
        const uchar* p = part.ptr(y);
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                total[c] += p[x * 4 + c];
    }
    const std::int64_t count = std::int64_t(width) * height;
    int mean[3];
    for (int c = 0; c < 3; ++c)
        mean[c] = int((total[c] + count / 2) / count);
    thread_local cv::Mat planes[3];
    double energy = 0;
    for (int c = 0; c < 3; ++c) {
        planes[c].create(dftSize_, CV_32F);
        if (width < dftSize_.width || height < dftSize_.height)
            planes[c].setTo(0);
    }
    for (int y = 0; y < height; ++y) {
        const uchar* p = part.ptr(y);
        float* out[3] = {planes[0].ptr<float>(y), planes[1].ptr<float>(y), planes[2].ptr<float>(y)};
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) {
                const float v = float(int(p[x * 4 + c]) - mean[c]);
                out[c][x] = v;
                energy += double(v) * v;
            }
    }
    for (int c = 0; c < 3; ++c)
        cv::dft(planes[c], tile.spectra[c], 0, height);
    tile.energy = energy;
}

void CorrelationSearch::prepare(cv::Size templSize)
{
    dftSize_ = cv::Size(tileSize(bgra_.cols, templSize.width), tileSize(bgra_.rows, templSize.height));
    step_ = cv::Size(dftSize_.width - templSize.width + 1, dftSize_.height - templSize.height + 1);
    const int positionsX = bgra_.cols - templSize.width + 1;
    const int positionsY = bgra_.rows - templSize.height + 1;
    tilesX_ = (positionsX + step_.width - 1) / step_.width;
    const int tilesY = (positionsY + step_.height - 1) / step_.height;
    tiles_.assign(std::size_t(tilesX_) * tilesY, Tile());
    // The spectra's memory stays with the thread for the next search.
    thread_local std::vector<std::array<cv::Mat, 3>> kept;
    if (kept.size() < tiles_.size())
        kept.resize(tiles_.size());
    for (int ty = 0; ty < tilesY; ++ty)
        for (int tx = 0; tx < tilesX_; ++tx) {
            const std::size_t i = std::size_t(ty) * tilesX_ + tx;
            tiles_[i].origin = cv::Point(tx * step_.width, ty * step_.height);
            for (int c = 0; c < 3; ++c) {
                kept[i][c].create(dftSize_, CV_32F);
                tiles_[i].spectra[c] = kept[i][c];
            }
        }
    cv::parallel_for_(cv::Range(0, int(tiles_.size())), [this](const cv::Range& range) {
        for (int i = range.start; i < range.end; ++i)
            transformTile(tiles_[i]);
    });
}

std::optional<Match> CorrelationSearch::best(const ScoredTemplate& templ, double minScore)
{
    CV_Assert(!templ.uniform());
    const cv::Size size(templ.cols(), templ.rows());
    if (tiles_.empty())
        prepare(size);
    // The tiles overlap by the first template's size less one pixel.
    CV_Assert(size.width <= dftSize_.width - step_.width + 1
              && size.height <= dftSize_.height - step_.height + 1);
    const int positionsX = bgra_.cols - size.width + 1;
    const int positionsY = bgra_.rows - size.height + 1;
    if (positionsX < 1 || positionsY < 1)
        return std::nullopt;

    // The template's spectra: its deviations from its channel means.
    const std::int64_t n = templ.area();
    cv::Mat spectra[3];
    for (int c = 0; c < 3; ++c) {
        const double mean = double(templ.channelSum(c)) / double(n);
        cv::Mat plane = cv::Mat::zeros(dftSize_, CV_32F);
        for (int y = 0; y < size.height; ++y) {
            const uchar* p = templ.bgr().ptr(y);
            float* out = plane.ptr<float>(y);
            for (int x = 0; x < size.width; ++x)
                out[x] = float(double(p[x * 3 + c]) - mean);
        }
        cv::dft(plane, spectra[c], 0, size.height);
    }

    const double sqrtNorm = std::sqrt(double(templ.centredNorm()));
    const float scoreScale = float(double(n) / (double(dftSize_.width) * dftSize_.height) / sqrtNorm);
    const double errorScale = kTransformError * std::log2(double(dftSize_.area())) * std::sqrt(double(n));
    const int tilesY = int(tiles_.size()) / tilesX_;
    std::vector<TileScores> results(tiles_.size());

    cv::parallel_for_(cv::Range(0, int(tiles_.size())), [&](const cv::Range& range) {
        // Kept per thread: fresh large blocks cost page faults on every search.
        thread_local cv::Mat acc, corr;
        thread_local WindowRows rows;
        acc.create(dftSize_, CV_32F);
        for (int i = range.start; i < range.end; ++i) {
            const Tile& tile = tiles_[i];
            const int x0 = tile.origin.x, y0 = tile.origin.y;
            const int x1 = i % tilesX_ == tilesX_ - 1 ? positionsX : std::min(x0 + step_.width, positionsX);
            const int y1 = i / tilesX_ == tilesY - 1 ? positionsY : std::min(y0 + step_.height, positionsY);
            if (x1 <= x0 || y1 <= y0)
                continue;
            multiplyConjugateSum(tile.spectra, spectra, acc);
            cv::dft(acc, corr, cv::DFT_INVERSE | cv::DFT_REAL_OUTPUT, y1 - y0);
            const float boundScale = float(errorScale * std::sqrt(tile.energy));
            TileScores& out = results[i];
            out.minScore = minScore;
            rows.start(bgra_, x0, x1 - x0 + size.width - 1, y0, size.height);
            for (int y = y0; y < y1; ++y) {
                if (y > y0)
                    rows.advance(bgra_, y);
                const float* c = corr.ptr<float>(y - y0);
                WindowSums s = rows.first(size.width);
                for (int x = x0; x < x1; ++x) {
                    if (x > x0)
                        rows.slide(s, x - x0, size.width);
                    std::int64_t var = n * s.squares;
                    for (int k = 0; k < 3; ++k)
                        var -= s.s[k] * s.s[k];
                    // Well above n, the variance is far from OpenCV's flat floor.
                    if (var == 0 || (var <= 2 * n && flatWindow(s, n))) {
                        out.add(cv::Point(x, y), 0.0f, 0.0f);
                        continue;
                    }
                    const float inv = 1.0f / std::sqrt(float(var));
                    const float score = c[x - x0] * scoreScale * inv;
                    // The float arithmetic here adds a few units of 1e-7.
                    out.add(cv::Point(x, y), score, boundScale * inv + 1e-6f + 1e-6f * std::abs(score));
                }
            }
            out.finish(minScore);
        }
    });

    // The exact maximum is at least every tile's best float score less its
    // bound; only positions whose score may reach that are scored exactly.
    double floor = minScore, reach = -1e300;
    for (const TileScores& t : results) {
        reach = std::max(reach, t.reach);
        floor = std::max(floor, t.floor());
    }
    if (reach < minScore)
        return std::nullopt;
    std::vector<Candidate> candidates;
    for (const TileScores& t : results)
        for (const Candidate& c : t.candidates)
            if (double(c.score) + double(c.bound) >= floor)
                candidates.push_back(c);
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return a.at.y != b.at.y ? a.at.y < b.at.y : a.at.x < b.at.x;
    });
    std::optional<Match> found;
    for (const Candidate& c : candidates) {
        const double exact = exactScore(bgra_, c.at, templ);
        if (!found || exact > found->score)
            found = Match{c.at, exact};
    }
    if (!found || found->score < minScore)
        return std::nullopt;
    return found;
}

}  // namespace tavix::image
