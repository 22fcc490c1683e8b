// Script files on disk: read as UTF-8 text, written whole or not at all.
#pragma once

#include <QString>

namespace vantor {

// The file's text, with "\r\n" line ends read as "\n". False with a reason
// when the file cannot be read.
bool readScriptFile(const QString& path, QString* text, QString* error);

// Writes `text` exactly as given (no line end added) into a temporary file
// beside `path` and puts it in place of `path` only once it is complete, so
// a failed save leaves the old file as it was. A read-only file is refused.
bool writeScriptFile(const QString& path, const QString& text, QString* error);

}  // namespace vantor
