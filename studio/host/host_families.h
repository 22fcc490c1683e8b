// The binding classes of the engine families this build links.
#pragma once

#ifdef VANTOR_BINDS_DEVICE
#include "bindings/tx_device.h"
#endif
#ifdef VANTOR_BINDS_FILE
#include "bindings/tx_file.h"
#endif
#ifdef VANTOR_BINDS_IMAGE
#include "bindings/tx_image.h"
#endif
#ifdef VANTOR_BINDS_IMAGEV
#include "bindings/tx_imagev.h"
#endif
#ifdef VANTOR_BINDS_SQLITE
#include "bindings/tx_sqlite.h"
#endif
#ifdef VANTOR_BINDS_UTILS
#include "bindings/tx_utils.h"
#endif
#ifdef VANTOR_BINDS_OCR
#include "bindings/tx_ocr.h"
#endif
