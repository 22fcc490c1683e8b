/* demo_clock.h on Windows. */
#include "demo_clock.h"

#include <windows.h>

void demo_wait_ms(int milliseconds)
{
    if (milliseconds > 0)
        Sleep((DWORD)milliseconds);
}
