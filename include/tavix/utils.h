/* The utils family: digests, ciphers, Base64/hex, random numbers, QR codes, zip archives. */
#ifndef TAVIX_UTILS_H
#define TAVIX_UTILS_H
#include "common.h"

TX_BEGIN_DECLS

TX_EXPORT const char* TX_utils_md5(const char* strFileOrString);
TX_EXPORT const char* TX_utils_encodeAes(const char* src, const char* key);
TX_EXPORT const char* TX_utils_decodeAes(const char* src, const char* key);
TX_EXPORT const char* TX_utils_encodeDes(const char* src, const char* key);
TX_EXPORT const char* TX_utils_decodeDes(const char* src, const char* key);
TX_EXPORT const char* TX_utils_encodeRc4(const char* src, const char* key);
TX_EXPORT const char* TX_utils_decodeRc4(const char* src, const char* key);
TX_EXPORT const char* TX_utils_encodeBase64(const char* input, int length);
TX_EXPORT const char* TX_utils_decodeBase64(const char* input, int* outLength);
TX_EXPORT const char* TX_utils_hexToByte(const char* szHex, int* outLength);
TX_EXPORT const char* TX_utils_byteToHex(const unsigned char* vByte, int vLen);
TX_EXPORT int TX_utils_randomInt(int min, int max);
TX_EXPORT const char* TX_utils_versionInfo(void);

TX_EXPORT int TX_utils_createQRCode(const char* text, int scale, const char* SaveImagePath,
                                    const char* LogoImagePath);
TX_EXPORT int TX_utils_createQRCodeImage(const char* text, int scale);
TX_EXPORT const char* TX_utils_decodeQRCode(const char* ImageFile);
TX_EXPORT const char* TX_utils_decodeQRCodeImage(void);

TX_EXPORT bool TX_utils_zipFile(const char* filePath, const char* dest, const char* password);
TX_EXPORT bool TX_utils_zipDir(const char* Dir, const char* dest, const char* password);
TX_EXPORT void TX_utils_unZip(const char* zipFilePath, const char* dest, const char* password);
TX_EXPORT void TX_utils_unZipDir(const char* Dir, const char* dest, const char* password);

TX_END_DECLS
#endif
