// Drives the studio's main window as a user does in the tests: keys, menus,
// gutter clicks, and answers to the message boxes the window asks.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

class QAction;
class QMenu;
class QPushButton;

// Waits, handling events, until `condition` holds, or fails the test after
// `ms` milliseconds. (QtTest's QTRY macros do not fail a GoogleTest test.)
#define WAIT_TRUE_MS(condition, ms)                                                \
    ASSERT_TRUE(QTest::qWaitFor([&] { return static_cast<bool>(condition); }, ms)) \
        << "waited " << (ms) << " ms for " #condition
#define WAIT_TRUE(condition) WAIT_TRUE_MS(condition, 5000)
// As WAIT_TRUE for `actual == expected`, and shows both when they differ.
#define WAIT_EQ(actual, expected)                                      \
    do {                                                               \
        QTest::qWaitFor([&] { return (actual) == (expected); }, 5000); \
        ASSERT_EQ(actual, expected);                                   \
    } while (0)

namespace vantor {
class MainWindow;
class MycodeEdit;
}  // namespace vantor

namespace vantor::test {

// Clicks `button` on every message box that comes up while it lives, and
// keeps their texts.
class BoxAnswerer {
public:
    explicit BoxAnswerer(QMessageBox::StandardButton button);
    ~BoxAnswerer();
    const QStringList& texts() const { return texts_; }

private:
    QTimer timer_;
    QStringList texts_;
};

// The menu entry whose label starts with `label`, in the window's menu bar.
QAction* menuEntry(MainWindow& window, const QString& label);
QList<QAction*> menuActions(MainWindow& window, const QString& menuTitle);
QStringList menuLabels(MainWindow& window, const QString& menuTitle);

// A click in the editor's gutter beside the given 1-based line.
void clickGutter(MycodeEdit& editor, int line);

QString logText(MainWindow& window);
QPushButton* button(MainWindow& window, const char* name);

}  // namespace vantor::test
