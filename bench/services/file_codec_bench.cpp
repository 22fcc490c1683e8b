// MD5 of a 100 MB file next to md5sum in the same run, reading a 10 MB UTF-8
// text file, and listing a folder of 10,000 entries.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <vector>

#include "tavix.h"

namespace {

QTemporaryDir& workDir()
{
    static QTemporaryDir dir;
    return dir;
}

QString filled(const QString& name, qint64 bytes, const QByteArray& pattern)
{
    const QString path = workDir().filePath(name);
    if (!QFile::exists(path)) {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        QByteArray chunk;
        while (chunk.size() < (1 << 20))
            chunk += pattern;
        chunk.truncate(1 << 20);
        for (qint64 written = 0; written < bytes; written += chunk.size())
            file.write(chunk.constData(), qMin<qint64>(chunk.size(), bytes - written));
    }
    return path;
}

QString bigFile()
{
    return filled("big.bin", 100LL << 20, QByteArray("0123456789abcdef\x01\xfe", 18));
}

QString textFile()
{
    return filled("text.txt", 10LL << 20, QByteArray("Tavix \xe6\x96\x87\xe6\x9c\xac line\n"));
}

QString folder()
{
    const QString path = workDir().filePath("entries");
    if (!QDir(path).exists()) {
        QDir().mkpath(path);
        for (int i = 0; i < 10000; ++i) {
            QFile file(QString("%1/entry-%2.txt").arg(path).arg(i, 5, 10, QChar('0')));
            file.open(QIODevice::WriteOnly);
        }
    }
    return path;
}

void BM_Md5File_Tavix(benchmark::State& state)
{
    const QByteArray path = bigFile().toUtf8();
    for (auto _ : state)
        benchmark::DoNotOptimize(TX_utils_md5(path.constData()));
    state.SetBytesProcessed(state.iterations() * (100LL << 20));
}

void BM_Md5File_Md5sum(benchmark::State& state)
{
    const QString path = bigFile();
    for (auto _ : state) {
        QProcess md5sum;
        md5sum.start("md5sum", {path});
        md5sum.waitForFinished(-1);
        benchmark::DoNotOptimize(md5sum.readAllStandardOutput());
    }
    state.SetBytesProcessed(state.iterations() * (100LL << 20));
}

void BM_FileRead10MB(benchmark::State& state)
{
    const QByteArray path = textFile().toUtf8();
    std::vector<char> out((10 << 20) * 3 + 4096);
    for (auto _ : state)
        benchmark::DoNotOptimize(TX_file_read(path.constData(), out.data(), "UTF-8"));
    state.SetBytesProcessed(state.iterations() * (10LL << 20));
}

void BM_ListDir10000(benchmark::State& state)
{
    const QByteArray path = folder().toUtf8();
    std::vector<char> out(std::size_t(10000 + 256) * 512);
    for (auto _ : state) {
        const int count = TX_file_listDirCount(path.constData());
        benchmark::DoNotOptimize(TX_file_listDir(path.constData(), out.data()));
        benchmark::DoNotOptimize(count);
    }
}

BENCHMARK(BM_Md5File_Tavix)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Md5File_Md5sum)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FileRead10MB)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ListDir10000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    TX_api_initialize();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
