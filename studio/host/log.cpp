#include "log.h"

#include <QDebug>
#include <atomic>

#include "trace_output.h"

namespace vantor {

namespace {

std::atomic<bool> debugLines{true};

}  // namespace

void Log::setDebugLines(bool on)
{
    debugLines.store(on);
}

void Log::info(QString infoStr)
{
    if (debugLines.load()) {
        // A log line is a point where the console is brought up to date: the
        // debugger's trace held so far goes out before it.
        trace::flush();
        qDebug().noquote().nospace() << infoStr << "\n";
    }
    emit showInfo(infoStr);
}

}  // namespace vantor
