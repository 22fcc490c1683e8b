// A recording (the recorder's JSON array of event records) as a script that
// replays it: one cs call per mouse or key event, a sleep between events.
#pragma once

#include <QJsonArray>
#include <QString>

namespace vantor {

QString recordingToScript(const QJsonArray& records);

}  // namespace vantor
