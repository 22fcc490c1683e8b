#include "demo_engine.h"

#include <stdio.h>

demo_library* demo_open_engine(const struct demo_symbol* symbols, size_t count,
                               enum demo_load_report report)
{
    /* The engine writes some messages to standard output itself; line by
     * line, the two stay in order when the output goes to a pipe or file.
     * The Windows C runtime has no line buffering (and refuses _IOLBF
     * without a buffer size as an invalid parameter): unbuffered there. */
#ifdef _WIN32
    setvbuf(stdout, NULL, _IONBF, 0);
#else
    setvbuf(stdout, NULL, _IOLBF, 0);
#endif

    demo_library* library = demo_load(DEMO_API_LIBRARY);
    if (!library) {
        if (report == DEMO_PRINT_LOAD_FAILURE) {
            printf("%d\n", demo_last_error_code());
#ifndef _WIN32
            fprintf(stderr, "%s\n", demo_last_error_text());
#endif
        }
        return NULL;
    }

    void (*initialize)(void) = (void (*)(void))demo_resolve(library, "TX_api_initialize");
    if (!initialize) {
        demo_free(library);
        return NULL;
    }
    initialize();

    /* Every function is resolved before the first is called: an engine that
     * lacks one runs none of them. */
    for (size_t i = 0; i < count; ++i) {
        demo_function function = demo_resolve(library, symbols[i].name);
        if (!function) {
            demo_free(library);
            return NULL;
        }
        *symbols[i].slot = function;
    }
    return library;
}
