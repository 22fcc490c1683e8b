/* The public header compiles as strict C99 and a C program links against the library. */
#include "tavix.h"

#include <stdio.h>
#include <string.h>

int main(void)
{
    TX_api* record = NULL;
    TX_api* again = NULL;
    const char* banner = A_Welcome_to_use_Tavix();
    TX_api_getData(&record);
    TX_api_getData(&again);
    if (banner == NULL || strstr(banner, "Tavix") == NULL) {
        fprintf(stderr, "banner missing\n");
        return 1;
    }
    if (record == NULL || record != again) {
        fprintf(stderr, "shared record address not stable\n");
        return 1;
    }
    puts(banner);
    return 0;
}
