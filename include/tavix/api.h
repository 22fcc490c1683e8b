/* The api family: initialisation and the shared record; the banner. */
#ifndef TAVIX_API_H
#define TAVIX_API_H
#include "common.h"

TX_BEGIN_DECLS

/* Banner text identifying the library; a constant string. */
TX_EXPORT const char* A_Welcome_to_use_Tavix(void);

/* Builds the engine's application object on the first call, processes pending
 * events once and resets the shared record. Call before anything else. */
TX_EXPORT void TX_api_initialize(void);

/* Stores the address of the shared record into *out. The address is stable. */
TX_EXPORT void TX_api_getData(TX_api** out);

/* Copies source's first field (the working image) into the shared record. */
TX_EXPORT void TX_api_setData(const TX_api* source);

TX_END_DECLS
#endif
