#include "log.h"

#include <QDebug>

#include "trace_output.h"

namespace vantor {

void Log::info(QString infoStr)
{
    // A log line is a point where the console is brought up to date: the
    // debugger's trace held so far goes out before it.
    trace::flush();
    qDebug().noquote().nospace() << infoStr << "\n";
    emit showInfo(infoStr);
}

}  // namespace vantor
