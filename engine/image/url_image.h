// One GET of a picture (HTTP(S), or a local file: URL), waited for in a local
// event loop.
#pragma once

#include <QImage>
#include <QString>
#include <chrono>

namespace tavix::image {

// The longest a download may stall before it counts as failed; like the
// engine's other external waits, 30 s.
constexpr std::chrono::milliseconds kDefaultTransferTimeout{30000};

// Downloads larger than this are cut off and fail: no picture the engine
// decodes needs more, and an endless body must not exhaust memory.
constexpr qint64 kDefaultDownloadLimit = qint64(256) << 20;

// Fetches `url` (parsed tolerantly) and decodes the body as a picture. A null
// image on a network error, an HTTP error status, a file: URL naming a device,
// FIFO or socket, a stall longer than the transfer timeout, a body beyond the
// download limit or one that is not a picture.
QImage fetchImage(const QString& url);

// For tests: replaces the transfer timeout; returns the previous one.
std::chrono::milliseconds setTransferTimeout(std::chrono::milliseconds timeout);

// For tests: replaces the download limit; returns the previous one.
qint64 setDownloadLimit(qint64 bytes);

}  // namespace tavix::image
