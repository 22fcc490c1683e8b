// The desktop's input through Windows' low-level mouse and keyboard hooks.
// Such hooks are called on the thread that installed them, from its message
// loop, so the source runs a thread of its own that installs them and pumps
// messages until stopped; events are delivered on that thread.
#pragma once

#include <windows.h>

#include <cstdint>
#include <thread>

#include "common/hook_messages.h"
#include "tavix/platform/capture.h"

namespace tavix::platform::windows {

class HookCapture final : public CaptureSource {
public:
    HookCapture() = default;
    ~HookCapture() override;
    HookCapture(const HookCapture&) = delete;
    HookCapture& operator=(const HookCapture&) = delete;

    bool start(Deliver deliver, std::string* error) override;
    void stop() override;

private:
    // The capture thread: installs both hooks, reports the outcome through
    // `installed` (empty text: success), pumps messages until WM_QUIT.
    void run(std::string* installed, HANDLE ready);
    void unhook();
    void deliver(CaptureEvent event, std::uint32_t tick);

    static LRESULT CALLBACK mouseProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK keyboardProc(int code, WPARAM wParam, LPARAM lParam);

    Deliver deliver_;
    std::thread thread_;
    DWORD threadId_ = 0;
    HHOOK mouseHook_ = nullptr;
    HHOOK keyboardHook_ = nullptr;
    hook::TickClock clock_;
};

}  // namespace tavix::platform::windows
