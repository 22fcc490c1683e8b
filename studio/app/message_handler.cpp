#include "message_handler.h"

#include <QVector>
#include <QtGlobal>
#include <cstdio>

namespace vantor {

namespace {

void writeMessage(QtMsgType, const QMessageLogContext&, const QString& message)
{
    const QByteArray text = formatLogMessage(message);
    if (text.isEmpty())
        return;
    // One stdio call per message, so lines of the run thread and of the
    // window's thread never interleave inside a line.
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stderr);
    std::fflush(stderr);
}

}  // namespace

QByteArray formatLogMessage(const QString& message)
{
    QByteArray out;
    out.reserve(message.size() + 1);
    // Callers such as log.info end their text with a line end of their own.
    for (const QStringRef& line : message.splitRef(QLatin1Char('\n'))) {
        QStringRef text = line;
        if (text.endsWith(QLatin1Char('\r')))
            text.chop(1);
        if (text.trimmed().isEmpty())
            continue;
        out += text.toUtf8();
        out += '\n';
    }
    return out;
}

void installMessageHandler()
{
    qInstallMessageHandler(writeMessage);
}

}  // namespace vantor
