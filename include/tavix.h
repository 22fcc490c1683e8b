/* Tavix engine: the complete C interface of the api library.
 *
 * Call TX_api_initialize() once before anything else. Texts are zero-terminated
 * UTF-8 (a null pointer counts as empty); text results point into arrays owned
 * by the engine and stay valid until the same function is called again. Calls
 * must not overlap: the engine's state is process-wide and takes no locks. */
#ifndef TAVIX_H
#define TAVIX_H

#include "tavix/common.h"
#include "tavix/api.h"
#include "tavix/app.h"
#include "tavix/baseclass.h"
#include "tavix/cs.h"
#include "tavix/device.h"
#include "tavix/file.h"
#include "tavix/image.h"
#include "tavix/imagev.h"
#include "tavix/ocr.h"
#include "tavix/sqlite.h"
#include "tavix/utils.h"

#endif
