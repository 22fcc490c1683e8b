/* demo_loader.h on POSIX systems: dlopen and dlsym. */
#define _POSIX_C_SOURCE 200809L
#include "demo_loader.h"

#include <dlfcn.h>
#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

static int last_code;
static char last_text[1024];

/* glibc's dlopen leaves errno unset, but ends its message with the text of
 * the error that stopped it ("...: No such file or directory"); the code is
 * recovered from that text, so that a missing library reports ENOENT. */
static int code_of_message(const char* message)
{
    size_t length = strlen(message);
    for (int code = 1; code < 200; ++code) {
        const char* text = strerror(code);
        size_t text_length = strlen(text);
        if (text_length > 0 && text_length + 2 <= length
            && strcmp(message + length - text_length, text) == 0
            && message[length - text_length - 2] == ':')
            return code;
    }
    return 0;
}

/* `file_name` in the folder of the running program, when it lies there.
 * Found by path rather than through the program's RUNPATH, which dlopen
 * ignores when it is called through a wrapper (sanitizer runtimes). */
static int beside_program(char* out, size_t size, const char* file_name)
{
    const ssize_t length = readlink("/proc/self/exe", out, size - 1);
    if (length <= 0)
        return 0;
    out[length] = '\0';
    char* slash = strrchr(out, '/');
    if (!slash || (size_t)(slash - out) + 1 + strlen(file_name) >= size)
        return 0;
    strcpy(slash + 1, file_name);
    return access(out, F_OK) == 0;
}

demo_library* demo_load(const char* file_name)
{
    /* As on Windows: the program's own folder first, then the system's search path. */
    char local[4096];
    const char* chosen = strchr(file_name, '/') == NULL && beside_program(local, sizeof local, file_name)
        ? local : file_name;
    errno = 0;
    void* handle = dlopen(chosen, RTLD_NOW | RTLD_LOCAL);
    if (handle)
        return (demo_library*)handle;
    const int saved = errno;
    const char* message = dlerror();
    snprintf(last_text, sizeof last_text, "%s", message ? message : "unknown loader error");
    last_code = saved ? saved : code_of_message(last_text);
    return NULL;
}

demo_function demo_resolve(demo_library* library, const char* name)
{
    void* address = library ? dlsym(library, name) : NULL;
    demo_function function;
    /* POSIX guarantees that an object pointer from dlsym converts to a function pointer. */
    memcpy(&function, &address, sizeof function);
    return function;
}

void demo_free(demo_library* library)
{
    if (library)
        dlclose(library);
}

int demo_last_error_code(void)
{
    return last_code;
}

const char* demo_last_error_text(void)
{
    return last_text;
}
