#include "startup_probe.h"

#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QWidget>
#include <cstdio>

namespace vantor {

namespace {

class FirstPaintProbe : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !reported_) {
            reported_ = true;
            // Reported once this paint has been flushed to the screen.
            QMetaObject::invokeMethod(
                this,
                [this, watched] {
                    std::fputs("first-paint\n", stdout);
                    std::fflush(stdout);
                    watched->removeEventFilter(this);
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool reported_ = false;
};

}  // namespace

void watchFirstPaint(QWidget* window)
{
    if (qEnvironmentVariableIsEmpty("VANTOR_STARTUP_PROBE"))
        return;
    window->installEventFilter(new FirstPaintProbe(window));
}

}  // namespace vantor
