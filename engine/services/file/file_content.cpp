// Reading and writing file content: text in a named encoding, raw appends.
#include <QDebug>
#include <QFile>
#include <QSaveFile>
#include <cstring>

#include "caller_buffer.h"
#include "core/file_kind.h"
#include "file_service.h"
#include "reported_size.h"
#include "text_encoding.h"
#include "whole_text.h"

namespace tavix::file {

namespace {

// Callers size `out` from the size reported to them; the content read may be
// longer (text in a code page grows in UTF-8, /proc files report 0, files grow),
// so the copy stops at that size plus the margin.
int storeText(char* out, const QStringRef& text, const QString& path)
{
    return storeInCallerBuffer(out, text.toUtf8(), readCapacity(path));
}

// Appends all of `bytes` or nothing: a write that fails half-way (a full
// volume) is cut off again so that the file keeps its old content.
bool appendData(const QString& path, const QByteArray& bytes, const char* function)
{
    QFile file(path);
    if (path.isEmpty() || core::refuseSpecialFile(path, function)
        || !file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const qint64 oldSize = file.size();
    if (file.write(bytes) != bytes.size()) {
        qWarning().noquote() << QStringLiteral("%1: cannot write").arg(QLatin1String(function)) << path << ":"
                             << file.errorString();
        file.resize(oldSize);
        return false;
    }
    return true;
}

bool noBuffer(const char* function, char* out)
{
    if (out)
        return false;
    qWarning("%s: no output buffer", function);
    return true;
}

}  // namespace

bool append(const QString& path, const QString& text, const QByteArray& encoding)
{
    return appendData(path, encodeTextFile(text + QLatin1Char('\n'), codecFor(encoding)), "TX_file_append");
}

bool appendBytes(const QString& path, const char* bytes, int length)
{
    if (length < 0)
        length = bytes ? int(std::strlen(bytes)) : 0;
    if (!bytes && length > 0) {
        qWarning("TX_file_appendBytes: no bytes for a length of %d", length);
        return false;
    }
    return appendData(path, QByteArray::fromRawData(bytes ? bytes : "", length), "TX_file_appendBytes");
}

bool write(const QString& path, const QString& text, const QByteArray& encoding)
{
    // The old content stays in place until the new one is completely written.
    // A device or FIFO is refused: the atomic replacement would put a regular
    // file in its place. A link is written through, QSaveFile replacing the
    // file it points to.
    if (core::refuseSpecialFile(path, "TX_file_write"))
        return false;
    QSaveFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::WriteOnly)) {
        qWarning().noquote() << "TX_file_write: cannot open" << path << ":" << file.errorString();
        return false;
    }
    const QByteArray bytes = encodeTextFile(text, codecFor(encoding));
    if (file.write(bytes) != bytes.size()) {
        qWarning().noquote() << "TX_file_write: cannot write" << path << ":" << file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        qWarning().noquote() << "TX_file_write: cannot write" << path << ":" << file.errorString();
        return false;
    }
    return true;
}

int read(const QString& path, char* out, const QByteArray& encoding)
{
    if (noBuffer("TX_file_read", out))
        return 0;
    const QString text = readWholeText(path, encoding, "TX_file_read");
    return storeText(out, QStringRef(&text), path);
}

int readBytes(const QString& path, char* out)
{
    if (noBuffer("TX_file_readBytes", out))
        return 0;
    const QString text = readWholeText(path, QByteArray(), "TX_file_readBytes");
    return storeText(out, QStringRef(&text), path);
}

int readLineByNum(const QString& path, int lines, char* out)
{
    if (noBuffer("TX_file_readLineByNum", out))
        return 0;
    const QString text = readWholeText(path, QByteArray(), "TX_file_readLineByNum");
    const QStringRef line = lineByNumber(text, lines);
    return storeText(out, line, path);
}

}  // namespace tavix::file
