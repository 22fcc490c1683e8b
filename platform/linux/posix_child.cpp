// Child programs on POSIX systems: posix_spawn with standard input and output
// on /dev/null, and a wait on a pidfd so that the time-out needs no polling.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "tavix/platform/processes.h"

extern char** environ;

namespace tavix::platform {

namespace {

int openPidFd(pid_t pid)
{
    return int(syscall(SYS_pidfd_open, pid, 0));
}

// Waits for `pid` to end for at most `timeoutMs`; true when it ended.
bool waitFor(pid_t pid, int timeoutMs, int* status)
{
    const int fd = openPidFd(pid);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const pid_t done = waitpid(pid, status, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR)) {
            if (fd >= 0)
                close(fd);
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0)
            break;
        // Without pidfds (old kernels) the wait wakes every 10 ms instead.
        pollfd ready{fd, POLLIN, 0};
        if (fd >= 0)
            poll(&ready, 1, int(left));
        else
            poll(nullptr, 0, int(std::min<long long>(left, 10)));
    }
    if (fd >= 0)
        close(fd);
    return false;
}

}  // namespace

ChildRun runHidden(const std::string& program, const std::vector<std::string>& arguments,
                   int timeoutMs)
{
    ChildRun run;
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        run.error = std::strerror(failed);
        return run;
    }
    int status = 0;
    if (!waitFor(pid, timeoutMs, &status)) {
        kill(pid, SIGKILL);
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        run.outcome = ChildRun::TimedOut;
        return run;
    }
    run.outcome = ChildRun::Finished;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

const char* ocrProgramName()
{
    return "tesseract";
}

}  // namespace tavix::platform
