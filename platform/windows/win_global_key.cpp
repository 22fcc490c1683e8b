// The Windows global key: RegisterHotKey on a thread of its own, which owns
// the registration (a hot key without a window belongs to the thread that made
// it) and receives WM_HOTKEY in its message loop, whichever window has the
// focus and however busy the program's other threads are.
#include "tavix/platform/global_key.h"

#include <windows.h>

#include <thread>
#include <utility>

#include "common/native.h"

namespace tavix::platform {

namespace {

constexpr int kHotKeyId = 1;

struct ModifierBit {
    unsigned flag;
    UINT windowsFlag;
};
// MOD_NOREPEAT stays off: a held combination calls onPress on every auto-repeat.
constexpr ModifierBit kModifierBits[] = {
    {modifier::kShift, MOD_SHIFT},
    {modifier::kControl, MOD_CONTROL},
    {modifier::kAlt, MOD_ALT},
    {modifier::kMeta, MOD_WIN},
};

UINT hotKeyModifiers(unsigned flags)
{
    UINT result = 0;
    for (const ModifierBit& bit : kModifierBits)
        if (flags & bit.flag)
            result |= bit.windowsFlag;
    return result;
}

std::string registrationFailure(DWORD code)
{
    if (code == ERROR_HOTKEY_ALREADY_REGISTERED)
        return "the key combination is taken by another program";
    return "RegisterHotKey failed with error " + std::to_string(code);
}

class WinGlobalKey final : public GlobalKeyGrab {
public:
    explicit WinGlobalKey(std::function<void()> onPress) : onPress_(std::move(onPress)) {}

    ~WinGlobalKey() override
    {
        if (!thread_.joinable())
            return;
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }

    // Registers the combination on the new thread; false with the reason when
    // the system refuses it (the thread has then ended).
    bool start(UINT modifiers, UINT virtualKey, std::string* error)
    {
        HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (!ready) {
            *error = "cannot create an event for the key thread";
            return false;
        }
        std::string failure;
        thread_ = std::thread([this, modifiers, virtualKey, &failure, ready] {
            serve(modifiers, virtualKey, &failure, ready);
        });
        WaitForSingleObject(ready, INFINITE);
        CloseHandle(ready);
        if (failure.empty())
            return true;
        thread_.join();
        *error = failure;
        return false;
    }

private:
    void serve(UINT modifiers, UINT virtualKey, std::string* failure, HANDLE ready)
    {
        threadId_ = GetCurrentThreadId();
        MSG msg;
        // The queue exists before start() returns, so a quit posted later is not lost.
        PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
        if (!RegisterHotKey(nullptr, kHotKeyId, modifiers, virtualKey)) {
            *failure = registrationFailure(GetLastError());
            SetEvent(ready);
            return;
        }
        SetEvent(ready);
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (msg.message == WM_HOTKEY && msg.wParam == kHotKeyId)
                onPress_();
        }
        UnregisterHotKey(nullptr, kHotKeyId);
    }

    std::function<void()> onPress_;
    std::thread thread_;
    DWORD threadId_ = 0;
};

}  // namespace

std::unique_ptr<GlobalKeyGrab> native::createGlobalKeyGrab(KeyCombination keys,
                                                           std::function<void()> onPress,
                                                           std::string* error)
{
    if (keys.virtualKey == 0) {
        *error = "the key has no virtual-key code";
        return nullptr;
    }
    auto grab = std::make_unique<WinGlobalKey>(std::move(onPress));
    if (!grab->start(hotKeyModifiers(keys.modifiers), keys.virtualKey, error))
        return nullptr;
    return grab;
}

}  // namespace tavix::platform
