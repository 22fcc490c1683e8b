/* The ocr family: text recognition through the external OCR program, which writes
 * its result into a temporary folder of each call. */
#ifndef TAVIX_OCR_H
#define TAVIX_OCR_H
#include "common.h"

TX_BEGIN_DECLS

/* Recognised text in the local 8-bit code page. The three share one 16384-byte
 * array of the engine, valid until the next call of any of them; a text that does
 * not fit, or a failed recognition, leaves the previous text there. imgText reads
 * a Base64 picture (optional data-URL prefix); null when no temporary folder can
 * be made. */
TX_EXPORT const char* TX_ocr_imgText(const char* data);
/* Recognises a picture file; never null. */
TX_EXPORT const char* TX_ocr_imgTextPath(const char* path);
/* Recognises the shared record's working image; null when no temporary folder
 * can be made. */
TX_EXPORT const char* TX_ocr_imgTextImage(void);

TX_END_DECLS
#endif
