#include "script_values.h"

#include <QDebug>
#include <QScriptEngine>
#include <cmath>

#include "host_state.h"

namespace vantor {

namespace {

const QString kLength = QStringLiteral("length");

// The number's 16-bit truncation toward zero, low eight bits; 0 outside 16 bits.
char byteOfNumber(double number)
{
    if (!std::isfinite(number))
        return 0;
    const double truncated = std::trunc(number);
    if (truncated < -32768.0 || truncated > 32767.0)
        return 0;
    return static_cast<char>(static_cast<int>(truncated) & 0xFF);
}

bool tooLong(quint32 length)
{
    if (length <= kMaxByteElements)
        return false;
    qWarning("byte array refused: %u elements (at most %u)", length, kMaxByteElements);
    return true;
}

template <class AppendElement>
std::optional<QByteArray> collect(const QScriptValue& array, AppendElement append)
{
    QByteArray bytes;
    for (quint32 i = 0;; ++i) {
        const quint32 length = array.property(kLength).toUInt32();
        if (tooLong(length))
            return std::nullopt;
        if (i >= length)
            break;
        append(bytes, array.property(i));
    }
    return bytes;
}

}  // namespace

std::optional<QByteArray> bytesOfNumbers(const QScriptValue& array)
{
    return collect(array, [](QByteArray& bytes, const QScriptValue& element) {
        bytes.append(byteOfNumber(element.toNumber()));
    });
}

std::optional<QByteArray> bytesOfElements(const QScriptValue& array)
{
    return collect(array, [](QByteArray& bytes, const QScriptValue& element) {
        if (element.isNumber())
            bytes.append(byteOfNumber(element.toNumber()));
        else if (element.isBool())
            bytes.append(element.toBool() ? char(1) : char(0));
        else if (element.isString())
            bytes.append(element.toString().toUtf8());
    });
}

QScriptValue byteValues(const QByteArray& bytes)
{
    QScriptEngine* engine = scriptEngine();
    if (!engine)
        return QScriptValue();
    QScriptValue array = engine->newArray(static_cast<uint>(bytes.size()));
    for (int i = 0; i < bytes.size(); ++i)
        array.setProperty(static_cast<quint32>(i), QScriptValue(int(static_cast<unsigned char>(bytes[i]))));
    return array;
}

QScriptValue pointValue(int x, int y)
{
    QScriptEngine* engine = scriptEngine();
    if (!engine)
        return QScriptValue();
    QScriptValue point = engine->newObject();
    point.setProperty(QStringLiteral("x"), QScriptValue(x));
    point.setProperty(QStringLiteral("y"), QScriptValue(y));
    return point;
}

std::optional<Corners> readRect(const QScriptValue& rectValue, RectMeaning meaning)
{
    if (!rectValue.isValid() || rectValue.isNull() || rectValue.isUndefined())
        return std::nullopt;
    const auto corner = [&](const char* name, int* x, int* y) {
        const QScriptValue point = rectValue.property(QLatin1String(name));
        if (!point.isValid() || point.isUndefined()) {
            *x = *y = 0;
            return;
        }
        *x = point.property(QStringLiteral("x")).toInt32();
        *y = point.property(QStringLiteral("y")).toInt32();
    };
    Corners corners;
    corner("topLeft", &corners.x1, &corners.y1);
    corner("bottomRight", &corners.x2, &corners.y2);
    if (meaning == RectMeaning::OriginAndSize) {
        corners.x2 = static_cast<int>(static_cast<unsigned>(corners.x1) + static_cast<unsigned>(corners.x2));
        corners.y2 = static_cast<int>(static_cast<unsigned>(corners.y1) + static_cast<unsigned>(corners.y2));
    }
    return corners;
}

}  // namespace vantor
