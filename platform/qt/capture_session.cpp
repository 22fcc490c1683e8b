#include "capture_session.h"

#include <QMetaObject>
#include <utility>

namespace tavix::platform::qt {

CaptureSession::CaptureSession(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler))
{
}

CaptureSession::~CaptureSession()
{
    if (source_)
        source_->stop();
}

bool CaptureSession::start(std::unique_ptr<CaptureSource> source, QString* error)
{
    stop();
    if (!source) {
        if (error)
            *error = QStringLiteral("no capture source");
        return false;
    }
    std::string reason;
    if (!source->start([this](const CaptureEvent& event) { push(event); }, &reason)) {
        if (error)
            *error = QString::fromStdString(reason);
        return false;
    }
    source_ = std::move(source);
    return true;
}

void CaptureSession::stop()
{
    if (!source_)
        return;
    source_->stop();
    source_.reset();
    drain();
}

std::size_t CaptureSession::pending() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return queue_.size();
}

void CaptureSession::push(const CaptureEvent& event)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(event);
    }
    // One wake-up per batch: the owner drains everything queued when it runs.
    if (!wakePosted_.exchange(true))
        QMetaObject::invokeMethod(this, "drain", Qt::QueuedConnection);
}

void CaptureSession::drain()
{
    // A handler that spins a nested event loop must not let a later batch
    // overtake the one being handed over.
    if (draining_)
        return;
    draining_ = true;
    for (;;) {
        wakePosted_ = false;
        std::deque<CaptureEvent> batch;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            batch.swap(queue_);
        }
        if (batch.empty())
            break;
        for (const CaptureEvent& event : batch)
            handler_(event);
    }
    draining_ = false;
}

}  // namespace tavix::platform::qt
