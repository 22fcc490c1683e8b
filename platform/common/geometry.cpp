#include "tavix/platform/geometry.h"

namespace tavix::platform {

Rect areaOnScreen(const Rect& area, int screenWidth, int screenHeight)
{
    const Rect local{0, 0, screenWidth, screenHeight};
    if (local.isEmpty())
        return {};
    if (area.isWholeScreen())
        return local;
    return local.contains(area) ? area : Rect();
}

}  // namespace tavix::platform
