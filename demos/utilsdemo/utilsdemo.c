/* The utils family: version, MD5, the three ciphers, Base64 and hexadecimal,
 * random numbers, a QR code drawn and read back, and zip archives. */
#include <stdbool.h>
#include <stdio.h>
#include <string.h>

#include "demo_engine.h"
#include "demo_folder.h"

/* An eight-digit key for the ciphers and a three-digit zip password. */
static const char* const kCipherKey = "20240521";
static const char* const kZipPassword = "123";

static const char* (*utils_md5)(const char* strFileOrString);
static const char* (*utils_encodeAes)(const char* src, const char* key);
static const char* (*utils_decodeAes)(const char* src, const char* key);
static const char* (*utils_encodeDes)(const char* src, const char* key);
static const char* (*utils_decodeDes)(const char* src, const char* key);
static const char* (*utils_encodeRc4)(const char* src, const char* key);
static const char* (*utils_decodeRc4)(const char* src, const char* key);
static const char* (*utils_encodeBase64)(const char* input, int length);
static const char* (*utils_decodeBase64)(const char* input, int* outLength);
static const char* (*utils_hexToByte)(const char* szHex, int* outLength);
static const char* (*utils_byteToHex)(const unsigned char* vByte, int vLen);
static int (*utils_randomInt)(int min, int max);
static const char* (*utils_versionInfo)(void);
static int (*utils_createQRCode)(const char* text, int scale, const char* SaveImagePath,
                                 const char* LogoImagePath);
static const char* (*utils_decodeQRCode)(const char* ImageFile);
static bool (*utils_zipFile)(const char* filePath, const char* dest, const char* password);
static bool (*utils_zipDir)(const char* Dir, const char* dest, const char* password);
static void (*utils_unZip)(const char* zipFilePath, const char* dest, const char* password);
static void (*utils_unZipDir)(const char* Dir, const char* dest, const char* password);

static const struct demo_symbol symbols[] = {
    DEMO_SYMBOL("TX_utils_md5", utils_md5),
    DEMO_SYMBOL("TX_utils_encodeAes", utils_encodeAes),
    DEMO_SYMBOL("TX_utils_decodeAes", utils_decodeAes),
    DEMO_SYMBOL("TX_utils_encodeDes", utils_encodeDes),
    DEMO_SYMBOL("TX_utils_decodeDes", utils_decodeDes),
    DEMO_SYMBOL("TX_utils_encodeRc4", utils_encodeRc4),
    DEMO_SYMBOL("TX_utils_decodeRc4", utils_decodeRc4),
    DEMO_SYMBOL("TX_utils_encodeBase64", utils_encodeBase64),
    DEMO_SYMBOL("TX_utils_decodeBase64", utils_decodeBase64),
    DEMO_SYMBOL("TX_utils_hexToByte", utils_hexToByte),
    DEMO_SYMBOL("TX_utils_byteToHex", utils_byteToHex),
    DEMO_SYMBOL("TX_utils_randomInt", utils_randomInt),
    DEMO_SYMBOL("TX_utils_versionInfo", utils_versionInfo),
    DEMO_SYMBOL("TX_utils_createQRCode", utils_createQRCode),
    DEMO_SYMBOL("TX_utils_decodeQRCode", utils_decodeQRCode),
    DEMO_SYMBOL("TX_utils_zipFile", utils_zipFile),
    DEMO_SYMBOL("TX_utils_zipDir", utils_zipDir),
    DEMO_SYMBOL("TX_utils_unZip", utils_unZip),
    DEMO_SYMBOL("TX_utils_unZipDir", utils_unZipDir),
};

typedef const char* (*cipher_function)(const char* src, const char* key);

/* Enciphers "hello!" and deciphers the result again. The result texts live
 * in the engine until the next call, so the cipher text is copied first. */
static void round_trip(const char* name, cipher_function encode, cipher_function decode)
{
    char buffer[1024];
    char key[1024];
    demo_copy_text(buffer, sizeof buffer, "hello!");
    demo_copy_text(key, sizeof key, kCipherKey);
    demo_copy_text(buffer, sizeof buffer, encode(buffer, key));
    printf("%s encode =->%s\n", name, buffer);
    printf("%s decode =->%s\n", name, demo_text(decode(buffer, key)));
}

static void codecs(void)
{
    printf("Base64--------------------------------------\n");
    char encoded[1024];
    demo_copy_text(encoded, sizeof encoded, utils_encodeBase64("hello!", 6));
    printf("base64 encode =->%s\n", encoded);
    int length = 0;
    const char* decoded = demo_text(utils_decodeBase64(encoded, &length));
    printf("base64 decode =->%s %d\n", decoded, length);

    printf("Hex Byte--------------------------------------\n");
    const char* hex = "12345678ABcde";
    unsigned char bytes[1024];
    int count = 0;
    const char* converted = utils_hexToByte(hex, &count);
    if (!converted || count < 0)
        count = 0;
    if (count > (int)sizeof bytes)
        count = (int)sizeof bytes;
    memcpy(bytes, converted ? converted : "", (size_t)count);
    printf("hexToByte '%s' =->", hex);
    for (int i = 0; i < count; ++i)
        printf("0x%.2x ", bytes[i]);
    printf("\n");
    printf("byteToHex =-> '%s'\n", demo_text(utils_byteToHex(bytes, count)));
}

static void qr_code(void)
{
    char picture[4096], logo[4096];
    demo_native_path(picture, sizeof picture, "abc.png");
    demo_native_path(logo, sizeof logo, "logo.png");
    printf("QR code (Quick Response)-------------------------\n");
    utils_createQRCode("test", 200, picture, logo);
    printf("Create OR png file: %s\n", picture);
    printf("png data: %s\n", demo_text(utils_decodeQRCode(picture)));
}

static void archives(void)
{
    char source[4096], native_source[4096], folder[4096], archive[4096], target[4096];
    demo_path(source, sizeof source, "zip/zipa.txt");
    demo_native_path(native_source, sizeof native_source, "zip/zipa.txt");
    demo_path(folder, sizeof folder, "zip/zipa/");

    printf("zip ---------------------------------\n");
    utils_zipFile(source, demo_path(archive, sizeof archive, "zip/zip1.zip"), NULL);
    utils_zipFile(native_source, demo_path(archive, sizeof archive, "zip/zip2psw.zip"), kZipPassword);

    utils_unZip(demo_path(archive, sizeof archive, "zip/zip1.zip"),
                demo_path(target, sizeof target, "zip/zipb.txt"), NULL);
    utils_unZip(demo_path(archive, sizeof archive, "zip/zip2psw.zip"),
                demo_path(target, sizeof target, "zip/zipbpsw.txt"), kZipPassword);

    utils_zipDir(folder, demo_path(archive, sizeof archive, "zip/zipaDir.zip"), NULL);
    utils_zipDir(folder, demo_path(archive, sizeof archive, "zip/zipaDirpsw.zip"), kZipPassword);

    utils_unZipDir(demo_path(archive, sizeof archive, "zip/zipaDir.zip"),
                   demo_native_path(target, sizeof target, "zip/unzipaDir/"), NULL);
    utils_unZipDir(demo_path(archive, sizeof archive, "zip/zipaDirpsw.zip"),
                   demo_path(target, sizeof target, "zip/unzipDirpsw/"), kZipPassword);
}

static void run(void)
{
    char path[4096];
    printf("version--------------------------------------\n");
    printf("%s\n", demo_text(utils_versionInfo()));

    printf("md5--------------------------------------\n");
    printf("md5 c++=->%s\n", demo_text(utils_md5(demo_path(path, sizeof path, "a.png"))));

    printf("aes--------------------------------------\n");
    round_trip("aes", utils_encodeAes, utils_decodeAes);
    printf("des--------------------------------------\n");
    round_trip("des", utils_encodeDes, utils_decodeDes);
    printf("rc4--------------------------------------\n");
    round_trip("rc4", utils_encodeRc4, utils_decodeRc4);

    codecs();

    printf("random Int--------------------------------------\n");
    printf("randomInt =-> %d\n", utils_randomInt(1, 100));

    qr_code();
    archives();
}

int main(void)
{
    demo_library* engine = demo_open_engine(symbols, DEMO_COUNT(symbols), DEMO_PRINT_LOAD_FAILURE);
    if (!engine)
        return 0;
    run();
    demo_free(engine);
    return 0;
}
