/* The ocr family: text read out of a small built-in picture, given as a data
 * URL, and out of the picture file of the prepared folder. */
#include <stdio.h>

#include "demo_engine.h"
#include "demo_folder.h"
#include "ocr_sample.h"

static const char* (*ocr_imgText)(const char* data);
static const char* (*ocr_imgTextPath)(const char* path);

static const struct demo_symbol symbols[] = {
    DEMO_SYMBOL("TX_ocr_imgText", ocr_imgText),
    DEMO_SYMBOL("TX_ocr_imgTextPath", ocr_imgTextPath),
};

/* The engine's result buffer is rewritten by the next recognition, so each
 * text is copied out first. A failed call may give no text at all. */
static char text[16384];

static void run(void)
{
    char picture[4096];
    demo_copy_text(text, sizeof text, ocr_imgText(kOcrSample));
    printf("ocr is --------------\n: %s\n", text);
    demo_copy_text(text, sizeof text, ocr_imgTextPath(demo_path(picture, sizeof picture, "ocr/1.png")));
    printf("ocr is --------------\n: %s\n", text);
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
