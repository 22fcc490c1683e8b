#include "entry_names.h"

#include <QDir>
#include <QRegularExpression>

namespace tavix::zip {

namespace {
QString withSlashes(QString text)
{
    return text.replace(QLatin1Char('\\'), QLatin1Char('/'));
}
}  // namespace

QString nameInTree(const QString& root, const QString& filePath)
{
    const QString base = withSlashes(root);
    QString name = withSlashes(filePath);
    if (!base.isEmpty() && name.startsWith(base))
        name.remove(0, base.size());
    else
        name = QDir(base).relativeFilePath(name);
    while (name.startsWith(QLatin1Char('/')))
        name.remove(0, 1);
    return name;
}

bool isUnsafe(const QString& entryName)
{
    static const QRegularExpression driveLetter(QStringLiteral("^[A-Za-z]:"));
    if (entryName.isEmpty() || entryName.startsWith(QLatin1Char('/')) || entryName.startsWith(QLatin1Char('\\')))
        return true;
    if (driveLetter.match(entryName).hasMatch())
        return true;
    const QStringList parts = withSlashes(entryName).split(QLatin1Char('/'));
    return parts.contains(QStringLiteral("..")) || entryName.contains(QChar(0));
}

bool isDirectoryEntry(const QString& entryName)
{
    return entryName.endsWith(QLatin1Char('/')) || entryName.endsWith(QLatin1Char('\\'));
}

QString outputPath(const QString& destination, const QString& entryName)
{
    const QString name = withSlashes(entryName);
    if (destination.endsWith(QLatin1Char('/')) || destination.endsWith(QLatin1Char('\\')))
        return destination + name;
    return destination + QLatin1Char('/') + name;
}

}  // namespace tavix::zip
