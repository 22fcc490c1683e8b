#include "tavix/platform/global_key.h"

#include "native.h"

namespace tavix::platform {

std::unique_ptr<GlobalKeyGrab> GlobalKeyGrab::create(KeyCombination keys,
                                                     std::function<void()> onPress,
                                                     std::string* error)
{
    return native::createGlobalKeyGrab(keys, std::move(onPress), error);
}

}  // namespace tavix::platform
