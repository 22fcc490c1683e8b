// Linux: X11 through the engine's own connection (XTest for input, MIT-SHM for
// grabs), and the file systems for device facts.
#include "common/native.h"
#include "linux_device.h"
#include "x11/x11_connection.h"
#include "x11/x11_input.h"
#include "x11/x11_shm_screen.h"

namespace tavix::platform::native {

std::unique_ptr<InputBackend> createInput()
{
    x11::Connection* connection = x11::Connection::instance();
    if (!connection || !connection->hasXTest())
        return nullptr;
    return std::make_unique<x11::Input>(*connection);
}

std::unique_ptr<ScreenBackend> createScreen()
{
    x11::Connection* connection = x11::Connection::instance();
    if (!connection)
        return nullptr;
    return x11::ShmScreen::create(*connection);
}

std::unique_ptr<device::DeviceBackend> createDevice()
{
    return std::make_unique<device::LinuxDevice>();
}

bool displayReachable()
{
    return x11::Connection::instance() != nullptr;
}

}  // namespace tavix::platform::native
