#include "demo_folder.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#ifdef _WIN32
#define DEMO_SEPARATOR '\\'
#else
#define DEMO_SEPARATOR '/'
#endif

const char* demo_setting(const char* name, const char* fallback)
{
    const char* value = getenv(name);
    return value && value[0] ? value : fallback;
}

const char* demo_folder(void)
{
#ifdef _WIN32
    return "d:/APItest";
#else
    static char folder[4096];
    if (!folder[0]) {
        const char* chosen = demo_setting("APITEST_DIR", NULL);
        if (chosen)
            snprintf(folder, sizeof folder, "%s", chosen);
        else
            snprintf(folder, sizeof folder, "%s/APItest", demo_setting("HOME", "."));
    }
    return folder;
#endif
}

const char* demo_path(char* out, size_t size, const char* relative)
{
    const int written = snprintf(out, size, "%s/%s", demo_folder(), relative);
    if (written < 0 || (size_t)written >= size)
        out[0] = '\0';
    return out;
}

const char* demo_native_path(char* out, size_t size, const char* relative)
{
    demo_path(out, size, relative);
    for (char* c = out; *c; ++c)
        if (*c == '/')
            *c = DEMO_SEPARATOR;
    return out;
}

const char* demo_text(const char* text)
{
    return text ? text : "";
}

char* demo_copy_text(char* out, size_t size, const char* text)
{
    snprintf(out, size, "%s", demo_text(text));
    return out;
}
