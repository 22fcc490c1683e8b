// The process table and hidden child programs of the Windows backend.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "program_folder.h"
#include "tavix/platform/processes.h"
#include "windows/win_backend.h"
#include "windows/win_processes.h"

namespace tavix::platform::windows {
namespace {

struct QuoteCase {
    const char* argument;
    const char* quoted;
};

TEST(CommandLineQuoting, EachArgumentSurvivesTheRuntimeSplit)
{
    const QuoteCase cases[] = {
        {"plain", "plain"},
        {"", "\"\""},
        {"two words", "\"two words\""},
        {"tab\there", "\"tab\there\""},
        {"line\nbreak", "\"line\nbreak\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"\"", "\"\\\"\""},
        {"C:\\folder\\", "C:\\folder\\"},  // no blank: backslashes stay literal
        {"C:\\my folder\\", "\"C:\\my folder\\\\\""},
        {"a\\\\b c", "\"a\\\\b c\""},  // backslashes before a plain character: as they are
        {"a\\\"b", "\"a\\\\\\\"b\""},  // one backslash before a quote: three, then the quote
        {"end\\\\", "end\\\\"},
        {"end \\\\", "\"end \\\\\\\\\""},
        {"\\\\server\\share\\", "\\\\server\\share\\"},
        {"\xE4\xB8\xAD \xE6\x96\x87", "\"\xE4\xB8\xAD \xE6\x96\x87\""},
    };
    for (const QuoteCase& entry : cases)
        EXPECT_EQ(quoteArgument(entry.argument), entry.quoted)
            << "argument [" << entry.argument << "]";
}

TEST(CommandLineQuoting, ProgramIsQuotedWithoutEscapes)
{
    EXPECT_EQ(commandLine("C:\\Program Files\\ocr\\tesseract-dll.exe",
                          {"C:\\in put.png", "C:\\app\\ocr\\ocr", "-l", "chi_sim"}),
              "\"C:\\Program Files\\ocr\\tesseract-dll.exe\" \"C:\\in put.png\" "
              "C:\\app\\ocr\\ocr -l chi_sim");
    EXPECT_EQ(commandLine("C:\\tools\\", {}), "\"C:\\tools\\\"");
    EXPECT_EQ(commandLine("x.exe", {""}), "\"x.exe\" \"\"");
    // No file name holds a double quote; such a program is refused, not misquoted.
    EXPECT_EQ(commandLine("bad\"name.exe", {"a"}), "");
}

std::string helper()
{
    return toUtf8(test::programFolder() + L"child_helper.exe");
}

// A file in the system's temporary folder, removed when the test ends.
class TemporaryFile {
public:
    explicit TemporaryFile(const wchar_t* prefix)
    {
        wchar_t folder[MAX_PATH];
        wchar_t name[MAX_PATH];
        GetTempPathW(MAX_PATH, folder);
        GetTempFileNameW(folder, prefix, 0, name);
        path_ = name;
    }
    ~TemporaryFile() { DeleteFileW(path_.c_str()); }
    std::string path() const { return toUtf8(path_); }
    std::string content() const
    {
        std::ifstream file(path_.c_str(), std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

private:
    std::wstring path_;
};

TEST(ProcessSnapshot, ListsThisProgramUnderItsOwnIdentifier)
{
    const auto entries = processSnapshot();
    ASSERT_TRUE(entries.has_value());
    const std::string ownName = toUtf8(test::programFileName());
    const auto self = std::find_if(entries->begin(), entries->end(), [](const ProcessEntry& entry) {
        return entry.pid == currentProcessId();
    });
    ASSERT_NE(self, entries->end());
    EXPECT_EQ(self->executableName, ownName);
}

TEST(RunHidden, ArgumentsArriveIntact)
{
    TemporaryFile received(L"arg");
    const std::vector<std::string> arguments = {
        "plain",
        "",
        "two words",
        "say \"hi\"",
        "trailing\\",
        "C:\\my folder\\",
        "a\\\"b",
        "\\\\server\\share\\",
        "tab\there",
        "\xE4\xB8\xAD \xE6\x96\x87",  // two Chinese characters and a space
        "-l",
    };
    std::vector<std::string> command = {"echo", received.path()};
    command.insert(command.end(), arguments.begin(), arguments.end());

    // From a folder and under a name with blanks, as under "Program Files".
    wchar_t temporary[MAX_PATH];
    GetTempPathW(MAX_PATH, temporary);
    const std::wstring folder = std::wstring(temporary) + L"tavix run hidden";
    const std::wstring copy = folder + L"\\child helper.exe";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(
        CopyFileW((test::programFolder() + L"child_helper.exe").c_str(), copy.c_str(), FALSE));

    const ChildRun run = runHidden(toUtf8(copy), command, 20000);
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
    ASSERT_EQ(run.outcome, ChildRun::Finished) << run.error;
    EXPECT_EQ(run.exitCode, 0);

    std::vector<std::string> got;
    const std::string content = received.content();
    for (std::size_t start = 0; start < content.size();) {
        const std::size_t end = content.find('\0', start);
        got.push_back(content.substr(start, end - start));
        start = end + 1;
    }
    EXPECT_EQ(got, arguments);
}

TEST(RunHidden, ReportsTheExitCode)
{
    // Also with the forward slashes of the engine's paths.
    std::string slashed = helper();
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    for (const int code : {0, 7, 255}) {
        const ChildRun run =
            runHidden(code == 7 ? slashed : helper(), {"exit", std::to_string(code)}, 20000);
        ASSERT_EQ(run.outcome, ChildRun::Finished) << run.error;
        EXPECT_EQ(run.exitCode, code);
    }
}

TEST(RunHidden, ChildGetsAnEmptyStandardInputAndNoConsoleWindow)
{
    // A standard input left to the console would keep the child reading
    // until the time-out.
    const ChildRun input = runHidden(helper(), {"stdin"}, 20000);
    ASSERT_EQ(input.outcome, ChildRun::Finished) << input.error;
    EXPECT_EQ(input.exitCode, 0);

    // A console program started so gets a console that has no window (2);
    // without the flag it would share ours or open a window of its own.
    const ChildRun console = runHidden(helper(), {"console"}, 20000);
    ASSERT_EQ(console.outcome, ChildRun::Finished) << console.error;
    EXPECT_EQ(console.exitCode, 2);
}

TEST(RunHidden, ChildInheritsNoHandleButItsStandardOnes)
{
    // An inheritable handle of this process, as a pipe another thread made
    // for a child of its own would be.
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE event = CreateEventW(&inheritable, TRUE, FALSE, nullptr);
    ASSERT_NE(event, nullptr);
    const std::string value = std::to_string(reinterpret_cast<std::uintptr_t>(event));
    const ChildRun run = runHidden(helper(), {"handle", value}, 20000);
    CloseHandle(event);
    ASSERT_EQ(run.outcome, ChildRun::Finished) << run.error;
    EXPECT_EQ(run.exitCode, 0) << "the child holds handle " << value;
}

TEST(RunHidden, KillsAProgramThatOutlivesTheTimeOut)
{
    TemporaryFile pidFile(L"pid");
    const ULONGLONG start = GetTickCount64();
    const ChildRun run = runHidden(helper(), {"sleep", pidFile.path(), "60000"}, 3000);
    const ULONGLONG took = GetTickCount64() - start;
    EXPECT_EQ(run.outcome, ChildRun::TimedOut);
    EXPECT_GE(took, 3000u);
    EXPECT_LT(took, 30000u);

    const std::string pidText = pidFile.content();
    ASSERT_FALSE(pidText.empty()) << "the helper did not start within the time-out";
    const DWORD pid = DWORD(std::stoul(pidText));
    const auto entries = processSnapshot();
    ASSERT_TRUE(entries.has_value());
    for (const ProcessEntry& entry : *entries)
        EXPECT_NE(entry.pid, std::int64_t(pid)) << "still running: " << entry.executableName;
}

TEST(RunHidden, MissingProgramIsNotStarted)
{
    const ChildRun run =
        runHidden(toUtf8(test::programFolder() + L"no such program.exe"), {"a"}, 5000);
    EXPECT_EQ(run.outcome, ChildRun::NotStarted);
    EXPECT_NE(run.error.find("no such program.exe"), std::string::npos) << run.error;

    const ChildRun quoted = runHidden("bad\"name.exe", {}, 5000);
    EXPECT_EQ(quoted.outcome, ChildRun::NotStarted);
    EXPECT_FALSE(quoted.error.empty());
}

}  // namespace
}  // namespace tavix::platform::windows
