// The engine manager's global object, the log relay, the global functions and
// the script engine's own errors for calls that fit no slot.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScriptEngine>
#include <QScriptValueIterator>
#include <QStringList>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include "log_capture.h"
#include "script_harness.h"
#include "tavix_mgr.h"

using vantor::TavixMgr;
using vantor::test::evaluate;

namespace {

// The global object's own properties, in the order the manager creates them.
const QStringList kHostProperties{"log", "app", "getClip", "getColor", "msg", "screenshots",
                                  "sleep", "toast", "$MODULES", "require", "device", "file",
                                  "image", "imagev", "sqlite", "utils", "cs", "ocr"};

TEST(GlobalObject, HostPropertiesFollowTheBuiltInsInTheirFixedOrder)
{
    evaluate("var definedByAScript = 1;");
    QStringList names;
    QScriptValueIterator it(TavixMgr::instance()->engine()->globalObject());
    while (it.hasNext()) {
        it.next();
        names << it.name();
    }
    const QStringList& expected = kHostProperties;
    const int first = names.indexOf("log");
    ASSERT_GE(first, 0) << names.join(",").toStdString();
    EXPECT_EQ(names.mid(first, expected.size()), expected) << names.join(",").toStdString();
    EXPECT_GT(names.indexOf("definedByAScript"), first + expected.size() - 1);
    // The same order is what a script's own enumeration sees.
    const QStringList seen =
        evaluate("var seen = []; for (var k in this) seen.push(k); seen.join()").split(',');
    EXPECT_EQ(seen.mid(seen.indexOf("log"), expected.size()), expected);
}

TEST(GlobalObject, OneManagerAndOneEngineServeEveryCaller)
{
    EXPECT_EQ(TavixMgr::instance(), TavixMgr::instance());
    EXPECT_EQ(evaluate("globalCounter = 1"), "1");
    EXPECT_EQ(evaluate("++globalCounter"), "2");
    EXPECT_EQ(evaluate("[typeof require.paths, require.paths.length, '[' + require.paths[0] + ']']"
                       ".join()"),
              "object,1,[]");
}

TEST(Log, InfoWritesADebugLineAndRelaysTheText)
{
    QStringList relayed;
    const QMetaObject::Connection connection = QObject::connect(
        TavixMgr::instance(), &TavixMgr::showDebugInfo, [&](const QString& text) { relayed << text; });
    tavix::test::LogCapture log;
    evaluate(QString::fromUtf8("log.info('first'); log.info('zweite \xc3\xa4')"));
    QObject::disconnect(connection);
    EXPECT_EQ(relayed, (QStringList{"first", QString::fromUtf8("zweite \xc3\xa4")}));
    EXPECT_TRUE(log.contains("first"));
}

TEST(GlobalFunctions, SleepAndToastAnswerOneAndMissingArgumentsCountAsUndefined)
{
    EXPECT_EQ(evaluate("[sleep(), sleep(1), sleep(-5), sleep('x')].join()"), "1,1,1,1");
    EXPECT_EQ(evaluate("typeof screenshots('')"), "boolean");
    EXPECT_EQ(evaluate("typeof getClip() + ',' + typeof getColor()"), "string,string");
}

// Presses the first button of every visible message box, noting its text; a
// timer, because the box's own modal loop keeps serving timers.
void closeBoxesWith(QTimer& closer, QStringList& shown)
{
    QObject::connect(&closer, &QTimer::timeout, [&shown] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box && box->isVisible() && !box->buttons().isEmpty()) {
                shown << box->text();
                box->buttons().first()->click();
            }
        }
    });
    closer.start(20);
}

TEST(GlobalFunctions, MsgWithoutArgumentShowsUndefinedAndReturnsOne)
{
    QStringList shown;
    QTimer closer;
    closeBoxesWith(closer, shown);
    EXPECT_EQ(evaluate("msg()"), "1");
    EXPECT_EQ(evaluate("msg(12.5)"), "1");
    EXPECT_EQ(shown, (QStringList{"undefined", "12.5"}));
}

// A run evaluates in a thread of its own: log texts reach the manager's thread
// queued, and a message box appears on the GUI thread while the run waits.
TEST(RunThread, LogTextsAndMessageBoxesCrossToTheGuiThread)
{
    QStringList relayed;
    QThread* relayThread = nullptr;
    const QMetaObject::Connection connection =
        QObject::connect(TavixMgr::instance(), &TavixMgr::showDebugInfo, [&](const QString& text) {
            relayed << text;
            relayThread = QThread::currentThread();
        });
    QStringList shown;
    QTimer closer;
    closeBoxesWith(closer, shown);
    QString result;
    QThread* run = QThread::create([&] { result = evaluate("log.info('from the run'); msg('asked')"); });
    run->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return run->isFinished() && !relayed.isEmpty(); }, 10000));
    run->wait();
    delete run;
    QObject::disconnect(connection);
    EXPECT_EQ(result, "1");
    EXPECT_EQ(relayed, QStringList{"from the run"});
    EXPECT_EQ(relayThread, QThread::currentThread());
    EXPECT_EQ(shown, QStringList{"asked"});
}

struct CallCase {
    const char* name;
    const char* script;
    const char* expected;
};

class WrongCalls : public ::testing::TestWithParam<CallCase> {};

// Calls that fit no slot become ordinary, catchable script exceptions.
TEST_P(WrongCalls, BecomeScriptExceptions)
{
    const QString result =
        evaluate(QString("try { %1; 'no exception' } catch (e) { e.name }").arg(GetParam().script));
    EXPECT_EQ(result, GetParam().expected) << GetParam().script;
}

const CallCase kWrongCalls[] = {
    {"TooFewCoordinates", "cs.mouseLeftClick(1)", "SyntaxError"},
    {"NoArguments", "cs.mouseDrag()", "SyntaxError"},
    {"MissingText", "app.openUrl()", "SyntaxError"},
    {"CallingAnObject", "cs()", "TypeError"},
    {"UnknownMethod", "cs.mouseFly(1, 2)", "TypeError"},
    {"NumberForAHandle", "image.pixel(5, 0, 0)", "TypeError"},
    {"TextForAHandle", "image.toBase64('picture.png')", "TypeError"},
    {"HostObjectForAHandle", "image.copy(log)", "TypeError"},
    {"UndefinedForAHandle", "image.grayscale(undefined)", "TypeError"},
    // The objects' own QObject signals and slots are not theirs to call: emitting
    // destroyed() or deleting the object would crash the host or break later runs.
    {"DestroyedSignal", "cs.destroyed()", "TypeError"},
    {"DeleteLaterOfAnObject", "image.deleteLater()", "TypeError"},
    {"DestroyedSignalOfTheLog", "log.destroyed()", "TypeError"},
    {"ObjectNameChangedSignal", "file.objectNameChanged('x')", "TypeError"},
};

INSTANTIATE_TEST_SUITE_P(Host, WrongCalls, ::testing::ValuesIn(kWrongCalls),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GlobalObject, HostObjectsOutliveCallsOfQObjectsOwnSlots)
{
    evaluate("try { image.deleteLater(); cs.destroyed(); } catch (e) {}");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(evaluate("typeof image.read + typeof cs.mouseMove + typeof log.info"),
              "functionfunctionfunction");
}

TEST(GlobalFunctions, SurplusArgumentsAreIgnored)
{
    EXPECT_EQ(evaluate("typeof getClip(1, 2, 3)"), "string");
    EXPECT_EQ(evaluate("typeof app.openUrl('', 'surplus')"), "boolean");
}

}  // namespace
