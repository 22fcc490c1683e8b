#include "script_file.h"

#include <QFile>
#include <QSaveFile>

namespace vantor {

bool readScriptFile(const QString& path, QString* text, ScriptEncoding* encoding, QString* error)
{
    // Binary: the editor keeps each line's own end, which text mode would drop.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return false;
    }
    if (!decodeScript(bytes, text, encoding)) {
        *error = QStringLiteral("not text in UTF-8, UTF-16, UTF-32 or GB18030");
        return false;
    }
    return true;
}

bool writeScriptFile(const QString& path, const QString& text, const ScriptEncoding& encoding,
                     QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    const QByteArray bytes = encodeScript(text, encoding);
    if (file.write(bytes) != bytes.size()) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace vantor
