// Windows: the parts of the backend that belong to no single concern.
#include "win_backend.h"

#include <windows.h>

#include <cwchar>

#include "../common/native.h"

namespace tavix::platform::windows {

std::wstring toWide(const std::string& utf8)
{
    if (utf8.empty())
        return {};
    const int size = int(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(std::size_t(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string toUtf8(const std::wstring& wide)
{
    if (wide.empty())
        return {};
    const int size = int(wide.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(std::size_t(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::string toUtf8(const wchar_t* wide)
{
    return wide ? toUtf8(std::wstring(wide)) : std::string();
}

std::string errorText(unsigned long code)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length && text ? std::wstring(text, length) : std::wstring();
    if (text)
        LocalFree(text);
    while (!message.empty() && std::wcschr(L"\r\n .", message.back()))
        message.pop_back();
    std::string result = message.empty() ? "System error" : toUtf8(message) + ".";
    return result + " (" + std::to_string(code) + ")";
}

}  // namespace tavix::platform::windows

namespace tavix::platform::native {

bool displayReachable()
{
    // An interactive session has a screen DC with a size; a service without a
    // desktop has none to give.
    HDC screen = GetDC(nullptr);
    if (!screen)
        return false;
    const bool sized = GetDeviceCaps(screen, HORZRES) > 0 && GetDeviceCaps(screen, VERTRES) > 0;
    ReleaseDC(nullptr, screen);
    return sized;
}

}  // namespace tavix::platform::native
