// Script files' bytes as text and back, in the encoding the file came in.
#pragma once

#include <QByteArray>
#include <QString>

namespace vantor {

struct ScriptEncoding {
    QByteArray codec = "UTF-8";
    bool byteOrderMark = false;
};

// The text of a script file: UTF-8, UTF-16 or UTF-32 after a byte-order mark,
// else UTF-8, else GB18030 (scripts saved on Chinese Windows). False when the
// bytes are none of these: text with replacement characters in it would lose
// the undecodable bytes at the next save.
bool decodeScript(const QByteArray& bytes, QString* text, ScriptEncoding* encoding);

// `text` in `encoding`, after its byte-order mark when the file had one.
QByteArray encodeScript(const QString& text, const ScriptEncoding& encoding);

}  // namespace vantor
