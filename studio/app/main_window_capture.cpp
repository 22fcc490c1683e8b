// The screenshot tool's and the API catalogue's part of the main window.
#include <QDebug>

#include "main_window.h"

namespace vantor {

void MainWindow::on_btJieping_Click()
{
    qDebug().noquote() << "The screenshot tool is not available in this build yet";
}

void MainWindow::buildApiCatalogue()
{
    // The catalogue tree stays empty until its entries are built here.
}

void MainWindow::on_treeView_doubleClicked(QModelIndex index)
{
    Q_UNUSED(index);
}

void MainWindow::on_treeView_pressed(QModelIndex index)
{
    Q_UNUSED(index);
}

}  // namespace vantor
