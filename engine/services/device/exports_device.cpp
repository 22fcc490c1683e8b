// Exports of the device family.
#include "core/guard.h"
#include "device_info.h"
#include "tavix.h"

using namespace tavix;

const char* TX_device_baseOS(void) { return guarded<const char*>(__func__, "Unknown", [] { return DeviceInfo().baseOS(); }); }
const char* TX_device_board(void) { return guarded<const char*>(__func__, "Unknown", [] { return DeviceInfo().board(); }); }
const char* TX_device_BootLoader(void) { return guarded<const char*>(__func__, "Unknown", [] { return DeviceInfo().bootLoader(); }); }
const char* TX_device_getBrightness(void) { return guarded<const char*>(__func__, "0", [] { return DeviceInfo().getBrightness(); }); }
int TX_device_getBattery(void) { return guarded(__func__, 255, [] { return DeviceInfo().getBattery(); }); }
bool TX_device_isCharging(void) { return guarded(__func__, false, [] { return DeviceInfo().isCharging(); }); }
bool TX_device_setBrightness(int num) { return guarded(__func__, false, [&] { return DeviceInfo().setBrightness(num); }); }
int TX_device_getMusicMaxVolume(void) { return guarded(__func__, -1, [] { return DeviceInfo().getMusicMaxVolume(); }); }
int TX_device_width(void) { return guarded(__func__, 0, [] { return DeviceInfo().width(); }); }
int TX_device_height(void) { return guarded(__func__, 0, [] { return DeviceInfo().height(); }); }
bool TX_device_isScreenOn(void) { return guarded(__func__, false, [] { return DeviceInfo().isScreenOn(); }); }
