/* The device family: screen, power, brightness, volume and system names. */
#ifndef TAVIX_DEVICE_H
#define TAVIX_DEVICE_H
#include "common.h"

TX_BEGIN_DECLS

TX_EXPORT const char* TX_device_baseOS(void);
TX_EXPORT const char* TX_device_board(void);
TX_EXPORT const char* TX_device_BootLoader(void);
TX_EXPORT const char* TX_device_getBrightness(void);
TX_EXPORT int TX_device_getBattery(void);
TX_EXPORT int TX_device_getMusicMaxVolume(void);
TX_EXPORT int TX_device_width(void);
TX_EXPORT int TX_device_height(void);
TX_EXPORT bool TX_device_isCharging(void);
TX_EXPORT bool TX_device_isScreenOn(void);
TX_EXPORT bool TX_device_setBrightness(int num);

TX_END_DECLS
#endif
