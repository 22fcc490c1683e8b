/* demo_clock.h on POSIX systems. */
#define _POSIX_C_SOURCE 200809L
#include "demo_clock.h"

#include <errno.h>
#include <time.h>

void demo_wait_ms(int milliseconds)
{
    if (milliseconds <= 0)
        return;
    struct timespec rest = {milliseconds / 1000, (long)(milliseconds % 1000) * 1000000L};
    while (nanosleep(&rest, &rest) != 0 && errno == EINTR) {
    }
}
