// What each operating system's folder provides to the backend selection.
#pragma once

#include <memory>

#include "tavix/platform/input.h"
#include "tavix/platform/screen.h"

namespace tavix::platform::native {

// Each returns null when the system's own mechanism is unavailable.
std::unique_ptr<InputBackend> createInput();
std::unique_ptr<ScreenBackend> createScreen();
bool displayReachable();

}  // namespace tavix::platform::native
