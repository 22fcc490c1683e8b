#include "log.h"

#include <QDebug>

void Log::info(QString infoStr)
{
    qDebug().noquote().nospace() << infoStr << "\n";
    emit showInfo(infoStr);
}
