// The recorder's part of the main window: starting the recorder and putting
// a finished recording into the editor as script lines.
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QTextCursor>
#include <QTextDocument>

#include "main_window.h"
#include "mycode_edit.h"
#include "recording_script.h"
#include "rpa_view.h"

namespace vantor {

void MainWindow::on_btRpa_clicked()
{
    auto* recorder = new RpaView();
    hide();
    recorder->setWindowTitle(QStringLiteral("RPA 机器人流程自动化"));
    recorder->setWindowFlags(Qt::SubWindow | Qt::WindowStaysOnTopHint);
    QPalette palette = recorder->palette();
    palette.setColor(QPalette::Window, QColor(QStringLiteral("#e8eaf6")));
    recorder->setPalette(palette);
    recorder->setAutoFillBackground(true);
    const QList<QScreen*> screens = QGuiApplication::screens();
    const int screenWidth = screens.isEmpty() ? 0 : screens.first()->geometry().width();
    recorder->move(screenWidth - recorder->width(), 80);
    recorder->show();

    connect(recorder, &RpaView::lupingData, this, &MainWindow::insertRecording,
            Qt::DirectConnection);
    connect(recorder, &RpaView::closeView, this, &MainWindow::show, Qt::DirectConnection);
    // A closed recorder has handed its recording over and ended its capture.
    connect(recorder, &RpaView::closeView, recorder, &QObject::deleteLater);
}

void MainWindow::insertRecording(const QJsonArray& events)
{
    // One edit that Undo takes back whole: the recording replaces the script
    // without a question, so the previous script must stay one step away.
    QTextCursor edit(editor_->document());
    edit.beginEditBlock();
    edit.select(QTextCursor::Document);
    edit.removeSelectedText();
    editor_->setTextCursor(edit);
    editor_->insertScriptText(recordingToScript(events));
    edit.endEditBlock();
    QTextCursor start(editor_->document());
    editor_->setTextCursor(start);
    editor_->setFocus();
}

}  // namespace vantor
