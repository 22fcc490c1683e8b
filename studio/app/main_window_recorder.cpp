// The recorder's part of the main window: starting the recorder and putting
// a finished recording into the editor as script lines.
#include <QDebug>

#include "main_window.h"

namespace vantor {

void MainWindow::on_btRpa_clicked()
{
    qDebug().noquote() << "The recorder is not available in this build yet";
}

void MainWindow::insertRecording(const QJsonArray& events)
{
    qDebug().noquote() << "A recording of" << events.size()
                       << "events cannot be turned into script lines in this build yet";
}

}  // namespace vantor
