// The desktop's capture source on Linux: X11 RECORD.
#include "common/native.h"
#include "x11_record_capture.h"

namespace tavix::platform::native {

std::unique_ptr<CaptureSource> createCaptureSource()
{
    return std::make_unique<x11::RecordCapture>();
}

}  // namespace tavix::platform::native
