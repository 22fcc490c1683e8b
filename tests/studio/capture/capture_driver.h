// Drives the capture overlay as a user does: mouse and keys injected by
// another X client (xdotool), the clipboard read back with xclip, and a
// window of known content under the overlay.
#pragma once

#include <QImage>
#include <QPoint>
#include <QStringList>
#include <QWidget>

namespace vantor::test {

// Runs xdotool with the arguments; false when it fails.
bool xdotool(const QStringList& args);
// Presses the left button at `from`, moves to `to` and releases there.
bool dragOnScreen(QPoint from, QPoint to);
// Moves without a button to `hover`, then drags from there by `by`.
bool dragFrom(QPoint hover, QPoint by);
bool clickAt(QPoint at);
bool pressKey(const char* key);

// The clipboard's picture as the PNG another program reads; null when none.
QImage clipboardPngFromXclip();

// A frameless window full of pixels that differ from their neighbours, so
// that a picture cut one pixel off differs from the expected one.
class Backdrop : public QWidget {
public:
    Backdrop();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage pattern_;
};

// The screen as another reader sees it.
QImage screenNow();
bool samePixels(const QImage& a, const QImage& b);

}  // namespace vantor::test
