#include "log_capture.h"

#include <QMutex>
#include <QMutexLocker>
#include <cstdio>

namespace tavix::test {

namespace {
QMutex mutex;
QStringList captured;
QtMessageHandler previous = nullptr;

void collect(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    {
        QMutexLocker lock(&mutex);
        captured << message;
    }
    if (previous)
        previous(type, context, message);
}
}  // namespace

LogCapture::LogCapture()
{
    clear();
    previous = qInstallMessageHandler(collect);
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(previous);
}

QStringList LogCapture::lines() const
{
    QMutexLocker lock(&mutex);
    return captured;
}

bool LogCapture::contains(const QString& fragment) const
{
    for (const QString& line : lines())
        if (line.contains(fragment))
            return true;
    return false;
}

void LogCapture::clear()
{
    QMutexLocker lock(&mutex);
    captured.clear();
}

}  // namespace tavix::test
