// For tests of calls that meet FIFOs: a deadline for calls that could block
// in open(), and the kind of a path.
#pragma once

#include <QFile>
#include <QString>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <string>
#include <sys/stat.h>
#include <utility>

namespace tavix::test {

// Runs `call` and ends the whole program when it does not return within 20 s:
// a call blocked in open() cannot be abandoned any other way.
template <class Call>
auto withDeadline(const std::string& what, Call&& call)
{
    auto future = std::async(std::launch::async, std::forward<Call>(call));
    if (future.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        std::fprintf(stderr, "%s did not return within 20 s\n", what.c_str());
        std::_Exit(1);
    }
    return future.get();
}

// Whether the path itself (not what a link there points to) is a FIFO.
inline bool isFifo(const QString& path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
}

}  // namespace tavix::test
