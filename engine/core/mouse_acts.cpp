#include "mouse_acts.h"

#include <QDebug>
#include <algorithm>
#include <limits>

#include "desktop.h"
#include "tavix/platform/backends.h"
#include "tavix/platform/conversions.h"

namespace tavix::core {

namespace {

namespace flags = platform::mouse;

// Every event carries the absolute flag.
constexpr std::uint32_t kLeftDown = flags::kAbsolute | flags::kLeftDown;
constexpr std::uint32_t kLeftUp = flags::kAbsolute | flags::kLeftUp;
constexpr std::uint32_t kRightDown = flags::kAbsolute | flags::kRightDown;
constexpr std::uint32_t kRightUp = flags::kAbsolute | flags::kRightUp;
constexpr std::uint32_t kMiddleDown = flags::kAbsolute | flags::kMiddleDown;
constexpr std::uint32_t kMiddleUp = flags::kAbsolute | flags::kMiddleUp;
constexpr std::uint32_t kMove = flags::kAbsolute | flags::kMove;

struct ButtonSequence {
    int count;
    std::uint32_t events[4];
};

// Button events of actions 1..12, injected back to back at the cursor.
constexpr ButtonSequence kButtonActions[] = {
    {2, {kLeftDown, kLeftUp}},
    {4, {kLeftDown, kLeftUp, kLeftDown, kLeftUp}},
    {1, {kLeftDown}},
    {1, {kLeftUp}},
    {2, {kRightDown, kRightUp}},
    {4, {kRightDown, kRightUp, kRightDown, kRightUp}},
    {1, {kRightDown}},
    {1, {kRightUp}},
    {2, {kMiddleDown, kMiddleUp}},
    {4, {kMiddleDown, kMiddleUp, kMiddleDown, kMiddleUp}},
    {1, {kMiddleDown}},
    {1, {kMiddleUp}},
};

// An absolute move needs a screen to be relative to; without one it is left
// out rather than sent to a made-up place.
bool absoluteMove(platform::InputBackend& input, int x, int y, int width, int height)
{
    if (width <= 0 || height <= 0) {
        qWarning("No primary screen: absolute mouse move left out");
        return false;
    }
    input.mouseEvent(kMove, normalisedCoordinate(x, width), normalisedCoordinate(y, height), 0,
                     input.messageExtraInfo());
    return true;
}

}  // namespace

std::int32_t normalisedCoordinate(int value, int extent)
{
    return platform::convert::toNormalised(value, extent);
}

void mouseAct(int x, int y, int x1, int y1, int type)
{
    platform::InputBackend& input = platform::input();
    input.setCursorPos(x, y);

    const QSize screen = primaryScreenSize();
    const int width = screen.width();
    const int height = screen.height();
    qDebug() << "desktop_width" << width;
    qDebug() << "desktop_height" << height;

    if (type >= LeftClick && type <= MiddleUp) {
        const ButtonSequence& action = kButtonActions[type - LeftClick];
        for (int i = 0; i < action.count; ++i)
            input.mouseEvent(action.events[i], x, y, 0, 0);
    } else if (type == Move) {
        absoluteMove(input, x, y, width, height);
    } else if (type == Drag) {
        input.mouseEvent(kLeftDown, x, y, 0, 0);
        absoluteMove(input, x1, y1, width, height);
        input.mouseEvent(kLeftUp, x1, y1, 0, 0);
        qDebug() << "--" << x << "," << y << "to" << x1 << "," << y1;
    }
}

}  // namespace tavix::core
