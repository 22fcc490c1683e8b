// The template search against plain OpenCV on the same data, and the visual
// actions' locate step (decode + grab + search) on the real screen.
//
// Compare BM_EngineFindImage (a pixel-exact template) and BM_EngineFindJpeg
// (the same, JPEG-recompressed: found by correlation) with BM_OpenCvMatch (one
// matchTemplate + minMaxLoc), BM_EngineNotFound with BM_OpenCvCascade (every
// attempt made) and with BM_EngineFindJpeg. BM_TransformFloor gives the least
// ratio of not found to found that the search's transforms allow. Times are
// wall-clock; the CPU column counts every thread of the process (the search
// uses all cores).
#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPixmap>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <opencv2/imgproc.hpp>

#include "core/desktop.h"
#include "core/shared_state.h"
#include "image/bgra_view.h"
#include "image/correlation_search.h"
#include "image/template_search.h"
#include "tavix.h"

namespace {

// A 1920 x 1080 screen-like picture: gradient desktop, windows, text, buttons.
QImage screenPicture(quint32 seed)
{
    QRandomGenerator random(seed);
    QImage screen(1920, 1080, QImage::Format_RGB32);
    QPainter painter(&screen);
    QLinearGradient desktop(0, 0, 1920, 1080);
    desktop.setColorAt(0, QColor(20, 60, 110));
    desktop.setColorAt(1, QColor(90, 30, 80));
    painter.fillRect(screen.rect(), desktop);
    for (int w = 0; w < 8; ++w) {
        const QRect frame(random.bounded(1400), random.bounded(700), 400 + random.bounded(300),
                          250 + random.bounded(200));
        painter.fillRect(frame, QColor(240, 240, 240));
        painter.fillRect(QRect(frame.topLeft(), QSize(frame.width(), 28)),
                         QColor::fromHsv(random.bounded(360), 120, 200));
        for (int line = 0; line < 10; ++line)
            painter.drawText(frame.x() + 10, frame.y() + 50 + line * 18,
                             QString("Report %1 total %2 invoice %3")
                                 .arg(random.bounded(10000))
                                 .arg(random.bounded(10000))
                                 .arg(random.bounded(10000)));
    }
    // A document at a fixed place, where the templates are cut: text differing
    // for every seed, so that a template cut from another seed's picture is absent.
    const QRect document(800, 450, 700, 330);
    painter.fillRect(document, Qt::white);
    for (int line = 0; line < 17; ++line)
        painter.drawText(document.x() + 8, document.y() + 18 + line * 18,
                         QString("Quarter %1 sales %2 region %3 margin %4")
                             .arg(random.bounded(10000))
                             .arg(random.bounded(10000))
                             .arg(random.bounded(10000))
                             .arg(random.bounded(10000)));
    return screen;
}

const QImage& screen()
{
    static const QImage picture = screenPicture(1);
    return picture;
}

const QImage& otherScreen()
{
    static const QImage picture = screenPicture(2);
    return picture;
}

cv::Mat bgr(const QImage& image)
{
    cv::Mat out;
    cv::cvtColor(tavix::image::BgraView(image).mat(), out, cv::COLOR_BGRA2BGR);
    return out;
}

QSize templateSize(const benchmark::State& state)
{
    return QSize(int(state.range(0)), int(state.range(1)));
}

// Cut from the screen picture itself: found at the first attempt.
QImage presentTemplate(const benchmark::State& state)
{
    return screen().copy(QRect(QPoint(900, 500), templateSize(state)));
}

// The present template saved as a JPEG and decoded again: no longer
// pixel-exact, found by correlation at its own size.
QImage jpegTemplate(const benchmark::State& state)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    presentTemplate(state).save(&buffer, "JPEG", 75);
    QImage decoded;
    decoded.loadFromData(bytes, "JPEG");
    return decoded.convertToFormat(QImage::Format_RGB32);
}

// Cut from another picture of the same kind: never found.
QImage absentTemplate(const benchmark::State& state)
{
    return otherScreen().copy(QRect(QPoint(900, 500), templateSize(state)));
}

void engineSearch(benchmark::State& state, const QImage& templ, bool expectFound)
{
    TX_api& record = tavix::core::sharedRecord();
    record.image = screen();
    record.templateImage = templ;
    // One search first: the steady state of a script that searches again and
    // again, with the search's buffers in place.
    int x0 = 0, y0 = 0;
    TX_image_findImage(0, 0, -1, -1, &x0, &y0, 0.9f, 0);
    for (auto _ : state) {
        int x = 0, y = 0;
        const bool found = TX_image_findImage(0, 0, -1, -1, &x, &y, 0.9f, 0);
        if (found != expectFound || (found && QPoint(x, y) != QPoint(900, 500)))
            state.SkipWithError("unexpected search result");
        benchmark::DoNotOptimize(x);
    }
}

void BM_EngineFindImage(benchmark::State& state)
{
    engineSearch(state, presentTemplate(state), true);
}

void BM_EngineFindJpeg(benchmark::State& state)
{
    engineSearch(state, jpegTemplate(state), true);
}

void BM_EngineNotFound(benchmark::State& state)
{
    engineSearch(state, absentTemplate(state), false);
}

void BM_OpenCvMatch(benchmark::State& state)
{
    const cv::Mat source = bgr(screen());
    const cv::Mat templ = bgr(presentTemplate(state));
    cv::Mat warm;
    cv::matchTemplate(source, templ, warm, cv::TM_CCOEFF_NORMED);
    for (auto _ : state) {
        cv::Mat scores;
        cv::matchTemplate(source, templ, scores, cv::TM_CCOEFF_NORMED);
        double best = 0;
        cv::Point at;
        cv::minMaxLoc(scores, nullptr, &best, nullptr, &at);
        benchmark::DoNotOptimize(at);
    }
}

// The engine's cascade done directly: halved templates while they fit and
// their shorter side stays at 8 pixels or more.
void BM_OpenCvCascade(benchmark::State& state)
{
    const cv::Mat source = bgr(screen());
    const cv::Mat templ = bgr(absentTemplate(state));
    for (auto _ : state) {
        for (int attempt = 0; attempt < tavix::image::kSearchAttempts; ++attempt) {
            cv::Mat ti = templ;
            if (attempt > 0) {
                const double scale = 1.0 / (1 << attempt);
                const cv::Size size(cvRound(templ.cols * scale), cvRound(templ.rows * scale));
                if (std::min(size.width, size.height) < tavix::image::kSmallestShrunkenSide)
                    break;
                cv::resize(templ, ti, size, 0, 0, cv::INTER_LINEAR);
            }
            cv::Mat scores;
            cv::matchTemplate(source, ti, scores, cv::TM_CCOEFF_NORMED);
            double best = 0;
            cv::minMaxLoc(scores, nullptr, &best);
            if (best >= 0.9)
                break;
        }
    }
}

void searchArgs(benchmark::internal::Benchmark* b)
{
    b->Args({64, 32})
        ->Args({128, 64})
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->MeasureProcessCPUTime();
}

// The transforms alone of a search by correlation, on one core: the picture's
// three channels forward once per tile, then one inverse per tile for each
// attempt. A found search makes one attempt, a search that finds nothing makes
// them all; `floor_ratio` is the least ratio of the two, every other part of
// an attempt (products, normalisation) counted as free.
void BM_TransformFloor(benchmark::State& state)
{
    const cv::Size picture(1920, 1080);
    const cv::Size templ(int(state.range(0)), int(state.range(1)));
    const cv::Size tile = tavix::image::CorrelationSearch::transformSize(picture, templ);
    const cv::Size step(tile.width - templ.width + 1, tile.height - templ.height + 1);
    const int tiles = (picture.width - templ.width + step.width) / step.width
        * ((picture.height - templ.height + step.height) / step.height);
    int attempts = 1;
    while (attempts < tavix::image::kSearchAttempts
           && std::min(templ.width, templ.height) >> attempts
               >= tavix::image::kSmallestShrunkenSide)
        ++attempts;

    cv::Mat plane(tile, CV_32F), spectrum, scores;
    cv::randu(plane, -128, 128);
    using Clock = std::chrono::steady_clock;
    Clock::duration forward{}, inverse{};
    for (auto _ : state) {
        for (int t = 0; t < tiles; ++t) {
            const Clock::time_point start = Clock::now();
            for (int c = 0; c < 3; ++c)
                cv::dft(plane, spectrum, 0, tile.height);
            const Clock::time_point between = Clock::now();
            for (int a = 0; a < attempts; ++a)
                cv::dft(spectrum, scores, cv::DFT_INVERSE | cv::DFT_REAL_OUTPUT, step.height);
            forward += between - start;
            inverse += Clock::now() - between;
        }
        benchmark::DoNotOptimize(scores.data);
    }
    const double f = std::chrono::duration<double>(forward).count();
    const double i = std::chrono::duration<double>(inverse).count() / attempts;
    state.counters["tiles"] = tiles;
    state.counters["attempts"] = attempts;
    state.counters["floor_ratio"] = (f + attempts * i) / (f + i);
}

BENCHMARK(BM_EngineFindImage)->Apply(searchArgs);
BENCHMARK(BM_EngineFindJpeg)->Apply(searchArgs);
BENCHMARK(BM_OpenCvMatch)->Apply(searchArgs);
BENCHMARK(BM_EngineNotFound)->Apply(searchArgs);
BENCHMARK(BM_OpenCvCascade)->Apply(searchArgs);
BENCHMARK(BM_TransformFloor)->Args({64, 32})->Args({128, 64})->Unit(benchmark::kMillisecond);

// --- on the real screen (skipped without an X11 display) ---

// Shows the screen picture full screen, so that the capture holds realistic
// content; false when it does not appear within 10 s.
QLabel* label = nullptr;

bool showScreenPicture()
{
    if (label)
        return true;
    label = new QLabel;
    label->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    label->setPixmap(QPixmap::fromImage(screen()));
    label->setGeometry(0, 0, 1920, 1080);
    label->show();
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        const QImage capture = tavix::core::grabScreen();
        if (!capture.isNull() && capture.pixel(900, 500) == screen().pixel(900, 500)
            && capture.pixel(1500, 900) == screen().pixel(1500, 900))
            return true;
    }
    return false;
}

bool onX11()
{
    return qGuiApp && QGuiApplication::platformName() == QLatin1String("xcb") && showScreenPicture();
}

QByteArray screenTemplateUrl(QImage* capture)
{
    *capture = tavix::core::grabScreen().copy();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    capture->copy(900, 500, 64, 32).save(&buffer, "PNG");
    return "data:image/png;base64," + png.toBase64();
}

void BM_VisualFindImage(benchmark::State& state)
{
    if (!onX11()) {
        state.SkipWithError("needs an X11 display");
        return;
    }
    QImage capture;
    const QByteArray url = screenTemplateUrl(&capture);
    for (auto _ : state) {
        int x = 0, y = 0;
        benchmark::DoNotOptimize(TX_imagev_findImage(0, 0, -1, -1, url.constData(), &x, &y));
    }
}

void BM_ScreenGrab(benchmark::State& state)
{
    if (!onX11()) {
        state.SkipWithError("needs an X11 display");
        return;
    }
    for (auto _ : state) {
        const QImage capture = tavix::core::grabScreen();
        benchmark::DoNotOptimize(capture.constBits());
    }
}

void BM_SearchOfACapture(benchmark::State& state)
{
    if (!onX11()) {
        state.SkipWithError("needs an X11 display");
        return;
    }
    QImage capture;
    screenTemplateUrl(&capture);
    const QImage templ = capture.copy(900, 500, 64, 32);
    for (auto _ : state)
        benchmark::DoNotOptimize(tavix::image::searchTemplate(capture, templ, 0.9f, {}, 0));
}

// imagev.mouseLeftClick end to end: decode the data URL, grab the screen,
// search (a pixel-exact template) and click.
void BM_VisualMouseLeftClick(benchmark::State& state)
{
    if (!onX11()) {
        state.SkipWithError("needs an X11 display");
        return;
    }
    QImage capture;
    const QByteArray url = screenTemplateUrl(&capture);
    for (auto _ : state) {
        if (!TX_imagev_mouseLeftClick(url.constData()))
            state.SkipWithError("the template was not clicked");
    }
}

BENCHMARK(BM_VisualFindImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VisualMouseLeftClick)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_ScreenGrab)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchOfACapture)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    TX_api_initialize();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete label;
    return 0;
}
