// Exports of the utils family: digest, ciphers, Base64, hex, random, version.
// One export a line, as a table.
// clang-format off
#include "codec_service.h"
#include "core/guard.h"
#include "core/text.h"
#include "tavix.h"

using namespace tavix;
using tavix::core::guarded;
using tavix::core::rawArg;
using tavix::core::textArg;

const char* TX_utils_md5(const char* strFileOrString) { return guarded(__func__, "", [&] { return codec::md5(textArg(strFileOrString)); }); }
const char* TX_utils_encodeAes(const char* src, const char* key) { return guarded(__func__, "", [&] { return codec::encodeAes(textArg(src), textArg(key)); }); }
const char* TX_utils_decodeAes(const char* src, const char* key) { return guarded(__func__, "", [&] { return codec::decodeAes(textArg(src), textArg(key)); }); }
const char* TX_utils_encodeDes(const char* src, const char* key) { return guarded(__func__, "", [&] { return codec::encodeDes(rawArg(src), rawArg(key)); }); }
const char* TX_utils_decodeDes(const char* src, const char* key) { return guarded(__func__, "", [&] { return codec::decodeDes(rawArg(src), rawArg(key)); }); }
const char* TX_utils_encodeRc4(const char* src, const char* key) { return guarded(__func__, "", [&] { return codec::encodeRc4(rawArg(src), rawArg(key)); }); }
const char* TX_utils_decodeRc4(const char* src, const char* key) { return guarded(__func__, "", [&] { return codec::decodeRc4(rawArg(src), rawArg(key)); }); }
const char* TX_utils_encodeBase64(const char* input, int length) { return guarded(__func__, "", [&] { return codec::encodeBase64(input, length); }); }
const char* TX_utils_decodeBase64(const char* input, int* outLength) { return guarded(__func__, "", [&] { return codec::decodeBase64(rawArg(input), outLength); }); }
const char* TX_utils_hexToByte(const char* szHex, int* outLength) { return guarded(__func__, "", [&] { return codec::hexToByte(rawArg(szHex), outLength); }); }
const char* TX_utils_byteToHex(const unsigned char* vByte, int vLen) { return guarded(__func__, "", [&] { return codec::byteToHex(vByte, vLen); }); }
int TX_utils_randomInt(int min, int max) { return guarded(__func__, 0, [&] { return codec::randomInt(min, max); }); }
const char* TX_utils_versionInfo(void) { return guarded(__func__, "", [] { return codec::versionInfo(); }); }
