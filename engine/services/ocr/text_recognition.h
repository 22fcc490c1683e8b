// The ocr family: text out of a picture through the external OCR program.
#pragma once

#include <QString>

namespace tavix::ocr {

// All three return the one result array (recognised text in the local 8-bit
// code page, the last stored text when this call stored none); the two that
// write a temporary picture return null when no temporary folder can be made.
const char* imgTextPath(const QString& path);
const char* imgText(const QString& base64Data);
const char* imgTextImage();

}  // namespace tavix::ocr
