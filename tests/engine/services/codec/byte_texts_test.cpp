// Base64 and hex conversions, the file digest, random integers, the version.
#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTime>
#include <climits>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "log_capture.h"
#include "services/codec/engine_base64.h"
#include "tavix.h"
#include "version.h"

using tavix::test::LogCapture;

namespace {

QByteArray bytes(const char* data, int length)
{
    return QByteArray(data, length);
}

TEST(HexToByte, ConvertsPairsAndPadsOddLengths)
{
    struct Case {
        const char* hex;
        QByteArray expected;
    } cases[] = {
        {"12345678ABcde", QByteArray("\x12\x34\x56\x78\xab\xcd\xe0", 7)},
        {"0aFF", QByteArray("\x0a\xff", 2)},
        {"  12   34 ", QByteArray("\x12\x00\x40", 3)},  // "12 34" padded to "12 340"
        {"zz12", QByteArray("\x00\x12", 2)},          // a pair that is not hex gives 0
        {"-1+1", QByteArray("\x00\x00", 2)},
        {"", QByteArray()},
    };
    for (const Case& c : cases) {
        int length = -1;
        const char* out = TX_utils_hexToByte(c.hex, &length);
        EXPECT_EQ(bytes(out, length), c.expected) << c.hex;
    }
    int length = -1;
    TX_utils_hexToByte(nullptr, &length);
    EXPECT_EQ(length, 0);
    TX_utils_hexToByte("ab", nullptr);  // no length wanted
}

TEST(HexToByte, ConvertsAtMostTheArray)
{
    const std::string hex(40000, 'a');
    int length = -1;
    const char* out = TX_utils_hexToByte(hex.c_str(), &length);
    EXPECT_EQ(length, 16384);
    EXPECT_EQ(static_cast<unsigned char>(out[16383]), 0xaa);
    // A shorter conversion leaves the bytes after it as they were.
    out = TX_utils_hexToByte("01", &length);
    EXPECT_EQ(length, 1);
    EXPECT_EQ(out[0], '\x01');
    EXPECT_EQ(static_cast<unsigned char>(out[1]), 0xaa);
}

TEST(ByteToHex, WritesLowerCaseDigits)
{
    const unsigned char two[] = {0x0a, 0xff};
    EXPECT_STREQ(TX_utils_byteToHex(two, 2), "0aff");
    EXPECT_STREQ(TX_utils_byteToHex(two, 0), "");
    EXPECT_STREQ(TX_utils_byteToHex(two, -5), "");
    EXPECT_STREQ(TX_utils_byteToHex(nullptr, 3), "");
    const std::vector<unsigned char> most(8191, 0x5c);
    EXPECT_EQ(std::strlen(TX_utils_byteToHex(most.data(), 8191)), 16382u);
    // Too long for the array: empty, not the previous text.
    ASSERT_STREQ(TX_utils_byteToHex(two, 2), "0aff");
    const std::vector<unsigned char> tooMany(8192, 0x5c);
    LogCapture log;
    EXPECT_STREQ(TX_utils_byteToHex(tooMany.data(), 8192), "");
    EXPECT_TRUE(log.contains("TX_utils_byteToHex: 8192 bytes give too long a text"));
}

TEST(Base64, EncodesLengthOrUpToZero)
{
    EXPECT_STREQ(TX_utils_encodeBase64("hello", 5), "aGVsbG8=");
    EXPECT_STREQ(TX_utils_encodeBase64("hello\0world", -1), "aGVsbG8=");
    EXPECT_STREQ(TX_utils_encodeBase64("a\0b", 3), "YQBi");
    EXPECT_STREQ(TX_utils_encodeBase64("", 0), "");
    EXPECT_STREQ(TX_utils_encodeBase64(nullptr, -1), "");
    EXPECT_STREQ(TX_utils_encodeBase64(nullptr, 10), "");
    const std::string most(12285, 'm');  // 16380 characters
    EXPECT_EQ(std::strlen(TX_utils_encodeBase64(most.c_str(), -1)), 16380u);
    ASSERT_STREQ(TX_utils_encodeBase64("x", 1), "eA==");
    const std::string tooMany(12288, 'm');  // 16384 characters
    LogCapture log;
    EXPECT_STREQ(TX_utils_encodeBase64(tooMany.c_str(), -1), "");
    EXPECT_TRUE(log.contains("TX_utils_encodeBase64: 12288 bytes give too long a text"));
}

TEST(Base64, DecodesSkippingStrayCharacters)
{
    struct Case {
        const char* text;
        QByteArray expected;
    } cases[] = {
        {"aGVsbG8=", "hello"},
        {"aGV\nsb G8=", "hello"},
        {"5Lit5paH", "\xe4\xb8\xad\xe6\x96\x87"},
        {"/w==", "\xef\xbf\xbd"},  // 0xFF is no UTF-8: the replacement character
        {"", ""},
    };
    for (const Case& c : cases) {
        int length = -1;
        const char* out = TX_utils_decodeBase64(c.text, &length);
        EXPECT_EQ(bytes(out, length), c.expected) << c.text;
        EXPECT_EQ(out[length], '\0') << c.text;  // a shorter result hides no earlier tail
    }
    int length = -1;
    TX_utils_decodeBase64(nullptr, &length);
    EXPECT_EQ(length, 0);
}

TEST(Base64, DecodedResultsTooLongAreEmptyWithLengthZero)
{
    ASSERT_STREQ(TX_utils_decodeBase64("aGk=", nullptr), "hi");
    const QByteArray big = QByteArray(20000, 'q').toBase64();
    int length = -1;
    LogCapture log;
    const char* out = TX_utils_decodeBase64(big.constData(), &length);
    EXPECT_EQ(length, 0);  // a caller copying `length` bytes stays inside the array
    EXPECT_STREQ(out, "");
    EXPECT_TRUE(log.contains("A result of 20000 bytes does not fit its 16384-byte array"));
}

TEST(EngineBase64, DecodesGroupsUpToTheFirstPad)
{
    struct Case {
        const char* text;
        QByteArray expected;
    } cases[] = {
        {"QUJD", "ABC"},          {"QUI=", "AB"},      {"QQ==", "A"},
        {"QUJDQQ==QUJD", "ABCA"}, {"QUJ", "AB"},       {"", ""},
        {"Q", ""},                {"QUJDRA", "ABCD"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tavix::codec::decodeEngineBase64(c.text), c.expected) << c.text;
    // Outside the alphabet: zero bits, nothing skipped.
    EXPECT_EQ(tavix::codec::decodeEngineBase64("Q*==").size(), 1);
    EXPECT_EQ(tavix::codec::encodeEngineBase64("ABCA"), QByteArray("QUJDQQ=="));
}

class Md5 : public ::testing::Test {
protected:
    std::string write(const char* name, const QByteArray& content)
    {
        QFile file(dir_.path() + "/" + name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName().toStdString();
    }
    QTemporaryDir dir_;
};

TEST_F(Md5, DigestsMatchMd5sum)
{
    EXPECT_STREQ(TX_utils_md5(write("empty", QByteArray()).c_str()), "d41d8cd98f00b204e9800998ecf8427e");
    QByteArray content;
    for (int i = 0; i < 3 * 1024 * 1024 + 17; ++i)
        content.append(char(i * 7));
    const std::string file = write("\xe6\x96\x87 data.bin", content);
    QProcess md5sum;
    md5sum.start("md5sum", {QString::fromStdString(file)});
    ASSERT_TRUE(md5sum.waitForFinished(30000));
    EXPECT_EQ(QByteArray(TX_utils_md5(file.c_str())), md5sum.readAllStandardOutput().left(32));
}

TEST_F(Md5, MissingFileGivesEmptyTextAndANotice)
{
    TX_utils_md5(write("x", "x").c_str());
    for (const char* path : {"/no/such/file", "just some text", "", static_cast<const char*>(nullptr)}) {
        testing::internal::CaptureStdout();
        const char* digest = TX_utils_md5(path);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "Failed to open file");
        EXPECT_STREQ(digest, "");
    }
    testing::internal::CaptureStdout();
    EXPECT_STREQ(TX_utils_md5(dir_.path().toUtf8().constData()), "");  // a folder
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Failed to open file");
}

TEST(RandomInt, StaysInRangeAndRepeatsWithinASecond)
{
    int first, second;
    QTime before, after;
    do {  // retry when the two calls straddle a second
        before = QTime::currentTime();
        first = TX_utils_randomInt(1, 100);
        second = TX_utils_randomInt(1, 100);
        after = QTime::currentTime();
    } while (before.second() != after.second());
    EXPECT_GE(first, 1);
    EXPECT_LE(first, 99);
    EXPECT_EQ(first, second);
}

TEST(RandomInt, DegenerateAndWideRanges)
{
    EXPECT_EQ(TX_utils_randomInt(5, 5), 5);
    // Bounds the wrong way round: the result stays between the two.
    for (const auto& [min, max] :
         {std::pair{10, 5}, std::pair{10, 1}, std::pair{INT_MAX, INT_MIN}}) {
        const int reversed = TX_utils_randomInt(min, max);
        EXPECT_GE(reversed, max) << min << " " << max;
        EXPECT_LE(reversed, min) << min << " " << max;
    }
    const int wide = TX_utils_randomInt(INT_MIN, INT_MAX);
    EXPECT_LT(wide, INT_MAX);
    EXPECT_GE(TX_utils_randomInt(-3, 0), -3);
    EXPECT_LE(TX_utils_randomInt(-3, 0), -1);
}

TEST(VersionInfo, NamesTheVersion)
{
    const char* text = TX_utils_versionInfo();
    EXPECT_NE(std::strstr(text, TAVIX_VERSION), nullptr);
    EXPECT_EQ(TX_utils_versionInfo(), text);  // one constant text
}

}  // namespace
