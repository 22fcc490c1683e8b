#include "text_encoding.h"

#include <QTextCodec>

namespace tavix::file {

QTextCodec* codecFor(const QByteArray& name)
{
    QTextCodec* codec = name.isEmpty() ? nullptr : QTextCodec::codecForName(name);
    return codec ? codec : QTextCodec::codecForLocale();
}

QString decodeTextFile(const QByteArray& content, QTextCodec* codec)
{
    QTextCodec* chosen = QTextCodec::codecForUtfText(content, codec);
    // The mark is skipped by the Unicode codecs themselves; a codec without
    // one never sees it.
    QString text = chosen->toUnicode(content);
    // CR is dropped after decoding so that UTF-16 code units holding a 0x0D
    // byte stay intact.
    text.remove(QLatin1Char('\r'));
    return text;
}

QByteArray encodeTextFile(const QString& text, QTextCodec* codec)
{
    QString lines = text;
    lines.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    return codec->fromUnicode(lines.constData(), lines.size(), &state);
}

}  // namespace tavix::file
