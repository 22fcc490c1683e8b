// Arguments that would overflow size arithmetic or ask for unbounded work: the
// call fails with a log line, quickly, and the working image stays as it was.
#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <string>

#include "image_fixtures.h"
#include "log_capture.h"
#include "tavix.h"

using namespace tavix::test;

namespace {

class Limits : public ::testing::Test {
protected:
    void SetUp() override
    {
        TX_api_initialize();
        working() = solid(40, 30, Qt::red);
    }
};

struct Refusal {
    const char* name;
    std::function<bool()> call;
    const char* logLine;
};

const Refusal kRefusals[] = {
    {"ResizeToTheLargestSides", [] { return TX_image_resize(INT_MAX, INT_MAX, 1); },
     "Refusing to build a"},
    {"ScaleToTheLargestSides", [] { return TX_image_scale(INT_MAX, 2, 1); }, "Refusing to build a"},
    {"BlurKernelOfThousands", [] { return TX_image_blur(5001, 5001, 0, 0); },
     "Refusing a 5001 x 5001 blur kernel"},
    {"BlurKernelOfTheLargestSide", [] { return TX_image_blur(INT_MAX | 1, 3, 0, 0); },
     "blur kernel"},
    {"GaussianKernelOfThousands", [] { return TX_image_gaussianBlur(3, 4001, 0, 0, 4); },
     "blur kernel"},
    {"GaussianSigmaOfAHundredThousand", [] { return TX_image_gaussianBlur(0, 0, 100000, 0, 4); },
     "blur kernel"},
    {"BlurSigmaOfTheLargestValue", [] { return TX_image_blur(0, 0, 0, INT_MAX); }, "blur kernel"},
};

class Refused : public Limits, public ::testing::WithParamInterface<Refusal> {};

TEST_P(Refused, FailsWithALogLineAndKeepsTheImage)
{
    const QImage before = working();
    LogCapture log;
    EXPECT_FALSE(GetParam().call());
    EXPECT_EQ(working(), before);
    EXPECT_TRUE(log.contains(GetParam().logLine)) << log.lines().join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Image, Refused, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Limits, KernelsAsWideAsTwiceThePictureStillWork)
{
    EXPECT_TRUE(TX_image_blur(81, 81, 0, 0));  // 2 * 40 + 1
    working() = solid(40, 30, Qt::red);
    EXPECT_TRUE(TX_image_gaussianBlur(0, 0, 13, 13, 4));  // 6 * 13 + 1 = 79
}

TEST_F(Limits, ColourOfTheFarthestPixelIsEmptyWithoutOverflow)
{
    LogCapture log;
    EXPECT_STREQ(TX_baseclass_getColor(INT_MAX, INT_MAX), "");
    EXPECT_STREQ(TX_baseclass_getColor(INT_MIN, INT_MIN), "");
    EXPECT_TRUE(log.contains("getColor: no screen pixel at 2147483647, 2147483647"));
}

TEST_F(Limits, QrPictureOfAHundredThousandPixelsIsRefused)
{
    LogCapture log;
    EXPECT_EQ(TX_utils_createQRCodeImage("hello", 100000), 0);
    EXPECT_EQ(working().size(), QSize(40, 30));
    EXPECT_TRUE(log.contains("Refusing a QR picture of 100000 pixels a side"));
    EXPECT_EQ(TX_utils_createQRCodeImage("hello", 2000), 1);
    EXPECT_EQ(working().size(), QSize(2000, 2000));
}

}  // namespace
