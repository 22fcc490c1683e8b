// Drives script runs through the studio's run controls on real run threads
// and keeps what they report, in order, as readable event lines:
//   "at 3: var b = 2;"   debugRunNum(3, "var b = 2;")
//   "end of run"         debugRunNum(-1, "")
//   "vars a=1 b=two"     deBugInfo(...)
//   "log text"           showLogInfo("text")
//   "endThread"          endThread()
#pragma once

#include <QJsonArray>
#include <QSignalSpy>
#include <QString>
#include <QStringList>
#include <QVector>
#include <gtest/gtest.h>
#include <memory>

#include "run_controls.h"
#include "std_capture.h"

namespace vantor::test {

QString eventOf(int n, const QString& str);
QString eventOf(const QJsonArray& view);

class RunFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The text and breakpoints the next run starts from.
    void useScript(const QString& text, const QVector<int>& breakpoints = {});

    // Waits until `count` events have come (or the deadline passes).
    bool waitForEvents(int count, int ms = 10000);
    // Waits until an event starting with `prefix` has come.
    bool waitForEvent(const QString& prefix, int ms = 10000);
    // Waits for the end of the run (its thread released).
    bool waitForEnd(int ms = 10000);

    // The events without the variable views.
    QStringList positionsAndLogs() const;
    // The last variable view sent, as name -> value text.
    QVariantMap lastView() const;
    QStringList lastViewNames() const;

    RunControls controls;
    QStringList events;
    QVector<QJsonArray> views;
    std::unique_ptr<QSignalSpy> endSpy;
    std::unique_ptr<StdCapture> out;
    std::unique_ptr<StdCapture> err;

private:
    ScriptSource source_;
};

}  // namespace vantor::test
