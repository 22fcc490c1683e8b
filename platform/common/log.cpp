#include "tavix/platform/log.h"

#include <atomic>
#include <cstdio>

namespace tavix::platform {

namespace {
std::atomic<LogSink> currentSink{nullptr};
}

void setLogSink(LogSink sink)
{
    currentSink.store(sink);
}

void logLine(const std::string& line)
{
    if (LogSink sink = currentSink.load()) {
        sink(line);
        return;
    }
    std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace tavix::platform
