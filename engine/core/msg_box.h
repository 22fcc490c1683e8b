// Carries one message box or toast to the application's thread and shows it there.
#pragma once

#include <QObject>
#include <QString>

namespace tavix::core {

class msgBox : public QObject {
    Q_OBJECT
public:
    enum Type { Information = 1, Critical = 2, Question = 3, Toast = 4 };

    msgBox(const QString& title, const QString& text, int type);

    QString title;
    QString text;
    int type;

    // Hands the box to the application's thread and blocks the calling thread,
    // in a local event loop, until the box has been shown (toast) or closed
    // (modal boxes).
    static void showFromAnyThread(const QString& title, const QString& text, int type);

public slots:
    void onShow();
};

}  // namespace tavix::core
