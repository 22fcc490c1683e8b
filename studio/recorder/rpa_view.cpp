#include "rpa_view.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMetaObject>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>

#include "event_record.h"
#include "global_input_hooks.h"

namespace vantor {

RpaView::RpaView(QWidget* parent) : QMainWindow(parent)
{
    setUpForm();
    QMetaObject::connectSlotsByName(this);
    // The process-wide callbacks follow the newest recorder.
    QPointer<RpaView> self(this);
    GlobalInputHooks::bind(
        this,
        [self](int code, int x, int y, bool down) {
            if (self)
                self->UpdateCapslockTip(code, x, y, down);
        },
        [self](int type, quint32 code) {
            if (self)
                self->UpdatekeyBoardTip(type, code);
        });
}

RpaView::~RpaView()
{
    // Unbound first: removing the capture hands over its last events, which
    // must not reach a window half destroyed.
    GlobalInputHooks::unbind(this);
    if (recording_)
        GlobalInputHooks::remove();
}

void RpaView::setUpForm()
{
    resize(222, 109);
    centralwidget = new QWidget(this);
    centralwidget->setObjectName(QStringLiteral("centralwidget"));
    btStart = new QPushButton(centralwidget);
    btStart->setObjectName(QStringLiteral("btStart"));
    btStart->setGeometry(20, 30, 81, 28);
    btStart->setText(QStringLiteral("开始录制"));
    btStart->setStyleSheet(QStringLiteral("background-color: #42bd41"));
    btEnd = new QPushButton(centralwidget);
    btEnd->setObjectName(QStringLiteral("btEnd"));
    btEnd->setGeometry(120, 30, 81, 28);
    btEnd->setText(QStringLiteral("结束录制"));
    btEnd->setStyleSheet(QStringLiteral("background-color: #f36c60"));
    startFailure = new QLabel(centralwidget);
    startFailure->setObjectName(QStringLiteral("startFailure"));
    startFailure->setWordWrap(true);
    startFailure->setStyleSheet(QStringLiteral("color: #c62828"));
    startFailure->hide();
    setCentralWidget(centralwidget);
    menubar = new QMenuBar(this);
    menubar->setObjectName(QStringLiteral("menubar"));
    menubar->setGeometry(0, 0, 222, 26);
    setMenuBar(menubar);
    statusbar = new QStatusBar(this);
    statusbar->setObjectName(QStringLiteral("statusbar"));
    setStatusBar(statusbar);
}

void RpaView::on_btStart_clicked()
{
    btStart->setEnabled(false);
    eventLog = QJsonArray();
    QString error;
    if (!GlobalInputHooks::install(&error)) {
        // A recording that could not start must not look like an empty one:
        // the reason shows in full below the buttons.
        startError_ = error;
        startFailure->setText(QStringLiteral("无法录制：") + error);
        const int width = 222 - 2 * 10;
        startFailure->setGeometry(10, 66, width, startFailure->heightForWidth(width));
        startFailure->show();
        resize(width + 2 * 10,
               startFailure->geometry().bottom() + 8 + menubar->height()
                   + statusbar->sizeHint().height());
        btStart->setEnabled(true);
        return;
    }
    startError_.clear();
    startFailure->hide();
    recording_ = true;
}

void RpaView::finishRecording()
{
    btStart->setEnabled(true);
    // Removing the capture hands over the events still on their way, the click
    // on the stop button among them.
    GlobalInputHooks::remove();
    recording_ = false;
    emit lupingData(eventLog);
}

void RpaView::on_btEnd_clicked()
{
    // Stop without a recording closes the window and hands nothing over: an
    // empty recording would replace the user's script with nothing.
    if (recording_)
        finishRecording();
    btStart->setEnabled(true);
    close();
}

void RpaView::closeEvent(QCloseEvent* event)
{
    // Closed by its frame while recording: stop as the stop button does, so
    // that the recording reaches the user instead of running on unseen.
    if (recording_)
        finishRecording();
    emit closeView();
    QMainWindow::closeEvent(event);
}

void RpaView::UpdateCapslockTip(int keyCode, int x, int y, bool downOrUp)
{
    const QJsonObject record = mouseRecord(GlobalInputHooks::eventTime(), keyCode, x, y, downOrUp);
    if (!record.isEmpty())
        eventLog.append(record);
}

void RpaView::UpdatekeyBoardTip(int keyType, quint32 keyCode)
{
    eventLog.append(keyRecord(GlobalInputHooks::eventTime(), keyType, keyCode));
}

}  // namespace vantor
