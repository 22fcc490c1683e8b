#include "single_instance.h"

#include <QDebug>

namespace vantor {

QString studioExecutableName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Vantor.exe");
#else
    return QStringLiteral("Vantor");
#endif
}

bool anotherInstanceRunning(
    const QString& executableName, qint64 ownPid,
    const std::optional<std::vector<tavix::platform::ProcessEntry>>& snapshot)
{
    if (!snapshot) {
        qDebug().noquote() << "Failed to create process snapshot.";
        return false;
    }
    const std::string wanted = executableName.toStdString();
    for (const tavix::platform::ProcessEntry& process : *snapshot) {
        if (process.executableName == wanted && process.pid != ownPid) {
            qDebug().noquote() << "The process is already running.";
            return true;
        }
    }
    return false;
}

}  // namespace vantor
