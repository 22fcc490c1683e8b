// A new file (an archive, an unpacked entry) written beside its final path
// and put in place only when it is complete, so that a failure never leaves a
// half-written file behind and an existing one stays as it was. A link at the
// final path is followed: the file it names is replaced and the link stays. A
// device, FIFO or socket there is never replaced.
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

    // The hidden working file in the final file's folder; empty when none could
    // be made or the final path names no file that may be replaced.
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
