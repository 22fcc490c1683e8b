/* Loading the engine library at run time and looking its functions up by
 * name: the one place where the demos touch the system's loader. */
#ifndef DEMO_LOADER_H
#define DEMO_LOADER_H

#include <stddef.h>

#ifdef _WIN32
#define DEMO_API_LIBRARY "api.dll"
#else
#define DEMO_API_LIBRARY "libapi.so"
#endif

/* Any function pointer; callers convert it to the function's real type. */
typedef void (*demo_function)(void);

typedef struct demo_library demo_library;

/* Loads the library by file name: from the program's own folder when it lies
 * there, else through the system's search path. NULL on failure; see the two
 * error calls. */
demo_library* demo_load(const char* file_name);

/* The function exported under `name`, or NULL when the library lacks it. */
demo_function demo_resolve(demo_library* library, const char* name);

void demo_free(demo_library* library);

/* After a failed demo_load: the system's error code for the failure and the
 * loader's own description of it. */
int demo_last_error_code(void);
const char* demo_last_error_text(void);

#endif
