// The run controls of the main window: run, debug, the three steps and stop,
// each starting a new run or steering the active one.
#include <QEventLoop>
#include <QTimer>
#include <QTreeView>

#include "main_window.h"
#include "mycode_edit.h"

namespace vantor {

void MainWindow::connectRunControls()
{
    runControls_->setSource([this] {
        ScriptSource source;
        source.text = editor_->toScriptText();
        source.breakpoints = editor_->breakpoints();
        return source;
    });
    connect(runControls_, &RunControls::debugRunNum, this, &MainWindow::deBugRunNum);
    connect(runControls_, &RunControls::deBugInfo, this, &MainWindow::debugInfo);
    connect(runControls_, &RunControls::showLogInfo, this, &MainWindow::logInfo);
    connect(editor_, &MycodeEdit::setDebug, runControls_, &RunControls::setBreakpoints);
}

void MainWindow::on_btStar_clicked()
{
    runControls_->run();
}

void MainWindow::on_btDebug_clicked()
{
    showVariablePanel();
    runControls_->debug();
}

void MainWindow::on_btStep_into_clicked()
{
    showVariablePanel();
    runControls_->stepInto();
}

void MainWindow::on_btStep_over_clicked()
{
    showVariablePanel();
    runControls_->stepOver();
}

void MainWindow::on_btStep_out_clicked()
{
    runControls_->stepOut();
}

void MainWindow::on_btEnd_clicked()
{
    showCataloguePanel();
    runControls_->stop();
}

bool MainWindow::isRunActive() const
{
    return runControls_->isActive();
}

bool MainWindow::stopRunAndWait(int timeoutMs)
{
    if (!runControls_->isActive())
        return true;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(runControls_, &RunControls::endThread, &loop, &QEventLoop::quit);
    runControls_->stop();
    if (runControls_->isActive()) {
        deadline.start(timeoutMs);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return !runControls_->isActive();
}

}  // namespace vantor
