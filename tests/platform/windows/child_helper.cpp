// A small program that the process tests start as a child, to see from the
// inside what it was given:
//   child_helper echo <file> <argument>...  writes the arguments, each ended by a zero byte
//   child_helper exit <code>                ends with that code
//   child_helper sleep <file> <ms>          writes its process id, then sleeps
//   child_helper stdin                      reads standard input to its end; the byte count is
//                                           the exit code (101 without a standard input)
//   child_helper handle <value>             1 when the handle of that value is open in it, else 0
//   child_helper console                    1 when it has a console window, plus 2 when it is
//                                           attached to a console at all; else 0
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>

namespace {

std::string utf8(const wchar_t* text)
{
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string result(std::size_t(length > 0 ? length : 1), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), length, nullptr, nullptr);
    result.pop_back();  // the terminating zero
    return result;
}

bool writeFile(const wchar_t* path, const std::string& content)
{
    FILE* file = _wfopen(path, L"wb");
    if (!file)
        return false;
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"echo" && argc > 2) {
        std::string content;
        for (int i = 3; i < argc; ++i)
            content += utf8(argv[i]) + '\0';
        return writeFile(argv[2], content) ? 0 : 3;
    }
    if (mode == L"exit" && argc > 2)
        return int(std::wcstol(argv[2], nullptr, 10));
    if (mode == L"sleep" && argc > 3) {
        if (!writeFile(argv[2], std::to_string(GetCurrentProcessId())))
            return 3;
        Sleep(DWORD(std::wcstoul(argv[3], nullptr, 10)));
        return 0;
    }
    if (mode == L"stdin") {
        HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
        if (!input || input == INVALID_HANDLE_VALUE)
            return 101;
        char buffer[4096];
        DWORD count = 0;
        DWORD total = 0;
        while (ReadFile(input, buffer, sizeof buffer, &count, nullptr) && count > 0)
            total += count;
        return int(total > 100 ? 100 : total);
    }
    if (mode == L"handle" && argc > 2) {
        DWORD flags = 0;
        const auto value = static_cast<std::uintptr_t>(std::wcstoull(argv[2], nullptr, 10));
        return GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    }
    if (mode == L"console")
        return (GetConsoleWindow() ? 1 : 0) | (GetConsoleCP() ? 2 : 0);
    return 2;
}
