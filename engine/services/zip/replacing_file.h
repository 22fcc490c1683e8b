// A new file (an archive, an unpacked entry) written beside its final path
// and put in place only when it is complete, so that a failure never leaves a
// half-written file behind and an existing one stays as it was.
#pragma once

#include <QFileDevice>
#include <QString>

namespace tavix::zip {

class ReplacingFile {
public:
    explicit ReplacingFile(const QString& finalPath);
    ~ReplacingFile();  // removes the working file unless committed
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // The hidden working file in the final path's folder; empty when none could be made.
    const QString& workingPath() const { return working_; }
    // Replaces the final path with the working file.
    bool commit();

private:
    QString final_;
    QString working_;
    bool committed_ = false;
    QFileDevice::Permissions permissions_ = QFileDevice::ReadOwner | QFileDevice::WriteOwner
        | QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;
};

}  // namespace tavix::zip
