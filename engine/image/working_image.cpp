#include "image/working_image.h"

#include <QtGlobal>

#include "core/shared_state.h"

namespace tavix::image {

QImage& workingImage()
{
    return core::sharedRecord().image;
}

bool haveWorkingImage()
{
    if (!core::sharedRecord().image.isNull())
        return true;
    qWarning("There is no working image");
    return false;
}

bool haveText(const char* text, const char* what)
{
    if (text)
        return true;
    qWarning("No %s given (null text)", what);
    return false;
}

}  // namespace tavix::image
