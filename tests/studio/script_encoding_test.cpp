// Script files read in the encoding they came in and written back in it.
#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>

#include "script_encoding.h"

namespace {

using vantor::decodeScript;
using vantor::encodeScript;
using vantor::ScriptEncoding;

// A literal's bytes, NULs included.
template <int N>
QByteArray bytes(const char (&data)[N])
{
    return QByteArray(data, N - 1);
}

struct Readable {
    const char* name;
    QByteArray file;
    QString text;
    const char* codec;
    bool byteOrderMark;
};

// Every readable file comes back byte for byte when written unchanged.
TEST(ScriptEncoding, ReadsEachEncodingAndWritesTheSameBytesBack)
{
    const QString chinese = QString::fromUtf8("// 中文注释\r\nmsg(\"完成\");\r");
    const Readable cases[] = {
        {"plain UTF-8", "var a = 1;\n", "var a = 1;\n", "UTF-8", false},
        {"UTF-8 with CR, CR LF and a NUL", bytes("a\rb\r\nc\0d\n"),
         QString::fromUtf8("a\rb\r\nc") + QChar(0) + "d\n", "UTF-8", false},
        {"UTF-8 after its mark", "\xEF\xBB\xBF" + chinese.toUtf8(), chinese, "UTF-8", true},
        {"UTF-16LE", bytes("\xFF\xFE/\0/\0\n\0"), "//\n", "UTF-16LE", true},
        {"UTF-16BE", bytes("\xFE\xFF\0/\0/\0\n"), "//\n", "UTF-16BE", true},
        {"UTF-32LE", bytes("\xFF\xFE\0\0x\0\0\0"), "x", "UTF-32LE", true},
        {"GB18030 (not UTF-8)", bytes("// \xD6\xD0\xCE\xC4\r\n"), QString::fromUtf8("// 中文\r\n"),
         "GB18030", false},
        {"empty", "", "", "UTF-8", false},
    };
    for (const Readable& c : cases) {
        SCOPED_TRACE(c.name);
        QString text;
        ScriptEncoding encoding;
        ASSERT_TRUE(decodeScript(c.file, &text, &encoding));
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(encoding.codec, QByteArray(c.codec));
        EXPECT_EQ(encoding.byteOrderMark, c.byteOrderMark);
        EXPECT_EQ(encodeScript(text, encoding), c.file);
    }
}

// Bytes that no encoding reads whole are refused, not read with replacement
// characters that the next save would write over them.
TEST(ScriptEncoding, RefusesBytesThatNoEncodingReadsWhole)
{
    const struct {
        const char* name;
        QByteArray file;
    } cases[] = {
        {"neither UTF-8 nor GB18030", bytes("ok \x81\x20 \xFF")},
        {"UTF-8 mark, then a broken sequence", bytes("\xEF\xBB\xBF\xC3(")},
        {"UTF-16 cut in the middle of a unit", bytes("\xFF\xFEx\0y")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString text = "unchanged";
        ScriptEncoding encoding;
        EXPECT_FALSE(decodeScript(c.file, &text, &encoding));
    }
}

TEST(ScriptEncoding, NewTextIsWrittenInTheFilesEncoding)
{
    const QString typed = QString::fromUtf8("msg(\"新的\");\n");
    EXPECT_EQ(encodeScript(typed, ScriptEncoding{}), typed.toUtf8());
    EXPECT_EQ(encodeScript(typed, ScriptEncoding{"GB18030", false}),
              bytes("msg(\"\xD0\xC2\xB5\xC4\");\n"));
    EXPECT_EQ(encodeScript("a", ScriptEncoding{"UTF-16BE", true}), bytes("\xFE\xFF\0a"));
}

}  // namespace
