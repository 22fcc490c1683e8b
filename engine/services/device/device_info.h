// The device family: the machine's names, power, screens, brightness and volume.
#pragma once

namespace tavix::device {

// Texts live in each function's own 1024-byte array.
const char* baseOS();
const char* board();
const char* bootLoader();
const char* getBrightness();
int getBattery();
bool isCharging();
bool setBrightness(int num);
int getMusicMaxVolume();
int width();
int height();
bool isScreenOn();

}  // namespace tavix::device
