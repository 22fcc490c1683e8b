// Script files on disk: read in their own encoding, written whole or not at all.
#pragma once

#include <QString>

#include "script_encoding.h"

namespace vantor {

// The file's text exactly as stored, line ends included, and its encoding.
// False with a reason when the file cannot be read or is not text that
// could be written back unchanged.
bool readScriptFile(const QString& path, QString* text, ScriptEncoding* encoding, QString* error);

// Writes `text` exactly as given (no line end added) in `encoding` into a
// temporary file beside `path` and puts it in place of `path` only once it is
// complete, so a failed save leaves the old file as it was. A read-only file
// is refused.
bool writeScriptFile(const QString& path, const QString& text, const ScriptEncoding& encoding,
                     QString* error);

}  // namespace vantor
