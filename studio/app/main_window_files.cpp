// File commands of the main window: new, open, save, save as, the recent
// files, and the question before unsaved changes are dropped.
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTextDocument>

#include "main_window.h"
#include "mycode_edit.h"
#include "script_file.h"
#include "stop_key.h"
#include "window_texts.h"

namespace vantor {

void MainWindow::onNewFileAction()
{
    if (!maybeSave())
        return;
    currentFile.clear();
    fileEncoding_ = ScriptEncoding();
    setWindowFilePath(QString());
    editor_->setScriptText(QString());
    markSaved();
}

void MainWindow::onOpenFileAction()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("打开文件"), QString(),
                                                      QStringLiteral("Js File (*.js)"));
    if (!path.isEmpty())
        loadFile(path);
}

void MainWindow::onSaveFileAction()
{
    if (currentFile.isEmpty())
        onSaveFileAsAction();
    else
        saveFile(currentFile);
}

void MainWindow::onSaveFileAsAction()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("保存文件"), QString(),
                                                      QStringLiteral("Js Files (*.js)"));
    if (!path.isEmpty())
        saveFile(path);
}

void MainWindow::openRecentFile()
{
    if (auto* action = qobject_cast<QAction*>(sender()))
        loadFile(action->data().toString());
}

void MainWindow::loadFile(const QString& path)
{
    if (path.isEmpty())
        return;
    QString text, error;
    ScriptEncoding encoding;
    if (!readScriptFile(path, &text, &encoding, &error)) {
        qWarning().noquote() << QStringLiteral("Cannot open %1: %2").arg(path, error);
        QMessageBox::information(this, QString(), QStringLiteral("打开文件失败"));
        return;
    }
    if (!maybeSave())
        return;
    on_btEnd_clicked();
    editor_->setScriptText(text);
    fileEncoding_ = encoding;
    setCurrentFile(path);
    markSaved();
}

bool MainWindow::saveFile(const QString& path)
{
    QString error;
    if (!writeScriptFile(path, editor_->toScriptText(), fileEncoding_, &error)) {
        qWarning().noquote() << QStringLiteral("Cannot save %1: %2").arg(path, error);
        QMessageBox::information(this, QString(), QStringLiteral("保存文件失败"));
        return false;
    }
    setCurrentFile(path);
    markSaved();
    return true;
}

void MainWindow::markSaved()
{
    editor_->document()->setModified(false);
    setWindowTitle(windowTitleFor(currentFile, false));
}

bool MainWindow::maybeSave()
{
    if (!editor_->document()->isModified())
        return true;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Lumora"),
                    QStringLiteral("当前脚本有未保存的修改，是否保存？"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.button(QMessageBox::Save)->setText(QStringLiteral("保存"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("不保存"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        onSaveFileAction();
        // A failed or cancelled save keeps the changes: go no further.
        return !editor_->document()->isModified();
    case QMessageBox::Discard: return true;
    default: return false;
    }
}

void MainWindow::setCurrentFile(const QString& path)
{
    currentFile = path;
    setWindowFilePath(path);
    writeRecentFiles(withRecentFile(readRecentFiles(), path));
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<MainWindow*>(widget))
            window->updateRecentFileActions();
}

QUrl MainWindow::documentationUrl()
{
    return QUrl::fromLocalFile(QDir::cleanPath(QCoreApplication::applicationDirPath()
                                               + QStringLiteral("/../docs/script-api.md")));
}

void MainWindow::setUrlOpener(std::function<bool(const QUrl&)> opener)
{
    urlOpener_ = std::move(opener);
}

void MainWindow::onhelpAPIAction()
{
    const QUrl url = documentationUrl();
    if (!url.isValid())
        return;
    if (!QFileInfo::exists(url.toLocalFile()))
        qWarning().noquote() << "Script API documentation not found:" << url.toLocalFile();
    const bool opened = urlOpener_ ? urlOpener_(url) : QDesktopServices::openUrl(url);
    if (!opened)
        qWarning().noquote() << "No program opened" << url.toString();
}

void MainWindow::onhelpAboutAction()
{
    // Windows without a parent are made per use.
    QMessageBox about(QMessageBox::NoIcon, QStringLiteral("关于"),
                      QStringLiteral("<b>Lumora</b><br>自动化脚本的编写、运行与调试工具。<br>"
                                     "全局停止键：%1")
                          .arg(StopKey::label()),
                      QMessageBox::Ok);
    about.setIconPixmap(QPixmap(QStringLiteral(":/img/logo.png")));
    about.exec();
}

}  // namespace vantor
