#include "global_input_hooks.h"

#include <QDateTime>
#include <QDebug>
#include <memory>

#include "event_record.h"
#include "capture_session.h"

namespace vantor {

namespace {

using tavix::platform::CaptureEvent;

struct HookState {
    const void* owner = nullptr;
    GlobalInputHooks::MouseCallback mouse;
    GlobalInputHooks::KeyboardCallback keyboard;
    QVector<quint32> keysDown;
    std::unique_ptr<tavix::platform::qt::CaptureSession> session;
    qint64 deliveringTime = 0;  // 0: not handing an event over
};

HookState& state()
{
    static HookState hooks;
    return hooks;
}

struct ButtonCode {
    CaptureEvent::Button button;
    int code;
};
constexpr ButtonCode kButtonCodes[] = {{CaptureEvent::Left, MouseLeft},
                                       {CaptureEvent::Right, MouseRight},
                                       {CaptureEvent::Middle, MouseMiddle}};

int buttonCode(CaptureEvent::Button button)
{
    for (const ButtonCode& entry : kButtonCodes)
        if (entry.button == button)
            return entry.code;
    return -1;
}

void mouse(int code, int x, int y, bool down)
{
    if (state().mouse)
        state().mouse(code, x, y, down);
}

void keyboard(const CaptureEvent& event)
{
    HookState& hooks = state();
    const quint32 vk = event.virtualKey;
    if (event.kind == CaptureEvent::KeyDown) {
        if (hooks.keysDown.contains(vk))
            return;  // auto-repeat of a held key
        hooks.keysDown.append(vk);
        if (hooks.keyboard)
            hooks.keyboard(KeyDown, vk);
        qDebug().noquote() << "Global key press event: " << vk;
    } else {
        hooks.keysDown.removeAll(vk);
        if (hooks.keyboard)
            hooks.keyboard(KeyUp, vk);
        qDebug().noquote() << "Global key up event: " << vk;
    }
}

}  // namespace

void GlobalInputHooks::bind(const void* owner, MouseCallback mouseCallback,
                            KeyboardCallback keyboardCallback)
{
    HookState& hooks = state();
    hooks.owner = owner;
    hooks.mouse = std::move(mouseCallback);
    hooks.keyboard = std::move(keyboardCallback);
}

void GlobalInputHooks::unbind(const void* owner)
{
    HookState& hooks = state();
    if (hooks.owner != owner)
        return;
    hooks.owner = nullptr;
    hooks.mouse = nullptr;
    hooks.keyboard = nullptr;
}

bool GlobalInputHooks::install(QString* error)
{
    HookState& hooks = state();
    if (hooks.session && hooks.session->isActive())
        return true;
    if (!hooks.session)
        hooks.session =
            std::make_unique<tavix::platform::qt::CaptureSession>(&GlobalInputHooks::deliver);
    // A key released while nothing listened would otherwise stay "held" and
    // swallow its next press.
    hooks.keysDown.clear();
    QString reason;
    if (!hooks.session->start(tavix::platform::createCaptureSource(), &reason)) {
        qWarning().noquote() << "Recorder: the global input capture cannot start:" << reason;
        if (error)
            *error = reason;
        return false;
    }
    return true;
}

void GlobalInputHooks::remove()
{
    if (state().session)
        state().session->stop();
}

bool GlobalInputHooks::installed()
{
    return state().session && state().session->isActive();
}

qint64 GlobalInputHooks::eventTime()
{
    const qint64 time = state().deliveringTime;
    return time != 0 ? time : QDateTime::currentMSecsSinceEpoch();
}

QVector<quint32> GlobalInputHooks::keysDown()
{
    return state().keysDown;
}

void GlobalInputHooks::deliver(const CaptureEvent& event)
{
    HookState& hooks = state();
    hooks.deliveringTime = event.timeMs;
    switch (event.kind) {
    case CaptureEvent::Motion: mouse(MouseMove, event.x, event.y, false); break;
    case CaptureEvent::ButtonDown:
    case CaptureEvent::ButtonUp:
        if (const int code = buttonCode(event.button); code >= 0)
            mouse(code, event.x, event.y, event.kind == CaptureEvent::ButtonDown);
        break;
    case CaptureEvent::Wheel:
        // The mouse-data word: the wheel delta in its high 16 bits.
        mouse(MouseWheel, int(quint32(qint32(event.wheelDelta)) << 16), 0, false);
        break;
    case CaptureEvent::KeyDown:
    case CaptureEvent::KeyUp: keyboard(event); break;
    }
    hooks.deliveringTime = 0;
}

}  // namespace vantor
