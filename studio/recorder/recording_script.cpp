#include "recording_script.h"

#include <QJsonObject>
#include <QJsonValue>
#include <algorithm>
#include <cmath>

namespace vantor {

namespace {

struct LineTemplate {
    const char* name;
    const char* line;
    bool keyCode;  // the line takes "keycode" instead of "x" and "y"
};

constexpr LineTemplate kLines[] = {
    {"mousemove", "cs.mouseMove(%1,%2);\n", false},
    {"lmousedown", "cs.mouseLeftDown(%1,%2);\n", false},
    {"lmouseup", "cs.mouseLeftUp(%1,%2);\n", false},
    {"rmousedown", "cs.mouseRightDown(%1,%2);\n", false},
    {"rmouseup", "cs.mouseRightUp(%1,%2);\n", false},
    {"mousedown", "cs.mouseMiddleDown(%1,%2);\n", false},
    {"mouseup", "cs.mouseMiddleUp(%1,%2);\n", false},
    {"keydown", "cs.keyDown(%1);\n", true},
    {"keyup", "cs.keyUp(%1);\n", true},
};

// A number truncated towards zero. Absurd times saturate at +-2^62, so that the
// difference of two of them still fits in 64 bits.
qint64 truncated(const QJsonValue& value)
{
    constexpr double kLimit = 4611686018427387904.0;  // 2^62
    const double number = value.toDouble();
    if (std::isnan(number))
        return 0;
    return qint64(std::clamp(number, -kLimit, kLimit));
}

QString statement(const QJsonObject& record)
{
    const QString name = record.value(QLatin1String("name")).toString();
    for (const LineTemplate& t : kLines) {
        if (name != QLatin1String(t.name))
            continue;
        const QString line = QString::fromLatin1(t.line);
        if (t.keyCode)
            return line.arg(record.value(QLatin1String("keycode")).toInt());
        return line.arg(record.value(QLatin1String("x")).toInt())
            .arg(record.value(QLatin1String("y")).toInt());
    }
    return {};  // the wheel and unknown names give no statement
}

}  // namespace

QString recordingToScript(const QJsonArray& records)
{
    QString script;
    qint64 previous = 0;
    for (const QJsonValue& value : records) {
        const QJsonObject record = value.toObject();
        const qint64 time = truncated(record.value(QLatin1String("time")));
        if (previous != 0)
            script += QStringLiteral("sleep(%1);\n").arg(time - previous);
        previous = time;
        script += statement(record);
    }
    return script;
}

}  // namespace vantor
