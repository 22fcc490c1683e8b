// Where the test programs and their helpers lie: all in one folder.
#pragma once

#include <windows.h>

#include <string>

namespace tavix::platform::windows::test {

// The folder of the running program, with its trailing backslash.
inline std::wstring programFolder()
{
    wchar_t path[MAX_PATH * 2];
    const DWORD length = GetModuleFileNameW(nullptr, path, DWORD(std::size(path)));
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

// The running program's own file name ("processes_test.exe").
inline std::wstring programFileName()
{
    wchar_t path[MAX_PATH * 2];
    const DWORD length = GetModuleFileNameW(nullptr, path, DWORD(std::size(path)));
    std::wstring file(path, length);
    return file.substr(file.find_last_of(L"\\/") + 1);
}

}  // namespace tavix::platform::windows::test
