/* The app family: a program handed to the desktop, then one web host opened
 * three ways: bare, with the plain scheme and with the secure scheme. */
#include <stdbool.h>
#include <stdio.h>

#include "demo_engine.h"
#include "demo_folder.h"

/* The web host; the demos script points this at its own server. */
static const char* const kWebHost = "www.example.com";
static const char* const kProgram = "C:/Windows/notepad.exe";

static bool (*app_launchApp)(const char* path);
static bool (*app_openUrl)(const char* url);

static const struct demo_symbol symbols[] = {
    DEMO_SYMBOL("TX_app_launchApp", app_launchApp),
    DEMO_SYMBOL("TX_app_openUrl", app_openUrl),
};

static void run(void)
{
    const char* host = demo_setting("TAVIX_DEMO_WEB_HOST", kWebHost);
    char url[1024];
    app_launchApp(kProgram);
    app_openUrl(host);
    snprintf(url, sizeof url, "http://%s", host);
    app_openUrl(url);
    snprintf(url, sizeof url, "https://%s", host);
    app_openUrl(url);
}

int main(void)
{
    demo_library* engine = demo_open_engine(symbols, DEMO_COUNT(symbols), DEMO_PRINT_LOAD_FAILURE);
    if (!engine)
        return 0;
    run();
    demo_free(engine);
    return 0;
}
