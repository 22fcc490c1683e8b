#include "script_encoding.h"

#include <QTextCodec>
#include <iterator>

namespace vantor {

namespace {

// Longest marks first: UTF-32LE's mark begins with UTF-16LE's.
// clang-format off
constexpr struct {
    const char* mark;
    int size;
    const char* codec;
} kByteOrderMarks[] = {
    {"\xFF\xFE\x00\x00", 4, "UTF-32LE"},
    {"\x00\x00\xFE\xFF", 4, "UTF-32BE"},
    {"\xEF\xBB\xBF",     3, "UTF-8"},
    {"\xFF\xFE",         2, "UTF-16LE"},
    {"\xFE\xFF",         2, "UTF-16BE"},
};
// clang-format on

// Every byte decoded, and decoded to text that encodes back to the same bytes:
// some codecs replace what they cannot read without counting it as invalid.
bool decodeWhole(const char* codecName, const QByteArray& bytes, int from, QString* text)
{
    const QTextCodec* codec = QTextCodec::codecForName(codecName);
    if (!codec)
        return false;
    QTextCodec::ConverterState in(QTextCodec::IgnoreHeader);
    const QString decoded = codec->toUnicode(bytes.constData() + from, bytes.size() - from, &in);
    if (in.invalidChars != 0 || in.remainingChars != 0)
        return false;
    QTextCodec::ConverterState out(QTextCodec::IgnoreHeader);
    if (codec->fromUnicode(decoded.constData(), decoded.size(), &out) != bytes.mid(from))
        return false;
    *text = decoded;
    return true;
}

}  // namespace

bool decodeScript(const QByteArray& bytes, QString* text, ScriptEncoding* encoding)
{
    for (const auto& bom : kByteOrderMarks) {
        if (bytes.startsWith(QByteArray::fromRawData(bom.mark, bom.size))) {
            *encoding = {bom.codec, true};
            return decodeWhole(bom.codec, bytes, bom.size, text);
        }
    }
    for (const char* codec : {"UTF-8", "GB18030"}) {
        if (decodeWhole(codec, bytes, 0, text)) {
            *encoding = {codec, false};
            return true;
        }
    }
    return false;
}

QByteArray encodeScript(const QString& text, const ScriptEncoding& encoding)
{
    const QTextCodec* codec = QTextCodec::codecForName(encoding.codec);
    if (!codec)
        codec = QTextCodec::codecForName("UTF-8");
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QString whole = encoding.byteOrderMark ? QChar(QChar::ByteOrderMark) + text : text;
    return codec->fromUnicode(whole.constData(), whole.size(), &state);
}

}  // namespace vantor
