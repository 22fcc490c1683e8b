#include "log.h"

#include <QDebug>

namespace vantor {

void Log::info(QString infoStr)
{
    qDebug().noquote().nospace() << infoStr << "\n";
    emit showInfo(infoStr);
}

}  // namespace vantor
