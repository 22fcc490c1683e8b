// The recorder's window: a start and a stop button. While recording, every
// mouse and key event of the desktop becomes a record of the event log; stop
// hands the log over with lupingData and closes the window.
#pragma once

#include <QJsonArray>
#include <QMainWindow>

class QLabel;
class QMenuBar;
class QPushButton;
class QStatusBar;

namespace vantor {

class RpaView : public QMainWindow {
    Q_OBJECT
public:
    explicit RpaView(QWidget* parent = nullptr);
    ~RpaView() override;

    bool isRecording() const { return recording_; }
    // The event log so far.
    QJsonArray records() const { return eventLog; }
    // Why the last start failed; empty after a successful start.
    QString startError() const { return startError_; }

signals:
    void lupingData(QJsonArray arr);
    void closeView();

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void on_btStart_clicked();
    void on_btEnd_clicked();
    void UpdateCapslockTip(int keyCode, int x, int y, bool downOrUp);
    void UpdatekeyBoardTip(int keyType, quint32 keyCode);

private:
    void setUpForm();
    // Ends the capture and hands the log over.
    void finishRecording();

    QWidget* centralwidget = nullptr;
    QPushButton* btStart = nullptr;
    QPushButton* btEnd = nullptr;
    QMenuBar* menubar = nullptr;
    QStatusBar* statusbar = nullptr;
    // Below the buttons, shown only when a start failed: why nothing is recorded.
    QLabel* startFailure = nullptr;
    QJsonArray eventLog;
    bool recording_ = false;
    QString startError_;
};

}  // namespace vantor
