// The process table through the tool-help snapshot, and hidden child programs
// through CreateProcessW.
#include "win_processes.h"

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cwchar>
#include <memory>
#include <new>

#include "tavix/platform/log.h"
#include "tavix/platform/processes.h"
#include "win_backend.h"

namespace tavix::platform {

namespace windows {

std::string quoteArgument(const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos)
        return argument;
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled and the quote escaped; any
        // other character leaves the backslashes before it literal.
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    // Before the closing quote they would escape it: doubled.
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return quoted;
}

std::string commandLine(const std::string& program, const std::vector<std::string>& arguments)
{
    if (program.find('"') != std::string::npos)
        return {};
    std::string line = "\"" + program + "\"";
    for (const std::string& argument : arguments)
        line += " " + quoteArgument(argument);
    return line;
}

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const
    {
        if (handle && handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// The null device, inheritable, for one of the child's standard handles.
Handle nullDevice(DWORD access)
{
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE handle = CreateFileW(L"NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                OPEN_EXISTING, 0, nullptr);
    return Handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// Limits what the child inherits to its three standard handles, so that a
// child started on one thread does not keep another thread's pipes or files
// open. Null where the system offers no such list; the child then inherits
// every inheritable handle, as CreateProcess always did.
struct AttributeList {
    explicit AttributeList(HANDLE* handles, std::size_t count)
    {
        SIZE_T size = 0;
        InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        if (size == 0)
            return;
        storage.reset(new (std::nothrow) char[size]);
        auto* candidate = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage.get());
        if (!candidate || !InitializeProcThreadAttributeList(candidate, 1, 0, &size))
            return;
        if (!UpdateProcThreadAttribute(candidate, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles,
                                       count * sizeof(HANDLE), nullptr, nullptr)) {
            DeleteProcThreadAttributeList(candidate);
            return;
        }
        list = candidate;
    }
    ~AttributeList()
    {
        if (list)
            DeleteProcThreadAttributeList(list);
    }
    AttributeList(const AttributeList&) = delete;
    AttributeList& operator=(const AttributeList&) = delete;

    std::unique_ptr<char[]> storage;
    LPPROC_THREAD_ATTRIBUTE_LIST list = nullptr;
};

}  // namespace

}  // namespace windows

std::optional<std::vector<ProcessEntry>> processSnapshot()
{
    using windows::Handle;
    Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) {
        snapshot.release();
        logLine("Process snapshot: " + windows::errorText(GetLastError()));
        return std::nullopt;
    }
    // The table holds every session's processes; ours are those of our own
    // session (another user's studio does not count).
    DWORD ownSession = 0;
    const bool bySession = ProcessIdToSessionId(GetCurrentProcessId(), &ownSession);
    std::vector<ProcessEntry> entries;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        DWORD session = 0;
        if (bySession
            && (!ProcessIdToSessionId(entry.th32ProcessID, &session) || session != ownSession))
            continue;
        // Fixed-size field: a name that fills it has no terminating zero.
        const std::size_t length = wcsnlen(entry.szExeFile, MAX_PATH);
        entries.push_back({std::int64_t(entry.th32ProcessID),
                           windows::toUtf8(std::wstring(entry.szExeFile, length))});
    }
    return entries;
}

std::int64_t currentProcessId()
{
    return std::int64_t(GetCurrentProcessId());
}

ChildRun runHidden(const std::string& program, const std::vector<std::string>& arguments,
                   int timeoutMs)
{
    using windows::Handle;
    ChildRun run;
    // Callers build paths with forward slashes; the program's name is given
    // to the system as the system writes it.
    std::string nativeProgram = program;
    std::replace(nativeProgram.begin(), nativeProgram.end(), '/', '\\');
    const std::string line = windows::commandLine(nativeProgram, arguments);
    if (line.empty()) {
        run.error = "Cannot start \"" + program + "\": a program name holds no double quote";
        return run;
    }

    Handle input = windows::nullDevice(GENERIC_READ);
    Handle output = windows::nullDevice(GENERIC_WRITE);
    if (!input || !output) {
        run.error = "Cannot start \"" + program
            + "\": no null device: " + windows::errorText(GetLastError());
        return run;
    }
    HANDLE inherited[] = {input.get(), output.get()};
    windows::AttributeList attributes(inherited, 2);

    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.dwFlags &= ~DWORD(STARTF_USESHOWWINDOW);
    startup.StartupInfo.hStdInput = input.get();
    startup.StartupInfo.hStdOutput = output.get();
    startup.StartupInfo.hStdError = output.get();
    DWORD flags = CREATE_NO_WINDOW;
    if (attributes.list) {
        startup.lpAttributeList = attributes.list;
        flags |= EXTENDED_STARTUPINFO_PRESENT;
    } else {
        startup.StartupInfo.cb = sizeof startup.StartupInfo;
    }

    // CreateProcessW may write into the command line it is given.
    std::wstring writable = windows::toWide(line);
    writable.push_back(L'\0');
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, writable.data(), nullptr, nullptr, TRUE, flags, nullptr, nullptr,
                        &startup.StartupInfo, &process)) {
        run.error = "Cannot start \"" + program + "\": " + windows::errorText(GetLastError());
        return run;
    }
    Handle child(process.hProcess);
    Handle thread(process.hThread);
    input.reset();
    output.reset();

    const DWORD waited = WaitForSingleObject(child.get(), DWORD(timeoutMs > 0 ? timeoutMs : 0));
    if (waited != WAIT_OBJECT_0) {
        // Killed and waited for, so that nothing of the run is left when the
        // caller goes on (the OCR program's output file in particular).
        run.outcome = ChildRun::TimedOut;
        if (TerminateProcess(child.get(), 1)) {
            WaitForSingleObject(child.get(), INFINITE);
        } else {
            logLine("Cannot end \"" + program
                    + "\" after its time-out: " + windows::errorText(GetLastError()));
        }
        return run;
    }
    DWORD code = 0;
    GetExitCodeProcess(child.get(), &code);
    run.outcome = ChildRun::Finished;
    run.exitCode = int(code);
    return run;
}

const char* ocrProgramName()
{
    return "tesseract-dll.exe";
}

}  // namespace tavix::platform
