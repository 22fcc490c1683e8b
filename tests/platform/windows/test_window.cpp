#include "test_window.h"

#include <algorithm>

namespace tavix::platform::windows::test {

namespace {

const wchar_t kClassName[] = L"TavixTestWindow";

bool isRecorded(UINT message)
{
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: return true;
    default: return false;
    }
}

void registerClass()
{
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcW;  // replaced per window at creation
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

}  // namespace

TestWindow::TestWindow(RECT area, std::vector<ColourBlock> blocks, COLORREF background)
    : blocks_(std::move(blocks)), background_(background)
{
    registerClass();
    window_ = CreateWindowExW(WS_EX_TOPMOST, kClassName, L"Tavix test window", WS_POPUP, area.left,
                              area.top, area.right - area.left, area.bottom - area.top, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_)
        return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, LONG_PTR(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, LONG_PTR(&TestWindow::procedure));
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetFocus(window_);
    UpdateWindow(window_);
}

TestWindow::~TestWindow()
{
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
        // Hands the messages of its going to the system before the next test.
        pumpUntil([] { return true; }, 0);
    }
}

bool TestWindow::focused() const
{
    return window_ && GetForegroundWindow() == window_ && GetFocus() == window_;
}

std::vector<WindowMessage> TestWindow::messagesOf(std::initializer_list<UINT> kinds) const
{
    std::vector<WindowMessage> chosen;
    for (const WindowMessage& message : messages_)
        if (std::find(kinds.begin(), kinds.end(), message.message) != kinds.end())
            chosen.push_back(message);
    return chosen;
}

void TestWindow::paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    RECT client;
    GetClientRect(window_, &client);
    HBRUSH backgroundBrush = CreateSolidBrush(background_);
    FillRect(dc, &client, backgroundBrush);
    DeleteObject(backgroundBrush);
    for (const ColourBlock& block : blocks_) {
        HBRUSH brush = CreateSolidBrush(block.colour);
        FillRect(dc, &block.area, brush);
        DeleteObject(brush);
    }
    EndPaint(window_, &paint);
    GdiFlush();
    painted_ = true;
}

LRESULT CALLBACK TestWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == WM_PAINT) {
        self->paint();
        return 0;
    }
    if (self && message == WM_ERASEBKGND)
        return 1;  // WM_PAINT fills every pixel
    if (self && isRecorded(message)) {
        WindowMessage recorded;
        recorded.message = message;
        recorded.wParam = wParam;
        recorded.lParam = lParam;
        const bool key = message >= WM_KEYFIRST && message <= WM_KEYLAST;
        if (!key)
            recorded.client = {short(LOWORD(lParam)), short(HIWORD(lParam))};
        if (message == WM_MOUSEWHEEL)  // the wheel reports screen coordinates
            ScreenToClient(window, &recorded.client);
        recorded.extraInfo = ULONG_PTR(GetMessageExtraInfo());
        self->messages_.push_back(recorded);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool pumpUntil(const std::function<bool()>& condition, int timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + ULONGLONG(timeoutMs);
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (condition())
            return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return condition();
        // Wakes for the next message, or after a short while for conditions
        // that change outside this thread (files, other processes).
        MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(std::min<ULONGLONG>(deadline - now, 20)),
                                  QS_ALLINPUT);
    }
}

}  // namespace tavix::platform::windows::test
