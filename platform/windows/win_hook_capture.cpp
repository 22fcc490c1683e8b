#include "win_hook_capture.h"

#include <chrono>
#include <utility>

#include "common/native.h"
#include "tavix/platform/log.h"

namespace tavix::platform::windows {

namespace {

// Hook procedures receive no context pointer; each capture thread knows its own source.
thread_local HookCapture* current = nullptr;

std::int64_t wallClockMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::string hookFailure(const char* kind)
{
    return std::string("SetWindowsHookExW(") + kind + ") failed with error "
        + std::to_string(GetLastError());
}

}  // namespace

HookCapture::~HookCapture()
{
    stop();
}

bool HookCapture::start(Deliver deliver, std::string* error)
{
    if (thread_.joinable())
        return true;
    deliver_ = std::move(deliver);
    clock_ = hook::TickClock();
    clock_.anchor(GetTickCount(), wallClockMs());
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!ready) {
        const std::string reason = "cannot create an event for the capture thread";
        logLine("Global input capture cannot start: " + reason);
        if (error)
            *error = reason;
        return false;
    }
    std::string installed;
    thread_ = std::thread([this, &installed, ready] { run(&installed, ready); });
    // The thread sets the event whether or not the hooks went in.
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
    if (installed.empty())
        return true;
    thread_.join();
    logLine("Global input capture cannot start: " + installed);
    if (error)
        *error = installed;
    return false;
}

void HookCapture::run(std::string* installed, HANDLE ready)
{
    threadId_ = GetCurrentThreadId();
    current = this;
    // Creates the thread's message queue before anyone posts to it.
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    const HINSTANCE module = GetModuleHandleW(nullptr);
    mouseHook_ = SetWindowsHookExW(WH_MOUSE_LL, mouseProc, module, 0);
    if (!mouseHook_)
        *installed = hookFailure("WH_MOUSE_LL");
    if (mouseHook_) {
        keyboardHook_ = SetWindowsHookExW(WH_KEYBOARD_LL, keyboardProc, module, 0);
        if (!keyboardHook_)
            *installed = hookFailure("WH_KEYBOARD_LL");
    }
    const bool ok = installed->empty();
    if (!ok)
        unhook();
    SetEvent(ready);  // `installed` and `ready` belong to start() from here on
    if (!ok) {
        current = nullptr;
        return;
    }
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // GetMessage runs every hook call sent before the quit was posted. Calls
    // that came after it are answered too before the hooks go, so that the
    // input they hold does not wait for the system's hook time-out.
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_SENDMESSAGE)) {
    }
    unhook();
    current = nullptr;
}

void HookCapture::unhook()
{
    if (keyboardHook_)
        UnhookWindowsHookEx(keyboardHook_);
    if (mouseHook_)
        UnhookWindowsHookEx(mouseHook_);
    keyboardHook_ = mouseHook_ = nullptr;
}

void HookCapture::stop()
{
    if (!thread_.joinable())
        return;
    // The queue exists before start() returns, so the post cannot be lost.
    if (!PostThreadMessageW(threadId_, WM_QUIT, 0, 0))
        logLine("Global input capture: cannot post the quit message, error "
                + std::to_string(GetLastError()));
    thread_.join();
    threadId_ = 0;
    deliver_ = nullptr;
}

void HookCapture::deliver(CaptureEvent event, std::uint32_t tick)
{
    event.receivedNs = captureClockNs();
    event.timeMs = clock_.wallTime(tick, wallClockMs());
    if (deliver_)
        deliver_(event);
}

LRESULT CALLBACK HookCapture::mouseProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && current) {
        const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        hook::MouseData data;
        data.x = info->pt.x;
        data.y = info->pt.y;
        data.mouseData = info->mouseData;
        data.time = info->time;
        if (auto event = hook::fromMouse(wParam, data))
            current->deliver(*event, info->time);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK HookCapture::keyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && current) {
        const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        hook::KeyData data;
        data.vkCode = info->vkCode;
        data.time = info->time;
        if (auto event = hook::fromKeyboard(wParam, data))
            current->deliver(*event, info->time);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace tavix::platform::windows

namespace tavix::platform::native {

std::unique_ptr<CaptureSource> createCaptureSource()
{
    return std::make_unique<windows::HookCapture>();
}

}  // namespace tavix::platform::native
