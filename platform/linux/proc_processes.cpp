#include "proc_processes.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "small_file.h"

namespace tavix::platform::proc {

namespace {

std::string baseName(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The base name of the process's executable: from the `exe` link where this
// user may read it (a replaced executable reads "name (deleted)"), else from
// `comm`, which holds the name the kernel took at exec time.
std::string executableOf(const std::string& processDir)
{
    char target[4096];
    const ssize_t length = readlink((processDir + "/exe").c_str(), target, sizeof target - 1);
    if (length > 0) {
        std::string path(target, std::size_t(length));
        const std::string deleted = " (deleted)";
        if (path.size() > deleted.size()
            && path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0)
            path.resize(path.size() - deleted.size());
        return baseName(path);
    }
    std::string comm = readSmallFile(processDir + "/comm", 256);
    while (!comm.empty() && (comm.back() == '\n' || comm.back() == ' '))
        comm.pop_back();
    return comm;
}

// The DISPLAY of a process's environment, read entry by entry; unreadable
// environments count as another desktop.
bool displayOf(const std::string& processDir, std::string* display)
{
    std::ifstream environment(processDir + "/environ", std::ios::binary);
    if (!environment)
        return false;
    const std::string prefix = "DISPLAY=";
    display->clear();
    std::string entry;
    while (std::getline(environment, entry, '\0')) {
        if (entry.compare(0, prefix.size(), prefix) == 0) {
            *display = entry.substr(prefix.size());
            break;
        }
    }
    return true;
}

bool ownerOf(const std::string& path, uid_t* owner)
{
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        return false;
    *owner = status.st_uid;
    return true;
}

}  // namespace

std::optional<std::vector<ProcessEntry>> desktopProcesses(const std::string& procRoot,
                                                          const std::string& display)
{
    DIR* dir = opendir(procRoot.c_str());
    if (!dir)
        return std::nullopt;
    // The process table says who we are: our own entry belongs to our user.
    uid_t ownUser = getuid();
    ownerOf(procRoot + "/self", &ownUser);
    std::vector<ProcessEntry> processes;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos
            || name.size() > 18)
            continue;
        const std::string processDir = procRoot + '/' + name;
        uid_t owner = 0;
        std::string processDisplay;
        if (!ownerOf(processDir, &owner) || owner != ownUser
            || !displayOf(processDir, &processDisplay) || processDisplay != display)
            continue;
        processes.push_back({std::strtoll(name.c_str(), nullptr, 10), executableOf(processDir)});
    }
    closedir(dir);
    return processes;
}

}  // namespace tavix::platform::proc

namespace tavix::platform {

std::optional<std::vector<ProcessEntry>> processSnapshot()
{
    const char* display = std::getenv("DISPLAY");
    return proc::desktopProcesses("/proc", display ? display : "");
}

std::int64_t currentProcessId()
{
    return getpid();
}

}  // namespace tavix::platform
