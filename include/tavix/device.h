/* The device family: screen, power, brightness, volume and system names. */
#ifndef TAVIX_DEVICE_H
#define TAVIX_DEVICE_H
#include "common.h"

TX_BEGIN_DECLS

/* The operating system's name; "Unknown" when it cannot be read. The device
 * texts live in the engine's own 1024-byte arrays, one a function, valid until
 * that function is called again. */
TX_EXPORT const char* TX_device_baseOS(void);
/* The board's maker and product; "Unknown" when they cannot be read. */
TX_EXPORT const char* TX_device_board(void);
/* The firmware's vendor and version; "Unknown" when they cannot be read. */
TX_EXPORT const char* TX_device_BootLoader(void);
/* The brightness as a decimal text; "0" when it cannot be read. */
TX_EXPORT const char* TX_device_getBrightness(void);
/* The battery charge in percent; 255 when unknown or there is no battery. */
TX_EXPORT int TX_device_getBattery(void);
/* The output volume (master level scaled by its maximum); -1 when unknown. */
TX_EXPORT int TX_device_getMusicMaxVolume(void);
/* Width of the primary screen in pixels; 0 without a screen. */
TX_EXPORT int TX_device_width(void);
/* Height of the primary screen in pixels; 0 without a screen. */
TX_EXPORT int TX_device_height(void);
/* True when on mains power; false when on battery or unknown. */
TX_EXPORT bool TX_device_isCharging(void);
/* True when at least one screen has a non-empty geometry. */
TX_EXPORT bool TX_device_isScreenOn(void);
/* Sets the brightness (0..100 mapped onto the display's gamma ramp). False
 * when it cannot be set. */
TX_EXPORT bool TX_device_setBrightness(int num);

TX_END_DECLS
#endif
