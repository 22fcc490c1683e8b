// Zip packing and unpacking next to Info-ZIP's zip and unzip on the same
// 100 MB tree of 1,000 files, and a QR encode + decode round trip.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "tavix.h"

namespace {

// 1,000 files of 100 KB in 10 folders: text-like content that deflates about
// as well as documents and logs do.
const QTemporaryDir& tree()
{
    static QTemporaryDir dir;
    static bool made = false;
    if (!made) {
        QRandomGenerator random(42);
        const char* words[] = {"alpha ", "beta ", "gamma ", "delta ", "tavix ", "zip ", "0123 ", "\n"};
        for (int f = 0; f < 1000; ++f) {
            QDir().mkpath(dir.filePath(QString("tree/d%1").arg(f % 10)));
            QByteArray content;
            content.reserve(100 * 1024);
            while (content.size() < 100 * 1024) {
                content += words[random.bounded(8)];
                if (random.bounded(4) == 0)
                    content += QByteArray::number(random.generate());
            }
            content.truncate(100 * 1024);
            QFile file(dir.filePath(QString("tree/d%1/f%2.txt").arg(f % 10).arg(f)));
            file.open(QIODevice::WriteOnly);
            file.write(content);
        }
        made = true;
    }
    return dir;
}

QString root() { return tree().filePath("tree/"); }
QString ours() { return tree().filePath("ours.zip"); }
QString infozip() { return tree().filePath("infozip.zip"); }

void runProgram(const QString& program, const QStringList& arguments, const QString& folder = QString())
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    process.waitForFinished(-1);
}

void BM_ZipDir_Tavix(benchmark::State& state)
{
    const QByteArray dir = root().toUtf8(), dest = ours().toUtf8();
    for (auto _ : state)
        benchmark::DoNotOptimize(TX_utils_zipDir(dir.constData(), dest.constData(), nullptr));
    state.SetBytesProcessed(state.iterations() * 100 * 1024 * 1000);
}

void BM_ZipDir_InfoZip(benchmark::State& state)
{
    for (auto _ : state) {
        QFile::remove(infozip());
        runProgram("zip", {"-q", "-r", infozip(), "."}, root());
    }
    state.SetBytesProcessed(state.iterations() * 100 * 1024 * 1000);
}

void BM_UnZipDir_Tavix(benchmark::State& state)
{
    TX_utils_zipDir(root().toUtf8().constData(), ours().toUtf8().constData(), nullptr);
    const QByteArray archive = ours().toUtf8(), dest = tree().filePath("out-ours/").toUtf8();
    for (auto _ : state)
        TX_utils_unZipDir(archive.constData(), dest.constData(), nullptr);
    state.SetBytesProcessed(state.iterations() * 100 * 1024 * 1000);
}

void BM_UnZipDir_InfoZip(benchmark::State& state)
{
    runProgram("zip", {"-q", "-r", infozip(), "."}, root());
    for (auto _ : state)
        runProgram("unzip", {"-q", "-o", infozip(), "-d", tree().filePath("out-infozip")});
    state.SetBytesProcessed(state.iterations() * 100 * 1024 * 1000);
}

void BM_QrRoundTrip100(benchmark::State& state)
{
    const QByteArray text(100, 'q');
    for (auto _ : state) {
        TX_utils_createQRCodeImage(text.constData(), 200);
        benchmark::DoNotOptimize(TX_utils_decodeQRCodeImage());
    }
}

BENCHMARK(BM_ZipDir_Tavix)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ZipDir_InfoZip)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_UnZipDir_Tavix)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_UnZipDir_InfoZip)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_QrRoundTrip100)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    TX_api_initialize();
    benchmark::Initialize(&argc, argv);
    tree();
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
