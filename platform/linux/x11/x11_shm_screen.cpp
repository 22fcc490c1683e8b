#include "x11_shm_screen.h"

#include <atomic>
#include <mutex>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

namespace tavix::platform::x11 {

// One shared-memory block large enough for the whole primary screen. A grab
// returns an image over the block; the block is reused once that image (and
// every copy of it) is gone.
struct ShmScreen::Segment {
    XShmSegmentInfo info{};
    std::size_t bytes = 0;
    std::atomic<bool> inUse{false};
};

namespace {

void releaseSegment(std::uint8_t*, ShmScreen::Segment* segment)
{
    segment->inUse = false;
}

bool visualIsXrgb(Display* display)
{
    const int screen = DefaultScreen(display);
    Visual* visual = DefaultVisual(display, screen);
    const int depth = DefaultDepth(display, screen);
    return (depth == 24 || depth == 32) && visual->red_mask == 0xff0000
        && visual->green_mask == 0x00ff00 && visual->blue_mask == 0x0000ff
        && ImageByteOrder(display) == LSBFirst;
}

}  // namespace

std::unique_ptr<ShmScreen> ShmScreen::create(Connection& connection)
{
    if (!connection.hasShm() || !visualIsXrgb(connection.display()))
        return nullptr;
    std::unique_ptr<ShmScreen> screen(new ShmScreen(connection));
    const Rect primary = connection.primaryGeometry();
    // One trial segment proves that the server can attach ours.
    std::lock_guard<std::mutex> guard(connection.lock());
    Segment* trial = screen->freeSegment(primary.width, primary.height);
    if (!trial)
        return nullptr;
    trial->inUse = false;
    return screen;
}

ShmScreen::ShmScreen(Connection& connection) : connection_(connection) {}

ShmScreen::~ShmScreen()
{
    std::lock_guard<std::mutex> guard(connection_.lock());
    for (Segment* segment : segments_) {
        // A segment still wrapped by a living image stays mapped for it.
        if (segment->inUse)
            continue;
        XShmDetach(connection_.display(), &segment->info);
        shmdt(segment->info.shmaddr);
        delete segment;
    }
}

ShmScreen::Segment* ShmScreen::freeSegment(int width, int height)
{
    const std::size_t needed = std::size_t(width) * std::size_t(height) * 4;
    for (Segment* segment : segments_) {
        bool expected = false;
        if (segment->bytes >= needed && segment->inUse.compare_exchange_strong(expected, true))
            return segment;
    }
    auto segment = std::make_unique<Segment>();
    segment->bytes = needed;
    segment->info.shmid = shmget(IPC_PRIVATE, needed, IPC_CREAT | 0600);
    if (!Connection::check("shmget", segment->info.shmid >= 0))
        return nullptr;
    segment->info.shmaddr = static_cast<char*>(shmat(segment->info.shmid, nullptr, 0));
    // Marked for removal at once: the block goes away when the last user detaches.
    shmctl(segment->info.shmid, IPC_RMID, nullptr);
    if (!Connection::check("shmat", segment->info.shmaddr != reinterpret_cast<char*>(-1)))
        return nullptr;
    segment->info.readOnly = False;
    Display* display = connection_.display();
    const int errorsBefore = Connection::errorCount();
    const bool attached = XShmAttach(display, &segment->info);
    XSync(display, False);
    if (!Connection::check("XShmAttach", attached && Connection::errorCount() == errorsBefore)) {
        shmdt(segment->info.shmaddr);
        return nullptr;
    }
    segment->inUse = true;
    segments_.push_back(segment.get());
    return segment.release();
}

PixelBuffer ShmScreen::grab(const Rect& area)
{
    const Rect primary = connection_.primaryGeometry();
    const Rect wanted = areaOnScreen(area, primary.width, primary.height);
    if (wanted.isEmpty())
        return {};

    std::lock_guard<std::mutex> guard(connection_.lock());
    Display* display = connection_.display();
    Segment* segment = freeSegment(primary.width, primary.height);
    if (!segment)
        return {};
    const int screen = DefaultScreen(display);
    XImage* image = XShmCreateImage(
        display, DefaultVisual(display, screen), unsigned(DefaultDepth(display, screen)), ZPixmap,
        segment->info.shmaddr, &segment->info, unsigned(wanted.width), unsigned(wanted.height));
    if (!Connection::check("XShmCreateImage", image != nullptr)) {
        segment->inUse = false;
        return {};
    }
    const bool ok =
        Connection::check("XShmGetImage",
                          XShmGetImage(display, DefaultRootWindow(display), image,
                                       primary.x + wanted.x, primary.y + wanted.y, AllPlanes));
    const int bytesPerLine = image->bytes_per_line;
    const bool xrgb = image->bits_per_pixel == 32;
    image->data = nullptr;  // the segment's memory is ours, not the header's
    XDestroyImage(image);
    if (!ok || !xrgb) {
        segment->inUse = false;
        return {};
    }
    PixelBuffer buffer;
    buffer.width = wanted.width;
    buffer.height = wanted.height;
    buffer.bytesPerLine = bytesPerLine;
    // The buffer lends the segment; its last copy hands the segment back.
    buffer.pixels = std::shared_ptr<std::uint8_t>(
        reinterpret_cast<std::uint8_t*>(segment->info.shmaddr),
        [segment](std::uint8_t* pixels) { releaseSegment(pixels, segment); });
    return buffer;
}

}  // namespace tavix::platform::x11
