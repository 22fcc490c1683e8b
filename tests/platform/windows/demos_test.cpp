// The C demos built for Windows, run as a user would, without the engine
// library beside them.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "program_folder.h"

extern "C" {
#include "demo_engine.h"
#include "demo_loader.h"
}

namespace {

struct Output {
    bool started = false;
    DWORD exitCode = 0;
    std::string text;  // standard output, line ends as LF
};

Output runDemo(const std::wstring& name)
{
    Output output;
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0))
        return output;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::wstring line = L"\"" + tavix::platform::windows::test::programFolder() + name + L"\"";
    PROCESS_INFORMATION process{};
    output.started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                    nullptr, &startup, &process);
    CloseHandle(writeEnd);
    if (output.started) {
        char buffer[4096];
        DWORD count = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &count, nullptr) && count > 0)
            output.text.append(buffer, count);
        WaitForSingleObject(process.hProcess, 30000);
        GetExitCodeProcess(process.hProcess, &output.exitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(readEnd);
    std::string lf;
    for (char c : output.text)
        if (c != '\r')
            lf += c;
    output.text = lf;
    return output;
}

TEST(DemosWithoutEngine, EachDemoReportsOrStaysSilentAndEndsWithZero)
{
    ASSERT_EQ(
        GetFileAttributesW((tavix::platform::windows::test::programFolder() + L"api.dll").c_str()),
        INVALID_FILE_ATTRIBUTES)
        << "api.dll lies beside the demos";
    // 126: the system's code for a module that was not found.
    const struct {
        const wchar_t* program;
        const char* output;
    } demos[] = {
        {L"utilsdemo.exe", "126\n"}, {L"imagedemo.exe", "126\n"}, {L"sqlitedemo.exe", "126\n"},
        {L"ocrdemo.exe", "126\n"},   {L"appdemo.exe", "126\n"},   {L"devicedemo.exe", ""},
        {L"basedemo.exe", ""},       {L"filedemo.exe", ""},       {L"inputdemo.exe", ""},
    };
    for (const auto& demo : demos) {
        SCOPED_TRACE(testing::Message() << demo.program);
        const Output run = runDemo(demo.program);
        ASSERT_TRUE(run.started);
        EXPECT_EQ(run.text, demo.output);
        EXPECT_EQ(run.exitCode, 0u);
    }
}

TEST(DemoLoader, FailedLoadGivesTheSystemsCodeAndText)
{
    // The demos' start leaves standard output unbuffered: the runtime has no
    // line buffering, and the engine writes to the same stream in between.
    EXPECT_EQ(demo_open_engine(nullptr, 0, DEMO_SILENT_LOAD_FAILURE), nullptr);
    EXPECT_NE(stdout->_flag & _IONBF, 0);

    EXPECT_EQ(demo_load("no-such-library.dll"), nullptr);
    EXPECT_EQ(demo_last_error_code(), 126);
    const std::string text = demo_last_error_text();
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
}

TEST(DemoLoader, FindsTheLibraryBesideTheProgramFromAnyFolder)
{
    // From another working folder, as a user starts a demo from anywhere.
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    wchar_t temporary[MAX_PATH];
    GetTempPathW(MAX_PATH, temporary);
    ASSERT_TRUE(SetCurrentDirectoryW(temporary));

    demo_library* library = demo_load("demo_probe.dll");
    SetCurrentDirectoryW(previous);
    ASSERT_NE(library, nullptr) << demo_last_error_text();
    auto answer = reinterpret_cast<int (*)(void)>(demo_resolve(library, "TX_probe_answer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    EXPECT_EQ(demo_resolve(library, "TX_probe_missing"), nullptr);
    EXPECT_EQ(demo_resolve(nullptr, "TX_probe_answer"), nullptr);
    demo_free(library);
    demo_free(nullptr);
}

}  // namespace
