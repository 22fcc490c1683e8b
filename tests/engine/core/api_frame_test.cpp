// The engine frame: initialisation, the shared record, result arrays, guards.
#include <QCoreApplication>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

#include "core/guard.h"
#include "core/text.h"
#include "log_capture.h"
#include "tavix.h"
#include "tavix/record.hpp"

namespace {

TX_api* shared()
{
    TX_api* record = nullptr;
    TX_api_getData(&record);
    return record;
}

QImage filled(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

TEST(ApiFrame, InitializeBuildsTheApplicationOnceAndKeepsTheRecordAddress)
{
    QCoreApplication* app = QCoreApplication::instance();
    ASSERT_NE(app, nullptr);
    TX_api* before = shared();
    TX_api_initialize();
    TX_api_initialize();
    EXPECT_EQ(QCoreApplication::instance(), app);
    EXPECT_EQ(shared(), before);
}

TEST(ApiFrame, InitializeResetsEveryFieldButKeepsHandedOutBlocksReadable)
{
    TX_api* record = shared();
    record->image = filled(2, 2, 0xff112233);
    record->logoImage = filled(3, 3, 0xff000000);
    record->secondImage = filled(4, 4, 0xff000000);
    record->templateImage = filled(5, 5, 0xff000000);
    record->rect = QRect(1, 2, 3, 4);
    record->x = 7;
    record->y = 8;
    auto* block = static_cast<char*>(std::calloc(16, 1));
    std::strcpy(block, "still here");
    record->buffers.push_back(block);

    TX_api_initialize();

    EXPECT_TRUE(record->image.isNull());
    EXPECT_TRUE(record->logoImage.isNull());
    EXPECT_TRUE(record->secondImage.isNull());
    EXPECT_TRUE(record->templateImage.isNull());
    EXPECT_EQ(record->rect, QRect(QPoint(0, 0), QPoint(-1, -1)));
    EXPECT_EQ(record->x, 0);
    EXPECT_EQ(record->y, 0);
    EXPECT_TRUE(record->buffers.empty());
    // Freed only when the library goes away; AddressSanitizer catches a use after free here.
    EXPECT_STREQ(block, "still here");
}

TEST(ApiFrame, SetDataCopiesTheImageOnly)
{
    TX_api* record = shared();
    record->logoImage = filled(3, 3, 0xff010203);
    record->templateImage = filled(5, 5, 0xff040506);

    const QImage lone = filled(6, 7, 0xffabcdef);
    TX_api_setData(reinterpret_cast<const TX_api*>(&lone));
    EXPECT_EQ(record->image, lone);
    EXPECT_EQ(record->logoImage.pixel(0, 0), 0xff010203u);

    TX_api empty;
    TX_api_setData(&empty);
    EXPECT_TRUE(record->image.isNull());
    EXPECT_FALSE(record->logoImage.isNull());
    EXPECT_FALSE(record->templateImage.isNull());
}

TEST(ApiFrame, NullArgumentsAreIgnored)
{
    tavix::test::LogCapture log;
    TX_api* record = shared();
    record->image = filled(2, 2, 0xff000000);
    TX_api_getData(nullptr);
    TX_api_setData(nullptr);
    EXPECT_FALSE(record->image.isNull());
    EXPECT_TRUE(log.contains("TX_api_setData"));
}

TEST(ApiFrame, BannerNamesTheLibraryAndItsVersion)
{
    const std::string banner = A_Welcome_to_use_Tavix();
    EXPECT_NE(banner.find("Tavix"), std::string::npos);
    EXPECT_NE(banner.find("1.0.0"), std::string::npos);
    EXPECT_EQ(A_Welcome_to_use_Tavix(), A_Welcome_to_use_Tavix());
}

struct Truncation {
    const char* name;
    std::string text;
    std::string expected;
};

class ResultArrays : public ::testing::TestWithParam<Truncation> {};

TEST_P(ResultArrays, NeverWritePastTheArrayNorSplitACharacter)
{
    // The array sits between guard bytes that must stay untouched.
    struct {
        char before[8];
        tavix::core::ResultText<8> result;
        char after[8];
    } layout;
    std::memset(layout.before, 0x5A, sizeof layout.before);
    std::memset(layout.after, 0x5A, sizeof layout.after);

    const char* out = layout.result.set(QByteArray::fromStdString(GetParam().text));
    EXPECT_EQ(out, layout.result.data());
    EXPECT_EQ(std::string(out), GetParam().expected);
    for (char c : layout.before)
        EXPECT_EQ(c, 0x5A);
    for (char c : layout.after)
        EXPECT_EQ(c, 0x5A);
}

const Truncation kTruncations[] = {
    {"Empty", "", ""},
    {"Fits", "abc", "abc"},
    {"ExactlyFull", "abcdefg", "abcdefg"},
    {"OneTooMany", "abcdefgh", "abcdefg"},
    {"Huge", std::string(100000, 'x'), "xxxxxxx"},
    {"TwoByteCharacterKeptWhole", "abcde\xc3\xa9", "abcde\xc3\xa9"},
    {"TwoByteCharacterNotSplit", "abcdef\xc3\xa9", "abcdef"},
    {"ThreeByteCharacterNotSplit", "abcde\xe4\xb8\x96", "abcde"},
    {"FourByteCharacterNotSplit", "abc\xf0\x9f\x98\x80zz", "abc\xf0\x9f\x98\x80"},
};

INSTANTIATE_TEST_SUITE_P(Text, ResultArrays, ::testing::ValuesIn(kTruncations),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Guard, ExceptionsBecomeTheFailureResultWithALogLine)
{
    tavix::test::LogCapture log;
    EXPECT_EQ(
        tavix::core::guarded("TX_example", -2, []() -> int { throw std::runtime_error("boom"); }),
        -2);
    EXPECT_EQ(tavix::core::guarded("TX_other", -1, []() -> int { throw 42; }), -1);
    EXPECT_EQ(tavix::core::guarded("TX_fine", -1, [] { return 5; }), 5);
    EXPECT_TRUE(log.contains("TX_example failed: boom"));
    EXPECT_TRUE(log.contains("TX_other failed"));
}

TEST(Text, NullArgumentIsEmpty)
{
    EXPECT_TRUE(tavix::core::textArg(nullptr).isEmpty());
    EXPECT_EQ(tavix::core::textArg("h\xc3\xa9"), QString::fromUtf8("h\xc3\xa9"));
}

}  // namespace
