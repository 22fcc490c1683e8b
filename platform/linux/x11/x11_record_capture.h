// The desktop's input through the X11 RECORD extension, on connections of its
// own: one that RECORD streams the events to and one that hears of keyboard map
// changes, both read by the capture thread, and one for the control requests.
// The engine's injection connection is not used.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "tavix/platform/capture.h"
#include "x11_key_translator.h"

typedef struct _XDisplay Display;

namespace tavix::platform::x11 {

class RecordCapture : public CaptureSource {
public:
    // `displayName` empty: the display named by DISPLAY.
    explicit RecordCapture(std::string displayName = {});
    ~RecordCapture() override;

    bool start(Deliver deliver, std::string* error) override;
    void stop() override;

    // Called by Xlib on the capture thread for each block RECORD sends.
    void intercept(int category, const unsigned char* data, unsigned long length);

private:
    bool open(std::string* error);
    // A connection that hears of keyboard map changes; null when none could be made.
    Display* openKeymapWatch();
    // After a change of the keyboard map: reads the new one.
    void reloadKeys();
    void close();
    void run();
    std::int64_t wallTime(std::uint32_t serverTime);

    std::string displayName_;
    Deliver deliver_;
    Display* control_ = nullptr;
    Display* data_ = nullptr;
    Display* keymap_ = nullptr;  // the capture thread's, for the layout in use
    std::string name_;
    unsigned long context_ = 0;
    int wakePipe_[2] = {-1, -1};
    int originX_ = 0, originY_ = 0;
    KeyTranslator keys_;
    std::thread thread_;
    std::atomic<bool> ended_{false};
    // The capture thread signals its end, so that stop can wait with a deadline.
    std::mutex endMutex_;
    std::condition_variable endChanged_;
    // The server's millisecond clock against the wall clock, read at the start
    // (or, failing that, at the first event): events keep the server's exact spacing.
    bool anchored_ = false;
    std::uint32_t anchorServer_ = 0;
    std::int64_t anchorWall_ = 0;
    std::int64_t lastWall_ = 0;
};

}  // namespace tavix::platform::x11
