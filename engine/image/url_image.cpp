#include "image/url_image.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "core/file_kind.h"
#include "image/image_codec.h"

namespace tavix::image {

namespace {
std::chrono::milliseconds transferTimeout = kDefaultTransferTimeout;
qint64 downloadLimit = kDefaultDownloadLimit;
}

std::chrono::milliseconds setTransferTimeout(std::chrono::milliseconds timeout)
{
    const auto previous = transferTimeout;
    transferTimeout = timeout;
    return previous;
}

qint64 setDownloadLimit(qint64 bytes)
{
    const qint64 previous = downloadLimit;
    downloadLimit = bytes;
    return previous;
}

QImage fetchImage(const QString& url)
{
    if (!QCoreApplication::instance()) {
        qWarning("Cannot load an image from a URL before TX_api_initialize");
        return {};
    }
    const QUrl parsed(url, QUrl::TolerantMode);
    // A local file is opened on this thread before the deadline runs: a FIFO
    // would block that open for ever and a device would never end.
    if (parsed.isLocalFile() && core::refuseSpecialFile(parsed.toLocalFile(), "TX_image_load"))
        return {};
    QNetworkAccessManager manager;
    QNetworkRequest request(parsed);
    request.setTransferTimeout(int(transferTimeout.count()));
    // Follow redirects (http to https, moved files) but never from https to http.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);

    QEventLoop loop;
    QObject::connect(&manager, &QNetworkAccessManager::finished, &loop, &QEventLoop::quit);
    std::unique_ptr<QNetworkReply> reply(manager.get(request));
    QNetworkReply* pending = reply.get();
    const qint64 limit = downloadLimit;
    bool tooLarge = false;
    QObject::connect(pending, &QNetworkReply::downloadProgress, pending,
                     [&tooLarge, pending, limit](qint64 received, qint64 total) {
                         if (tooLarge || (received <= limit && total <= limit))
                             return;
                         tooLarge = true;
                         pending->abort();
                     });
    // The request's own timeout restarts with every byte that arrives: a server
    // trickling one byte at a time would hold the call forever. This one spans
    // the whole transfer.
    bool tooSlow = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, pending, [&tooSlow, pending] {
        tooSlow = true;
        pending->abort();
    });
    deadline.start(transferTimeout);
    if (!reply->isFinished())
        loop.exec();

    if (tooSlow) {
        qWarning() << "Failed to download" << url << ": the transfer took longer than"
                   << transferTimeout.count() << "ms";
        return {};
    }
    if (tooLarge) {
        qWarning() << "The download of" << url << "exceeds" << limit << "bytes";
        return {};
    }
    if (reply->error() != QNetworkReply::NoError) {
        qWarning() << "Failed to download" << url << ":" << reply->errorString();
        return {};
    }
    const QImage image = decodeImage(reply->readAll());
    if (image.isNull())
        qWarning() << "The download of" << url << "is not an image";
    return image;
}

}  // namespace tavix::image
