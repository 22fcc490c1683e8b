// A new archive written beside its final path and put in place only when it
// is complete, so that a failure never leaves a half-written archive behind.
#pragma once

#include <QFileDevice>
#include <QString>

namespace tavix {

class ArchiveTarget {
public:
    explicit ArchiveTarget(const QString& finalPath);
    ~ArchiveTarget();  // removes the working file unless committed
    ArchiveTarget(const ArchiveTarget&) = delete;
    ArchiveTarget& operator=(const ArchiveTarget&) = delete;

    // The hidden working file in the archive's folder; empty when none could be made.
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

}  // namespace tavix
