// The image family: operations on the shared record's working image, one function an
// export.
#pragma once

namespace tavix::image {

// Text arguments arrive as the caller gave them (null included): several
// operations treat a null text differently from an empty one.
// Loading: each replaces the working image on success.
bool read(const char* path);
bool load(const char* url);
bool fromBase64(const char* data);
bool fromBytes(const char* bytes, int length);

// Output: the working image is not changed.
bool save(const char* path, const char* format, int quality);
char* toBase64(const char* format, int quality);
int toBytes(unsigned char** out, const char* format, int quality);

// Transformations: each replaces the working image on success.
bool clip(int x, int y, int w, int h);
bool resize(int width, int height, int interpolation);
bool rotate(int x, int y, int degree);
bool concat(int direction);
bool concatPath(const char* img1Path, const char* img2Path, int direction, const char* savePath,
                const char* format, int quality);
bool grayscale(int dstCn);
bool cvtColor(int code, int dstCn);

// Queries.
unsigned int pixel(int x, int y);
bool free();

// Filters.
bool interval(const char* colorStr, int threshold);
bool inRange(int lowerBound, int upperBound);
bool blur(int x, int y, int type, int point);
bool gaussianBlur(int x, int y, int sigmaX, int sigmaY, int type);

// Colour tests and searches.
bool detectsColor(const char* color, int x, int y, int threshold, const char* algorithm);
bool findColor(int x1, int y1, int x2, int y2, const char* color, int threshold, int* outX,
               int* outY);

// Template search of templateImage in the working image (defined with the search core, in
// template_search.cpp).
bool findImage(int x1, int y1, int x2, int y2, int* outX, int* outY, float threshold, int level);

}  // namespace tavix::image
