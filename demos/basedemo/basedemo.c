/* The baseclass family: a toast, a screenshot to a file, a short sleep, the
 * clipboard text, the colour of one screen pixel and a message box. */
#include <stdbool.h>
#include <stdio.h>

#include "demo_engine.h"
#include "demo_folder.h"

static const char* (*baseclass_getClip)(void);
static const char* (*baseclass_getColor)(int x, int y);
static void (*baseclass_msg)(const char* text);
static bool (*baseclass_screenshots)(const char* path);
static void (*baseclass_sleep)(int ms);
static void (*baseclass_toast)(const char* text);

static const struct demo_symbol symbols[] = {
    DEMO_SYMBOL("TX_baseclass_getClip", baseclass_getClip),
    DEMO_SYMBOL("TX_baseclass_getColor", baseclass_getColor),
    DEMO_SYMBOL("TX_baseclass_msg", baseclass_msg),
    DEMO_SYMBOL("TX_baseclass_screenshots", baseclass_screenshots),
    DEMO_SYMBOL("TX_baseclass_sleep", baseclass_sleep),
    DEMO_SYMBOL("TX_baseclass_toast", baseclass_toast),
};

static void run(void)
{
    char screen[4096];
    baseclass_toast("hello world");
    baseclass_screenshots(demo_path(screen, sizeof screen, "screen.png"));
    baseclass_sleep(100);
    printf("Clip  is %s\n", demo_text(baseclass_getClip()));
    printf("Color is %s\n", demo_text(baseclass_getColor(100, 100)));
    /* The box waits for its "ok"; whoever watches should see the lines above first. */
    fflush(stdout);
    baseclass_msg("hello world");
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
