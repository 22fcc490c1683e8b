// The process-wide shared record of the engine.
#pragma once

#include "tavix/record.hpp"

namespace tavix::core {

// The one shared record; its address never changes while the library is loaded.
TX_api& sharedRecord();

// Resets the shared record. Blocks already handed out stay valid: they are
// kept aside and freed when the library is unloaded.
void resetSharedRecord();

}  // namespace tavix::core
