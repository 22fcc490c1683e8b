// Small fixtures for the file family's tests: a scratch folder, raw file
// contents, and a tiny tmpfs volume (another file system that fills up).
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tavix::test {

inline QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline void putBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A tmpfs of `kilobytes` mounted on a fresh folder for the fixture's life;
// `mounted()` is false where mounting is not allowed.
class TmpfsVolume {
public:
    explicit TmpfsVolume(int kilobytes)
    {
        const QString options = QStringLiteral("size=%1k").arg(kilobytes);
        mounted_ = dir_.isValid()
            && QProcess::execute(QStringLiteral("mount"), {"-t", "tmpfs", "-o", options, "tmpfs", dir_.path()}) == 0;
    }
    ~TmpfsVolume()
    {
        if (mounted_)
            QProcess::execute(QStringLiteral("umount"), {dir_.path()});
    }
    bool mounted() const { return mounted_; }
    QString path(const QString& name) const { return dir_.path() + QLatin1Char('/') + name; }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

class ScratchDir : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir_.path() + QLatin1Char('/') + name; }
    std::string cpath(const QString& name) const { return path(name).toStdString(); }
    QTemporaryDir dir_;
};

}  // namespace tavix::test
