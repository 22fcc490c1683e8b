// What each system's backend folder provides: one factory per concern. A new
// backend is a folder that defines these and one branch in CMakeLists.txt.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "tavix/platform/capture.h"
#include "tavix/platform/device.h"
#include "tavix/platform/global_key.h"
#include "tavix/platform/input.h"
#include "tavix/platform/screen.h"

namespace tavix::platform::native {

// Each returns null when the system's own mechanism is unavailable.
std::unique_ptr<InputBackend> createInput();
std::unique_ptr<ScreenBackend> createScreen();
std::unique_ptr<device::DeviceBackend> createDevice();
bool displayReachable();

// In tavix_capture: the desktop's global input capture.
std::unique_ptr<CaptureSource> createCaptureSource();

// In tavix_hotkey: a system-wide key grab (see GlobalKeyGrab::create); `error`
// is never null.
std::unique_ptr<GlobalKeyGrab> createGlobalKeyGrab(KeyCombination keys,
                                                   std::function<void()> onPress,
                                                   std::string* error);

}  // namespace tavix::platform::native
