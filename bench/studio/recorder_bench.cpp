// The recorder under a burst of pointer motion: another process injects 5,000
// motion events through XTest as fast as it can; the recorder's capture turns
// each into a record on the GUI thread. Reported: records lost (must be 0),
// latency from injection to record (median, 99th percentile), CPU time of this
// process (the recorder's) during the burst, and the same CPU figure for a
// burst of scripted events through the same queue and records, the floor
// without the X server.
#include <QApplication>
#include <QEventLoop>
#include <QJsonArray>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstring>
#include <sys/resource.h>
#include <vector>

#include "event_record.h"
#include "global_input_hooks.h"
#include "tavix/platform/capture.h"
#include "tavix/platform/scripted_capture.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace {

constexpr int kBurst = 5000;
constexpr int kOrigin = 100;  // burst positions start here; the priming move lies outside

std::int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

QPoint burstPosition(int i)
{
    return {kOrigin + i % 1000, kOrigin + i / 1000};
}

int burstIndex(int x, int y)
{
    if (x < kOrigin || y < kOrigin || x >= kOrigin + 1000)
        return -1;
    const int i = (y - kOrigin) * 1000 + (x - kOrigin);
    return i < kBurst ? i : -1;
}

// The injecting process: writes the steady-clock time at which each motion
// left for the server (after its flush) to standard output.
int injectBurst(int count)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 1;
    XTestFakeMotionEvent(display, -1, 1, 1, CurrentTime);  // the burst's first move is a move
    XSync(display, False);
    std::vector<std::int64_t> sent(std::size_t(count), 0);
    for (int i = 0; i < count; ++i) {
        const QPoint p = burstPosition(i);
        XTestFakeMotionEvent(display, -1, p.x(), p.y(), CurrentTime);
        XFlush(display);
        sent[std::size_t(i)] = nowNs();
    }
    XSync(display, False);
    XCloseDisplay(display);
    fwrite(sent.data(), sizeof(std::int64_t), sent.size(), stdout);
    return 0;
}

double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(p * double(values.size())))];
}

// The recorder's hooks, bound to a callback that makes records as the recorder
// window does and notes when each burst event became one.
struct Burst {
    QJsonArray records;
    std::vector<std::int64_t> recordedAt = std::vector<std::int64_t>(kBurst, 0);
    int received = 0;
    QEventLoop loop;

    Burst()
    {
        vantor::GlobalInputHooks::bind(
            this,
            [this](int code, int x, int y, bool down) {
                records.append(
                    vantor::mouseRecord(vantor::GlobalInputHooks::eventTime(), code, x, y, down));
                const int i = burstIndex(x, y);
                if (i >= 0 && recordedAt[std::size_t(i)] == 0) {
                    recordedAt[std::size_t(i)] = nowNs();
                    if (++received == kBurst)
                        loop.quit();
                }
            },
            [](int, quint32) {});
    }
    ~Burst() { vantor::GlobalInputHooks::unbind(this); }

    // Runs the GUI thread's loop until the burst is in or the deadline passes.
    void wait(int deadlineMs)
    {
        if (received < kBurst) {
            QTimer::singleShot(deadlineMs, &loop, &QEventLoop::quit);
            loop.exec();
        }
    }
};

// The floor: the same number of events from the scripted source, through the
// same queue, hooks and records, without the X server. CPU milliseconds; adds
// the records that did not arrive to `lost`.
double scriptedBurstCpuMs(double* lost)
{
    std::vector<tavix::platform::CaptureEvent> events(kBurst);
    for (int i = 0; i < kBurst; ++i) {
        events[std::size_t(i)].x = burstPosition(i).x();
        events[std::size_t(i)].y = burstPosition(i).y();
        events[std::size_t(i)].timeMs = 1700000000000 + i;
    }
    tavix::platform::setCaptureSourceFactory(
        [&] { return std::make_unique<tavix::platform::ScriptedCapture>(events); });
    Burst burst;
    const double cpuBefore = cpuMs();
    QString error;
    vantor::GlobalInputHooks::install(&error);
    burst.wait(30000);
    vantor::GlobalInputHooks::remove();
    const double cpu = cpuMs() - cpuBefore;
    *lost += kBurst - burst.received;
    tavix::platform::setCaptureSourceFactory({});
    return cpu;
}

void BM_RecordScriptedMotionBurst(benchmark::State& state)
{
    double lost = 0, cpu = 0;
    for (auto _ : state)
        cpu += scriptedBurstCpuMs(&lost);
    const double n = double(state.iterations());
    state.counters["records_lost"] = lost / n;
    state.counters["cpu_ms_per_burst"] = cpu / n;
}
BENCHMARK(BM_RecordScriptedMotionBurst)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_RecordInjectedMotionBurst(benchmark::State& state)
{
    std::vector<double> latencies;
    double lost = 0, cpu = 0, wallMs = 0, floorCpu = 0, floorLost = 0;
    for (auto _ : state) {
        Burst burst;
        QString error;
        if (!vantor::GlobalInputHooks::install(&error)) {
            state.SkipWithError(("capture: " + error).toStdString().c_str());
            return;
        }
        QProcess injector;
        const double cpuBefore = cpuMs();
        const auto start = std::chrono::steady_clock::now();
        injector.start(QCoreApplication::applicationFilePath(),
                       {"--inject", QString::number(kBurst)});
        burst.wait(30000);
        injector.waitForFinished(30000);
        const double cpuAfter = cpuMs();
        wallMs +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        vantor::GlobalInputHooks::remove();

        const QByteArray out = injector.readAllStandardOutput();
        if (out.size() != int(kBurst * sizeof(std::int64_t))) {
            state.SkipWithError("the injecting process failed");
            return;
        }
        std::vector<std::int64_t> sent(kBurst);
        std::memcpy(sent.data(), out.constData(), out.size());
        for (int i = 0; i < kBurst; ++i)
            if (burst.recordedAt[std::size_t(i)] != 0)
                latencies.push_back((burst.recordedAt[std::size_t(i)] - sent[std::size_t(i)])
                                    / 1e6);
        lost += kBurst - burst.received;
        cpu += cpuAfter - cpuBefore;
        floorCpu += scriptedBurstCpuMs(&floorLost);
    }
    const double n = double(state.iterations());
    state.counters["records_lost"] = lost / n;
    state.counters["latency_median_ms"] = percentile(latencies, 0.5);
    state.counters["latency_p99_ms"] = percentile(latencies, 0.99);
    state.counters["cpu_ms_per_burst"] = cpu / n;
    state.counters["burst_wall_ms"] = wallMs / n;
    state.counters["cpu_vs_scripted_floor"] = floorCpu > 0 ? cpu / floorCpu : 0;
}
BENCHMARK(BM_RecordInjectedMotionBurst)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--inject") == 0)
        return injectBurst(std::atoi(argv[2]));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
