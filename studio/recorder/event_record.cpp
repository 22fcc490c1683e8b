#include "event_record.h"

#include <QDateTime>
#include <QDebug>
#include <limits>

namespace vantor {

namespace {

struct MouseName {
    int code;
    const char* down;
    const char* up;
};

constexpr MouseName kMouseNames[] = {
    {MouseMove, "mousemove", "mousemove"},    {MouseLeft, "lmousedown", "lmouseup"},
    {MouseRight, "rmousedown", "rmouseup"},   {MouseMiddle, "mousedown", "mouseup"},
    {MouseWheel, "mousewheel", "mousewheel"},
};

// Local time as text costs microseconds, and a burst of records shares its
// second: the text of the last second is kept.
QString localTimeText(qint64 timeMs)
{
    static qint64 second = std::numeric_limits<qint64>::min();
    static QString text;
    const qint64 thisSecond = timeMs / 1000 - (timeMs % 1000 < 0 ? 1 : 0);
    if (thisSecond != second) {
        second = thisSecond;
        text =
            QDateTime::fromMSecsSinceEpoch(timeMs).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    }
    return text;
}

QJsonObject stamped(qint64 timeMs)
{
    QJsonObject record;
    record.insert(QStringLiteral("time"), double(timeMs));
    record.insert(QStringLiteral("timeStr"), localTimeText(timeMs));
    return record;
}

}  // namespace

QString mouseEventName(int buttonCode, bool down)
{
    for (const MouseName& entry : kMouseNames)
        if (entry.code == buttonCode)
            return QString::fromLatin1(down ? entry.down : entry.up);
    return {};
}

QJsonObject mouseRecord(qint64 timeMs, int buttonCode, int x, int y, bool down)
{
    const QString name = mouseEventName(buttonCode, down);
    if (name.isEmpty())
        return {};
    if (buttonCode == MouseMiddle)
        qDebug().noquote() << QStringLiteral("mouse pressed:--------:%1  x:%2  y:%3  downOrUp:%4")
                                  .arg(buttonCode)
                                  .arg(x)
                                  .arg(y)
                                  .arg(int(down));
    QJsonObject record = stamped(timeMs);
    record.insert(QStringLiteral("x"), x);
    record.insert(QStringLiteral("y"), y);
    record.insert(QStringLiteral("name"), name);
    return record;
}

QJsonObject keyRecord(qint64 timeMs, int keyType, quint32 keyCode)
{
    QJsonObject record = stamped(timeMs);
    record.insert(QStringLiteral("keycode"), double(keyCode));
    record.insert(QStringLiteral("name"),
                  keyType == KeyDown ? QStringLiteral("keydown") : QStringLiteral("keyup"));
    return record;
}

}  // namespace vantor
