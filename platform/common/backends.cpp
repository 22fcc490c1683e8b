#include "tavix/platform/backends.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <mutex>

#include "native.h"
#include "qt_screen.h"
#include "tavix/platform/recording_input.h"

namespace tavix::platform {

Q_LOGGING_CATEGORY(lcPlatform, "tavix.platform")

namespace {

// Without a way to inject, events are dropped; said once so that a script's
// author learns why nothing moves.
class NullInput : public InputBackend {
public:
    void setCursorPos(int, int) override { warnOnce(); }
    void mouseEvent(std::uint32_t, std::int32_t, std::int32_t, std::uint32_t,
                    std::uintptr_t) override
    {
        warnOnce();
    }
    void keybdEvent(std::uint8_t, std::uint8_t, std::uint32_t, std::uintptr_t) override
    {
        warnOnce();
    }
    std::uintptr_t messageExtraInfo() override { return 0; }

private:
    void warnOnce()
    {
        std::call_once(warned_, [] {
            qCWarning(lcPlatform) << "No input injection available (no display or no XTest): "
                                     "mouse and keyboard events are dropped";
        });
    }
    std::once_flag warned_;
};

std::unique_ptr<InputBackend> chooseInput()
{
    const QByteArray chosen = qgetenv("TAVIX_INPUT_BACKEND");
    if (chosen == "recording")
        return std::make_unique<RecordingInput>(0, qgetenv("TAVIX_INPUT_LOG").toStdString());
    if (auto native = native::createInput())
        return native;
    return std::make_unique<NullInput>();
}

bool headless()
{
    const QString name = QGuiApplication::platformName();
    return name == QLatin1String(headlessPlatformName()) || name == QLatin1String("minimal");
}

std::unique_ptr<ScreenBackend> chooseScreen()
{
    if (headless()) {
        qCWarning(lcPlatform) << "No screen to grab: the application runs without a display";
        return std::make_unique<NullScreen>();
    }
    if (auto native = native::createScreen())
        return native;
    return std::make_unique<QtScreen>();
}

std::mutex inputMutex;
std::unique_ptr<InputBackend> inputBackend;

}  // namespace

InputBackend& input()
{
    std::lock_guard<std::mutex> lock(inputMutex);
    if (!inputBackend)
        inputBackend = chooseInput();
    return *inputBackend;
}

std::unique_ptr<InputBackend> replaceInput(std::unique_ptr<InputBackend> backend)
{
    std::lock_guard<std::mutex> lock(inputMutex);
    std::unique_ptr<InputBackend> previous = std::move(inputBackend);
    inputBackend = std::move(backend);
    return previous;
}

ScreenBackend& screen()
{
    // Chosen once the application object exists; before that nothing can be grabbed.
    if (!qGuiApp) {
        static NullScreen none;
        return none;
    }
    static const std::unique_ptr<ScreenBackend> backend = chooseScreen();
    return *backend;
}

bool displayReachable()
{
    return native::displayReachable();
}

const char* headlessPlatformName()
{
    return "offscreen";
}

}  // namespace tavix::platform
