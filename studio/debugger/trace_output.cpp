#include "trace_output.h"

#include <QByteArray>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

namespace vantor::trace {

namespace {

constexpr auto kFlushPeriod = std::chrono::milliseconds(100);

// Standard error's buffer while the trace is buffered.
char errorBuffer[64 * 1024];
std::atomic<bool> buffered{false};

// The holders of BufferedTrace and the thread that flushes for them. The
// thread is started with the first holder and then kept: it sleeps while
// nobody holds a trace, so that a run's end does not wait for it.
struct Flusher {
    std::mutex mutex;
    std::condition_variable wake;
    int holders = 0;
    bool started = false;

    void run()
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            wake.wait(lock, [this] { return holders > 0; });
            while (!wake.wait_for(lock, kFlushPeriod, [this] { return holders == 0; })) {
                lock.unlock();
                std::fflush(stderr);
                lock.lock();
            }
        }
    }
};

// Never destroyed, nor its thread joined: a run left to the end of the
// process may still hold a trace.
Flusher& flusher()
{
    static Flusher* const instance = new Flusher;
    return *instance;
}

void writeError(const char* bytes, size_t size)
{
    std::fwrite(bytes, 1, size, stderr);
    if (!buffered.load(std::memory_order_relaxed))
        std::fflush(stderr);
}

void writeLine(std::FILE* stream, const QString& line)
{
    QByteArray bytes = line.toLocal8Bit();
    bytes.append('\n');
    if (stream == stderr) {
        writeError(bytes.constData(), static_cast<size_t>(bytes.size()));
        return;
    }
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

}  // namespace

void output(const QString& line)
{
    flush();
    writeLine(stdout, line);
}

void errorOutput(const QString& line)
{
    writeLine(stderr, line);
}

void errorOutput(const char* line)
{
    char bytes[128];
    const size_t size = std::strlen(line);
    if (size + 1 > sizeof bytes)
        return errorOutput(QString::fromUtf8(line));
    std::memcpy(bytes, line, size);
    bytes[size] = '\n';
    writeError(bytes, size + 1);
}

void errorOutput(const char* text, int number)
{
    char bytes[128];
    const int size = std::snprintf(bytes, sizeof bytes, "%s %d\n", text, number);
    if (size < 0 || size >= static_cast<int>(sizeof bytes))
        return errorOutput(QStringLiteral("%1 %2").arg(QString::fromUtf8(text)).arg(number));
    writeError(bytes, static_cast<size_t>(size));
}

void flush()
{
    std::fflush(stderr);
}

BufferedTrace::BufferedTrace()
{
    Flusher& f = flusher();
    {
        std::lock_guard<std::mutex> lock(f.mutex);
        if (f.holders++ > 0)
            return;
        // The C library writes out what the stream holds before it changes the
        // buffering of a stream in use (glibc does; the C standard leaves it open).
        std::setvbuf(stderr, errorBuffer, _IOFBF, sizeof errorBuffer);
        buffered.store(true);
        if (!f.started) {
            f.started = true;
            std::thread([&f] { f.run(); }).detach();
        }
    }
    f.wake.notify_all();
}

BufferedTrace::~BufferedTrace()
{
    Flusher& f = flusher();
    {
        std::lock_guard<std::mutex> lock(f.mutex);
        if (--f.holders > 0)
            return;
        buffered.store(false);
        // Writes out what the buffer holds, then leaves it.
        std::setvbuf(stderr, nullptr, _IONBF, 0);
    }
    f.wake.notify_all();
}

}  // namespace vantor::trace
