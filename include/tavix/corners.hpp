// A search rectangle given by its corners, as the engine's searches take it and
// the studio's bindings read it from scripts.
#ifndef TAVIX_CORNERS_HPP
#define TAVIX_CORNERS_HPP

namespace tavix {

// Top-left and bottom-right pixel, both inside; x2 = x1 - 1 and y2 = y1 - 1
// (the default 0, 0, -1, -1 for example) is the null rectangle: the whole picture.
struct Corners {
    int x1 = 0;
    int y1 = 0;
    int x2 = -1;
    int y2 = -1;
};

}  // namespace tavix

#endif
