#include "tavix/platform/global_key.h"

#include "native.h"

namespace tavix::platform {

std::unique_ptr<GlobalKeyGrab> GlobalKeyGrab::create(KeyCombination keys,
                                                     std::function<void()> onPress,
                                                     std::string* error)
{
    // Backends always get somewhere to write their reason.
    std::string ignored;
    return native::createGlobalKeyGrab(keys, std::move(onPress), error ? error : &ignored);
}

}  // namespace tavix::platform
