// Cost of the engine's input calls and screen grabs.
//
// The X11 input benchmarks really move and click the pointer, so they run only
// when TAVIX_BENCH_INJECT=1 (tools/bench.sh sets it on a private Xvfb).
// The engine's debug lines go to a discarding handler: writing them out is the
// host's cost, not the engine's.
#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include "recording_scope.h"
#include "tavix.h"
#include "tavix/platform/backends.h"

// Xlib's macros (Status, None, ...) clash with Qt's names: included last.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

namespace {

void discard(QtMsgType, const QMessageLogContext&, const QString&) {}

bool onX11()
{
    return qGuiApp && QGuiApplication::platformName() == QLatin1String("xcb");
}

bool injectionAllowed(benchmark::State& state)
{
    if (!onX11() || qgetenv("TAVIX_BENCH_INJECT") != "1") {
        state.SkipWithError("needs X11 and TAVIX_BENCH_INJECT=1 (see tools/bench.sh)");
        return false;
    }
    return true;
}

template <void (*Call)(int, int)>
void recorded(benchmark::State& state)
{
    tavix::test::RecordingScope recording;
    int i = 0;
    for (auto _ : state) {
        Call(100 + (i & 63), 200);
        if (++i % 4096 == 0)
            recording.recorder().clear();
    }
}

template <void (*Call)(int, int)>
void injected(benchmark::State& state)
{
    if (!injectionAllowed(state))
        return;
    int i = 0;
    for (auto _ : state)
        Call(5 + (i++ & 63), 5);
}

void BM_MouseMove_Recording(benchmark::State& state) { recorded<TX_cs_mouseMove>(state); }
void BM_MouseLeftClick_Recording(benchmark::State& state) { recorded<TX_cs_mouseLeftClick>(state); }
void BM_MouseMove_X11(benchmark::State& state) { injected<TX_cs_mouseMove>(state); }
void BM_MouseLeftClick_X11(benchmark::State& state) { injected<TX_cs_mouseLeftClick>(state); }
BENCHMARK(BM_MouseMove_Recording);
BENCHMARK(BM_MouseLeftClick_Recording);
BENCHMARK(BM_MouseMove_X11)->UseRealTime();
BENCHMARK(BM_MouseLeftClick_X11)->UseRealTime();

void BM_GrabFullScreen_Platform(benchmark::State& state)
{
    if (!onX11()) {
        state.SkipWithError("needs X11");
        return;
    }
    tavix::platform::ScreenBackend* native = tavix::platform::screen();
    if (!native) {
        state.SkipWithError("no native grab");
        return;
    }
    for (auto _ : state) {
        const tavix::platform::PixelBuffer shot = native->grab();
        benchmark::DoNotOptimize(shot.pixels.get());
    }
}
BENCHMARK(BM_GrabFullScreen_Platform)->UseRealTime();

// The floor: XShmGetImage of the root window into one segment, nothing else.
void BM_GrabFullScreen_RawXShm(benchmark::State& state)
{
    Display* display = onX11() ? XOpenDisplay(nullptr) : nullptr;
    if (!display || !XShmQueryExtension(display)) {
        state.SkipWithError("needs X11 with MIT-SHM");
        if (display)
            XCloseDisplay(display);
        return;
    }
    const int screen = DefaultScreen(display);
    XShmSegmentInfo info{};
    XImage* image = XShmCreateImage(display, DefaultVisual(display, screen), DefaultDepth(display, screen),
                                    ZPixmap, nullptr, &info, DisplayWidth(display, screen),
                                    DisplayHeight(display, screen));
    info.shmid = shmget(IPC_PRIVATE, std::size_t(image->bytes_per_line) * image->height, IPC_CREAT | 0600);
    info.shmaddr = image->data = static_cast<char*>(shmat(info.shmid, nullptr, 0));
    shmctl(info.shmid, IPC_RMID, nullptr);
    XShmAttach(display, &info);
    XSync(display, False);
    for (auto _ : state) {
        XShmGetImage(display, DefaultRootWindow(display), image, 0, 0, AllPlanes);
        benchmark::DoNotOptimize(image->data);
    }
    XShmDetach(display, &info);
    image->data = nullptr;
    XDestroyImage(image);
    shmdt(info.shmaddr);
    XCloseDisplay(display);
}
BENCHMARK(BM_GrabFullScreen_RawXShm)->UseRealTime();

void BM_GetColor(benchmark::State& state)
{
    if (!onX11()) {
        state.SkipWithError("needs X11");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(TX_baseclass_getColor(100, 100));
}
BENCHMARK(BM_GetColor)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    TX_api_initialize();
    qInstallMessageHandler(discard);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
