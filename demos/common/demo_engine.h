/* The start every C demo shares: load the engine, initialise it, and resolve
 * the demo's functions, in order, into the demo's own function pointers. */
#ifndef DEMO_ENGINE_H
#define DEMO_ENGINE_H

#include <stddef.h>

#include "demo_loader.h"

/* One function a demo needs: its exported name and the demo's pointer that
 * receives it (any function pointer type, stored as a demo_function). */
struct demo_symbol {
    const char* name;
    demo_function* slot;
};

#define DEMO_SYMBOL(name, pointer) { name, (demo_function*)&(pointer) }
#define DEMO_COUNT(array) (sizeof(array) / sizeof((array)[0]))

enum demo_load_report {
    DEMO_SILENT_LOAD_FAILURE,   /* a library that does not load ends the demo silently */
    DEMO_PRINT_LOAD_FAILURE     /* ...prints the system's error code first */
};

/* Loads the engine, calls TX_api_initialize and fills every slot. NULL when
 * any step fails; the caller then just ends. */
demo_library* demo_open_engine(const struct demo_symbol* symbols, size_t count,
                               enum demo_load_report report);

#endif
