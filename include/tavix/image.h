/* The image family: operations on the shared record's working image. */
#ifndef TAVIX_IMAGE_H
#define TAVIX_IMAGE_H
#include "common.h"

TX_BEGIN_DECLS

TX_EXPORT bool TX_image_read(const char* path);
TX_EXPORT bool TX_image_load(const char* url);
TX_EXPORT bool TX_image_fromBase64(const char* data);
TX_EXPORT bool TX_image_fromBytes(const char* bytes, int length);
TX_EXPORT bool TX_image_save(const char* path, const char* format, int quality);
TX_EXPORT char* TX_image_toBase64(const char* format, int quality);
TX_EXPORT int TX_image_toBytes(unsigned char** out, const char* format, int quality);
TX_EXPORT bool TX_image_free(void);
TX_EXPORT bool TX_image_clip(int x, int y, int w, int h);
TX_EXPORT bool TX_image_resize(int width, int height, int interpolation);
TX_EXPORT bool TX_image_scale(int width, int height, int interpolation);
TX_EXPORT bool TX_image_rotate(int x, int y, int degree);
TX_EXPORT bool TX_image_concat(int direction);
TX_EXPORT bool TX_image_concatPath(const char* img1Path, const char* img2Path, int direction,
                                   const char* savePath, const char* format, int quality);
TX_EXPORT unsigned int TX_image_pixel(int x, int y);
TX_EXPORT bool TX_image_grayscale(int dstCn);
TX_EXPORT bool TX_image_cvtColor(int code, int dstCn);
TX_EXPORT bool TX_image_blur(int x, int y, int type, int point);
TX_EXPORT bool TX_image_gaussianBlur(int x, int y, int sigmaX, int sigmaY, int type);
TX_EXPORT bool TX_image_inRange(int lowerBound, int upperBound);
TX_EXPORT bool TX_image_interval(const char* colorStr, int threshold);
TX_EXPORT bool TX_image_detectsColor(const char* color, int x, int y, int threshold,
                                     const char* algorithm);
TX_EXPORT bool TX_image_findColor(int x1, int y1, int x2, int y2, const char* color,
                                  int threshold, int* outX, int* outY);
TX_EXPORT bool TX_image_findColorEquals(int x1, int y1, int x2, int y2, const char* color,
                                        int* outX, int* outY);
TX_EXPORT bool TX_image_findImage(int x1, int y1, int x2, int y2, int* outX, int* outY,
                                  float threshold, int level);

TX_END_DECLS
#endif
