#include "message_lines.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cstdio>

namespace vantor {

namespace {

void writeLine(QtMsgType, const QMessageLogContext&, const QString& message)
{
    // Some callers end their text with a line end of their own.
    QString line = message;
    while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    QByteArray bytes = line.toLocal8Bit();
    bytes.append('\n');
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

}  // namespace

void installRunnerMessageHandler()
{
    qInstallMessageHandler(writeLine);
}

}  // namespace vantor
