/* The device family: system names, power, brightness, volume and screen size,
 * then the brightness set down and back up. */
#include <stdbool.h>
#include <stdio.h>

#include "demo_clock.h"
#include "demo_engine.h"
#include "demo_folder.h"

static const char* (*device_baseOS)(void);
static const char* (*device_board)(void);
static const char* (*device_BootLoader)(void);
static const char* (*device_getBrightness)(void);
static int (*device_getBattery)(void);
static int (*device_getMusicMaxVolume)(void);
static int (*device_width)(void);
static int (*device_height)(void);
static bool (*device_isCharging)(void);
static bool (*device_isScreenOn)(void);
static bool (*device_setBrightness)(int num);

static const struct demo_symbol symbols[] = {
    DEMO_SYMBOL("TX_device_baseOS", device_baseOS),
    DEMO_SYMBOL("TX_device_board", device_board),
    DEMO_SYMBOL("TX_device_BootLoader", device_BootLoader),
    DEMO_SYMBOL("TX_device_getBrightness", device_getBrightness),
    DEMO_SYMBOL("TX_device_getBattery", device_getBattery),
    DEMO_SYMBOL("TX_device_getMusicMaxVolume", device_getMusicMaxVolume),
    DEMO_SYMBOL("TX_device_width", device_width),
    DEMO_SYMBOL("TX_device_height", device_height),
    DEMO_SYMBOL("TX_device_isCharging", device_isCharging),
    DEMO_SYMBOL("TX_device_isScreenOn", device_isScreenOn),
    DEMO_SYMBOL("TX_device_setBrightness", device_setBrightness),
};

static void run(void)
{
    printf("OS    is: %s\n", demo_text(device_baseOS()));
    printf("board is: %s\n", demo_text(device_board()));
    printf("BIOS  is: %s\n", demo_text(device_BootLoader()));
    printf("Battery is %d\n", device_getBattery());
    printf("Brightness is %s\n", demo_text(device_getBrightness()));
    printf("Music Max Volume: %d\n", device_getMusicMaxVolume());
    const int width = device_width();
    const int height = device_height();
    printf("H*W is %d*%d\n", height, width);
    printf("isCharging is %d\n", (unsigned char)device_isCharging());
    printf("isScreenOn is %d\n", (unsigned char)device_isScreenOn());
    printf("setBrightness 64-128 -----------------------\n");
    fflush(stdout);
    device_setBrightness(64);
    demo_wait_ms(1000);
    device_setBrightness(128);
}

int main(void)
{
    demo_library* engine = demo_open_engine(symbols, DEMO_COUNT(symbols), DEMO_SILENT_LOAD_FAILURE);
    if (!engine)
        return 0;
    run();
    demo_free(engine);
    return 0;
}
