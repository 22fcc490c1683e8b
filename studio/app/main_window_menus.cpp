// The menu bar of the main window.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "main_window.h"
#include "mycode_edit.h"
#include "stop_key.h"

namespace vantor {

namespace {

// One menu entry: a null label is a separator. Key names after the spaces in
// the Edit, Debug and Tools labels are hints: those keys are window-wide
// shortcuts or the editor's own. Only File entries carry shortcuts.
struct MenuEntry {
    const char* label;
    const char* picture;
    const char* shortcut;
    void (MainWindow::*action)();
};

}  // namespace

void MainWindow::createMenus()
{
    using W = MainWindow;
    const auto addEntries = [this](QMenu* menu, std::initializer_list<MenuEntry> entries) {
        for (const MenuEntry& entry : entries) {
            if (!entry.label) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromUtf8(entry.label));
            if (entry.picture)
                action->setIcon(QIcon(QString::fromLatin1(entry.picture)));
            if (entry.shortcut)
                action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
            if (entry.action)
                connect(action, &QAction::triggered, this, entry.action);
        }
    };

    QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    addEntries(file,
               {
                   {"新建文件", nullptr, "Ctrl+N", &W::onNewFileAction},
                   {"打开文件", ":/img/openfile.png", "Ctrl+O", &W::onOpenFileAction},
                   {"保存文件", ":/img/save.png", "Ctrl+S", &W::onSaveFileAction},
                   {"另存为...", nullptr, "Ctrl+Shift+S", &W::onSaveFileAsAction},
               });
    recentSeparator = file->addSeparator();
    for (QAction*& action : recentFileActions) {
        action = file->addAction(QString());
        action->setVisible(false);
        connect(action, &QAction::triggered, this, &MainWindow::openRecentFile);
    }
    file->addSeparator();
    connect(file->addAction(QStringLiteral("退出")), &QAction::triggered, this, &QWidget::close);
    updateRecentFileActions();

    // The Edit entries do what the editor's own keys and context menu do.
    QMenu* edit = menuBar()->addMenu(QStringLiteral("编辑(&E)"));
    const struct {
        const char* label;
        const char* picture;
        void (MycodeEdit::*action)();
    } editEntries[] = {
        {"剪切     Ctrl+X", ":/img/cut.png", &MycodeEdit::cut},
        {"复制     Ctrl+C", ":/img/copy.png", &MycodeEdit::copy},
        {"粘贴     Ctrl+V", ":/img/paste.png", &MycodeEdit::paste},
    };
    for (const auto& entry : editEntries) {
        QAction* action = edit->addAction(QIcon(QString::fromLatin1(entry.picture)),
                                          QString::fromUtf8(entry.label));
        connect(action, &QAction::triggered, editor_, entry.action);
    }

    QMenu* debug = menuBar()->addMenu(QStringLiteral("调试(&D)"));
    addEntries(debug,
               {
                   {"启动调试     F5", ":/img/debug.png", nullptr, &W::on_btDebug_clicked},
                   {"停止调试     Shift+F5", ":/img/end.png", nullptr, &W::on_btEnd_clicked},
               });
    // The global stop key works from anywhere on the desktop.
    QAction* globalStop = debug->addAction(QIcon(QStringLiteral(":/img/end.png")),
                                           QStringLiteral("全局停止     %1").arg(StopKey::label()));
    connect(globalStop, &QAction::triggered, this, &MainWindow::on_btEnd_clicked);
    addEntries(
        debug,
        {
            {nullptr, nullptr, nullptr, nullptr},
            {"单步跳过     F10", ":/img/stepOver.png", nullptr, &W::on_btStep_over_clicked},
            {"单步进入     F11", ":/img/stepInto.png", nullptr, &W::on_btStep_into_clicked},
            {"单步跳出     Shift+F11", ":/img/stepout.png", nullptr, &W::on_btStep_out_clicked},
        });
    QAction* breakpoint = debug->addAction(QIcon(QStringLiteral(":/img/breakpoint.png")),
                                           QStringLiteral("设置断点     F9"));
    connect(breakpoint, &QAction::triggered, editor_, &MycodeEdit::setDebugFlag);
    addEntries(debug,
               {
                   {nullptr, nullptr, nullptr, nullptr},
                   {"开始执行     Ctrl+F5", ":/img/run.png", nullptr, &W::on_btStar_clicked},
                   {nullptr, nullptr, nullptr, nullptr},
                   {"监控变量", ":/img/jiankong.png", nullptr, &W::on_btJiankong_clicked},
               });

    QMenu* tools = menuBar()->addMenu(QStringLiteral("工具(&T)"));
    addEntries(
        tools,
        {
            {"屏幕截图            Alt+S", ":/img/jieping.png", nullptr, &W::on_btJieping_Click},
            {"RPA自动化录制   Alt+R", ":/img/rpa.png", nullptr, &W::on_btRpa_clicked},
            {nullptr, nullptr, nullptr, nullptr},
            {"API函数", ":/img/help.png", nullptr, &W::on_btHelp_clicked},
        });

    QMenu* help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    addEntries(help,
               {
                   {"帮助文档", nullptr, nullptr, &W::onhelpAPIAction},
                   {"关于", ":/img/about.png", nullptr, &W::onhelpAboutAction},
               });
}

void MainWindow::updateRecentFileActions()
{
    const QStringList files = readRecentFiles();
    const int shown = qMin(files.size(), MaxRecentFiles);
    for (int i = 0; i < MaxRecentFiles; ++i) {
        QAction* action = recentFileActions[static_cast<size_t>(i)];
        if (i < shown) {
            action->setText(tr("&%1 %2").arg(i + 1).arg(strippedName(files[i])));
            action->setData(files[i]);
            action->setVisible(true);
        } else {
            action->setVisible(false);
        }
    }
    recentSeparator->setVisible(shown > 0);
}

}  // namespace vantor
