// Rectangles of the desktop in plain integers, so that backends need no
// windowing toolkit.
#pragma once

namespace tavix::platform {

// Desktop pixels, origin at the primary screen's top left.
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool isEmpty() const { return width <= 0 || height <= 0; }
    // The default rectangle stands for "the whole primary screen" in grabs.
    bool isWholeScreen() const { return x == 0 && y == 0 && width == 0 && height == 0; }
    bool contains(const Rect& inner) const
    {
        // Wide sums: callers pass whatever a script asked for, INT_MAX included.
        return !inner.isEmpty() && inner.x >= x && inner.y >= y
            && static_cast<long long>(inner.x) + inner.width <= static_cast<long long>(x) + width
            && static_cast<long long>(inner.y) + inner.height <= static_cast<long long>(y) + height;
    }
    bool operator==(const Rect& other) const
    {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
};

// The part of a screen of `screenWidth` x `screenHeight` that a grab of `area`
// takes, in screen-local pixels: the whole screen for the default rectangle,
// `area` itself when it lies inside the screen, an empty rectangle otherwise.
Rect areaOnScreen(const Rect& area, int screenWidth, int screenHeight);

}  // namespace tavix::platform
