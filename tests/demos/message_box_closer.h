// Presses "ok" on the engine's message boxes from outside their process:
// finds a shown top-level window with the box's title on the X display,
// gives it the keyboard focus and presses Return, its default button's key.
#pragma once

#include <QString>

struct _XDisplay;

namespace demos_test {

class MessageBoxCloser {
public:
    explicit MessageBoxCloser(const QString& title = QStringLiteral("msg"));
    ~MessageBoxCloser();
    MessageBoxCloser(const MessageBoxCloser&) = delete;
    MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;

    bool connected() const { return display_ != nullptr; }
    // Looks once; presses Return on every box found. True when one was found.
    bool poke();
    int boxesSeen() const { return seen_; }

private:
    _XDisplay* display_ = nullptr;
    QString title_;
    int seen_ = 0;
};

// The size of the default screen of the X display, as the demos see it.
struct ScreenSize {
    int width = 0;
    int height = 0;
};
ScreenSize displaySize();

}  // namespace demos_test
