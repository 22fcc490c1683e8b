// The screenshot tool's and the API catalogue's part of the main window.
#include <QDebug>
#include <QEventLoop>
#include <QStandardItemModel>
#include <QTimer>
#include <QTreeView>

#include "catalogue_model.h"
#include "catalogue_text.h"
#include "main_window.h"
#include "mycode_edit.h"
#include "screen.h"
#include "ui_main_window.h"

namespace vantor {

namespace {

constexpr int kHideWaitMs = 300;

// The window must be off the screen before the tool grabs it. A plain sleep
// would keep the hide from ever reaching the window system, so the wait runs
// the event loop, without user input.
void waitForTheWindowToGo()
{
    QEventLoop loop;
    QTimer::singleShot(kHideWaitMs, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

void MainWindow::on_btJieping_Click()
{
    hide();
    waitForTheWindowToGo();
    auto* screen = new Screen;
    // The tool put the picture on the clipboard: the editor's paste makes it
    // an inline picture at the cursor.
    connect(screen, &Screen::saveClick, this, [this] {
        show();
        editor_->paste();
        editor_->setFocus();
    });
    connect(screen, &Screen::caceBtClick, this, [this] { show(); });
}

void MainWindow::buildApiCatalogue()
{
    QStandardItemModel* model = buildCatalogueModel(this);
    ui->treeView->setMinimumWidth(330);
    ui->treeView->setMaximumWidth(500);
    ui->treeView->setModel(model);
    ui->treeView->expand(model->index(0, 0));
}

void MainWindow::on_treeView_doubleClicked(QModelIndex index)
{
    const QAbstractItemModel* model = ui->treeView->model();
    const QString entry = model->data(index).toString();
    if (model->index(0, 0, index).isValid()) {
        qDebug() << "父节点";
        return;
    }
    qDebug() << "子节点";
    if (!needsPicture(entry)) {
        editor_->insertPlainText(statementOf(entry));
        return;
    }

    hide();
    waitForTheWindowToGo();
    auto* screen = new Screen;
    connect(screen, &Screen::saveImg, this, [this, entry](const QImage& img) {
        show();
        const QString call = withPicture(entry, img);
        qDebug().noquote() << call;
        editor_->insertScriptText(statementOf(call));
        editor_->setFocus();
    });
    connect(screen, &Screen::caceBtClick, this, [this] { show(); });
}

void MainWindow::on_treeView_pressed(QModelIndex index)
{
    Q_UNUSED(index);
}

}  // namespace vantor
