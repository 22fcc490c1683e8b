// Colour tests, the first-match colour search and the filters.
#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "image/colour_text.h"
#include "image_fixtures.h"
#include "tavix.h"

using namespace tavix::test;
using tavix::image::Rgb;

namespace {

class Colours : public ::testing::Test {
protected:
    void SetUp() override { TX_api_initialize(); }
};

// --- colour texts ---

TEST(ColourText, ThreeReadersThreeForms)
{
    using namespace tavix::image;
    EXPECT_EQ(scanColour("#FFf00a"), (Rgb{255, 240, 10}));
    EXPECT_EQ(scanColour("#ff"), (Rgb{255, 0, 0}));
    EXPECT_EQ(scanColour("red"), (Rgb{0, 0, 0}));
    EXPECT_EQ(scanColour(nullptr), (Rgb{0, 0, 0}));

    EXPECT_EQ(positionalColour("#ff8001"), (Rgb{255, 128, 1}));
    EXPECT_EQ(positionalColour("xff8001"), (Rgb{255, 128, 1}));   // character 0 is skipped
    EXPECT_EQ(positionalColour("#ff800"), (Rgb{255, 128, 0}));    // one-digit blue
    EXPECT_EQ(positionalColour("#ff80017777"), (Rgb{255, 128, 1}));
    for (const char* bad : {"#ff8", "#ff80", "#fg8001", "#ff80zz", "", "#f 8001"})
        EXPECT_FALSE(positionalColour(bad).has_value()) << bad;
    EXPECT_FALSE(positionalColour(nullptr).has_value());

    EXPECT_EQ(namedColour("red"), (Rgb{255, 0, 0}));
    EXPECT_EQ(namedColour("#0f0"), (Rgb{0, 255, 0}));
    EXPECT_EQ(namedColour("#80ff0000"), (Rgb{255, 0, 0}));
    EXPECT_EQ(namedColour("not a colour"), (Rgb{0, 0, 0}));
    EXPECT_EQ(namedColour(nullptr), (Rgb{0, 0, 0}));
}

// --- detectsColor ---

struct Detection {
    const char* colour;
    int threshold;
    const char* algorithm;
    bool detected;
};

void PrintTo(const Detection& d, std::ostream* os)
{
    *os << d.algorithm << " " << d.colour << " t=" << d.threshold;
}

class DetectsOnWhite : public Colours, public ::testing::WithParamInterface<Detection> {};

TEST_P(DetectsOnWhite, AtOnePoint)
{
    working() = solid(200, 200, Qt::white);
    const Detection& d = GetParam();
    EXPECT_EQ(TX_image_detectsColor(d.colour, 100, 100, d.threshold, d.algorithm), d.detected);
}

INSTANTIATE_TEST_SUITE_P(Image, DetectsOnWhite, ::testing::Values(
    Detection{"#FFF0F0", 31, "diff", true},    // 15 + 15 = 30 < 31
    Detection{"#FFF0F0", 30, "diff", false},   // strictly less
    Detection{"#FFF0F0", 0, "equal", false},
    Detection{"#ffffff", 0, "equal", true},
    Detection{"#FFF0F0", 15, "rgb+", true},
    Detection{"#FFF0F0", 14, "rgb+", false},
    Detection{"#ffffff", 0, "rgb", true},
    Detection{"#fffffe", 0, "rgb", false},
    Detection{"#FFF0F0", 22, "rgb", true},     // 15^2 + 15^2 = 450 <= 484
    Detection{"#FFF0F0", 21, "rgb", false},    // 450 > 441
    Detection{"#ffffff", 0, "RGB", false},     // names are case-sensitive
    Detection{"#ffffff", 99, "", false},
    Detection{"#ffffff", 99, "hsv", false},
    Detection{"#f0f0f0", 15, "hs", true},      // white and light gray differ in value only
    Detection{"#f0f0f0", 14, "hs", false},
    Detection{"not-a-colour", 0, "equal", false}));  // read as black

TEST_F(Colours, HsComparesHueAcrossTheWrapAtRed)
{
    // Hues 0 and 178 (in OpenCV's 2-degree units) are 4 degrees apart.
    working() = solid(4, 4, QColor::fromHsv(0, 255, 255));
    EXPECT_TRUE(TX_image_detectsColor("#ff0010", 1, 1, 4, "hs"));   // hue 356 degrees
    EXPECT_FALSE(TX_image_detectsColor("#00ff00", 1, 1, 50, "hs"));  // hue 120 degrees away
}

TEST_F(Colours, DetectsColorOutsideOrWithoutAnImageOrTextsIsFalse)
{
    EXPECT_FALSE(TX_image_detectsColor("#000000", 0, 0, 0, "equal"));
    working() = solid(10, 10, Qt::black);
    EXPECT_TRUE(TX_image_detectsColor("#000000", 9, 9, 0, "equal"));
    EXPECT_FALSE(TX_image_detectsColor("#000000", 10, 0, 0, "equal"));
    EXPECT_FALSE(TX_image_detectsColor("#000000", -1, 0, 0, "equal"));
    EXPECT_FALSE(TX_image_detectsColor(nullptr, 0, 0, 0, "equal"));
    EXPECT_FALSE(TX_image_detectsColor("#000000", 0, 0, 0, nullptr));
}

// --- findColor ---

struct FindCase {
    const char* name;
    std::vector<QPoint> redPixels;
    int x1, y1, x2, y2;
    const char* colour;
    int threshold;
    QPoint expected;  // (-1, -1): not found
};

class FindColor : public Colours, public ::testing::WithParamInterface<FindCase> {};

TEST_P(FindColor, FirstMatchRowByRow)
{
    const FindCase& c = GetParam();
    QImage image = solid(600, 600, Qt::white);
    for (const QPoint& p : c.redPixels)
        image.setPixelColor(p, Qt::red);
    working() = image;
    int x = 12345, y = 12345;
    EXPECT_EQ(TX_image_findColor(c.x1, c.y1, c.x2, c.y2, c.colour, c.threshold, &x, &y),
              c.expected != QPoint(-1, -1));
    EXPECT_EQ(QPoint(x, y), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Image, FindColor, ::testing::Values(
    FindCase{"Inside", {{300, 200}}, 100, 100, 500, 500, "#ff0000", 16, {300, 200}},
    FindCase{"BottomRightCornerIncluded", {{500, 500}}, 100, 100, 500, 500, "#ff0000", 16, {500, 500}},
    FindCase{"JustOutside", {{501, 500}}, 100, 100, 500, 500, "#ff0000", 16, {-1, -1}},
    FindCase{"RowBeforeColumn", {{10, 20}, {50, 10}}, 0, 0, -1, -1, "#ff0000", 0, {50, 10}},
    FindCase{"NullRectangleIsWholeImage", {{599, 599}}, 7, 7, 6, 6, "#ff0000", 0, {599, 599}},
    FindCase{"ReversedCornersAreSwapped", {{300, 200}}, 500, 500, 100, 100, "#ff0000", 0, {300, 200}},
    FindCase{"RectanglePartlyOutside", {{0, 599}}, -50, 550, 50, 900, "#ff0000", 0, {0, 599}},
    FindCase{"RectangleEntirelyOutside", {{0, 0}}, 700, 700, 800, 800, "#ff0000", 0, {-1, -1}},
    FindCase{"ExtremeCorners", {{3, 4}}, INT_MIN, INT_MIN, INT_MAX, INT_MAX, "#ff0000", 0, {3, 4}},
    FindCase{"JustBeyondTheDistance", {{9, 9}}, 0, 0, -1, -1, "#f0100c", 24, {-1, -1}},  // |(15,16,12)| = 25
    FindCase{"DistanceIsEuclidean", {{9, 9}}, 0, 0, -1, -1, "#f0100c", 25, {9, 9}},
    FindCase{"AnyColourAt442", {}, 0, 0, -1, -1, "#000000", 442, {0, 0}},
    FindCase{"NegativeThresholdFindsNothing", {{9, 9}}, 0, 0, -1, -1, "#ff0000", -1, {-1, -1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Colours, FindColorEqualsWantsTheExactColour)
{
    working() = withPixel(solid(50, 50, Qt::white), 20, 30, QColor(254, 0, 0));
    int x = 0, y = 0;
    EXPECT_FALSE(TX_image_findColorEquals(0, 0, -1, -1, "#ff0000", &x, &y));
    EXPECT_EQ(QPoint(x, y), QPoint(-1, -1));
    EXPECT_TRUE(TX_image_findColorEquals(0, 0, -1, -1, "#fe0000", &x, &y));
    EXPECT_EQ(QPoint(x, y), QPoint(20, 30));
}

TEST_F(Colours, FindColorFailuresLeaveTheOutParameters)
{
    int x = 7, y = 8;
    EXPECT_FALSE(TX_image_findColor(0, 0, -1, -1, "#ffffff", 0, &x, &y));  // no image
    working() = solid(20, 20, Qt::white);
    for (const char* bad : {"#fff", "#ff00", "#ffgfff", static_cast<const char*>(nullptr)})
        EXPECT_FALSE(TX_image_findColor(0, 0, -1, -1, bad, 0, &x, &y));
    EXPECT_EQ(QPoint(x, y), QPoint(7, 8));
    EXPECT_TRUE(TX_image_findColor(0, 0, -1, -1, "#ffffff", 0, nullptr, nullptr));
}

TEST_F(Colours, FindColorReadsA24BitImageByItsColours)
{
    working() = withPixel(solid(30, 30, Qt::white, QImage::Format_RGB888), 11, 12, QColor(1, 2, 3));
    int x = 0, y = 0;
    ASSERT_TRUE(TX_image_findColorEquals(0, 0, -1, -1, "#010203", &x, &y));
    EXPECT_EQ(QPoint(x, y), QPoint(11, 12));
}

// --- interval ---

TEST_F(Colours, IntervalMasksPixelsWithinTheThresholdOfEachChannel)
{
    const QColor pixels[] = {QColor(245, 10, 10), QColor(255, 0, 0), QColor(244, 0, 0),
                             QColor(255, 11, 0),  QColor(250, 0, 11), QColor(0, 0, 0)};
    const bool inside[] = {true, true, false, false, false, false};
    QImage image(6, 1, QImage::Format_ARGB32);
    for (int i = 0; i < 6; ++i)
        image.setPixelColor(i, 0, pixels[i]);
    working() = image;
    ASSERT_TRUE(TX_image_interval("#ff0000", 10));
    EXPECT_EQ(working().size(), image.size());
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(working().pixel(i, 0), inside[i] ? 0xFFFFFFFFu : 0xFF000000u) << i;
}

TEST_F(Colours, IntervalAcceptsColourNamesAndSurvivesExtremeThresholds)
{
    working() = withPixel(solid(3, 1, Qt::black), 1, 0, Qt::red);
    ASSERT_TRUE(TX_image_interval("red", 0));
    EXPECT_EQ(working().pixel(1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(working().pixel(0, 0), 0xFF000000u);

    working() = solid(2, 2, Qt::green);
    ASSERT_TRUE(TX_image_interval("#000000", INT_MAX));
    EXPECT_EQ(working().pixel(0, 0), 0xFFFFFFFFu);
    ASSERT_TRUE(TX_image_interval("#000000", INT_MIN));
    EXPECT_EQ(working().pixel(0, 0), 0xFF000000u);
}

// --- inRange ---

TEST_F(Colours, InRangeBinarisesByOtsuWhateverTheLowerBound)
{
    for (const int lower : {0, 200, -50}) {
        QImage image = solid(40, 40, QColor(40, 40, 40));
        QPainter(&image).fillRect(0, 0, 20, 40, QColor(180, 180, 180));
        working() = image;
        ASSERT_TRUE(TX_image_inRange(lower, 255));
        EXPECT_EQ(working().format(), QImage::Format_Grayscale8);
        EXPECT_EQ(qGray(working().pixel(5, 5)), 255) << lower;
        EXPECT_EQ(qGray(working().pixel(30, 5)), 0) << lower;
    }
}

TEST_F(Colours, InRangeSaturatesTheUpperBound)
{
    QImage image = solid(10, 10, Qt::black);
    QPainter(&image).fillRect(0, 0, 5, 10, Qt::white);
    working() = image;
    ASSERT_TRUE(TX_image_inRange(0, 1000));
    EXPECT_EQ(qGray(working().pixel(1, 1)), 255);
    working() = image;
    ASSERT_TRUE(TX_image_inRange(0, 100));
    EXPECT_EQ(qGray(working().pixel(1, 1)), 100);
}

// --- blurs ---

// A black image with one white pixel at the centre of each plane.
QImage impulse()
{
    return withPixel(solid(21, 21, QColor(0, 0, 0, 0)), 10, 10, QColor(255, 255, 255, 255));
}

struct Planes {
    int blue, green, red, alpha;
};

Planes besideCentre()
{
    const QRgb p = working().pixel(11, 10);
    return {qBlue(p), qGreen(p), qRed(p), qAlpha(p)};
}

TEST_F(Colours, BlurTouchesOnlyTheChosenPlane)
{
    const struct {
        int type;
        bool blue, green, red, alpha;
    } cases[] = {{0, true, false, false, false}, {1, false, true, false, false},
                 {2, false, false, true, false}, {3, false, false, false, true}};
    for (const auto& c : cases) {
        working() = impulse();
        ASSERT_TRUE(TX_image_blur(5, 5, c.type, 0)) << c.type;
        EXPECT_EQ(working().format(), QImage::Format_ARGB32);
        const Planes p = besideCentre();
        EXPECT_EQ(p.blue > 0, c.blue) << c.type;
        EXPECT_EQ(p.green > 0, c.green) << c.type;
        EXPECT_EQ(p.red > 0, c.red) << c.type;
        EXPECT_EQ(p.alpha > 0, c.alpha) << c.type;
    }
}

TEST_F(Colours, GaussianBlurTouchesOnlyTheBluePlane)
{
    working() = impulse();
    ASSERT_TRUE(TX_image_gaussianBlur(5, 5, 0, 0, 4));
    const Planes p = besideCentre();
    EXPECT_GT(p.blue, 0);
    EXPECT_EQ(p.green, 0);
    EXPECT_EQ(p.red, 0);
    EXPECT_EQ(p.alpha, 0);

    working() = impulse();
    ASSERT_TRUE(TX_image_gaussianBlur(0, 0, 2, 2, 4));  // kernel from sigma
    EXPECT_GT(besideCentre().blue, 0);
}

TEST_F(Colours, BlurParametersOpenCvRejectsFailAndKeepTheImage)
{
    const QImage source = impulse();
    const std::function<bool()> calls[] = {
        [] { return TX_image_blur(4, 4, 0, 0); },         // even kernel
        [] { return TX_image_blur(-3, 3, 0, 0); },        // negative kernel
        [] { return TX_image_blur(0, 0, 0, 0); },         // no kernel and no sigma
        [] { return TX_image_blur(3, 3, 4, 0); },         // no plane 4
        [] { return TX_image_blur(3, 3, -1, 0); },
        [] { return TX_image_gaussianBlur(4, 5, 0, 0, 4); },
        [] { return TX_image_gaussianBlur(3, 3, 0, 0, 5); },    // BORDER_TRANSPARENT
        [] { return TX_image_gaussianBlur(3, 3, 0, 0, 999); },  // no such border
    };
    for (std::size_t i = 0; i < std::size(calls); ++i) {
        working() = source;
        EXPECT_FALSE(calls[i]()) << "case " << i;
        EXPECT_EQ(working(), source) << "case " << i;
    }
}

TEST_F(Colours, FiltersWithoutAnImageFail)
{
    EXPECT_FALSE(TX_image_interval("red", 1));
    EXPECT_FALSE(TX_image_inRange(0, 255));
    EXPECT_FALSE(TX_image_blur(3, 3, 0, 0));
    EXPECT_FALSE(TX_image_gaussianBlur(3, 3, 0, 0, 4));
    EXPECT_TRUE(working().isNull());
}

}  // namespace
