// The backends the engine uses, chosen once per process on first use.
#pragma once

#include <memory>

#include "tavix/platform/device.h"
#include "tavix/platform/input.h"
#include "tavix/platform/screen.h"

namespace tavix::platform {

InputBackend& input();
// The system's own screen grab; null where there is none (no display, or a
// display server the backend cannot read), and the caller falls back.
ScreenBackend* screen();
device::DeviceBackend& deviceBackend();

// Replaces the input backend (tests install a recording one) and returns the
// previous one so that it can be put back.
std::unique_ptr<InputBackend> replaceInput(std::unique_ptr<InputBackend> backend);

// Whether the desktop's display server accepts a connection, so that the
// application object can use the native windowing platform.
bool displayReachable();

// The name of the windowing platform that works without a display.
const char* headlessPlatformName();

}  // namespace tavix::platform
