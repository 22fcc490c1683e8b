// The screenshot tool on a 1920 x 1080 screen: from the screenshot key (Alt+S
// in the studio's window) to the first paint of the capture overlay, which
// includes the window's 300 ms wait; and the overlay's own part of it, from
// its creation to its first paint, next to a floor: a plain full-screen window
// that paints a picture of the screen's size.
#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <benchmark/benchmark.h>
#include <functional>

#include "main_window.h"
#include "mycode_edit.h"
#include "screen.h"

namespace {

constexpr double kHideWaitMs = 300.0;

// Notes the moment the first paint of a chosen widget has been done.
class FirstPaintProbe : public QObject {
public:
    explicit FirstPaintProbe(std::function<bool(QObject*)> chosen) : chosen_(std::move(chosen))
    {
        qApp->installEventFilter(this);
    }
    ~FirstPaintProbe() override { qApp->removeEventFilter(this); }

    void arm(const QElapsedTimer& clock)
    {
        clock_ = &clock;
        paintedAt_ = -1;
        firstEventAt_ = -1;
    }
    // When the chosen widget received its first event (it exists), in ms.
    double firstEvent() const { return firstEventAt_ / 1e6; }
    // Waits for the paint: the milliseconds from the armed clock's start, or -1 after 10 s.
    double wait()
    {
        if (!QTest::qWaitFor([&] { return paintedAt_ >= 0; }, 10000))
            return -1;
        return paintedAt_ / 1e6;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (firstEventAt_ < 0 && clock_ && chosen_(watched))
            firstEventAt_ = clock_->nsecsElapsed();
        if (event->type() != QEvent::Paint || inside_ || paintedAt_ >= 0 || !clock_
            || !chosen_(watched))
            return false;
        // The widget paints first, so that the stamp follows its painting.
        inside_ = true;
        QCoreApplication::sendEvent(watched, event);
        inside_ = false;
        paintedAt_ = clock_->nsecsElapsed();
        return true;
    }

private:
    std::function<bool(QObject*)> chosen_;
    const QElapsedTimer* clock_ = nullptr;
    qint64 paintedAt_ = -1;
    qint64 firstEventAt_ = -1;
    bool inside_ = false;
};

bool isOverlay(QObject* object)
{
    return qobject_cast<vantor::Screen*>(object) != nullptr;
}

bool onFullHdScreen(benchmark::State& state)
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !primary
        || primary->size() != QSize(1920, 1080)) {
        state.SkipWithError("needs an X11 screen of 1920 x 1080 (tools/with-xvfb.sh)");
        return false;
    }
    return true;
}

bool closeOverlays()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* screen = qobject_cast<vantor::Screen*>(widget))
            screen->cancel();
    return QTest::qWaitFor(
        [] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (isOverlay(widget))
                    return false;
            return true;
        },
        5000);
}

void BM_ScreenshotKeyToOverlayPaint(benchmark::State& state)
{
    if (!onFullHdScreen(state))
        return;
    vantor::MainWindow window;
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) {
        state.SkipWithError("the studio's window did not become active");
        return;
    }
    FirstPaintProbe probe(isOverlay);
    double beyondWait = 0;
    double overlayPart = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        probe.arm(clock);
        clock.start();
        QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
        const double ms = probe.wait();
        if (ms < 0) {
            state.SkipWithError("no overlay appeared");
            break;
        }
        state.SetIterationTime(ms / 1000.0);
        beyondWait += ms - kHideWaitMs;
        overlayPart += ms - probe.firstEvent();

        window.activateWindow();
        if (!closeOverlays() || !QTest::qWaitForWindowActive(&window)) {
            state.SkipWithError("the overlay did not close or the window did not come back");
            break;
        }
    }
    window.editor()->document()->setModified(false);
    state.counters["beyond_wait_ms"] =
        benchmark::Counter(beyondWait, benchmark::Counter::kAvgIterations);
    // From the overlay's creation to its first paint.
    state.counters["overlay_ms"] =
        benchmark::Counter(overlayPart, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ScreenshotKeyToOverlayPaint)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

// A full-screen window that only paints a screen-sized picture.
class PlainFullScreen : public QWidget {
public:
    PlainFullScreen() : picture_(QGuiApplication::primaryScreen()->size())
    {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        setAttribute(Qt::WA_DeleteOnClose);
        picture_.fill(Qt::darkGray);
        setGeometry(QGuiApplication::primaryScreen()->geometry());
        showFullScreen();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawPixmap(0, 0, picture_);
    }

private:
    QPixmap picture_;
};

template <typename Window>
double openToFirstPaint()
{
    FirstPaintProbe probe([](QObject* object) { return dynamic_cast<Window*>(object) != nullptr; });
    QElapsedTimer clock;
    probe.arm(clock);
    clock.start();
    QPointer<QWidget> window = new Window;
    const double ms = probe.wait();
    if (window)
        window->close();
    return QTest::qWaitFor([&] { return window.isNull(); }, 5000) ? ms : -1;
}

void BM_OverlayOpenToFirstPaint(benchmark::State& state)
{
    if (!onFullHdScreen(state))
        return;
    double overlayTotal = 0;
    double floorTotal = 0;
    for (auto _ : state) {
        const double overlay = openToFirstPaint<vantor::Screen>();
        const double floor = openToFirstPaint<PlainFullScreen>();
        if (overlay < 0 || floor < 0) {
            state.SkipWithError("a window did not paint");
            break;
        }
        state.SetIterationTime(overlay / 1000.0);
        overlayTotal += overlay;
        floorTotal += floor;
    }
    state.counters["floor_ms"] = benchmark::Counter(floorTotal, benchmark::Counter::kAvgIterations);
    state.counters["vs_floor"] = floorTotal > 0 ? overlayTotal / floorTotal : 0;
}
BENCHMARK(BM_OverlayOpenToFirstPaint)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
