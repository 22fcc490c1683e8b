/* The image family: reading, saving, clipping, joining, colour tests and
 * searches, Base64 and byte round trips, a download, pixels, rotation and
 * scaling, all on the engine's working image. */
#include <stdbool.h>
#include <stdio.h>

#include "demo_engine.h"
#include "demo_folder.h"

/* A PNG picture on the web; the demos script points this at its own server. */
static const char* const kPictureUrl =
    "https://upload.wikimedia.org/wikipedia/commons/4/47/PNG_transparency_demonstration_1.png";

static bool (*image_read)(const char* path);
static bool (*image_load)(const char* url);
static bool (*image_fromBase64)(const char* data);
static bool (*image_fromBytes)(const char* bytes, int length);
static bool (*image_save)(const char* path, const char* format, int quality);
static char* (*image_toBase64)(const char* format, int quality);
static int (*image_toBytes)(unsigned char** out, const char* format, int quality);
static bool (*image_free)(void);
static bool (*image_clip)(int x, int y, int w, int h);
static bool (*image_resize)(int width, int height, int interpolation);
static bool (*image_scale)(int width, int height, int interpolation);
static bool (*image_rotate)(int x, int y, int degree);
static bool (*image_concat)(int direction);
static bool (*image_concatPath)(const char* img1Path, const char* img2Path, int direction,
                                const char* savePath, const char* format, int quality);
static unsigned int (*image_pixel)(int x, int y);
static bool (*image_grayscale)(int dstCn);
static bool (*image_cvtColor)(int code, int dstCn);
static bool (*image_blur)(int x, int y, int type, int point);
static bool (*image_gaussianBlur)(int x, int y, int sigmaX, int sigmaY, int type);
static bool (*image_inRange)(int lowerBound, int upperBound);
static bool (*image_interval)(const char* colorStr, int threshold);
static bool (*image_detectsColor)(const char* color, int x, int y, int threshold, const char* algorithm);
static bool (*image_findColor)(int x1, int y1, int x2, int y2, const char* color, int threshold,
                               int* outX, int* outY);
static bool (*image_findColorEquals)(int x1, int y1, int x2, int y2, const char* color, int* outX,
                                     int* outY);
static bool (*image_findImage)(int x1, int y1, int x2, int y2, int* outX, int* outY,
                               float threshold, int level);

static const struct demo_symbol symbols[] = {
    DEMO_SYMBOL("TX_image_read", image_read),
    DEMO_SYMBOL("TX_image_load", image_load),
    DEMO_SYMBOL("TX_image_fromBase64", image_fromBase64),
    DEMO_SYMBOL("TX_image_fromBytes", image_fromBytes),
    DEMO_SYMBOL("TX_image_save", image_save),
    DEMO_SYMBOL("TX_image_toBase64", image_toBase64),
    DEMO_SYMBOL("TX_image_toBytes", image_toBytes),
    DEMO_SYMBOL("TX_image_free", image_free),
    DEMO_SYMBOL("TX_image_clip", image_clip),
    DEMO_SYMBOL("TX_image_resize", image_resize),
    DEMO_SYMBOL("TX_image_scale", image_scale),
    DEMO_SYMBOL("TX_image_rotate", image_rotate),
    DEMO_SYMBOL("TX_image_concat", image_concat),
    DEMO_SYMBOL("TX_image_concatPath", image_concatPath),
    DEMO_SYMBOL("TX_image_pixel", image_pixel),
    DEMO_SYMBOL("TX_image_grayscale", image_grayscale),
    DEMO_SYMBOL("TX_image_cvtColor", image_cvtColor),
    DEMO_SYMBOL("TX_image_blur", image_blur),
    DEMO_SYMBOL("TX_image_gaussianBlur", image_gaussianBlur),
    DEMO_SYMBOL("TX_image_inRange", image_inRange),
    DEMO_SYMBOL("TX_image_interval", image_interval),
    DEMO_SYMBOL("TX_image_detectsColor", image_detectsColor),
    DEMO_SYMBOL("TX_image_findColor", image_findColor),
    DEMO_SYMBOL("TX_image_findColorEquals", image_findColorEquals),
    DEMO_SYMBOL("TX_image_findImage", image_findImage),
};

/* Paths of the image folder: one buffer per argument of a call. */
static char path_a[4096], path_b[4096], path_c[4096];

static const char* image_path(char* out, const char* name)
{
    char relative[256];
    snprintf(relative, sizeof relative, "image/%s", name);
    return demo_path(out, sizeof path_a, relative);
}

static void run(void)
{
    printf("image--------------------------------------\n");
    printf("read image = %d\n", (unsigned char)image_read(image_path(path_a, "abc.png")));
    printf("read image = %d\n", (unsigned char)image_read(image_path(path_a, "xyz.png")));
    printf("save image = %d\n", (unsigned char)image_save(image_path(path_a, "abc1.png"), "PNG", 80));

    image_read(image_path(path_a, "abc.png"));
    image_clip(0, 0, 300, 300);
    image_save(image_path(path_a, "creatclip.png"), "png", 100);

    image_concatPath(image_path(path_a, "abc.png"), image_path(path_b, "logo.png"), 48,
                     image_path(path_c, "creatconcatPath.png"), "png", 100);

    image_read(image_path(path_a, "white.png"));
    if (image_detectsColor("#FFF0F0", 100, 100, 31, "diff"))
        printf("detectsColor: found.\n");
    else
        printf("detectsColor: no found.\n");

    int x = -1, y = -1;
    image_read(image_path(path_a, "whitered.png"));
    if (image_findColor(100, 100, 500, 500, "#ff0000", 16, &x, &y))
        printf("findColor: x = %d, y = %d\n", x, y);
    else
        printf("findColor: no found.\n");

    image_read(image_path(path_a, "whiteredsmall.png"));
    const char* base64 = demo_text(image_toBase64("png", 100));
    if (base64[0] && base64[1] && base64[2] && base64[3]) {
        printf("image_toBase64:  %c %c %c \n", base64[0], base64[1], base64[2]);
        image_fromBase64(base64);
        image_save(image_path(path_a, "createfromBase64.png"), "PNG", 100);
    }

    unsigned char* bytes = NULL;
    const int length = image_toBytes(&bytes, "png", 100);
    if (length > 3 && bytes) {
        printf("image_toBytes:  0x%.2x 0x%.2x 0x%.2x \n", bytes[0], bytes[1], bytes[2]);
        image_fromBytes((const char*)bytes, length);
        image_save(image_path(path_a, "createfromBytes.png"), "PNG", 100);
    }

    image_load(demo_setting("TAVIX_DEMO_PICTURE_URL", kPictureUrl));
    image_save(image_path(path_a, "createulrimg.png"), "PNG", 100);

    image_read(image_path(path_a, "abc.png"));
    const unsigned int v = image_pixel(100, 100);
    printf("0x%.8x ---> red:%d, green:%d, blue:%d", v, (v >> 16) & 0xff, (v >> 8) & 0xff, v & 0xff);

    image_read(image_path(path_a, "abc.png"));
    image_rotate(100, 100, 90);
    image_save(image_path(path_a, "creatRotateimg .png"), "PNG", 100);
    image_read(image_path(path_a, "abc.png"));
    image_scale(100, 100, 0);
    image_save(image_path(path_a, "creatScaleimg.png"), "PNG", 100);
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
