#include "msg_box.h"

#include <QApplication>
#include <QDebug>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "application.h"

namespace tavix::core {

namespace {

constexpr int kToastMilliseconds = 3000;
// Laying out a megabyte of text freezes the application for many seconds; no
// box shows more than this anyway.
constexpr int kMaxShownCharacters = 4000;
constexpr auto kToastFlags = Qt::WindowFlags(0x2000803);  // dialog, frameless, customised
constexpr auto kToastStyle =
    "QMessageBox { background-color: white; color: black; border-radius: 10px; height: 80px;}";

QMessageBox::Icon iconOf(int type)
{
    switch (type) {
    case msgBox::Critical:
        return QMessageBox::Critical;
    case msgBox::Question:
        return QMessageBox::Question;
    default:
        return QMessageBox::Information;
    }
}

// A modal box with the one button "ok", which is the default; no escape button.
void showModal(const msgBox& request)
{
    QMessageBox box(iconOf(request.type), request.title, request.text, QMessageBox::NoButton);
    QPushButton* ok = box.addButton(QStringLiteral("ok"), QMessageBox::ActionRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(static_cast<QAbstractButton*>(nullptr));
    box.exec();
}

void showToast(const QString& text)
{
    auto* box = new QMessageBox();
    box->setText(text);
    box->setIcon(QMessageBox::NoIcon);
    box->setStandardButtons(QMessageBox::NoButton);
    box->setWindowFlags(kToastFlags);
    box->setStyleSheet(QString::fromLatin1(kToastStyle));
    auto* timer = new QTimer();
    QObject::connect(timer, &QTimer::timeout, [box, timer] {
        box->deleteLater();
        timer->deleteLater();
    });
    timer->start(kToastMilliseconds);
    box->show();
}

}  // namespace

msgBox::msgBox(const QString& title, const QString& text, int type)
    : title(title), text(text), type(type)
{
}

void msgBox::onShow()
{
    if (type >= Information && type <= Question)
        showModal(*this);
    else if (type == Toast)
        showToast(text);
    deleteLater();
}

void msgBox::showFromAnyThread(const QString& title, const QString& text, int type)
{
    if (!widgetsAvailable()) {
        qWarning("Cannot show a message box: no QApplication (call TX_api_initialize first)");
        return;
    }
    // A modal box there would wait for an answer for ever.
    if (type != Toast && engineRunsHeadless()) {
        qWarning().noquote() << QStringLiteral("No display to show the message box: %1").arg(text);
        return;
    }
    QString shown = text;
    if (shown.size() > kMaxShownCharacters) {
        qWarning("The message box shows the first %d of %d characters", kMaxShownCharacters,
                 int(shown.size()));
        shown = shown.left(kMaxShownCharacters) + QChar(0x2026);
    }
    QEventLoop loop;
    auto* box = new msgBox(title, shown, type);
    QObject::connect(box, &QObject::destroyed, &loop, &QEventLoop::quit);
    box->moveToThread(QCoreApplication::instance()->thread());
    QTimer::singleShot(0, box, &msgBox::onShow);
    loop.exec();
}

}  // namespace tavix::core
