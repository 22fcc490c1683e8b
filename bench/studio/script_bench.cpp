// Calls per second of two bindings from a script loop, next to the same engine
// calls made directly from C++, and a script loop with an empty body: the
// difference per call is the binding's overhead.
#include <QCoreApplication>
#include <QImage>
#include <QScriptEngine>
#include <QScriptProgram>
#include <benchmark/benchmark.h>

#include "host_state.h"
#include "tavix.h"
#include "tavix_mgr.h"

namespace {

constexpr int kCallsPerLoop = 1000;

QScriptEngine& engine()
{
    return *vantor::TavixMgr::instance()->engine();
}

void runLoop(benchmark::State& state, const QString& body)
{
    const QScriptProgram program(
        QString("for (var i = 0; i < %1; ++i) { %2 }").arg(kCallsPerLoop).arg(body), "bench.js");
    for (auto _ : state) {
        engine().evaluate(program);
        if (engine().hasUncaughtException())
            state.SkipWithError(engine().uncaughtException().toString().toUtf8().constData());
    }
    state.SetItemsProcessed(state.iterations() * kCallsPerLoop);
}

void BM_ScriptEmptyLoop(benchmark::State& state)
{
    runLoop(state, "");
}
BENCHMARK(BM_ScriptEmptyLoop);

void BM_ScriptByteToHex(benchmark::State& state)
{
    runLoop(state, "utils.byteToHex([1, 2, 3], 3);");
}
BENCHMARK(BM_ScriptByteToHex);

void BM_DirectByteToHex(benchmark::State& state)
{
    const unsigned char bytes[] = {1, 2, 3};
    for (auto _ : state)
        benchmark::DoNotOptimize(TX_utils_byteToHex(bytes, 3));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DirectByteToHex);

QImage picture()
{
    QImage image(640, 480, QImage::Format_ARGB32);
    image.fill(0xff336699);
    return image;
}

void BM_ScriptPixel(benchmark::State& state)
{
    // An owned handle of the image object, copied from the engine's record.
    TX_api* record = vantor::sharedRecord();
    record->image = picture();
    engine().globalObject().setProperty("benchPicture", engine().toScriptValue(record));
    engine().evaluate("benchPicture = image.copy(benchPicture);");
    runLoop(state, "image.pixel(benchPicture, 10, 10);");
}
BENCHMARK(BM_ScriptPixel);

void BM_DirectPixel(benchmark::State& state)
{
    TX_api record;
    record.image = picture();
    for (auto _ : state) {
        TX_api_setData(&record);  // as the binding does before each call
        benchmark::DoNotOptimize(TX_image_pixel(10, 10));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DirectPixel);

}  // namespace

int main(int argc, char** argv)
{
    TX_api_initialize();  // builds the engine's application object (offscreen without a display)
    vantor::TavixMgr::instance();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    vantor::TavixMgr::release();
    return 0;
}
