// Start-up of the studio on the X display: the time from starting the
// process to the first paint of its main window, and its resident memory
// then, next to a plain QMainWindow holding a QTextEdit (the floor), started
// the same way by this program itself (`startup_bench --floor`).
//   startup_bench                (Vantor from the folder of this program)
// The ratios are reported by the last benchmark, StartupAgainstFloor.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QMetaObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTextEdit>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

struct Start {
    double milliseconds = 0;
    double cpuMilliseconds = 0;  // user + system time of the process until then
    double residentKb = 0;
    bool ok = false;
};

double residentKb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble();
    return 0;
}

// User and system time a process has used, from its stat line; less
// dependent on the machine's load than the wall clock.
double cpuMilliseconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray line = stat.readAll();
    // Fields after the command name, which is in parentheses: utime and stime
    // are the 12th and 13th of them.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return 0;
    const double ticks = fields[11].toDouble() + fields[12].toDouble();
    return ticks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Starts `program` and waits for its "first-paint" line.
Start startOnce(const QString& program, const QStringList& arguments, const QString& home)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home);
    environment.insert("XDG_CONFIG_HOME", home + "/config");
    environment.insert("VANTOR_STARTUP_PROBE", "1");
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardErrorFile(QProcess::nullDevice());
    Start start;
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    QByteArray out;
    while (!out.contains("first-paint\n") && clock.elapsed() < 30000) {
        if (!process.waitForReadyRead(30000 - static_cast<int>(clock.elapsed())))
            break;
        out += process.readAllStandardOutput();
    }
    if (out.contains("first-paint\n")) {
        start.milliseconds = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        start.residentKb = residentKb(process.processId());
        start.cpuMilliseconds = cpuMilliseconds(process.processId());
        start.ok = start.residentKb > 0;
    }
    process.kill();
    process.waitForFinished(10000);
    return start;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

struct Measured {
    double milliseconds = 0;
    double cpuMilliseconds = 0;
    double residentKb = 0;
};
Measured studio, floorWindow;

void measure(benchmark::State& state, const QString& program, const QStringList& arguments,
             Measured* into)
{
    QTemporaryDir home;
    std::vector<double> times, cpu, memory;
    for (auto _ : state) {
        const Start start = startOnce(program, arguments, home.path());
        if (!start.ok) {
            state.SkipWithError("the program showed no window (is there an X display?)");
            return;
        }
        state.SetIterationTime(start.milliseconds / 1000.0);
        times.push_back(start.milliseconds);
        cpu.push_back(start.cpuMilliseconds);
        memory.push_back(start.residentKb);
    }
    into->milliseconds = median(times);
    into->cpuMilliseconds = median(cpu);
    into->residentKb = median(memory);
    state.counters["first_paint_ms"] = into->milliseconds;
    state.counters["cpu_ms"] = into->cpuMilliseconds;
    state.counters["resident_MB"] = into->residentKb / 1024.0;
}

void BM_FloorStartup(benchmark::State& state)
{
    measure(state, QCoreApplication::applicationFilePath(), {"--floor"}, &floorWindow);
}
BENCHMARK(BM_FloorStartup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);

void BM_VantorStartup(benchmark::State& state)
{
    measure(state, QCoreApplication::applicationDirPath() + "/Vantor", {}, &studio);
}
BENCHMARK(BM_VantorStartup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);

// Targets: under 400 ms to the first paint, under 1.5 x the floor's memory.
void BM_StartupAgainstFloor(benchmark::State& state)
{
    for (auto _ : state) {
    }
    if (floorWindow.milliseconds <= 0 || floorWindow.residentKb <= 0) {
        state.SkipWithError("the floor was not measured");
        return;
    }
    state.counters["studio_ms"] = studio.milliseconds;
    state.counters["floor_ms"] = floorWindow.milliseconds;
    state.counters["time_ratio"] = studio.milliseconds / floorWindow.milliseconds;
    if (floorWindow.cpuMilliseconds > 0)
        state.counters["cpu_ratio"] = studio.cpuMilliseconds / floorWindow.cpuMilliseconds;
    state.counters["memory_ratio"] = studio.residentKb / floorWindow.residentKb;
}
BENCHMARK(BM_StartupAgainstFloor)->Iterations(1);

// The floor: what any Qt program with a window and a text edit costs.
int runFloor(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QTextEdit(&window));
    window.resize(1200, 800);
    struct Probe : QObject {
        bool reported = false;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint && !reported) {
                reported = true;
                QMetaObject::invokeMethod(
                    this,
                    [] {
                        std::fputs("first-paint\n", stdout);
                        std::fflush(stdout);
                    },
                    Qt::QueuedConnection);
            }
            return false;
        }
    } probe;
    window.installEventFilter(&probe);
    window.show();
    return app.exec();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--floor") == 0)
        return runFloor(argc, argv);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
