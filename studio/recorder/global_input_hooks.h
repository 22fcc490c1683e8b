// The process-wide state of the recorder's global capture, one set for the whole
// program: the mouse and keyboard callbacks (bound to the newest recorder), the
// keys held down as the capture has seen them, and the capture itself, which
// calls the callbacks on the GUI thread, one captured event at a time.
#pragma once

#include <QString>
#include <QVector>
#include <functional>

namespace tavix::platform {
struct CaptureEvent;
}

namespace vantor {

class GlobalInputHooks {
public:
    // (button code 0 move, 1 left, 2 right, 3 middle, 4 wheel; x; y; down)
    using MouseCallback = std::function<void(int, int, int, bool)>;
    // (key event type 1 down, 2 up; virtual-key code)
    using KeyboardCallback = std::function<void(int, quint32)>;

    // Binds both callbacks for `owner`, replacing any earlier binding.
    static void bind(const void* owner, MouseCallback mouse, KeyboardCallback keyboard);
    // Drops the binding if `owner` still holds it.
    static void unbind(const void* owner);

    // Starts the desktop's capture; false with the reason in `error` when it
    // cannot run (the reason is logged as well).
    static bool install(QString* error);
    // Ends the capture after handing every event it captured to the callbacks.
    // Harmless when nothing is installed.
    static void remove();
    static bool installed();

    // The time of the event being handed to a callback, in milliseconds since
    // 1970; the current time outside a hand-over.
    static qint64 eventTime();
    // Virtual keys held down, in the order they went down.
    static QVector<quint32> keysDown();

    // One captured event through the hook logic: auto-repeats of a held key are
    // dropped, the rest go to the callbacks.
    static void deliver(const tavix::platform::CaptureEvent& event);
};

}  // namespace vantor
