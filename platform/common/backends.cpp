#include "tavix/platform/backends.h"

#include <cstdlib>
#include <mutex>
#include <string>

#include "native.h"
#include "tavix/platform/log.h"
#include "tavix/platform/recording_input.h"

namespace tavix::platform {

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
            logLine(
                "No input injection available (no display or no XTest): "
                "mouse and keyboard events are dropped");
        });
    }
    std::once_flag warned_;
};

// A machine that tells nothing and refuses every change.
class NullDevice : public device::DeviceBackend {
public:
    device::Firmware firmware() override { return {}; }
    device::PowerStatus powerStatus() override { return {}; }
    std::string systemName() override { return {}; }
    bool setGammaRamp(const device::GammaRamp&) override { return false; }
    std::vector<std::uint16_t> currentGammaRed() override { return {}; }
    std::optional<device::MasterVolume> masterVolume() override { return std::nullopt; }
};

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::unique_ptr<InputBackend> chooseInput()
{
    if (environment("TAVIX_INPUT_BACKEND") == "recording")
        return std::make_unique<RecordingInput>(0, environment("TAVIX_INPUT_LOG"));
    if (auto native = native::createInput())
        return native;
    return std::make_unique<NullInput>();
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

ScreenBackend* screen()
{
    static const std::unique_ptr<ScreenBackend> backend = native::createScreen();
    return backend.get();
}

device::DeviceBackend& deviceBackend()
{
    static const std::unique_ptr<device::DeviceBackend> backend = [] {
        std::unique_ptr<device::DeviceBackend> native = native::createDevice();
        return native ? std::move(native) : std::make_unique<NullDevice>();
    }();
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
