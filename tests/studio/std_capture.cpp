#include "std_capture.h"

#include <QFile>
#include <QStringList>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace vantor::test {

StdCapture::StdCapture(int fd, Keep keep) : fd_(fd), saved_(-1)
{
    std::fflush(nullptr);
    if (keep == Discard) {
        const int null = ::open("/dev/null", O_WRONLY);
        if (null < 0)
            return;
        saved_ = ::dup(fd_);
        ::dup2(null, fd_);
        ::close(null);
        return;
    }
    if (!file_.open())
        return;
    saved_ = ::dup(fd_);
    ::dup2(file_.handle(), fd_);
}

StdCapture::~StdCapture()
{
    std::fflush(nullptr);
    if (saved_ >= 0) {
        ::dup2(saved_, fd_);
        ::close(saved_);
    }
}

QString StdCapture::text() const
{
    return QString::fromLocal8Bit(bytes());
}

QByteArray StdCapture::bytes() const
{
    std::fflush(nullptr);
    return bytesOnFile();
}

QByteArray StdCapture::bytesOnFile() const
{
    if (file_.fileName().isEmpty())
        return QByteArray();
    QFile file(file_.fileName());
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QString StdCapture::tail(int lines) const
{
    const QStringList all = text().split(QLatin1Char('\n'));
    return all.mid(qMax(0, all.size() - lines)).join(QLatin1Char('\n'));
}

}  // namespace vantor::test
