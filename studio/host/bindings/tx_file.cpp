#include "tx_file.h"

#include <QDebug>
#include <optional>

#include "caller_buffer.h"
#include "script_values.h"
#include "script_text.h"
#include "tavix.h"

namespace vantor {

using vantor::CallerBuffer;
using vantor::engineText;

namespace {

constexpr int kListSlot = TX_FILE_NAME_SLOT;
// Room for entries that appear between counting and listing: the engine
// fills as many slots as it finds.
constexpr int kListSpareSlots = 256;

QByteArray utf8(const QString& text)
{
    return text.toUtf8();
}

const QString kUtf8 = QStringLiteral("UTF-8");

}  // namespace

QScriptValue TX_file::append(QString path, QString text, QString encoding)
{
    return QScriptValue(TX_file_append(utf8(path).constData(), utf8(text).constData(),
                                       utf8(encoding).constData()));
}

QScriptValue TX_file::append(QString path, QString text)
{
    return append(path, text, kUtf8);
}

QScriptValue TX_file::appendBytes(QString path, QScriptValue arrayName)
{
    const std::optional<QByteArray> bytes = vantor::bytesOfNumbers(arrayName);
    if (!bytes)
        return QScriptValue(false);
    return QScriptValue(TX_file_appendBytes(utf8(path).constData(), bytes->constData(), bytes->size()));
}

QScriptValue TX_file::copy(QString formPath, QString toPath)
{
    return QScriptValue(TX_file_copy(utf8(formPath).constData(), utf8(toPath).constData()));
}

QScriptValue TX_file::create(QString path) { return QScriptValue(TX_file_create(utf8(path).constData())); }
QScriptValue TX_file::remove(QString path) { return QScriptValue(TX_file_remove(utf8(path).constData())); }
QScriptValue TX_file::exists(QString path) { return QScriptValue(TX_file_exists(utf8(path).constData())); }

QScriptValue TX_file::getFileLiens(QString path)
{
    return QScriptValue(TX_file_getFileLiens(utf8(path).constData()));
}

QScriptValue TX_file::getFileLongDate(QString path)
{
    return engineText(TX_file_getFileLongDate(utf8(path).constData()));
}

QScriptValue TX_file::getFileSize(QString path)
{
    return QScriptValue(TX_file_getFileSize(utf8(path).constData()));
}

QScriptValue TX_file::getFileStringDate(QString path)
{
    return engineText(TX_file_getFileStringDate(utf8(path).constData()));
}

QScriptValue TX_file::getName(QString path) { return engineText(TX_file_getName(utf8(path).constData())); }
QScriptValue TX_file::isDir(QString path) { return QScriptValue(TX_file_isDir(utf8(path).constData())); }
QScriptValue TX_file::isEmptyDir(QString path) { return QScriptValue(TX_file_isEmptyDir(utf8(path).constData())); }
QScriptValue TX_file::isFile(QString path) { return QScriptValue(TX_file_isFile(utf8(path).constData())); }

QStringList TX_file::listDir(QString path)
{
    const QByteArray name = utf8(path);
    const int count = TX_file_listDirCount(name.constData());
    if (count <= 0)
        return QStringList();
    CallerBuffer buffer(static_cast<std::size_t>(count + kListSpareSlots) * kListSlot);
    if (!buffer.ok())
        return QStringList();
    const int listed = TX_file_listDir(name.constData(), buffer.data());
    QStringList entries;
    for (int i = 0; i < listed && i < count; ++i) {
        const char* slot = buffer.data() + static_cast<std::size_t>(i) * kListSlot;
        entries << QString::fromUtf8(slot, static_cast<int>(qstrnlen(slot, kListSlot)));
    }
    return entries;
}

QScriptValue TX_file::listDirCount(QString path)
{
    return QScriptValue(TX_file_listDirCount(utf8(path).constData()));
}

QScriptValue TX_file::mkdirs(QString path) { return QScriptValue(TX_file_mkdirs(utf8(path).constData())); }

QScriptValue TX_file::move(QString formPath, QString toPath)
{
    return QScriptValue(TX_file_move(utf8(formPath).constData(), utf8(toPath).constData()));
}

QScriptValue TX_file::read(QString path, QString encoding)
{
    const QByteArray name = utf8(path);
    CallerBuffer buffer(vantor::textBufferSize(TX_file_getFileSize(name.constData())));
    if (!buffer.ok())
        return QScriptValue(QString());
    TX_file_read(name.constData(), buffer.data(), utf8(encoding).constData());
    return QScriptValue(QString::fromUtf8(buffer.text()));
}

QScriptValue TX_file::read(QString path)
{
    return read(path, kUtf8);
}

QScriptValue TX_file::readBytes(QString path)
{
    const QByteArray name = utf8(path);
    const int size = TX_file_getFileSize(name.constData());
    CallerBuffer buffer(static_cast<std::size_t>(size > 0 ? size : 0) + TX_FILE_READ_MARGIN);
    if (!buffer.ok())
        return vantor::byteValues(QByteArray());
    TX_file_readBytes(name.constData(), buffer.data());
    return vantor::byteValues(size >= 0 ? buffer.bytes(static_cast<std::size_t>(size)) : buffer.text());
}

QScriptValue TX_file::readLineByNum(QString path, int lines)
{
    const QByteArray name = utf8(path);
    CallerBuffer buffer(vantor::textBufferSize(TX_file_getFileSize(name.constData())));
    if (!buffer.ok())
        return QScriptValue(QString());
    TX_file_readLineByNum(name.constData(), lines, buffer.data());
    return QScriptValue(QString::fromUtf8(buffer.text()));
}

QScriptValue TX_file::rename(QString formPath, QString name)
{
    return QScriptValue(TX_file_rename(utf8(formPath).constData(), utf8(name).constData()));
}

QScriptValue TX_file::write(QString path, QString text, QString encoding)
{
    return QScriptValue(TX_file_write(utf8(path).constData(), utf8(text).constData(),
                                      utf8(encoding).constData()));
}

QScriptValue TX_file::write(QString path, QString text)
{
    return write(path, text, kUtf8);
}

}  // namespace vantor
