// Exports of the api family and the banner.
#include "api_family.h"
#include "guard.h"
#include "tavix.h"

using tavix::ApiFamily;
using tavix::guarded;

const char* A_Welcome_to_use_Tavix(void) { return ApiFamily().banner(); }
void TX_api_initialize(void) { guarded(__func__, [] { ApiFamily().initialize(); }); }
void TX_api_getData(TX_api** out) { guarded(__func__, [&] { ApiFamily().getData(out); }); }
void TX_api_setData(const TX_api* source) { guarded(__func__, [&] { ApiFamily().setData(source); }); }
