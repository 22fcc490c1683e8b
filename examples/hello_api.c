/* A first program against the engine: where the mouse goes, what colour is
 * under it, and a screenshot of the whole screen. */
#include <stdio.h>
#include <stdlib.h>

#include "tavix.h"

int main(int argc, char** argv)
{
    const char* shot = argc > 1 ? argv[1] : "hello_api_screen.png";
    char colour[32];

    TX_api_initialize();
    printf("%s\n", A_Welcome_to_use_Tavix());

    TX_cs_mouseMove(100, 100);
    snprintf(colour, sizeof colour, "%s", TX_baseclass_getColor(100, 100));
    printf("colour at (100, 100): %s\n", colour[0] ? colour : "(no screen)");

    if (TX_baseclass_screenshots(shot))
        printf("screenshot saved to %s\n", shot);
    else
        printf("no screenshot: no screen to grab\n");

    printf("clipboard text: \"%s\"\n", TX_baseclass_getClip());
    return EXIT_SUCCESS;
}
