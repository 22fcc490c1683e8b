// Conversions between script values and the engine's arguments and results
// that several bindings share: byte arrays, rectangles and found points.
#pragma once

#include <QByteArray>
#include <QScriptValue>
#include <optional>

#include "tavix/corners.hpp"

namespace vantor {

// Script arrays longer than this are refused as byte input: a sparse array
// may claim billions of elements, and walking them would hang the run.
constexpr quint32 kMaxByteElements = 16u * 1024u * 1024u;

// Bytes from a script array: each element as a number truncated toward zero,
// kept as its low eight bits when it fits 16 bits, else 0 (file.appendBytes).
// `length` is read again before every element. Empty when the array is too long.
std::optional<QByteArray> bytesOfNumbers(const QScriptValue& array);

// Bytes from a script array of mixed elements (image.fromBytes): numbers as
// above, booleans as 1 or 0, strings as all their UTF-8 bytes, others nothing.
std::optional<QByteArray> bytesOfElements(const QScriptValue& array);

// A script array of the byte values 0 to 255, made with the shared engine.
QScriptValue byteValues(const QByteArray& bytes);

// A new script object { x: x, y: y }.
QScriptValue pointValue(int x, int y);

using Corners = tavix::Corners;

// Corners of a rectangle value { topLeft: {x, y}, bottomRight: {x, y} }; none
// for null or undefined (no rectangle given). Spans: bottomRight is a size
// added to topLeft (imagev) instead of the second corner (image).
enum class RectMeaning { Corners, OriginAndSize };
std::optional<Corners> readRect(const QScriptValue& rectValue, RectMeaning meaning);

}  // namespace vantor
