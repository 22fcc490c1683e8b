// Exports of the api family and the banner.
#include "api_family.h"
#include "guard.h"
#include "tavix.h"

// One export a line, as a table.
// clang-format off

using namespace tavix;
using tavix::core::guarded;

const char* A_Welcome_to_use_Tavix(void) { return core::banner(); }
void TX_api_initialize(void) { guarded(__func__, [] { core::initialize(); }); }
void TX_api_getData(TX_api** out) { guarded(__func__, [&] { core::getData(out); }); }
void TX_api_setData(const TX_api* source) { guarded(__func__, [&] { core::setData(source); }); }
