/* The ocr family: text recognition through the external OCR program. */
#ifndef TAVIX_OCR_H
#define TAVIX_OCR_H
#include "common.h"

TX_BEGIN_DECLS

TX_EXPORT const char* TX_ocr_imgText(const char* data);
TX_EXPORT const char* TX_ocr_imgTextPath(const char* path);
TX_EXPORT const char* TX_ocr_imgTextImage(void);

TX_END_DECLS
#endif
