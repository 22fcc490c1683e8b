/* The utils family: digests, ciphers, Base64/hex, random numbers, QR codes, zip archives. */
#ifndef TAVIX_UTILS_H
#define TAVIX_UTILS_H
#include "common.h"

TX_BEGIN_DECLS

/* The MD5 of a file's content as 32 lower-case hex digits; when the file cannot
 * be opened, "Failed to open file" goes to standard output. The engine's own
 * 1024-byte array, valid until the next TX_utils_md5. */
TX_EXPORT const char* TX_utils_md5(const char* strFileOrString);
/* The cipher, Base64 and hex texts below live in the engine's own 16384-byte
 * arrays, one a function, valid until that function is called again; a result
 * that would not fit gives the empty text (and a length of 0) with a log line. encodeAes:
 * AES-128-ECB of src (UTF-8, zero-padded) under key, as Base64. */
TX_EXPORT const char* TX_utils_encodeAes(const char* src, const char* key);
/* The plain text of a Base64 AES cipher, up to its first zero byte, in Latin-1. */
TX_EXPORT const char* TX_utils_decodeAes(const char* src, const char* key);
/* DES of src (zero-padded) under key, in the engine's Base64 form. */
TX_EXPORT const char* TX_utils_encodeDes(const char* src, const char* key);
/* The plain text of a Base64 DES cipher, up to its first zero byte. */
TX_EXPORT const char* TX_utils_decodeDes(const char* src, const char* key);
/* RC4 of src under key, in the engine's Base64 form; "" for an empty key. */
TX_EXPORT const char* TX_utils_encodeRc4(const char* src, const char* key);
/* The plain text of an RC4 cipher; "" for an empty key or a text of odd length. */
TX_EXPORT const char* TX_utils_decodeRc4(const char* src, const char* key);
/* Base64 of length bytes of input (a negative length: up to the first zero). */
TX_EXPORT const char* TX_utils_encodeBase64(const char* input, int length);
/* The decoded bytes (invalid UTF-8 replaced by U+FFFD) with a terminating zero;
 * *outLength (when not null) receives their number. */
TX_EXPORT const char* TX_utils_decodeBase64(const char* input, int* outLength);
/* The bytes of a hex text (at most 16384; an odd count gets a final 0);
 * *outLength receives their number. Invalid digit pairs give 0 bytes. */
TX_EXPORT const char* TX_utils_hexToByte(const char* szHex, int* outLength);
/* vLen bytes as lower-case hex; "" for a null vByte or a length below 1. */
TX_EXPORT const char* TX_utils_byteToHex(const unsigned char* vByte, int vLen);
/* A pseudo-random integer from the smaller bound up to, not including, the larger
 * (min when they are equal); reseeded each second. */
TX_EXPORT int TX_utils_randomInt(int min, int max);
/* A constant version text; never freed. */
TX_EXPORT const char* TX_utils_versionInfo(void);

/* Makes a QR picture of text (scale: pixels a side), optionally with a logo
 * file in the middle, leaves it in the working image and saves it to
 * SaveImagePath. 1 when a symbol was made, 0 otherwise. */
TX_EXPORT int TX_utils_createQRCode(const char* text, int scale, const char* SaveImagePath,
                                    const char* LogoImagePath);
/* The same without saving; the logo is the shared record's logoImage. */
TX_EXPORT int TX_utils_createQRCodeImage(const char* text, int scale);
/* The text of the first QR or Code 128 symbol of a picture file, in the
 * engine's own 16384-byte array (valid until the next call of the same
 * function); null when nothing can be decoded. */
TX_EXPORT const char* TX_utils_decodeQRCode(const char* ImageFile);
/* The same for the working image. */
TX_EXPORT const char* TX_utils_decodeQRCodeImage(void);

/* Packs one file into the archive dest (password null: no encryption). False
 * when the file cannot be read (dest is then left as it was) or the archive
 * cannot be written. */
TX_EXPORT bool TX_utils_zipFile(const char* filePath, const char* dest, const char* password);
/* Packs a folder's files (without hidden ones) into dest; false, leaving dest
 * as it was, when the folder does not exist or the archive cannot be written. */
TX_EXPORT bool TX_utils_zipDir(const char* Dir, const char* dest, const char* password);
/* Unpacks an archive's first entry into the file dest; no result, problems are
 * logged. An entry is never written past its declared size, nor started when it
 * would not fit the free space; an existing file is replaced only by a complete,
 * checked entry. */
TX_EXPORT void TX_utils_unZip(const char* zipFilePath, const char* dest, const char* password);
/* Unpacks every entry of the archive Dir into the folder dest (made when
 * missing) under the same rules; entries that would land outside dest, do not
 * fit or are damaged are skipped with a log line and the others go on. */
TX_EXPORT void TX_utils_unZipDir(const char* Dir, const char* dest, const char* password);

TX_END_DECLS
#endif
