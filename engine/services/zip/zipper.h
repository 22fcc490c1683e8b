// Packing files and folders into zip archives and unpacking them, on QuaZip.
// Nothing is kept between calls; progress and problems go to the log only.
#pragma once

#include <QByteArray>
#include <QString>

namespace tavix::zip {

// `password`: null for unenciphered entries, otherwise traditional PKWARE
// encryption with these bytes.
bool zipFile(const QString& filePath, const QString& dest, const char* password);
bool zipDir(const QString& dir, const QString& dest, const char* password);
void unZip(const QString& zipFilePath, const QString& dest, const char* password);
void unZipDir(const QString& archive, const QString& dest, const char* password);

}  // namespace tavix::zip
