// Screen grabs through MIT-SHM: the server copies the root window straight into
// shared memory, which the returned image wraps without another copy.
#pragma once

#include <memory>
#include <vector>

#include "tavix/platform/screen.h"
#include "x11_connection.h"

namespace tavix::platform::x11 {

class ShmScreen : public ScreenBackend {
public:
    // Null when the server offers no usable shared memory or visual.
    static std::unique_ptr<ShmScreen> create(Connection& connection);
    ~ShmScreen() override;

    PixelBuffer grab(const Rect& area) override;

    struct Segment;

private:
    explicit ShmScreen(Connection& connection);
    Segment* freeSegment(int width, int height);

    Connection& connection_;
    std::vector<Segment*> segments_;
};

}  // namespace tavix::platform::x11
