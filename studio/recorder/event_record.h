// The recorder's event records: one JSON object per captured event, with
// "time", "timeStr", "name" and either "x", "y" or "keycode".
#pragma once

#include <QJsonObject>
#include <QString>

namespace vantor {

// Button codes of the mouse callback.
enum MouseCode { MouseMove = 0, MouseLeft = 1, MouseRight = 2, MouseMiddle = 3, MouseWheel = 4 };
// Key event types of the keyboard callback.
enum KeyType { KeyDown = 1, KeyUp = 2 };

// "mousemove", "lmousedown", ...; empty for a code outside the table.
QString mouseEventName(int buttonCode, bool down);

// A mouse record made at `timeMs` (milliseconds since 1970); empty for an unknown code.
QJsonObject mouseRecord(qint64 timeMs, int buttonCode, int x, int y, bool down);
// A key record: "keydown" for type 1, "keyup" otherwise.
QJsonObject keyRecord(qint64 timeMs, int keyType, quint32 keyCode);

}  // namespace vantor
