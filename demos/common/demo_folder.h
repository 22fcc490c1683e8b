/* Where the demos' prepared folder lies and how its paths are written. */
#ifndef DEMO_FOLDER_H
#define DEMO_FOLDER_H

#include <stddef.h>

/* The prepared folder: "d:/APItest" on Windows; elsewhere $APITEST_DIR, or
 * APItest in the home folder. */
const char* demo_folder(void);

/* Joins the prepared folder and `relative` (written with "/") into `out`;
 * returns `out`. A path that does not fit comes back empty. */
const char* demo_path(char* out, size_t size, const char* relative);

/* The same path written with the system's own separator, as a user of that
 * system would type it ("d:\APItest\abc.png" on Windows). */
const char* demo_native_path(char* out, size_t size, const char* relative);

/* The value of the environment variable `name`, or `fallback` when unset or empty. */
const char* demo_setting(const char* name, const char* fallback);

/* `text`, or "" for a null pointer: engine texts that may be missing are
 * printed and copied through this. */
const char* demo_text(const char* text);

/* Copies `text` (null counts as empty) into `out`, cut to fit `size`. */
char* demo_copy_text(char* out, size_t size, const char* text);

#endif
