// Screen grabs of the Windows backend: a window of known colour blocks is
// found, pixel for pixel, where it stands.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "common/native.h"
#include "test_window.h"
#include "windows/win_screen.h"
#include "x_side.h"

namespace tavix::platform::windows {
namespace {

using test::ColourBlock;
using test::pumpUntil;
using test::TestWindow;

struct Bgr {
    std::uint8_t blue, green, red;
    bool operator==(const Bgr& other) const
    {
        return blue == other.blue && green == other.green && red == other.red;
    }
};

std::ostream& operator<<(std::ostream& out, const Bgr& pixel)
{
    return out << "rgb(" << int(pixel.red) << "," << int(pixel.green) << "," << int(pixel.blue)
               << ")";
}

Bgr pixelAt(const PixelBuffer& buffer, int x, int y)
{
    const std::uint8_t* p = buffer.pixels.get() + y * buffer.bytesPerLine + x * 4;
    return {p[0], p[1], p[2]};
}

Bgr bgrOf(COLORREF colour)
{
    return {GetBValue(colour), GetGValue(colour), GetRValue(colour)};
}

// Four blocks of 100 x 60 in a 200 x 120 window: red, green / blue, yellow.
const RECT kWindowArea{300, 200, 500, 320};
const ColourBlock kBlocks[] = {
    {{0, 0, 100, 60}, RGB(255, 0, 0)},
    {{100, 0, 200, 60}, RGB(0, 255, 0)},
    {{0, 60, 100, 120}, RGB(0, 0, 255)},
    {{100, 60, 200, 120}, RGB(255, 255, 0)},
};

class ScreenGrab : public ::testing::Test {
protected:
    void SetUp() override
    {
        window_ = std::make_unique<TestWindow>(
            kWindowArea, std::vector<ColourBlock>(std::begin(kBlocks), std::end(kBlocks)));
        ASSERT_TRUE(pumpUntil([&] { return window_->painted(); }))
            << "the test window was not painted";
        // Painted is not yet shown: wait until a grab sees the first block.
        ASSERT_TRUE(pumpUntil([&] {
            const PixelBuffer corner = screen_.grab({kWindowArea.left, kWindowArea.top, 1, 1});
            return !corner.isNull() && pixelAt(corner, 0, 0) == bgrOf(kBlocks[0].colour);
        })) << "the test window did not reach the screen";
    }

    GdiScreen screen_;
    std::unique_ptr<TestWindow> window_;
};

// Every pixel of every block, in a buffer whose (0, 0) is `origin` on the screen.
void expectBlocks(const PixelBuffer& buffer, POINT origin)
{
    for (const ColourBlock& block : kBlocks) {
        int wrong = 0;
        Bgr firstWrong{};
        for (int y = block.area.top; y < block.area.bottom; ++y)
            for (int x = block.area.left; x < block.area.right; ++x) {
                const Bgr seen = pixelAt(buffer, kWindowArea.left - origin.x + x,
                                         kWindowArea.top - origin.y + y);
                if (!(seen == bgrOf(block.colour)) && wrong++ == 0)
                    firstWrong = seen;
            }
        EXPECT_EQ(wrong, 0) << "block " << bgrOf(block.colour) << " at " << block.area.left << ","
                            << block.area.top << " has " << wrong << " other pixels, e.g. "
                            << firstWrong;
    }
}

TEST_F(ScreenGrab, WholeScreenShowsTheWindowAtItsPlace)
{
    if (const char* shot = std::getenv("TAVIX_WINDOWS_SCREENSHOT"); shot && *shot)
        test::runUnixCommand(std::string("import -window root '") + shot + "'", 20000);

    EXPECT_TRUE(native::displayReachable());
    const PixelBuffer buffer = screen_.grab();
    ASSERT_FALSE(buffer.isNull());
    EXPECT_EQ(buffer.width, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(buffer.height, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(buffer.bytesPerLine, std::ptrdiff_t(buffer.width) * 4);
    expectBlocks(buffer, {0, 0});
}

TEST_F(ScreenGrab, AreaGrabStartsAtTheAreasCorner)
{
    const Rect area{kWindowArea.left, kWindowArea.top, 200, 120};
    const PixelBuffer buffer = screen_.grab(area);
    ASSERT_FALSE(buffer.isNull());
    EXPECT_EQ(buffer.width, 200);
    EXPECT_EQ(buffer.height, 120);
    expectBlocks(buffer, {kWindowArea.left, kWindowArea.top});

    // A grab that cuts through the blocks: one row of red and green.
    const PixelBuffer row = screen_.grab({kWindowArea.left + 90, kWindowArea.top + 59, 20, 1});
    ASSERT_FALSE(row.isNull());
    EXPECT_EQ(pixelAt(row, 9, 0), bgrOf(RGB(255, 0, 0)));
    EXPECT_EQ(pixelAt(row, 10, 0), bgrOf(RGB(0, 255, 0)));
}

TEST_F(ScreenGrab, AreasNotInsideTheScreenGiveNothing)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const Rect outside[] = {
        {-1, 0, 10, 10}, {0, -1, 10, 10},  {width - 5, 0, 10, 10}, {0, height - 5, 10, 10},
        {10, 10, 0, 10}, {10, 10, 10, -3}, {width, height, 1, 1},
    };
    for (const Rect& area : outside)
        EXPECT_TRUE(screen_.grab(area).isNull())
            << area.x << "," << area.y << " " << area.width << "x" << area.height;

    const PixelBuffer corner = screen_.grab({width - 1, height - 1, 1, 1});
    ASSERT_FALSE(corner.isNull());
    EXPECT_EQ(corner.width, 1);
    EXPECT_EQ(corner.height, 1);
}

TEST_F(ScreenGrab, BufferOutlivesTheBackend)
{
    PixelBuffer kept;
    {
        GdiScreen screen;
        PixelBuffer first = screen.grab({kWindowArea.left, kWindowArea.top, 200, 120});
        kept = first;
    }
    ASSERT_FALSE(kept.isNull());
    expectBlocks(kept, {kWindowArea.left, kWindowArea.top});
}

}  // namespace
}  // namespace tavix::platform::windows
