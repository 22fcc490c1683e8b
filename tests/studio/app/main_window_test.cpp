// The studio's main window driven through its keys, menus and gutter on the
// X display: runs, debugging, files, unsaved changes, recent files, help.
#include <QAction>
#include <QAbstractItemView>
#include <QBuffer>
#include <QCompleter>
#include <QProcess>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTreeView>
#include <gtest/gtest.h>

#include "display.h"
#include "main_window.h"
#include "mycode_edit.h"
#include "privilege_drop.h"
#include "recent_files.h"
#include "stop_key.h"
#include "window_driver.h"

namespace vantor {
namespace {

using test::BoxAnswerer;

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// A small PNG as the data URL the editor shows as an inline picture.
QString pictureDataUrl()
{
    QImage image(6, 4, QImage::Format_ARGB32);
    image.fill(QColor(200, 30, 40));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

class StudioWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        TAVIX_REQUIRE_X11();
        writeRecentFiles({});
        open();
    }

    void TearDown() override
    {
        if (window_)
            close();
    }

    void open()
    {
        window_ = std::make_unique<MainWindow>();
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    // Ends the test's run and drops unsaved text, then the window.
    void close()
    {
        EXPECT_TRUE(window_->stopRunAndWait(10000));
        editor().document()->setModified(false);
        window_.reset();
    }

    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    MainWindow& window() { return *window_; }
    MycodeEdit& editor() { return *window_->editor(); }
    // A key as the user presses it after typing: an open completion list is
    // dismissed first, as Escape does.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        if (QWidget* popup = editor().codeCompleter()->popup(); popup->isVisible())
            QTest::keyClick(popup, Qt::Key_Escape);
        // Focus comes back to the window after a message box without a
        // window manager only when asked, as a user's click would.
        if (!window_->isActiveWindow()) {
            window_->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        }
        QTest::keyClick(&editor(), static_cast<Qt::Key>(key), modifiers);
    }
    bool tableShown() { return window_->findChild<QTableView*>("tableView")->isVisible(); }
    bool treeShown() { return window_->catalogueView()->isVisible(); }
    void waitForRunEnd() { WAIT_TRUE_MS(!window_->isRunActive(), 20000); }
    int pausedLine() { return editor().debugLineNumber(); }
    QMap<QString, QString> variables()
    {
        QMap<QString, QString> shown;
        QAbstractItemModel* model = window_->findChild<QTableView*>("tableView")->model();
        for (int row = 0; model && row < model->rowCount(); ++row)
            shown[model->index(row, 0).data().toString()] = model->index(row, 1).data().toString();
        return shown;
    }

    QTemporaryDir dir_;
    std::unique_ptr<MainWindow> window_;
};

TEST_F(StudioWindow, FormButtonsAndMenusAsTheUserSeesThem)
{
    EXPECT_EQ(window().windowTitle(), "Lumora");
    EXPECT_EQ(window().size(), QSize(1200, 800));
    EXPECT_TRUE(treeShown());
    EXPECT_FALSE(tableShown());

    const struct {
        const char* name;
        const char* picture;
        const char* tooltip;
    } buttons[] = {
        {"btDebug", "debug", "启动调试"},       {"btEnd", "end", "停止调试"},
        {"btStepover", "stepOver", "单步跳过"}, {"btStepinto", "stepInto", "单步进入"},
        {"btStepout", "stepout", "单步跳出"},   {"btStar", "run", "开始执行"},
        {"btJiankong", "jiankong", "监控变量"}, {"btHelp", "help", "帮助"},
        {"btJieping", "jieping", "屏幕截图"},   {"btRpa", "rpa", "RPA 机器人流程自动化录制"},
    };
    for (const auto& b : buttons) {
        QPushButton* pushButton = test::button(window(), b.name);
        ASSERT_NE(pushButton, nullptr) << b.name;
        EXPECT_EQ(pushButton->toolTip(), QString::fromUtf8(b.tooltip));
        const QString picture = QStringLiteral(":/img/%1.png").arg(QLatin1String(b.picture));
        EXPECT_TRUE(pushButton->styleSheet().contains(picture)) << b.name;
        EXPECT_FALSE(QImage(picture).isNull()) << "missing picture " << picture.toStdString();
        EXPECT_EQ(pushButton->isVisible(), QLatin1String(b.name) != QLatin1String("btStar"));
    }

    EXPECT_EQ(
        test::menuLabels(window(), "调试(&D)"),
        (QStringList{"启动调试     F5", "停止调试     Shift+F5", "全局停止     Ctrl+Alt+Shift+X",
                     "-", "单步跳过     F10", "单步进入     F11", "单步跳出     Shift+F11",
                     "设置断点     F9", "-", "开始执行     Ctrl+F5", "-", "监控变量"}));
    EXPECT_EQ(test::menuLabels(window(), "工具(&T)"),
              (QStringList{"屏幕截图            Alt+S", "RPA自动化录制   Alt+R", "-", "API函数"}));
    const struct {
        const char* label;
        const char* shortcut;
    } fileEntries[] = {{"新建文件", "Ctrl+N"},
                       {"打开文件", "Ctrl+O"},
                       {"保存文件", "Ctrl+S"},
                       {"另存为...", "Ctrl+Shift+S"},
                       {"退出", ""}};
    for (const auto& entry : fileEntries) {
        QAction* action = test::menuEntry(window(), QString::fromUtf8(entry.label));
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(entry.shortcut)));
    }
    for (const char* label : {"剪切", "复制", "粘贴", "启动调试", "设置断点", "关于"})
        EXPECT_FALSE(test::menuEntry(window(), QString::fromUtf8(label))->icon().isNull()) << label;
    EXPECT_TRUE(
        test::menuEntry(window(), "全局停止")->shortcut().isEmpty());  // a hint, not a shortcut
    EXPECT_TRUE(window().stopKey()->isActive()) << "the global stop key was not grabbed";

    // The two toggles flip their panels.
    QTest::mouseClick(test::button(window(), "btHelp"), Qt::LeftButton);
    EXPECT_FALSE(treeShown());
    QTest::mouseClick(test::button(window(), "btJiankong"), Qt::LeftButton);
    EXPECT_TRUE(tableShown());
}

TEST_F(StudioWindow, RunShowsTheScriptsLogLinesInOrderAndKeepsTheControlsUsable)
{
    const QString path = write("run.js",
                               "log.info('one');\nvar n = 2;\nlog.info('two ' + n);\n"
                               "log.info('三');\n");
    window().loadFile(path);
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Lumora - [%1]").arg(path));
    press(Qt::Key_F5, Qt::ControlModifier);  // run, although its button is hidden
    waitForRunEnd();
    EXPECT_EQ(test::logText(window()), "one\ntwo 2\n三\n");
    EXPECT_TRUE(treeShown());  // a plain run leaves the panels as they are
    EXPECT_FALSE(tableShown());

    // A second run adds its lines below; the controls start or steer runs, so
    // they stay enabled whether a run is active or not.
    const char* controls[] = {"btDebug",    "btEnd",     "btStepover",
                              "btStepinto", "btStepout", "btStar"};
    editor().setScriptText("log.info('a');\nvar i = 0;\nwhile (i < 3) i++;\nlog.info('b' + i);\n");
    press(Qt::Key_F10);  // step over: pauses at the first statement
    WAIT_EQ(pausedLine(), 1);
    EXPECT_TRUE(window().isRunActive());
    EXPECT_TRUE(tableShown());
    EXPECT_FALSE(treeShown());
    for (const char* name : controls)
        EXPECT_TRUE(test::button(window(), name)->isEnabled()) << name;
    press(Qt::Key_F5, Qt::ControlModifier);  // run continues the paused run
    waitForRunEnd();
    EXPECT_EQ(test::logText(window()), "one\ntwo 2\n三\na\nb3\n");
    EXPECT_EQ(pausedLine(), -1);
    EXPECT_TRUE(treeShown());  // the run's end brings the catalogue back
    EXPECT_FALSE(tableShown());
    for (const char* name : controls)
        EXPECT_TRUE(test::button(window(), name)->isEnabled()) << name;
}

TEST_F(StudioWindow, DebugStopsAtGutterBreakpointsStepsAndStops)
{
    window().loadFile(write("debug.js",
                            "function add(a, b) {\n"    // 1
                            "    var s = a + b;\n"      // 2
                            "    return s;\n"           // 3
                            "}\n"                       // 4
                            "var x = 1;\n"              // 5
                            "var y = add(x, 2);\n"      // 6
                            "var z = y * 2;\n"          // 7
                            "var w = z + 1;\n"          // 8
                            "log.info('w=' + w);\n"));  // 9
    // F9 toggles a breakpoint on the cursor's line.
    QTextCursor cursor(editor().document()->findBlockByNumber(6));
    editor().setTextCursor(cursor);
    press(Qt::Key_F9);
    EXPECT_EQ(editor().breakpoints(), QVector<int>{7});
    press(Qt::Key_F9);
    EXPECT_TRUE(editor().breakpoints().isEmpty());
    test::clickGutter(editor(), 5);
    test::clickGutter(editor(), 8);
    ASSERT_EQ(editor().breakpoints(), (QVector<int>{5, 8}));

    QTest::mouseClick(test::button(window(), "btDebug"), Qt::LeftButton);
    WAIT_EQ(pausedLine(), 5);
    EXPECT_TRUE(tableShown());
    EXPECT_FALSE(treeShown());
    press(Qt::Key_F10);  // over line 5
    WAIT_EQ(pausedLine(), 6);
    WAIT_EQ(variables().value("x"), "1");
    press(Qt::Key_F11);  // into add
    WAIT_EQ(pausedLine(), 2);
    press(Qt::Key_F10);
    WAIT_EQ(pausedLine(), 3);
    WAIT_EQ(variables().value("s"), "3");
    press(Qt::Key_F11, Qt::ShiftModifier);  // out of add, back in the caller
    WAIT_TRUE(pausedLine() == 6 || pausedLine() == 7);
    press(Qt::Key_F5);  // continue to the second breakpoint
    WAIT_EQ(pausedLine(), 8);
    WAIT_EQ(variables().value("z"), "6");
    QHeaderView* header = window().findChild<QTableView*>("tableView")->horizontalHeader();
    EXPECT_EQ(header->model()->headerData(0, Qt::Horizontal).toString(), "名称");
    EXPECT_EQ(header->sectionResizeMode(1), QHeaderView::Stretch);
    EXPECT_EQ(variables().value("y"), "3");
    EXPECT_EQ(variables().value("x"), "1");

    press(Qt::Key_F5, Qt::ShiftModifier);  // stop
    waitForRunEnd();
    EXPECT_EQ(pausedLine(), -1);
    EXPECT_FALSE(test::logText(window()).contains("w="));  // line 9 never ran
    EXPECT_TRUE(treeShown());
    EXPECT_FALSE(tableShown());
}

TEST_F(StudioWindow, UncaughtExceptionShowsItsLineAndMessage)
{
    editor().setScriptText(
        "log.info('before');\nvar o = null;\no.missing();\nlog.info('after');\n");
    press(Qt::Key_F5, Qt::ControlModifier);
    waitForRunEnd();
    const QString log = test::logText(window());
    EXPECT_TRUE(log.startsWith("before\nuncaught exception: TypeError")) << log.toStdString();
    EXPECT_TRUE(log.contains("(line 3)")) << log.toStdString();
    EXPECT_FALSE(log.contains("after"));
}

TEST_F(StudioWindow, SavedFilesHoldExactlyTheScriptTextAndSurviveRoundTrips)
{
    press(Qt::Key_N, Qt::ControlModifier);
    QTest::keyClicks(&editor(), "var a = 1;");
    editor().insertScriptText(
        QStringLiteral("\nvar p = \"%1\";\nlog.info(\"中文\");").arg(pictureDataUrl()));
    EXPECT_EQ(window().windowTitle(), "Lumora");  // a new script keeps the plain title

    const QString first = dir_.filePath("first.js");
    ASSERT_TRUE(window().saveFile(first));
    const QByteArray saved = readBytes(first);
    EXPECT_EQ(saved, editor().toScriptText().toUtf8());
    EXPECT_TRUE(saved.startsWith("var a = 1;\nvar p = \"data:image/png;base64,iVBOR"))
        << saved.left(80).constData();
    EXPECT_TRUE(saved.contains("log.info(\"中文\");"));
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Lumora - [%1]").arg(first));

    // Edit, Ctrl+S, save as, reopen: each file holds what the editor held.
    QTest::keyClick(&editor(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(&editor(), "//x");
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Lumora - [%1*]").arg(first));
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(readBytes(first), editor().toScriptText().toUtf8());
    EXPECT_TRUE(readBytes(first).contains("//x"));
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Lumora - [%1]").arg(first));
    const QString second = dir_.filePath("second.js");
    ASSERT_TRUE(window().saveFile(second));
    EXPECT_EQ(window().currentFilePath(), second);
    EXPECT_EQ(readBytes(second), readBytes(first));

    // Open, save, open, save: the bytes never change, pictures included.
    for (const QString& path : {first, second}) {
        const QByteArray before = readBytes(path);
        for (int round = 0; round < 2; ++round) {
            window().loadFile(path);
            EXPECT_EQ(editor().toScriptText().toUtf8(), before);
            ASSERT_TRUE(window().saveFile(path));
            EXPECT_EQ(readBytes(path), before) << "round " << round;
        }
    }
    // A file written elsewhere, without a final line end, keeps its bytes too.
    const QByteArray outside = "log.info('x');\n\nvar t = 'end';";
    const QString third = write("third.js", outside);
    window().loadFile(third);
    ASSERT_TRUE(window().saveFile(third));
    EXPECT_EQ(readBytes(third), outside);
}

// Scripts from elsewhere (Windows line ends, Chinese Windows' code page, a
// byte-order mark) are saved in their own encoding with their own line ends;
// bytes that are no such text are not opened, so no save can spoil them.
TEST_F(StudioWindow, OpenedFilesKeepTheirEncodingAndLineEnds)
{
    const struct {
        const char* name;
        QByteArray file;
        QByteArray typed;  // "//x" typed at the end, as the file's encoding writes it
    } cases[] = {
        {"gbk.js", QByteArray("// \xD6\xD0\xCE\xC4\r\nvar a = 1;\rvar b = 2;\r\n"), "//x"},
        {"bom.js", QByteArray("\xEF\xBB\xBFlog.info(\"\xE4\xB8\xAD\");\r\n"), "//x"},
        {"utf16.js",
         QByteArray("\xFF\xFE"
                    "a\0\r\0\n\0",
                    8),
         QByteArray("/\0/\0x\0", 6)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = write(c.name, c.file);
        window().loadFile(path);
        ASSERT_EQ(window().currentFilePath(), path);
        ASSERT_TRUE(window().saveFile(path));
        EXPECT_EQ(readBytes(path), c.file);
        QTest::keyClick(&editor(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(&editor(), "//x");
        press(Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(readBytes(path), c.file + c.typed);
    }

    const QString open = window().currentFilePath();
    const QString before = editor().toScriptText();
    const QByteArray broken("var s = '\x81\x20\xFF';\n");
    const QString path = write("broken.js", broken);
    {
        BoxAnswerer ok(QMessageBox::Ok);
        window().loadFile(path);
        EXPECT_EQ(ok.texts(), QStringList{"打开文件失败"});
    }
    EXPECT_EQ(editor().toScriptText(), before);
    EXPECT_EQ(window().currentFilePath(), open);
    EXPECT_EQ(readBytes(path), broken);
}

TEST_F(StudioWindow, FailedSavesAndOpensShowTheirMessageAndChangeNothing)
{
    const QString path = write("locked.js", "old\n");
    window().loadFile(path);
    QTest::keyClicks(&editor(), "new ");
    QFile::setPermissions(dir_.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                              | QFileDevice::ReadOther | QFileDevice::WriteOther
                              | QFileDevice::ExeOther);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadOther);
    {
        BoxAnswerer ok(QMessageBox::Ok);
        test::Unprivileged user;
        press(Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(ok.texts(), QStringList{"保存文件失败"});
    }
    EXPECT_EQ(readBytes(path), "old\n");
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Lumora - [%1*]").arg(path));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"locked.js"});

    // An unreadable file: the message, and the editor keeps its text.
    const QString before = editor().toScriptText();
    {
        BoxAnswerer ok(QMessageBox::Ok);
        window().loadFile(dir_.filePath("missing.js"));
        EXPECT_EQ(ok.texts(), QStringList{"打开文件失败"});
    }
    EXPECT_EQ(editor().toScriptText(), before);
    EXPECT_EQ(window().currentFilePath(), path);
    EXPECT_EQ(readRecentFiles(), QStringList{path});
}

TEST_F(StudioWindow, UnsavedChangesAreNotDroppedWithoutAQuestion)
{
    const QString path = write("kept.js", "var kept = 1;\n");
    QTest::keyClicks(&editor(), "typed work");
    const QString typed = editor().toScriptText();

    {
        BoxAnswerer cancel(QMessageBox::Cancel);
        press(Qt::Key_N, Qt::ControlModifier);
        window().loadFile(path);
        EXPECT_FALSE(window().close());
        EXPECT_EQ(cancel.texts().size(), 3);
    }
    EXPECT_EQ(editor().toScriptText(), typed);
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(window().currentFilePath().isEmpty());

    {
        BoxAnswerer discard(QMessageBox::Discard);
        window().loadFile(path);
        EXPECT_EQ(discard.texts().size(), 1);
    }
    EXPECT_EQ(editor().toScriptText(), "var kept = 1;\n");

    // Save: the changes go to the file, then the new script comes.
    QTest::keyClicks(&editor(), "// more ");
    const QString edited = editor().toScriptText();
    {
        BoxAnswerer save(QMessageBox::Save);
        press(Qt::Key_N, Qt::ControlModifier);
        EXPECT_EQ(save.texts().size(), 1);
    }
    EXPECT_EQ(readBytes(path), edited.toUtf8());
    EXPECT_TRUE(editor().document()->isEmpty());
    EXPECT_EQ(window().windowTitle(), "Lumora");

    // Nothing typed since: no question.
    BoxAnswerer none(QMessageBox::Cancel);
    press(Qt::Key_N, Qt::ControlModifier);
    window().loadFile(path);
    EXPECT_TRUE(none.texts().isEmpty());
}

TEST_F(StudioWindow, CancellingTheSaveDialogOfANewScriptKeepsEverything)
{
    QTest::keyClicks(&editor(), "unnamed");
    const QString typed = editor().toScriptText();
    // The user answers "save" to the question, then cancels the file dialog.
    QStringList seen;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen << QStringLiteral("question");
            box->button(QMessageBox::Save)->click();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            seen << dialog->windowTitle();
            dialog->reject();
        }
    });
    user.start(20);
    press(Qt::Key_S, Qt::ControlModifier);
    press(Qt::Key_N, Qt::ControlModifier);
    user.stop();
    EXPECT_EQ(seen, (QStringList{"保存文件", "question", "保存文件"}));
    EXPECT_EQ(editor().toScriptText(), typed);
    EXPECT_EQ(window().windowTitle(), "Lumora");
    EXPECT_TRUE(window().currentFilePath().isEmpty());
    EXPECT_TRUE(readRecentFiles().isEmpty());
}

TEST_F(StudioWindow, RecentFilesNewestFirstAndKeptAcrossARestart)
{
    QAction* separatorAbove = nullptr;
    QList<QAction*> entries;
    const auto readMenu = [&] {
        entries.clear();
        // New, open, save, save as, the separator, five recent entries.
        const QList<QAction*> actions = test::menuActions(window(), "文件(&F)");
        ASSERT_GE(actions.size(), 10);
        separatorAbove = actions.at(4);
        for (int i = 5; i < 10; ++i)
            entries << actions.at(i);
    };
    readMenu();
    EXPECT_FALSE(separatorAbove->isVisible());
    for (QAction* entry : entries)
        EXPECT_FALSE(entry->isVisible());

    QStringList paths;
    for (int i = 1; i <= 6; ++i) {
        paths << write(QStringLiteral("s%1.js").arg(i), "var n = 1;\n");
        window().loadFile(paths.last());
    }
    window().loadFile(paths[3]);  // a listed file moves to the front
    const QStringList expected = {paths[3], paths[5], paths[4], paths[2], paths[1]};
    EXPECT_EQ(readRecentFiles(), expected);

    close();
    open();
    readMenu();
    EXPECT_TRUE(separatorAbove->isVisible());
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(entries[i]->isVisible());
        EXPECT_EQ(entries[i]->text(),
                  QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(expected[i]).fileName()));
        EXPECT_EQ(entries[i]->data().toString(), expected[i]);
    }
    EXPECT_TRUE(QFileInfo::exists(QSettings().fileName())) << QSettings().fileName().toStdString();
    EXPECT_TRUE(QSettings().fileName().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));

    entries[2]->trigger();
    EXPECT_EQ(window().currentFilePath(), expected[2]);
    EXPECT_EQ(readRecentFiles().first(), expected[2]);
}

TEST_F(StudioWindow, HelpOpensTheScriptApiReferenceBesideTheProgram)
{
    QList<QUrl> opened;
    window().setUrlOpener([&](const QUrl& url) {
        opened << url;
        return true;
    });
    test::menuEntry(window(), "帮助文档")->trigger();
    const QString expected =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../docs/script-api.md");
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first(), QUrl::fromLocalFile(expected));
    EXPECT_TRUE(opened.first().isLocalFile());
}

TEST_F(StudioWindow, GlobalStopKeyFromAnotherClientEndsALoopingScript)
{
    ASSERT_TRUE(window().stopKey()->isActive());
    const struct {
        const char* where;
        bool hideStudio;
        bool numLock;
    } cases[] = {{"studio hidden", true, false},
                 {"another window focused", false, false},
                 {"num lock on", true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        editor().setScriptText(
            "log.info('moving');\n"
            "while (true) { cs.mouseMove(100, 100); cs.mouseMove(300, 200); }\n");
        window().findChild<QPlainTextEdit*>("infoView")->clear();
        press(Qt::Key_F5, Qt::ControlModifier);
        WAIT_TRUE(test::logText(window()) == "moving\n");
        QLineEdit other;
        if (c.hideStudio) {
            window().hide();
        } else {
            other.show();
            other.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
        }
        ASSERT_TRUE(window().isRunActive());
        if (c.numLock)
            ASSERT_EQ(QProcess::execute("xdotool", {"key", "Num_Lock"}), 0);
        ASSERT_EQ(QProcess::execute("xdotool", {"key", "ctrl+alt+shift+x"}), 0);
        WAIT_TRUE_MS(!window().isRunActive(), 1000);
        if (c.numLock)
            ASSERT_EQ(QProcess::execute("xdotool", {"key", "Num_Lock"}), 0);
        window().show();
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
        QTest::qWait(0);
    }
}

}  // namespace
}  // namespace vantor
