#include "image/target_folder.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

namespace tavix::image {

bool makeFolderFor(const QString& path)
{
    if (path.isEmpty()) {
        qWarning("Cannot save an image: the file path is empty");
        return false;
    }
    const QString folder = QFileInfo(path).absolutePath();
    if (QDir(folder).exists() || QDir().mkpath(folder))
        return true;
    qWarning() << "Cannot create the folder" << folder;
    return false;
}

}  // namespace tavix::image
