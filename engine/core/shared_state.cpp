#include "shared_state.h"

#include <cstdlib>
#include <vector>

namespace tavix::core {

namespace {

struct SharedState {
    TX_api record;
    std::vector<void*> retired;  // blocks forgotten by a reset, freed at unload

    ~SharedState()
    {
        for (void* block : retired)
            std::free(block);
    }
};

SharedState state;  // built when the library is loaded

}  // namespace

TX_api& sharedRecord()
{
    return state.record;
}

void resetSharedRecord()
{
    state.retired.insert(state.retired.end(), state.record.buffers.begin(),
                         state.record.buffers.end());
    state.record.reset();
}

}  // namespace tavix::core
