/* The image family: operations on the shared record's working image. */
#ifndef TAVIX_IMAGE_H
#define TAVIX_IMAGE_H
#include "common.h"

TX_BEGIN_DECLS

/* The loading calls replace the working image and return true when they decode
 * a picture; on failure they return false with a log line and keep it, except
 * TX_image_read. read: a picture file (format from its content); on failure the
 * working image is cleared. Devices, FIFOs and pictures of more than
 * 8192 x 8192 pixels are refused. */
TX_EXPORT bool TX_image_read(const char* path);
/* A picture fetched by GET from an http(s) or file: URL; the whole transfer may
 * take 30 seconds. A file: URL naming a device or FIFO is refused. */
TX_EXPORT bool TX_image_load(const char* url);
/* A picture as plain Base64 text; a "data:image/...;base64," prefix is not
 * understood and makes the call fail. */
TX_EXPORT bool TX_image_fromBase64(const char* data);
/* length bytes of an encoded picture (a negative length: up to the first zero). */
TX_EXPORT bool TX_image_fromBytes(const char* bytes, int length);
/* Saves the working image (format: "PNG", "JPG", ...; empty: from the
 * extension; quality -1 default, 0..100), creating missing folders. False
 * without an image or on a write error; an existing file is replaced only once
 * the whole picture is written, through a link, never over a device or FIFO. */
TX_EXPORT bool TX_image_save(const char* path, const char* format, int quality);
/* The working image encoded as Base64 text with a terminating zero, in a heap
 * block that belongs to the engine: do not free it. It stays valid until the
 * library is unloaded (TX_api_initialize forgets it without freeing it). Null
 * without a working image, with a null format or when memory runs out; an
 * empty text when no writer supports the format. */
TX_EXPORT char* TX_image_toBase64(const char* format, int quality);
/* The working image encoded; *out receives a heap block of the returned length
 * that belongs to the engine, valid until the library is unloaded (do not free
 * it). Returns 0 and leaves *out untouched on failure or a null out. */
TX_EXPORT int TX_image_toBytes(unsigned char** out, const char* format, int quality);
/* True when there is a working image; nothing is changed (the blocks of
 * TX_image_toBase64 and TX_image_toBytes are freed only when the library unloads). */
TX_EXPORT bool TX_image_free(void);
/* The transformations below replace the working image on success and keep it
 * (returning false, with a log line) on failure. clip: the part x, y, w, h. */
TX_EXPORT bool TX_image_clip(int x, int y, int w, int h);
/* Resizes to width x height (OpenCV interpolation code). */
TX_EXPORT bool TX_image_resize(int width, int height, int interpolation);
/* The same as TX_image_resize. */
TX_EXPORT bool TX_image_scale(int width, int height, int interpolation);
/* Rotates by degree around x, y, keeping the size. */
TX_EXPORT bool TX_image_rotate(int x, int y, int degree);
/* Joins the shared record's secondImage beside the working image (direction 3:
 * left of it, 5: right, 48: above, 80: below); pictures of another size are laid
 * over its centre. False, keeping the working image, for another direction on
 * pictures of the same size. */
TX_EXPORT bool TX_image_concat(int direction);
/* Joins two picture files and saves the result; false when either cannot be
 * read or the result cannot be saved. The working image is not changed. */
TX_EXPORT bool TX_image_concatPath(const char* img1Path, const char* img2Path, int direction,
                                   const char* savePath, const char* format, int quality);
/* The pixel at x, y as 0xAARRGGBB; 0 without a working image, 0xFF000000
 * outside it. */
TX_EXPORT unsigned int TX_image_pixel(int x, int y);
/* Gray values in dstCn channels (1, 3 or 4). */
TX_EXPORT bool TX_image_grayscale(int dstCn);
/* An OpenCV colour conversion code with dstCn channels. */
TX_EXPORT bool TX_image_cvtColor(int code, int dstCn);
/* Box blur of kernel x by y (type: OpenCV border type). */
TX_EXPORT bool TX_image_blur(int x, int y, int type, int point);
/* Gaussian blur of kernel x by y with the given sigmas. */
TX_EXPORT bool TX_image_gaussianBlur(int x, int y, int sigmaX, int sigmaY, int type);
/* Black and white: white where every channel lies between the bounds. */
TX_EXPORT bool TX_image_inRange(int lowerBound, int upperBound);
/* Black and white: white where the colour lies within threshold of colorStr. */
TX_EXPORT bool TX_image_interval(const char* colorStr, int threshold);
/* True when pixel x, y matches color by algorithm ("equal", "diff", "rgb",
 * "rgb+", "hs"); false otherwise or on bad arguments. The image is not changed. */
TX_EXPORT bool TX_image_detectsColor(const char* color, int x, int y, int threshold,
                                     const char* algorithm);
/* The searches store the top-left-most match in *outX, *outY (-1, -1 when none,
 * null pointers are skipped) and return whether one was found. x1..y2 are the
 * corners, both inside; x2 = x1 - 1, y2 = y1 - 1 means the whole image. */
TX_EXPORT bool TX_image_findColor(int x1, int y1, int x2, int y2, const char* color,
                                  int threshold, int* outX, int* outY);
/* TX_image_findColor with threshold 0. */
TX_EXPORT bool TX_image_findColorEquals(int x1, int y1, int x2, int y2, const char* color,
                                        int* outX, int* outY);
/* Searches the shared record's templateImage at threshold (0..1) and level; the
 * found point is in working-image pixels. False without either picture. */
TX_EXPORT bool TX_image_findImage(int x1, int y1, int x2, int y2, int* outX, int* outY,
                                  float threshold, int level);

TX_END_DECLS
#endif
