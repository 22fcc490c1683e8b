#include "image/exact_occurrence.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tavix::image {

namespace {

// A template pixel compared with the template's top-left pixel: a window that
// scores 1 differs from its own top-left pixel with the same signs, and by the
// same differences scaled by one positive factor.
struct Probe {
    int dx = 0;
    int dy = 0;
    int diff[3] = {0, 0, 0};
};

int sign(int v)
{
    return (v > 0) - (v < 0);
}

int channel(std::uint32_t pixel, int c)
{
    return int((pixel >> (8 * c)) & 0xFF);
}

// Probes for the pixels that differ from the top-left one, the most distinct
// first (all three channels differing, then the largest difference), followed
// by others spread over the template.
std::vector<Probe> chooseProbes(const cv::Mat& bgr)
{
    const uchar* origin = bgr.ptr(0);
    std::vector<Probe> all;
    for (int y = 0; y < bgr.rows; ++y)
        for (int x = 0; x < bgr.cols; ++x) {
            const uchar* p = bgr.ptr(y) + x * 3;
            Probe probe;
            probe.dx = x;
            probe.dy = y;
            bool differs = false;
            for (int c = 0; c < 3; ++c) {
                probe.diff[c] = int(p[c]) - int(origin[c]);
                differs = differs || probe.diff[c] != 0;
            }
            if (differs)
                all.push_back(probe);
        }
    if (all.empty())
        return all;
    auto strength = [](const Probe& p) {
        int count = 0, total = 0;
        for (int c = 0; c < 3; ++c) {
            count += p.diff[c] != 0;
            total += std::abs(p.diff[c]);
        }
        return count * 1024 + total;
    };
    const auto first =
        std::max_element(all.begin(), all.end(),
                         [&](const Probe& a, const Probe& b) { return strength(a) < strength(b); });
    std::vector<Probe> chosen{*first};
    constexpr int kSpread = 8;
    for (int i = 1; i <= kSpread; ++i)
        chosen.push_back(all[(all.size() - 1) * i / kSpread]);
    return chosen;
}

// The channel of the first probe with the largest difference: it fixes the
// contrast factor of a candidate window.
int scaleChannel(const Probe& probe)
{
    int best = 0;
    for (int c = 1; c < 3; ++c)
        if (std::abs(probe.diff[c]) > std::abs(probe.diff[best]))
            best = c;
    return best;
}

class Scanner {
public:
    Scanner(const cv::Mat& bgra, const ScoredTemplate& templ, std::vector<Probe> probes)
        : bgra_(bgra), templ_(templ), probes_(std::move(probes)), scale_(scaleChannel(probes_[0]))
    {
    }

    // Whether the window at (x, y) scores exactly 1.
    bool verify(int x, int y) const
    {
        const std::uint32_t origin = pixel(x, y);
        const Probe& lead = probes_[0];
        const int d = lead.diff[scale_];
        const int e = channel(pixel(x + lead.dx, y + lead.dy), scale_) - channel(origin, scale_);
        if (sign(e) != sign(d))
            return false;
        for (const Probe& probe : probes_) {
            const std::uint32_t p = pixel(x + probe.dx, y + probe.dy);
            for (int c = 0; c < 3; ++c)
                if ((channel(p, c) - channel(origin, c)) * d != e * probe.diff[c])
                    return false;
        }
        return exactScore(bgra_, cv::Point(x, y), templ_) == 1.0;
    }

private:
    std::uint32_t pixel(int x, int y) const
    {
        std::uint32_t v;
        std::memcpy(&v, bgra_.ptr(y) + std::size_t(x) * 4, 4);
        return v;
    }

    const cv::Mat& bgra_;
    const ScoredTemplate& templ_;
    std::vector<Probe> probes_;
    int scale_;
};

// Whether pixel q relates to pixel o as the lead probe relates to the
// template's top-left pixel, channel by channel (greater, equal or less).
bool signsMatch(std::uint32_t o, std::uint32_t q, const Probe& probe)
{
    for (int c = 0; c < 3; ++c)
        if (sign(channel(q, c) - channel(o, c)) != sign(probe.diff[c]))
            return false;
    return true;
}

// The first perfect match in rows y0 .. y1 - 1, in scan order.
std::optional<cv::Point> scanRows(const cv::Mat& bgra, const Scanner& scanner, const Probe& lead,
                                  int positionsX, int y0, int y1)
{
#if defined(__SSE2__)
    // Expected "not greater" and "not less" byte masks of the lead probe.
    std::uint32_t notGreater = 0, notLess = 0;
    for (int c = 0; c < 3; ++c) {
        notGreater |= (lead.diff[c] > 0 ? 0u : 0xFFu) << (8 * c);
        notLess |= (lead.diff[c] < 0 ? 0u : 0xFFu) << (8 * c);
    }
    const __m128i expectNotGreater = _mm_set1_epi32(int(notGreater));
    const __m128i expectNotLess = _mm_set1_epi32(int(notLess));
    const __m128i alpha = _mm_set1_epi32(int(0xFF000000u));
    const __m128i zero = _mm_setzero_si128();
#endif
    for (int y = y0; y < y1; ++y) {
        const auto* origins = reinterpret_cast<const std::uint32_t*>(bgra.ptr(y));
        const auto* probed =
            reinterpret_cast<const std::uint32_t*>(bgra.ptr(y + lead.dy)) + lead.dx;
        int x = 0;
#if defined(__SSE2__)
        for (; x + 4 <= positionsX; x += 4) {
            const __m128i o = _mm_loadu_si128(reinterpret_cast<const __m128i*>(origins + x));
            const __m128i q = _mm_loadu_si128(reinterpret_cast<const __m128i*>(probed + x));
            const __m128i ng = _mm_cmpeq_epi8(_mm_subs_epu8(q, o), zero);
            const __m128i nl = _mm_cmpeq_epi8(_mm_subs_epu8(o, q), zero);
            const __m128i same = _mm_or_si128(_mm_and_si128(_mm_cmpeq_epi8(ng, expectNotGreater),
                                                            _mm_cmpeq_epi8(nl, expectNotLess)),
                                              alpha);
            const int bits = _mm_movemask_epi8(same);
            if (bits == 0)
                continue;
            for (int j = 0; j < 4; ++j)
                if (((bits >> (4 * j)) & 0xF) == 0xF && scanner.verify(x + j, y))
                    return cv::Point(x + j, y);
        }
#endif
        for (; x < positionsX; ++x)
            if (signsMatch(origins[x], probed[x], lead) && scanner.verify(x, y))
                return cv::Point(x, y);
    }
    return std::nullopt;
}

// Rows per task: enough to outweigh a task's start, few enough that a match
// near the top ends the scan early.
constexpr int kRowsPerTask = 32;

}  // namespace

std::optional<cv::Point> firstPerfectMatch(const cv::Mat& bgra, const ScoredTemplate& templ)
{
    CV_Assert(bgra.type() == CV_8UC4);
    const int positionsX = bgra.cols - templ.cols() + 1;
    const int positionsY = bgra.rows - templ.rows() + 1;
    if (positionsX < 1 || positionsY < 1 || templ.uniform())
        return std::nullopt;
    std::vector<Probe> probes = chooseProbes(templ.bgr());
    if (probes.empty())
        return std::nullopt;
    const Probe lead = probes[0];
    const Scanner scanner(bgra, templ, std::move(probes));

    // Bands of rows taken in order by the cores. A band after one that holds
    // a match is skipped: its matches come later in scan order. Every band
    // before the first that holds one is scanned whole, so the answer is the
    // first match in scan order.
    const int bands = (positionsY + kRowsPerTask - 1) / kRowsPerTask;
    std::vector<std::optional<cv::Point>> found(static_cast<std::size_t>(bands));
    std::atomic<int> firstBand{bands};
    cv::parallel_for_(
        cv::Range(0, bands),
        [&](const cv::Range& range) {
            for (int band = range.start; band < range.end; ++band) {
                if (band > firstBand.load(std::memory_order_relaxed))
                    return;
                const int y0 = band * kRowsPerTask;
                const int y1 = std::min(y0 + kRowsPerTask, positionsY);
                found[std::size_t(band)] = scanRows(bgra, scanner, lead, positionsX, y0, y1);
                if (!found[std::size_t(band)])
                    continue;
                int seen = firstBand.load();
                while (band < seen && !firstBand.compare_exchange_weak(seen, band)) {
                }
                return;
            }
        },
        bands);
    const int first = firstBand.load();
    return first < bands ? found[std::size_t(first)] : std::nullopt;
}

}  // namespace tavix::image
