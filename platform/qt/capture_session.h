// Brings the events of a capture source to the thread that owns the session:
// the source's thread only queues them; the owner's event loop hands them to
// the handler in order. Nothing is dropped while the owner is busy: the queue
// grows until its loop drains it.
#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "tavix/platform/capture.h"

namespace tavix::platform::qt {

class CaptureSession : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(const CaptureEvent&)>;

    explicit CaptureSession(Handler handler, QObject* parent = nullptr);
    ~CaptureSession() override;

    // Starts `source`; on failure the reason goes to `error` and the session stays idle.
    bool start(std::unique_ptr<CaptureSource> source, QString* error);
    // Stops the source and hands every event it captured to the handler before returning.
    void stop();
    bool isActive() const { return source_ != nullptr; }

    // Events queued but not yet handed over.
    std::size_t pending() const;

private slots:
    void drain();

private:
    void push(const CaptureEvent& event);

    Handler handler_;
    std::unique_ptr<CaptureSource> source_;
    mutable std::mutex mutex_;
    std::deque<CaptureEvent> queue_;
    std::atomic<bool> wakePosted_{false};
    bool draining_ = false;
};

}  // namespace tavix::platform::qt
