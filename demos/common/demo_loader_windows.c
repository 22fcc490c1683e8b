/* demo_loader.h on Windows: LoadLibrary and GetProcAddress. */
#include "demo_loader.h"

#include <windows.h>

#include <stdio.h>
#include <string.h>

static int last_code;
static char last_text[1024];

/* `file_name` in the folder of the running program, when it lies there. */
static int beside_program(char* out, size_t size, const char* file_name)
{
    const DWORD length = GetModuleFileNameA(NULL, out, (DWORD)size);
    if (length == 0 || length >= size)
        return 0;
    char* slash = strrchr(out, '\\');
    char* other = strrchr(out, '/');
    if (other > slash)
        slash = other;
    if (!slash || (size_t)(slash - out) + 1 + strlen(file_name) >= size)
        return 0;
    strcpy(slash + 1, file_name);
    return GetFileAttributesA(out) != INVALID_FILE_ATTRIBUTES;
}

static void remember_error(DWORD code)
{
    last_code = (int)code;
    last_text[0] = '\0';
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        NULL, code, 0, last_text, sizeof last_text, NULL);
    /* The system's texts end with a line break. */
    size_t end = length < sizeof last_text ? length : 0;
    while (end > 0 && (last_text[end - 1] == '\n' || last_text[end - 1] == '\r'))
        --end;
    last_text[end] = '\0';
    if (end == 0)
        snprintf(last_text, sizeof last_text, "error %lu", (unsigned long)code);
}

demo_library* demo_load(const char* file_name)
{
    /* The program's own folder first, then the system's search path. */
    char local[MAX_PATH * 4];
    HMODULE module = NULL;
    if (!strchr(file_name, '/') && !strchr(file_name, '\\')
        && beside_program(local, sizeof local, file_name))
        module = LoadLibraryExA(local, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
    else
        module = LoadLibraryA(file_name);
    if (!module) {
        remember_error(GetLastError());
        return NULL;
    }
    return (demo_library*)module;
}

demo_function demo_resolve(demo_library* library, const char* name)
{
    return library ? (demo_function)GetProcAddress((HMODULE)library, name) : NULL;
}

void demo_free(demo_library* library)
{
    if (library)
        FreeLibrary((HMODULE)library);
}

int demo_last_error_code(void)
{
    return last_code;
}

const char* demo_last_error_text(void)
{
    return last_text;
}
