#include "image/correlation_search.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <limits>
#include <opencv2/core.hpp>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "image/row_scores.h"

namespace tavix::image {

namespace {

// Tiles of a few hundred pixels keep each transform in the cache; a few
// template sizes wide, their overlap stays a small part of them.
constexpr int kMinTile = 256;
constexpr int kTemplatesPerTile = 4;

// Float transforms of integer data are accurate to about this many units of
// the product of the two inputs' norms per doubling of the transform size.
// Errors measured on screen captures and generated pictures stay below a
// twentieth of the bound this gives.
constexpr double kTransformError = 2e-7;

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

// out = the sum over three channels of a times the conjugate of b, for
// `pairs` complex numbers stored as real, imaginary. Two numbers at a time in
// SSE2, adding the same terms in the same order as the plain loop (a - b is
// a + (-b) exactly), so that every value rounds as the plain loop does.
void multiplyConjugatePairs(const float* a0, const float* a1, const float* a2, const float* b0,
                            const float* b1, const float* b2, int pairs, float* out)
{
    int i = 0;
#if defined(__SSE2__)
    const __m128 negateImaginary =
        _mm_castsi128_ps(_mm_set_epi32(int(0x80000000u), 0, int(0x80000000u), 0));
    // a * conj(b) as two terms: (ar br, ai br) and (ai bi, -ar bi).
    auto terms = [&](const float* a, const float* b, int j, __m128& first, __m128& second) {
        const __m128 va = _mm_loadu_ps(a + j), vb = _mm_loadu_ps(b + j);
        first = _mm_mul_ps(va, _mm_shuffle_ps(vb, vb, _MM_SHUFFLE(2, 2, 0, 0)));
        second = _mm_xor_ps(_mm_mul_ps(_mm_shuffle_ps(va, va, _MM_SHUFFLE(2, 3, 0, 1)),
                                       _mm_shuffle_ps(vb, vb, _MM_SHUFFLE(3, 3, 1, 1))),
                            negateImaginary);
    };
    for (; i + 2 <= pairs; i += 2) {
        const int j = 2 * i;
        __m128 p0, q0, p1, q1, p2, q2;
        terms(a0, b0, j, p0, q0);
        terms(a1, b1, j, p1, q1);
        terms(a2, b2, j, p2, q2);
        __m128 sum = _mm_add_ps(p0, q0);
        sum = _mm_add_ps(sum, p1);
        sum = _mm_add_ps(sum, q1);
        sum = _mm_add_ps(sum, p2);
        sum = _mm_add_ps(sum, q2);
        _mm_storeu_ps(out + j, sum);
    }
#endif
    for (; i < pairs; ++i) {
        const int j = 2 * i;
        out[j] = a0[j] * b0[j] + a0[j + 1] * b0[j + 1] + a1[j] * b1[j] + a1[j + 1] * b1[j + 1]
            + a2[j] * b2[j] + a2[j + 1] * b2[j + 1];
        out[j + 1] = a0[j + 1] * b0[j] - a0[j] * b0[j + 1] + a1[j + 1] * b1[j] - a1[j] * b1[j + 1]
            + a2[j + 1] * b2[j] - a2[j] * b2[j + 1];
    }
}

// acc = sum over channels of a[c] times the conjugate of b[c], for spectra in
// OpenCV's packed layout (even width and height): the first and last columns
// hold their own packed real transforms, the columns between complex pairs.
void multiplyConjugateSum(const cv::Mat* a, const cv::Mat* b, cv::Mat& acc)
{
    const int rows = acc.rows;
    const int cols = acc.cols;
    for (int r = 0; r < rows; ++r)
        multiplyConjugatePairs(a[0].ptr<float>(r) + 1, a[1].ptr<float>(r) + 1,
                               a[2].ptr<float>(r) + 1, b[0].ptr<float>(r) + 1,
                               b[1].ptr<float>(r) + 1, b[2].ptr<float>(r) + 1, (cols - 2) / 2,
                               acc.ptr<float>(r) + 1);
    for (const int col : {0, cols - 1}) {
        auto at = [col](const cv::Mat& m, int r) { return m.ptr<float>(r)[col]; };
        auto real = [&](int r) {
            acc.ptr<float>(r)[col] =
                at(a[0], r) * at(b[0], r) + at(a[1], r) * at(b[1], r) + at(a[2], r) * at(b[2], r);
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

// The highest score of a row and the highest score plus bound (scores are
// never NaN, so the order of the comparisons does not matter).
void rowMaxima(const float* scores, const float* bounds, int count, float* best, float* reach)
{
    float b = -std::numeric_limits<float>::infinity(), r = b;
    int x = 0;
#if defined(__SSE2__)
    __m128 vb = _mm_set1_ps(b), vr = vb;
    for (; x + 4 <= count; x += 4) {
        const __m128 s = _mm_loadu_ps(scores + x);
        vb = _mm_max_ps(vb, s);
        vr = _mm_max_ps(vr, _mm_add_ps(s, _mm_loadu_ps(bounds + x)));
    }
    float lanes[8];
    _mm_storeu_ps(lanes, vb);
    _mm_storeu_ps(lanes + 4, vr);
    for (int k = 0; k < 4; ++k) {
        b = std::max(b, lanes[k]);
        r = std::max(r, lanes[4 + k]);
    }
#endif
    for (; x < count; ++x) {
        b = std::max(b, scores[x]);
        r = std::max(r, scores[x] + bounds[x]);
    }
    *best = b;
    *reach = r;
}

// A position whose float score, within its bound, may be the highest.
struct Candidate {
    cv::Point at;
    float score;
    float bound;

    // The highest the exact score may be (with the rounding of this sum).
    double high() const { return double(score) + double(bound) + 1e-6; }
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

    void addRow(int y, int x0, int count, const float* scores, const float* bounds)
    {
        float rowBest = 0, rowReach = 0;
        rowMaxima(scores, bounds, count, &rowBest, &rowReach);
        if (rowBest > best) {
            // The first highest score, as a scan keeping only greater ones finds.
            const int at = int(std::find(scores, scores + count, rowBest) - scores);
            best = scores[at];
            bestBound = bounds[at];
            low = std::max(floor(), minScore);
        }
        reach = std::max(reach, double(rowReach) + 1e-6);
        if (double(rowReach) + 1e-6 < low)
            return;
        for (int x = 0; x < count; ++x)
            if (Candidate{cv::Point(x0 + x, y), scores[x], bounds[x]}.high() >= low)
                candidates.push_back({cv::Point(x0 + x, y), scores[x], bounds[x]});
    }

    // Drops the positions that the tile's final best score rules out.
    void finish(double minScore)
    {
        const double low = std::max(floor(), minScore);
        candidates.erase(std::remove_if(candidates.begin(), candidates.end(),
                                        [low](const Candidate& c) { return c.high() < low; }),
                         candidates.end());
    }
};

// Buffers of one stripe of tiles, kept by the searching thread for its next
// search: fresh large blocks cost page faults on every search. Each stripe is
// one task, so no two running tasks share them, whichever worker runs them.
struct Scratch {
    cv::Mat planes[3];
    cv::Mat acc;
    cv::Mat corr;
    RowScores rows;
};

std::vector<Scratch>& scratchOfThisThread(int stripes)
{
    thread_local std::vector<Scratch> kept;
    if (int(kept.size()) < stripes)
        kept.resize(std::size_t(stripes));
    return kept;
}

// Runs `body(tile, scratch)` for every tile, in one task per core, each task
// taking the next tile not yet taken: tiles at the picture's edges hold fewer
// positions, so that fixed shares would leave a core idle. Every tile's
// result is its own, whichever task computes it.
template <typename Body>
void forEachTile(int tiles, const Body& body)
{
    const int stripes = std::max(1, std::min(cv::getNumThreads(), tiles));
    std::vector<Scratch>& scratch = scratchOfThisThread(stripes);
    std::atomic<int> next{0};
    cv::parallel_for_(
        cv::Range(0, stripes),
        [&](const cv::Range& range) {
            for (int s = range.start; s < range.end; ++s)
                for (int i = next++; i < tiles; i = next++)
                    body(i, scratch[std::size_t(s)]);
        },
        stripes);
}

}  // namespace

CorrelationSearch::CorrelationSearch(const cv::Mat& bgra) : bgra_(bgra)
{
    CV_Assert(bgra.type() == CV_8UC4);
}

void CorrelationSearch::transformTile(Tile& tile, cv::Mat* planes) const
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
        std::int32_t row[3] = {0, 0, 0};
        for (int x = 0; x < width; ++x) {
            row[0] += p[x * 4];
            row[1] += p[x * 4 + 1];
            row[2] += p[x * 4 + 2];
        }
        for (int c = 0; c < 3; ++c)
            total[c] += row[c];
    }
    const std::int64_t count = std::int64_t(width) * height;
    int mean[3];
    for (int c = 0; c < 3; ++c)
        mean[c] = int((total[c] + count / 2) / count);
    for (int c = 0; c < 3; ++c) {
        planes[c].create(dftSize_, CV_32F);
        if (width < dftSize_.width || height < dftSize_.height)
            planes[c].setTo(0);
    }
    std::int64_t energy = 0;
    for (int y = 0; y < height; ++y) {
        const uchar* p = part.ptr(y);
        float* b = planes[0].ptr<float>(y);
        float* g = planes[1].ptr<float>(y);
        float* r = planes[2].ptr<float>(y);
        std::int32_t squares = 0;
        for (int x = 0; x < width; ++x) {
            const int vb = p[x * 4] - mean[0], vg = p[x * 4 + 1] - mean[1],
                      vr = p[x * 4 + 2] - mean[2];
            b[x] = float(vb);
            g[x] = float(vg);
            r[x] = float(vr);
            squares += vb * vb + vg * vg + vr * vr;
        }
        energy += squares;
    }
    for (int c = 0; c < 3; ++c)
        cv::dft(planes[c], tile.spectra[c], 0, height);
    tile.energy = double(energy);
}

cv::Size CorrelationSearch::transformSize(cv::Size picture, cv::Size templ)
{
    return cv::Size(tileSize(picture.width, templ.width), tileSize(picture.height, templ.height));
}

void CorrelationSearch::prepare(cv::Size templSize)
{
    dftSize_ = transformSize(bgra_.size(), templSize);
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
    forEachTile(int(tiles_.size()),
                [this](int i, Scratch& scratch) { transformTile(tiles_[i], scratch.planes); });
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

    // The template's spectra: its deviations from its channel means, one
    // channel per task. The planes and spectra stay with the thread: fresh
    // blocks of this size cost page faults on every attempt.
    const std::int64_t n = templ.area();
    thread_local std::array<cv::Mat, 3> keptPlanes, keptSpectra;
    // References: the tasks run on other threads, with thread_locals of their own.
    std::array<cv::Mat, 3>& planes = keptPlanes;
    std::array<cv::Mat, 3>& kept = keptSpectra;
    for (int c = 0; c < 3; ++c) {
        if (planes[c].size() != dftSize_ || planes[c].type() != CV_32F)
            planes[c] = cv::Mat::zeros(dftSize_, CV_32F);
        kept[c].create(dftSize_, CV_32F);
    }
    cv::parallel_for_(cv::Range(0, 3), [&](const cv::Range& range) {
        for (int c = range.start; c < range.end; ++c) {
            cv::Mat& plane = planes[std::size_t(c)];
            const double mean = double(templ.channelSum(c)) / double(n);
            for (int y = 0; y < size.height; ++y) {
                const uchar* p = templ.bgr().ptr(y);
                float* out = plane.ptr<float>(y);
                for (int x = 0; x < size.width; ++x)
                    out[x] = float(double(p[x * 3 + c]) - mean);
            }
            cv::dft(plane, kept[std::size_t(c)], 0, size.height);
            plane(cv::Rect(cv::Point(0, 0), size)).setTo(0);  // zero again for the next template
        }
    });
    const cv::Mat* spectra = kept.data();

    const double sqrtNorm = std::sqrt(double(templ.centredNorm()));
    const float scoreScale =
        float(double(n) / (double(dftSize_.width) * dftSize_.height) / sqrtNorm);
    const double errorScale =
        kTransformError * std::log2(double(dftSize_.area())) * std::sqrt(double(n));
    const int tilesY = int(tiles_.size()) / tilesX_;
    std::vector<TileScores> results(tiles_.size());

    forEachTile(int(tiles_.size()), [&](int i, Scratch& scratch) {
        const Tile& tile = tiles_[i];
        const int x0 = tile.origin.x, y0 = tile.origin.y;
        const int x1 =
            i % tilesX_ == tilesX_ - 1 ? positionsX : std::min(x0 + step_.width, positionsX);
        const int y1 =
            i / tilesX_ == tilesY - 1 ? positionsY : std::min(y0 + step_.height, positionsY);
        if (x1 <= x0 || y1 <= y0)
            return;
        scratch.acc.create(dftSize_, CV_32F);
        multiplyConjugateSum(tile.spectra, spectra, scratch.acc);
        cv::dft(scratch.acc, scratch.corr, cv::DFT_INVERSE | cv::DFT_REAL_OUTPUT, y1 - y0);
        const float boundScale = float(errorScale * std::sqrt(tile.energy));
        TileScores& out = results[i];
        out.minScore = minScore;
        out.low = minScore;
        RowScores& rows = scratch.rows;
        rows.start(bgra_, x0, x1 - x0, y0, size);
        for (int y = y0; y < y1; ++y) {
            if (y > y0)
                rows.advance(y);
            rows.score(scratch.corr.ptr<float>(y - y0), scoreScale, boundScale);
            out.addRow(y, x0, x1 - x0, rows.scores(), rows.bounds());
        }
        out.finish(minScore);
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
            if (c.high() >= floor)
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
