// The studio's message handler: every debug, warning and error line of the
// process goes to standard error as plain text, one line per line of text,
// without type, location or blank lines.
#pragma once

#include <QByteArray>
#include <QString>

namespace vantor {

void installMessageHandler();

// What the handler writes for one message: its non-empty lines, each ended
// by "\n" (UTF-8). Empty for a message without text.
QByteArray formatLogMessage(const QString& message);

}  // namespace vantor
