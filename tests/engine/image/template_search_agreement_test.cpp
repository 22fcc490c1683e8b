// The faster search's parts against OpenCV on generated pictures: exact window
// scores, the exact pass and the correlation over tiles, at the edges of the
// tiling (narrow regions, tiny and tall templates, rectangles) and at low
// thresholds where every attempt must rank positions exactly like OpenCV.
#include <QPainter>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <cstdio>
#include <string>

#include "image/exact_occurrence.h"
#include "image/window_score.h"
#include "image_fixtures.h"
#include "search_agreement.h"

using namespace tavix::test;
using tavix::Corners;
using tavix::image::ScoredTemplate;

namespace {

QImage pasted(QImage canvas, const QImage& patch, QPoint at)
{
    QPainter(&canvas).drawImage(at, patch);
    return canvas;
}

// Every channel mapped through v -> a * v + b (clamped): a contrast and
// brightness change, which leaves a perfect match perfect while nothing clips.
QImage affine(const QImage& image, double a, int b)
{
    QImage out = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            auto map = [&](int v) { return qBound(0, int(std::lround(a * v)) + b, 255); };
            row[x] = qRgb(map(qRed(row[x])), map(qGreen(row[x])), map(qBlue(row[x])));
        }
    }
    return out;
}

// A template with pixel noise of +-`amount` on every channel: found by
// correlation only.
QImage noisy(const QImage& image, int amount, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage out = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            auto jitter = [&](int v) {
                return qBound(0, v + random.bounded(2 * amount + 1) - amount, 255);
            };
            row[x] = qRgb(jitter(qRed(row[x])), jitter(qGreen(row[x])), jitter(qBlue(row[x])));
        }
    }
    return out;
}

// A desktop-like picture: a faint gradient (windows of tiny variance), flat
// panels, text and blocks.
QImage desktop(int width, int height, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, width, height);
    gradient.setColorAt(0, QColor(40, 60, 90));
    gradient.setColorAt(1, QColor(44, 58, 95));
    painter.fillRect(image.rect(), gradient);
    for (int i = 0; i < 6; ++i) {
        const QRect panel(random.bounded(width), random.bounded(height), 60 + random.bounded(200),
                          40 + random.bounded(120));
        painter.fillRect(panel, QColor(230 + random.bounded(20), 230, 235));
        painter.setPen(Qt::black);
        painter.drawText(panel.adjusted(4, 4, -4, -4), Qt::TextWordWrap,
                         QString("Item %1 value %2 total %3")
                             .arg(random.bounded(1000))
                             .arg(random.bounded(1000))
                             .arg(i));
    }
    return image;
}

cv::Mat bgra(const QImage& image)
{
    return tavix::image::BgraView(image).mat();
}

TEST(WindowScore, MatchesOpenCvAndIsExactForPerfectAndFlatWindows)
{
    const QImage source = pasted(desktop(300, 200, 1), blocks(40, 30, 5, 2), QPoint(150, 100));
    const QImage templ = source.copy(140, 90, 40, 30);
    const ScoredTemplate scored(referenceBgr(templ));
    cv::Mat scores;
    cv::matchTemplate(referenceBgr(source), referenceBgr(templ), scores, cv::TM_CCOEFF_NORMED);
    // OpenCV's float scores stray furthest on windows of low contrast.
    QRandomGenerator random(3);
    for (int i = 0; i < 400; ++i) {
        const cv::Point at(random.bounded(scores.cols), random.bounded(scores.rows));
        const double exact = tavix::image::exactScore(bgra(source), at, scored);
        EXPECT_NEAR(exact, directScore(referenceBgr(source), at, referenceBgr(templ)), 1e-12);
        EXPECT_NEAR(exact, scores.at<float>(at), 1e-3) << at.x << ", " << at.y;
    }
    EXPECT_EQ(tavix::image::exactScore(bgra(source), cv::Point(140, 90), scored), 1.0);
    // Same shape, other contrast and brightness: also exactly 1; inverted: -1.
    const QImage faint = affine(templ, 0.4, 20);  // 20..122: room for exact copies
    const ScoredTemplate faintScored(referenceBgr(faint));
    const QImage scaled = pasted(source, affine(faint, 2, -30), QPoint(10, 10));
    EXPECT_EQ(tavix::image::exactScore(bgra(scaled), cv::Point(10, 10), faintScored), 1.0);
    const QImage inverted = pasted(source, affine(faint, -1, 255), QPoint(10, 10));
    EXPECT_EQ(tavix::image::exactScore(bgra(inverted), cv::Point(10, 10), faintScored), -1.0);
    // A flat window scores 0, as OpenCV scores it.
    const QImage flat = solid(300, 200, QColor(90, 90, 90), QImage::Format_RGB32);
    EXPECT_EQ(tavix::image::exactScore(bgra(flat), cv::Point(5, 5), scored), 0.0);
}

TEST(ExactPass, FindsTheFirstWindowScoringOneInScanOrder)
{
    const QImage templ = affine(blocks(32, 16, 4, 10), 0.4, 20);
    const ScoredTemplate scored(referenceBgr(templ));
    QImage source = desktop(400, 300, 11);
    EXPECT_FALSE(tavix::image::firstPerfectMatch(bgra(source), scored));
    source = pasted(pasted(source, templ, QPoint(300, 200)), templ, QPoint(50, 250));
    EXPECT_EQ(tavix::image::firstPerfectMatch(bgra(source), scored), cv::Point(300, 200));
    // A brighter, lower-contrast copy earlier in scan order scores 1 as well:
    // OpenCV's first maximum is there.
    source = pasted(source, affine(templ, 2, -30), QPoint(360, 20));
    EXPECT_EQ(tavix::image::firstPerfectMatch(bgra(source), scored), cv::Point(360, 20));
    expectAgreement(source, templ, 0.9f, {}, 0, "affine copy first");
    // One channel of one pixel off by one: no longer perfect.
    QImage nearly = pasted(desktop(400, 300, 11), templ, QPoint(100, 100));
    nearly.setPixel(110, 105, nearly.pixel(110, 105) ^ 1u);
    EXPECT_FALSE(tavix::image::firstPerfectMatch(bgra(nearly), scored));
    // Alpha plays no part.
    QImage transparent = pasted(desktop(400, 300, 11), templ, QPoint(100, 100))
                             .convertToFormat(QImage::Format_ARGB32);
    transparent.setPixel(100, 100, transparent.pixel(100, 100) & 0x00FFFFFFu);
    EXPECT_EQ(tavix::image::firstPerfectMatch(bgra(transparent), scored), cv::Point(100, 100));
}

TEST(SearchAgreement, TilingEdgesThresholdsRectanglesAndLevels)
{
    const QImage wide = desktop(900, 260, 20);
    const QImage narrow = desktop(70, 500, 21);
    const QImage tiny = desktop(40, 30, 22);
    struct Case {
        const char* name;
        QImage source;
        QRect cut;
        int noise;
        float threshold;
        Corners corners;
        int level;
    };
    const Case cases[] = {
        {"wide noisy", wide, QRect(600, 120, 64, 32), 12, 0.8f, {}, 0},
        {"wide noisy level 1", wide, QRect(600, 120, 64, 32), 12, 0.8f, {}, 1},
        {"wide noisy in rectangle",
         wide,
         QRect(600, 120, 64, 32),
         12,
         0.8f,
         {500, 100, 700, 200},
         0},
        {"wide rectangle elsewhere", wide, QRect(600, 120, 64, 32), 12, 0.8f, {0, 0, 400, 259}, 0},
        {"wide any score", wide, QRect(600, 120, 64, 32), 40, -1.0f, {}, 0},
        {"wide level 2", wide, QRect(100, 20, 64, 32), 12, 0.8f, {}, 2},
        {"narrow tall template", narrow, QRect(10, 300, 12, 90), 10, 0.7f, {}, 0},
        {"tiny template", wide, QRect(333, 44, 3, 2), 0, 0.5f, {}, 0},
        {"tiny source", tiny, QRect(5, 5, 20, 12), 8, 0.0f, {}, 0},
        {"flat template area", wide, QRect(5, 5, 40, 30), 3, 0.3f, {}, 0},
        {"gradient only", wide, QRect(5, 5, 40, 30), 0, 0.9f, {}, 0},
        {"large template", wide, QRect(100, 30, 400, 200), 20, 0.5f, {}, 0},
    };
    const QImage grey = solid(30, 16, QColor(200, 200, 200), QImage::Format_RGB32);
    AgreementCounts counts;
    for (const Case& c : cases) {
        const QImage templ =
            c.noise ? noisy(c.source.copy(c.cut), c.noise, 23) : c.source.copy(c.cut);
        expectAgreement(c.source, templ, c.threshold, c.corners, c.level, c.name, &counts);
    }
    // Uniform templates: OpenCV's convention (every window scores 1, so the
    // region's corner), or its own scores where its rounding misses that.
    expectAgreement(wide, grey, 0.9f, {}, 0, "uniform", &counts);
    expectAgreement(wide, grey, 0.9f, {300, 50, 600, 200}, 0, "uniform in rectangle", &counts);
    EXPECT_EQ(tavix::image::findTemplate(wide, grey, 0.9f, {300, 50, 600, 200}, 0).at,
              QPoint(300, 50));
    EXPECT_GE(counts.found, 8);
    std::printf("%d searches, %d found, %d ties, %d differences from OpenCV's rounding\n",
                counts.searches, counts.found, counts.ties, counts.rounding);
}

TEST(SearchAgreement, RepeatedPatternsAndHalfSizeOccurrences)
{
    // A tiled source: every cell alike, so that many positions score the same.
    const QImage cell = blocks(24, 24, 6, 30);
    QImage tiled(480, 240, QImage::Format_RGB32);
    QPainter painter(&tiled);
    for (int y = 0; y < tiled.height(); y += 24)
        for (int x = 0; x < tiled.width(); x += 24)
            painter.drawImage(x, y, cell);
    painter.end();
    AgreementCounts counts;
    expectAgreement(tiled, tiled.copy(50, 60, 40, 30), 0.9f, {}, 0, "tiled exact", &counts);
    expectAgreement(tiled, noisy(tiled.copy(50, 60, 40, 30), 10, 31), 0.9f, {}, 0, "tiled noisy",
                    &counts);
    expectAgreement(tiled, noisy(tiled.copy(50, 60, 40, 30), 10, 31), 0.9f, {200, 100, 479, 239}, 1,
                    "tiled noisy rectangle", &counts);
    // Half size: attempt 1 finds the doubled template's original.
    const QImage patch = blocks(64, 48, 8, 32);
    const QImage source = pasted(desktop(500, 300, 33), patch, QPoint(210, 120));
    const QImage doubled = patch.scaled(128, 96, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    expectAgreement(source, doubled, 0.9f, {}, 0, "doubled", &counts);
    expectAgreement(source, noisy(doubled, 10, 34), 0.85f, {}, 0, "doubled noisy", &counts);
    expectAgreement(source, doubled, 0.9f, {150, 100, 400, 250}, 1, "doubled rectangle", &counts);
    EXPECT_EQ(counts.found, counts.searches);
    std::printf("%d searches, %d found, %d ties, %d differences from OpenCV's rounding\n",
                counts.searches, counts.found, counts.ties, counts.rounding);
}

}  // namespace
