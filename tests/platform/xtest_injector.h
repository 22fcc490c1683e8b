// Input injected by another X client: an XTest connection of the test's own,
// apart from the engine's and the capture's connections.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace tavix::test {

class XTestInjector {
public:
    XTestInjector() : display_(XOpenDisplay(nullptr)) {}
    ~XTestInjector()
    {
        if (display_)
            XCloseDisplay(display_);
    }
    XTestInjector(const XTestInjector&) = delete;
    XTestInjector& operator=(const XTestInjector&) = delete;

    bool ok() const { return display_ != nullptr; }
    Display* display() const { return display_; }

    void move(int x, int y) { XTestFakeMotionEvent(display_, -1, x, y, CurrentTime); }
    void button(unsigned int button, bool down)
    {
        XTestFakeButtonEvent(display_, button, down ? True : False, CurrentTime);
    }
    void click(unsigned int which)
    {
        button(which, true);
        button(which, false);
    }
    // Presses the key that types `keysym` unshifted on the current layout.
    void key(unsigned long keysym, bool down)
    {
        XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, keysym), down ? True : False,
                          CurrentTime);
    }
    void tap(unsigned long keysym)
    {
        key(keysym, true);
        key(keysym, false);
    }
    // Waits until the server has processed everything sent so far.
    void sync() { XSync(display_, False); }

    // The keyboard layout of the display, as setxkbmap names it ("us", "de").
    static bool setLayout(const QString& layout)
    {
        return QProcess::execute(QStringLiteral("setxkbmap"), QStringList{layout}) == 0;
    }

private:
    Display* display_;
};

// Keeps the display's keyboard map as it was and puts it back on destruction,
// so that tests run on a developer's own desktop leave its layout alone.
class KeyboardLayoutGuard {
public:
    KeyboardLayoutGuard()
    {
        if (dir_.isValid())
            saved_ = QProcess::execute(QStringLiteral("xkbcomp"),
                                       {QStringLiteral("-xkb"), display(), file()})
                == 0;
    }
    ~KeyboardLayoutGuard()
    {
        if (saved_)
            QProcess::execute(QStringLiteral("xkbcomp"),
                              {QStringLiteral("-w0"), file(), display()});
    }
    KeyboardLayoutGuard(const KeyboardLayoutGuard&) = delete;
    KeyboardLayoutGuard& operator=(const KeyboardLayoutGuard&) = delete;
    bool saved() const { return saved_; }

private:
    static QString display() { return QString::fromLocal8Bit(qgetenv("DISPLAY")); }
    QString file() const { return dir_.filePath(QStringLiteral("keymap.xkb")); }

    QTemporaryDir dir_;
    bool saved_ = false;
};

}  // namespace tavix::test
