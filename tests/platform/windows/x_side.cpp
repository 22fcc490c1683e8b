#include "x_side.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "test_window.h"
#include "windows/win_processes.h"

namespace tavix::platform::windows::test {

namespace {

// A Unix path as Wine's drive Z: shows it.
std::wstring dosPath(const std::string& unixPath)
{
    std::wstring path = L"Z:";
    for (char c : unixPath)
        path += c == '/' ? L'\\' : wchar_t(static_cast<unsigned char>(c));
    return path;
}

std::optional<std::string> readWhole(const std::wstring& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

}  // namespace

bool underWine()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

bool unixProgramExists(const std::string& path)
{
    return underWine() && GetFileAttributesW(dosPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> runUnixCommand(const std::string& command, int timeoutMs)
{
    if (!underWine())
        return std::nullopt;
    static std::atomic<int> counter{0};
    const std::string base = "/tmp/tavix-wine-" + std::to_string(GetCurrentProcessId()) + "-"
        + std::to_string(counter++);
    const std::string done = base + ".out";
    // The answer appears at once, complete: written aside, then renamed.
    const std::string script =
        "( " + command + " ) > " + base + ".part 2>/dev/null; mv -f " + base + ".part " + done;
    // Wine hands the command line to the Unix program split by the rules the
    // C runtime of a Windows program uses.
    std::wstring line = dosPath("/bin/sh") + L" -c ";
    for (char c : quoteArgument(script))
        line += wchar_t(static_cast<unsigned char>(c));

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return std::nullopt;
    if (process.hProcess)
        CloseHandle(process.hProcess);
    if (process.hThread)
        CloseHandle(process.hThread);

    const std::wstring answer = dosPath(done);
    if (!pumpUntil([&] { return GetFileAttributesW(answer.c_str()) != INVALID_FILE_ATTRIBUTES; },
                   timeoutMs))
        return std::nullopt;
    std::optional<std::string> output = readWhole(answer);
    DeleteFileW(answer.c_str());
    return output;
}

std::optional<PointerLocation> xPointerLocation()
{
    const std::optional<std::string> output = runUnixCommand("xdotool getmouselocation");
    if (!output)
        return std::nullopt;
    PointerLocation location;
    if (std::sscanf(output->c_str(), "x:%d y:%d", &location.x, &location.y) != 2)
        return std::nullopt;
    return location;
}

}  // namespace tavix::platform::windows::test
