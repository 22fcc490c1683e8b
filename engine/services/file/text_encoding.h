// Text files in a named encoding: reads honour a byte-order mark and drop CR,
// writes turn LF into CR LF and never add a byte-order mark.
#pragma once

#include <QByteArray>
#include <QString>

class QTextCodec;

namespace tavix::file {

// The codec registered under `name`; the locale's 8-bit code page for an
// empty or unknown name.
QTextCodec* codecFor(const QByteArray& name);

// Decodes file content: a UTF-8/UTF-16/UTF-32 byte-order mark overrides
// `codec` and is dropped; every CR character is removed.
QString decodeTextFile(const QByteArray& content, QTextCodec* codec);

// Encodes text for a file opened in text mode: every LF becomes CR LF.
QByteArray encodeTextFile(const QString& text, QTextCodec* codec);

}  // namespace tavix::file
