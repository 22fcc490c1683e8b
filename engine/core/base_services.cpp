#include "base_services.h"

#include <QClipboard>
#include <QColor>
#include <QGuiApplication>
#include <QMimeData>
#include <QThread>

#include "application.h"
#include "desktop.h"
#include "image_file.h"
#include "msg_box.h"
#include "text.h"

namespace tavix::core {

namespace {
const QString kTitle = QStringLiteral("msg");
}

void msg(const QString& text)
{
    msgBox::showFromAnyThread(kTitle, text, msgBox::Information);
}

void toast(const QString& text)
{
    msgBox::showFromAnyThread(kTitle, text, msgBox::Toast);
}

void sleep(int ms)
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

bool screenshots(const QString& path)
{
    const QImage screen = grabScreen();
    if (screen.isNull()) {
        qWarning("Failed to grab the screen");
        return false;
    }
    return writeImageFile(screen, path);
}

const char* getClip()
{
    static ResultText<16384> result;
    const QString text = onApplicationThread([] {
        if (!qGuiApp)
            return QString();
        const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
        return data && data->hasText() ? data->text() : QString();
    });
    return result.set(text);
}

const char* getColor(int x, int y)
{
    static ResultText<16384> result;
    // Corner to corner: a width added to x = INT_MAX would overflow.
    const QImage pixel = grabScreen(QRect(QPoint(x, y), QPoint(x, y)));
    if (pixel.isNull()) {
        qWarning("getColor: no screen pixel at %d, %d", x, y);
        return result.set(QByteArray());
    }
    return result.set(QColor(pixel.pixel(0, 0)).name().toLatin1());
}

}  // namespace tavix::core
