#include "window_driver.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>

#include "main_window.h"
#include "mycode_edit.h"

namespace vantor::test {

BoxAnswerer::BoxAnswerer(QMessageBox::StandardButton button)
{
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this, button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        texts_ << box->text();
        QAbstractButton* answer = box->button(button);
        if (!answer) {
            ADD_FAILURE() << "the box has no such button: " << box->text().toStdString();
            box->reject();
            return;
        }
        answer->click();
    });
    timer_.start();
}

BoxAnswerer::~BoxAnswerer() = default;

QAction* menuEntry(MainWindow& window, const QString& label)
{
    for (QAction* top : window.menuBar()->actions()) {
        if (!top->menu())
            continue;
        for (QAction* entry : top->menu()->actions())
            if (!entry->isSeparator() && entry->text().startsWith(label))
                return entry;
    }
    ADD_FAILURE() << "no menu entry " << label.toStdString();
    return nullptr;
}

QList<QAction*> menuActions(MainWindow& window, const QString& menuTitle)
{
    for (QAction* top : window.menuBar()->actions())
        if (top->text() == menuTitle && top->menu())
            return top->menu()->actions();
    ADD_FAILURE() << "no menu " << menuTitle.toStdString();
    return {};
}

QStringList menuLabels(MainWindow& window, const QString& menuTitle)
{
    QStringList labels;
    for (QAction* entry : menuActions(window, menuTitle))
        labels << (entry->isSeparator() ? QStringLiteral("-") : entry->text());
    return labels;
}

void clickGutter(MycodeEdit& editor, int line)
{
    const QTextBlock block = editor.document()->findBlockByNumber(line - 1);
    ASSERT_TRUE(block.isValid()) << "no line " << line;
    const QRect rect = editor.cursorRect(QTextCursor(block));
    const QPoint global = editor.viewport()->mapToGlobal(rect.center());
    const QPoint inGutter = editor.gutter()->mapFromGlobal(global);
    QTest::mouseClick(editor.gutter(), Qt::LeftButton, Qt::NoModifier, QPoint(4, inGutter.y()));
}

QString logText(MainWindow& window)
{
    return window.findChild<QPlainTextEdit*>(QStringLiteral("infoView"))->toPlainText();
}

QPushButton* button(MainWindow& window, const char* name)
{
    return window.findChild<QPushButton*>(QString::fromLatin1(name));
}

}  // namespace vantor::test
