// Exports of the device family.
// One export a line, as a table.
// clang-format off
#include "core/guard.h"
#include "device_info.h"
#include "tavix.h"

using namespace tavix;
using tavix::core::guarded;

const char* TX_device_baseOS(void) { return guarded<const char*>(__func__, "Unknown", [] { return device::baseOS(); }); }
const char* TX_device_board(void) { return guarded<const char*>(__func__, "Unknown", [] { return device::board(); }); }
const char* TX_device_BootLoader(void) { return guarded<const char*>(__func__, "Unknown", [] { return device::bootLoader(); }); }
const char* TX_device_getBrightness(void) { return guarded<const char*>(__func__, "0", [] { return device::getBrightness(); }); }
int TX_device_getBattery(void) { return guarded(__func__, 255, [] { return device::getBattery(); }); }
bool TX_device_isCharging(void) { return guarded(__func__, false, [] { return device::isCharging(); }); }
bool TX_device_setBrightness(int num) { return guarded(__func__, false, [&] { return device::setBrightness(num); }); }
int TX_device_getMusicMaxVolume(void) { return guarded(__func__, -1, [] { return device::getMusicMaxVolume(); }); }
int TX_device_width(void) { return guarded(__func__, 0, [] { return device::width(); }); }
int TX_device_height(void) { return guarded(__func__, 0, [] { return device::height(); }); }
bool TX_device_isScreenOn(void) { return guarded(__func__, false, [] { return device::isScreenOn(); }); }
