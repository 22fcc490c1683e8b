// vantor-run: runs one script file with the studio's script host, without a window.
//   vantor-run script.js
// log.info lines go to standard output, once; debug lines of the engine and the
// host go to standard error, one line each; an uncaught exception goes to
// standard error and gives exit code 1; a missing or unreadable file gives
// exit code 2.
// Buttons and keys the script left down are released at the end, also after
// an exception or Ctrl-C / SIGTERM, which still end the process by that signal.
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QScriptEngine>
#include <QString>
#include <cstdio>

#include "bindings/held_input.h"
#include "log.h"
#include "message_lines.h"
#include "module_loader.h"
#include "script_encoding.h"
#include "script_file_run.h"
#include "stop_signals.h"
#include "tavix_mgr.h"
#include "trace_texts.h"

namespace vantor {

namespace {

constexpr int kUsageError = 2;
// How often the evaluation serves posted calls, where a signal's abort waits
// for loops that call nothing (`while (true) {}`).
constexpr int kStopCheckMs = 50;

int usage(const char* reason)
{
    if (reason)
        std::fprintf(stderr, "vantor-run: %s\n", reason);
    std::fputs("usage: vantor-run script.js\n"
               "Runs the script with the Tavix script host; log.info lines go to standard output.\n",
               stderr);
    return kUsageError;
}

int runFile(int argc, char** argv)
{
    if (argc != 2)
        return usage(argc > 2 ? "expected exactly one script file" : nullptr);
    const QString path = QString::fromLocal8Bit(argv[1]);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QByteArray reason = QStringLiteral("cannot read %1: %2")
                                      .arg(path, file.errorString()).toLocal8Bit();
        return usage(reason.constData());
    }
    QString text;
    ScriptEncoding encoding;
    // As the studio reads it: a script it would not open does not run here either.
    if (!decodeScript(file.readAll(), &text, &encoding)) {
        const QByteArray reason =
            QStringLiteral("cannot read %1: not text in UTF-8, UTF-16, UTF-32 or GB18030")
                .arg(path)
                .toLocal8Bit();
        return usage(reason.constData());
    }
    file.close();

    installRunnerMessageHandler();
    // Each log.info text is printed once, here, on standard output.
    Log::setDebugLines(false);
    TavixMgr* manager = TavixMgr::instance();
    QObject::connect(manager, &TavixMgr::showDebugInfo, [](const QString& line) {
        std::fputs(line.toLocal8Bit().constData(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    });

    setScriptFolder(QFileInfo(path).absolutePath());
    QScriptEngine* engine = manager->engine();
    engine->setProcessEventsInterval(kStopCheckMs);
    StopSignals stopSignals(engine);
    const RunOutcome outcome = runScriptText(text);
    HeldInput::instance().releaseAll();
    stopSignals.finish();
    TavixMgr::release();
    if (outcome.uncaught) {
        const QString report = QString::fromUtf8(trace::kUncaughtException).arg(outcome.message);
        std::fprintf(stderr, "%s (line %d)\n", report.toLocal8Bit().constData(),
                     outcome.lineNumber);
        return 1;
    }
    return 0;
}

}  // namespace

}  // namespace vantor

int main(int argc, char** argv)
{
    return vantor::runFile(argc, argv);
}
