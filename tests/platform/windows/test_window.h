// A window of the test's own on the Windows desktop: borderless, topmost, at
// a given place, painted with solid colour blocks, recording the input
// messages it receives. With the message pump below, tests wait for what the
// window saw with a deadline.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace tavix::platform::windows::test {

struct ColourBlock {
    RECT area;  // client coordinates
    COLORREF colour;
};

struct WindowMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    POINT client{};           // mouse messages: where, in client coordinates
    ULONG_PTR extraInfo = 0;  // GetMessageExtraInfo while it was handled
};

class TestWindow {
public:
    // `area` in desktop pixels; the client area covers all of it. The window
    // is shown, brought to the foreground and given the keyboard focus.
    explicit TestWindow(RECT area, std::vector<ColourBlock> blocks = {},
                        COLORREF background = RGB(255, 255, 255));
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND handle() const { return window_; }
    bool painted() const { return painted_; }
    // Whether the window is the foreground window and holds the focus.
    bool focused() const;

    const std::vector<WindowMessage>& messages() const { return messages_; }
    // The messages of the given kinds, in the order received.
    std::vector<WindowMessage> messagesOf(std::initializer_list<UINT> kinds) const;
    void clearMessages() { messages_.clear(); }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();

    HWND window_ = nullptr;
    std::vector<ColourBlock> blocks_;
    COLORREF background_;
    bool painted_ = false;
    std::vector<WindowMessage> messages_;
};

// Dispatches this thread's messages until `condition` holds or `timeoutMs`
// have passed; returns the condition's last value.
bool pumpUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

}  // namespace tavix::platform::windows::test
