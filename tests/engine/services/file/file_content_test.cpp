// Reading and writing text in named encodings, raw appends and line access.
#include <QTextCodec>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "file_fixture.h"
#include "log_capture.h"
#include "tavix.h"

using namespace tavix::test;

namespace {

// The studio's buffer for a read: the file size plus 4096 bytes, zero-filled.
std::string readWith(int (*reader)(const char*, char*, const char*), const std::string& path, const char* encoding,
                     int* count = nullptr)
{
    std::vector<char> buffer(std::max(0, TX_file_getFileSize(path.c_str())) + 4096, '\x7f');
    const int stored = reader(path.c_str(), buffer.data(), encoding);
    if (count)
        *count = stored;
    return std::string(buffer.data());
}

struct ReadCase {
    const char* name;
    QByteArray content;
    const char* encoding;
    const char* expected;  // UTF-8
};

class ReadText : public ScratchDir, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadText, DecodesDropsCrAndCountsBytes)
{
    putBytes(path("in.txt"), GetParam().content);
    int count = -1;
    const std::string text = readWith(TX_file_read, cpath("in.txt"), GetParam().encoding, &count);
    EXPECT_EQ(text, GetParam().expected);
    EXPECT_EQ(count, int(std::strlen(GetParam().expected)));
}

const ReadCase kReadCases[] = {
    {"Utf8", QByteArray("h\xc3\xa9llo\n\xe4\xb8\x96"), "UTF-8", "h\xc3\xa9llo\n\xe4\xb8\x96"},
    {"Utf8CrLf", QByteArray("a\r\nb\r\n"), "UTF-8", "a\nb\n"},
    {"LoneCrDropped", QByteArray("a\rb"), "UTF-8", "ab"},
    {"Gb2312", QByteArray("\xd6\xd0\xce\xc4"), "GB2312", "\xe4\xb8\xad\xe6\x96\x87"},
    {"Gb2312CrLf", QByteArray("\xd6\xd0\r\n\xce\xc4\r\n"), "GB2312", "\xe4\xb8\xad\n\xe6\x96\x87\n"},
    {"Utf8BomOverridesGb2312", QByteArray("\xef\xbb\xbf\xe4\xb8\xad\r\n"), "GB2312", "\xe4\xb8\xad\n"},
    {"Utf16LeBom", QByteArray("\xff\xfe" "A\0\r\0\n\0B\0", 10), "GB2312", "A\nB"},
    // U+010D is stored as the bytes 0D 01: the 0x0D byte is not a CR.
    {"Utf16CodeUnitWithCrByte", QByteArray("\xff\xfe\x0d\x01", 4), "UTF-8", "\xc4\x8d"},
    {"Utf16BeBom", QByteArray("\xfe\xff\0X", 4), "", "X"},
    {"UnknownEncodingIsLocal", QByteArray("plain"), "no-such-codec", "plain"},
    {"NullEncodingIsLocal", QByteArray("plain"), nullptr, "plain"},
    {"Empty", QByteArray(), "UTF-8", ""},
};
INSTANTIATE_TEST_SUITE_P(Cases, ReadText, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

class FileContent : public ScratchDir {};

TEST_F(FileContent, ReadOfMissingFileGivesEmptyText)
{
    char out[8] = "xxxxxxx";
    EXPECT_EQ(TX_file_read(cpath("missing.txt").c_str(), out, "UTF-8"), 0);
    EXPECT_EQ(out[0], '\0');
    EXPECT_EQ(TX_file_read(nullptr, out, nullptr), 0);
    EXPECT_EQ(TX_file_read(cpath("x").c_str(), nullptr, "UTF-8"), 0);  // no buffer: nothing written
}

TEST_F(FileContent, ReadStopsAtTheCallersBufferWhenTextGrows)
{
    // 6000 Latin-1 bytes become 12000 UTF-8 bytes; the studio's buffer holds 10096.
    QByteArray latin1(6000, '\xe9');
    putBytes(path("grow.txt"), latin1);
    std::vector<char> buffer(6000 + 4096 + 64, '\x7f');
    const int stored = TX_file_read(cpath("grow.txt").c_str(), buffer.data(), "ISO-8859-1");
    EXPECT_EQ(stored, 10094);  // 5047 whole characters of two bytes
    EXPECT_EQ(buffer[stored], '\0');
    EXPECT_EQ(buffer[6000 + 4096], '\x7f');  // nothing past the documented size
}

TEST_F(FileContent, ReadBytesDecodesInTheLocalCodePage)
{
    const QByteArray local = QTextCodec::codecForLocale()->fromUnicode(QStringLiteral("abc\xe9"));
    putBytes(path("local.txt"), local + "\r\nz");
    const QString expected = QTextCodec::codecForLocale()->toUnicode(local) + QStringLiteral("\nz");
    EXPECT_EQ(QString::fromStdString(readWith([](const char* p, char* o, const char*) { return TX_file_readBytes(p, o); },
                                              cpath("local.txt"), nullptr)),
              expected);
}

struct WriteCase {
    const char* name;
    const char* text;
    const char* encoding;
    QByteArray expected;
};

class WriteText : public ScratchDir, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(WriteText, EncodesWithCrLfAndNoByteOrderMark)
{
    putBytes(path("out.txt"), "old content that is longer");
    EXPECT_TRUE(TX_file_write(cpath("out.txt").c_str(), GetParam().text, GetParam().encoding));
    EXPECT_EQ(bytesOf(path("out.txt")), GetParam().expected);
}

const WriteCase kWriteCases[] = {
    {"Utf8", "a\nb", "UTF-8", QByteArray("a\r\nb")},
    {"Gb2312", "\xe4\xb8\xad\n\xe6\x96\x87", "GB2312", QByteArray("\xd6\xd0\r\n\xce\xc4")},
    {"Utf16NoBom", "A\n", "UTF-16LE", QByteArray("A\0\r\0\n\0", 6)},
    {"Utf16GenericNoBom", "A", "UTF-16", QByteArray("A\0", 2)},
    {"EmptyText", "", "UTF-8", QByteArray()},
    {"NullText", nullptr, "UTF-8", QByteArray()},
};
INSTANTIATE_TEST_SUITE_P(Cases, WriteText, ::testing::ValuesIn(kWriteCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileContent, WriteThatCannotOpenWritesNothing)
{
    EXPECT_FALSE(TX_file_write(cpath("no/such/dir/out.txt").c_str(), "x", "UTF-8"));
    EXPECT_FALSE(QFileInfo::exists(path("no")));
    QDir().mkdir(path("adir"));
    EXPECT_FALSE(TX_file_write(cpath("adir").c_str(), "x", "UTF-8"));
    EXPECT_TRUE(QFileInfo(path("adir")).isDir());
    EXPECT_FALSE(TX_file_write(nullptr, "x", "UTF-8"));
}

TEST_F(FileContent, FailedWriteOnAFullVolumeKeepsTheOldContent)
{
    TmpfsVolume volume(64);
    if (!volume.mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    putBytes(volume.path("keep.txt"), "precious");
    LogCapture log;
    const std::string big(256 * 1024, 'x');
    EXPECT_FALSE(TX_file_write(volume.path("keep.txt").toUtf8().constData(), big.c_str(), "UTF-8"));
    EXPECT_EQ(bytesOf(volume.path("keep.txt")), QByteArray("precious"));
    EXPECT_TRUE(log.contains("TX_file_write"));
    EXPECT_EQ(QDir(volume.path("")).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.txt"});
    // A failed append is reported and cut off again.
    EXPECT_FALSE(TX_file_append(volume.path("keep.txt").toUtf8().constData(), big.c_str(), "UTF-8"));
    EXPECT_FALSE(TX_file_appendBytes(volume.path("keep.txt").toUtf8().constData(), big.c_str(), -1));
    EXPECT_EQ(bytesOf(volume.path("keep.txt")), QByteArray("precious"));
}

TEST_F(FileContent, AppendAddsTextAndLineEnd)
{
    const std::string file = cpath("add.txt");
    EXPECT_TRUE(TX_file_append(file.c_str(), "first add", "UTF-8"));
    EXPECT_TRUE(TX_file_append(file.c_str(), "first add", "UTF-8"));
    EXPECT_EQ(bytesOf(path("add.txt")), QByteArray("first add\r\nfirst add\r\n"));
    EXPECT_TRUE(TX_file_append(file.c_str(), "\xe4\xb8\xad", "GB2312"));
    EXPECT_TRUE(bytesOf(path("add.txt")).endsWith("\xd6\xd0\r\n"));
    EXPECT_FALSE(TX_file_append(cpath("missing/dir/add.txt").c_str(), "x", "UTF-8"));
}

TEST_F(FileContent, AppendBytesWritesExactlyTheBytes)
{
    const std::string file = cpath("bytes.bin");
    EXPECT_TRUE(TX_file_appendBytes(file.c_str(), "666\r\n", 5));
    EXPECT_TRUE(TX_file_appendBytes(file.c_str(), "a\0b", 3));
    EXPECT_TRUE(TX_file_appendBytes(file.c_str(), "up to zero\0ignored", -1));
    EXPECT_EQ(bytesOf(path("bytes.bin")), QByteArray("666\r\na\0bup to zero", 18));
    EXPECT_FALSE(TX_file_appendBytes(file.c_str(), nullptr, 4));
    EXPECT_TRUE(TX_file_appendBytes(file.c_str(), nullptr, -1));  // null counts as empty
    EXPECT_EQ(bytesOf(path("bytes.bin")).size(), 18);
    EXPECT_FALSE(TX_file_appendBytes(cpath("missing/dir/b").c_str(), "x", 1));
}

struct LineCase {
    const char* name;
    QByteArray content;
    int number;
    const char* expected;
};

class ReadLine : public ScratchDir, public ::testing::WithParamInterface<LineCase> {};

TEST_P(ReadLine, ReturnsTheLineOrTheLastOne)
{
    putBytes(path("lines.txt"), GetParam().content);
    std::vector<char> out(GetParam().content.size() + 4096, '\x7f');
    const int count = TX_file_readLineByNum(cpath("lines.txt").c_str(), GetParam().number, out.data());
    EXPECT_EQ(std::string(out.data()), GetParam().expected);
    EXPECT_EQ(count, int(std::strlen(GetParam().expected)));
}

const LineCase kLineCases[] = {
    {"First", "one\r\ntwo\r\nthree", 1, "one"},
    {"Middle", "one\r\ntwo\r\nthree", 2, "two"},
    {"ZeroIsLast", "one\r\ntwo\r\nthree", 0, "three"},
    {"NegativeIsLast", "one\ntwo\n", -3, "two"},
    {"PastEndIsLast", "one\ntwo\n", 9, "two"},
    {"EmptyLine", "one\n\nthree", 2, ""},
    {"EmptyFile", "", 1, ""},
};
INSTANTIATE_TEST_SUITE_P(Cases, ReadLine, ::testing::ValuesIn(kLineCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileContent, ReadLineOfMissingFileIsEmpty)
{
    char out[4] = "xyz";
    EXPECT_EQ(TX_file_readLineByNum(cpath("missing").c_str(), 1, out), 0);
    EXPECT_EQ(out[0], '\0');
}

struct CountCase {
    const char* name;
    QByteArray content;
    int lines;
};

class CountLines : public ScratchDir, public ::testing::WithParamInterface<CountCase> {};

TEST_P(CountLines, CountsLfAndAnUnterminatedLastLine)
{
    putBytes(path("count.txt"), GetParam().content);
    EXPECT_EQ(TX_file_getFileLiens(cpath("count.txt").c_str()), GetParam().lines);
}

const CountCase kCountCases[] = {
    {"Unterminated", "a\nb", 2},
    {"Terminated", "a\nb\n", 2},
    {"Empty", "", 0},
    {"OnlyLf", "\n", 1},
    {"CrIgnored", "a\rb\r", 1},
    {"CrLf", "a\r\nb\r\n", 2},
    {"AcrossChunks", QByteArray(10000, '\n') + "tail", 10001},
};
INSTANTIATE_TEST_SUITE_P(Cases, CountLines, ::testing::ValuesIn(kCountCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileContent, LineCountTakesUtf8PathsAndMissingFilesGiveZero)
{
    putBytes(path("\xe6\x96\x87.txt"), "x\ny");
    EXPECT_EQ(TX_file_getFileLiens(cpath("\xe6\x96\x87.txt").c_str()), 2);
    EXPECT_EQ(TX_file_getFileLiens(cpath("missing").c_str()), 0);
    EXPECT_EQ(TX_file_getFileLiens(nullptr), 0);
}

}  // namespace
