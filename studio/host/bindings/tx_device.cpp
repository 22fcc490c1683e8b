#include "tx_device.h"

#include "script_text.h"
#include "tavix.h"

namespace vantor {

using vantor::engineText;

QScriptValue TX_device::baseOS() { return engineText(TX_device_baseOS()); }
QScriptValue TX_device::board() { return engineText(TX_device_board()); }
QScriptValue TX_device::BootLoader() { return engineText(TX_device_BootLoader()); }
QScriptValue TX_device::getBattery() { return QScriptValue(TX_device_getBattery()); }
QScriptValue TX_device::getBrightness() { return engineText(TX_device_getBrightness()); }
QScriptValue TX_device::getMusicMaxVolume() { return QScriptValue(TX_device_getMusicMaxVolume()); }
QScriptValue TX_device::height() { return QScriptValue(TX_device_height()); }
QScriptValue TX_device::isCharging() { return QScriptValue(TX_device_isCharging()); }
QScriptValue TX_device::isScreenOn() { return QScriptValue(TX_device_isScreenOn()); }
QScriptValue TX_device::setBrightness(int num) { return QScriptValue(TX_device_setBrightness(num)); }
QScriptValue TX_device::width() { return QScriptValue(TX_device_width()); }

}  // namespace vantor
