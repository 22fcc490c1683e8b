#include "run_fixture.h"

#include <QJsonObject>
#include <QTest>
#include <algorithm>
#include <unistd.h>

namespace vantor::test {

QString eventOf(int n, const QString& str)
{
    return n == -1 && str.isEmpty() ? QStringLiteral("end of run")
                                    : QStringLiteral("at %1: %2").arg(n).arg(str);
}

QString eventOf(const QJsonArray& view)
{
    QStringList parts;
    for (const QJsonValue& entry : view) {
        const QJsonObject object = entry.toObject();
        for (auto it = object.begin(); it != object.end(); ++it)
            parts << it.key() + QLatin1Char('=') + it.value().toString();
    }
    return QStringLiteral("vars ") + parts.join(QLatin1Char(' '));
}

void RunFixture::SetUp()
{
    // The debugger writes a trace line per statement; it goes to files here,
    // and the tests read the lines that matter back.
    out = std::make_unique<StdCapture>(STDOUT_FILENO);
    err = std::make_unique<StdCapture>(STDERR_FILENO);
    controls.setSource([this] { return source_; });
    QObject::connect(&controls, &RunControls::debugRunNum,
                     [this](int n, const QString& str) { events << eventOf(n, str); });
    QObject::connect(&controls, &RunControls::deBugInfo, [this](const QJsonArray& view) {
        views << view;
        events << eventOf(view);
    });
    QObject::connect(&controls, &RunControls::showLogInfo,
                     [this](const QString& text) { events << QStringLiteral("log ") + text; });
    QObject::connect(&controls, &RunControls::endThread,
                     [this] { events << QStringLiteral("endThread"); });
    endSpy = std::make_unique<QSignalSpy>(&controls, &RunControls::endThread);
}

void RunFixture::TearDown()
{
    if (controls.isActive()) {
        controls.stop();
        waitForEnd();
    }
    const bool failed = HasFailure();
    // Without the variable dumps: what is left holds the test's own failure
    // messages, which were written while standard output was taken.
    QStringList outLines = out->text().split(QLatin1Char('\n'));
    outLines.erase(std::remove_if(outLines.begin(), outLines.end(),
                                  [](const QString& line) { return line.contains(" = "); }),
                   outLines.end());
    const QString outTail = outLines.mid(qMax(0, outLines.size() - 60)).join(QLatin1Char('\n'));
    const QString errTail = err->tail(30);
    out.reset();
    err.reset();
    if (failed) {
        std::printf("events:\n  %s\nstandard output without variables (end):\n%s\nstandard error (end):\n%s\n",
                    qPrintable(events.join("\n  ")), qPrintable(outTail), qPrintable(errTail));
    }
}

void RunFixture::useScript(const QString& text, const QVector<int>& breakpoints)
{
    source_ = ScriptSource{text, breakpoints};
}

bool RunFixture::waitForEvents(int count, int ms)
{
    return QTest::qWaitFor([&] { return events.size() >= count; }, ms);
}

bool RunFixture::waitForEvent(const QString& prefix, int ms)
{
    return QTest::qWaitFor(
        [&] {
            for (const QString& event : events) {
                if (event.startsWith(prefix))
                    return true;
            }
            return false;
        },
        ms);
}

bool RunFixture::waitForEnd(int ms)
{
    return QTest::qWaitFor([&] { return !controls.isActive(); }, ms);
}

QStringList RunFixture::positionsAndLogs() const
{
    QStringList kept;
    for (const QString& event : events) {
        if (!event.startsWith(QLatin1String("vars")))
            kept << event;
    }
    return kept;
}

QVariantMap RunFixture::lastView() const
{
    QVariantMap map;
    if (views.isEmpty())
        return map;
    for (const QJsonValue& entry : views.last())
        map.insert(entry.toObject().toVariantMap());
    return map;
}

QStringList RunFixture::lastViewNames() const
{
    QStringList names;
    if (views.isEmpty())
        return names;
    for (const QJsonValue& entry : views.last())
        names << entry.toObject().keys();
    return names;
}

}  // namespace vantor::test
