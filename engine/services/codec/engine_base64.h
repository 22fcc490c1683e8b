// The Base64 codec of the DES and RC4 texts. Encoding is standard (RFC 4648,
// "=" padding, no line breaks). Decoding takes groups of four characters and
// stops at the first "="; characters outside the alphabet count as zero bits
// and nothing is skipped.
#pragma once

#include <QByteArray>

namespace tavix::codec {

QByteArray encodeEngineBase64(const QByteArray& bytes);
QByteArray decodeEngineBase64(const QByteArray& text);

}  // namespace tavix::codec
