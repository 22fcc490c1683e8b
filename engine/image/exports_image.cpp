// Exports of the image family: each forwards to its function in tavix::image.
// One export a line, as a table.
// clang-format off
#include "core/guard.h"
#include "image/image_family.h"
#include "tavix.h"

using tavix::core::guarded;
namespace image = tavix::image;

bool TX_image_read(const char* path) { return guarded(__func__, false, [&] { return image::read(path); }); }
bool TX_image_load(const char* url) { return guarded(__func__, false, [&] { return image::load(url); }); }
bool TX_image_fromBase64(const char* data) { return guarded(__func__, false, [&] { return image::fromBase64(data); }); }
bool TX_image_fromBytes(const char* bytes, int length) { return guarded(__func__, false, [&] { return image::fromBytes(bytes, length); }); }
bool TX_image_save(const char* path, const char* format, int quality) { return guarded(__func__, false, [&] { return image::save(path, format, quality); }); }
char* TX_image_toBase64(const char* format, int quality) { return guarded(__func__, static_cast<char*>(nullptr), [&] { return image::toBase64(format, quality); }); }
int TX_image_toBytes(unsigned char** out, const char* format, int quality) { return guarded(__func__, 0, [&] { return image::toBytes(out, format, quality); }); }
bool TX_image_free(void) { return guarded(__func__, false, [] { return image::free(); }); }
bool TX_image_clip(int x, int y, int w, int h) { return guarded(__func__, false, [&] { return image::clip(x, y, w, h); }); }
bool TX_image_resize(int width, int height, int interpolation) { return guarded(__func__, false, [&] { return image::resize(width, height, interpolation); }); }
bool TX_image_scale(int width, int height, int interpolation) { return guarded(__func__, false, [&] { return image::resize(width, height, interpolation); }); }
bool TX_image_rotate(int x, int y, int degree) { return guarded(__func__, false, [&] { return image::rotate(x, y, degree); }); }
bool TX_image_concat(int direction) { return guarded(__func__, false, [&] { return image::concat(direction); }); }
bool TX_image_concatPath(const char* img1Path, const char* img2Path, int direction, const char* savePath, const char* format, int quality) { return guarded(__func__, false, [&] { return image::concatPath(img1Path, img2Path, direction, savePath, format, quality); }); }
unsigned int TX_image_pixel(int x, int y) { return guarded(__func__, 0u, [&] { return image::pixel(x, y); }); }
bool TX_image_grayscale(int dstCn) { return guarded(__func__, false, [&] { return image::grayscale(dstCn); }); }
bool TX_image_cvtColor(int code, int dstCn) { return guarded(__func__, false, [&] { return image::cvtColor(code, dstCn); }); }
bool TX_image_blur(int x, int y, int type, int point) { return guarded(__func__, false, [&] { return image::blur(x, y, type, point); }); }
bool TX_image_gaussianBlur(int x, int y, int sigmaX, int sigmaY, int type) { return guarded(__func__, false, [&] { return image::gaussianBlur(x, y, sigmaX, sigmaY, type); }); }
bool TX_image_inRange(int lowerBound, int upperBound) { return guarded(__func__, false, [&] { return image::inRange(lowerBound, upperBound); }); }
bool TX_image_interval(const char* colorStr, int threshold) { return guarded(__func__, false, [&] { return image::interval(colorStr, threshold); }); }
bool TX_image_detectsColor(const char* color, int x, int y, int threshold, const char* algorithm) { return guarded(__func__, false, [&] { return image::detectsColor(color, x, y, threshold, algorithm); }); }
bool TX_image_findColor(int x1, int y1, int x2, int y2, const char* color, int threshold, int* outX, int* outY) { return guarded(__func__, false, [&] { return image::findColor(x1, y1, x2, y2, color, threshold, outX, outY); }); }
bool TX_image_findColorEquals(int x1, int y1, int x2, int y2, const char* color, int* outX, int* outY) { return guarded(__func__, false, [&] { return image::findColor(x1, y1, x2, y2, color, 0, outX, outY); }); }
bool TX_image_findImage(int x1, int y1, int x2, int y2, int* outX, int* outY, float threshold, int level) { return guarded(__func__, false, [&] { return image::findImage(x1, y1, x2, y2, outX, outY, threshold, level); }); }
