#include "tx_file.h"

#include <QDebug>
#include <optional>

#include "caller_buffer.h"
#include "script_values.h"
#include "script_text.h"
#include "services/file/path_arg.h"
#include "services/file/whole_text.h"
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

// A path as the engine's file family takes it: backslashes separate too.
QString filePath(const QString& path)
{
    return tavix::file::pathArg(utf8(path).constData());
}

// Texts end at a zero character, as they do when they cross the C interface.
QString untilZero(const QString& text)
{
    const int zero = text.indexOf(QChar(0));
    return zero < 0 ? text : text.left(zero);
}

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
    // The engine's reader without a caller-sized buffer: the whole text also of
    // files whose size is unknown beforehand (/proc) or that grow meanwhile.
    return QScriptValue(
        untilZero(tavix::file::readWholeText(filePath(path), utf8(encoding), "TX_file_read")));
}

QScriptValue TX_file::read(QString path)
{
    return read(path, kUtf8);
}

QScriptValue TX_file::readBytes(QString path)
{
    const QString name = filePath(path);
    const QByteArray text =
        tavix::file::readWholeText(name, QByteArray(), "TX_file_readBytes").toUtf8();
    // As many bytes as the file holds; all of them when its size is not known
    // beforehand (a /proc file reports 0).
    const int size = TX_file_getFileSize(utf8(path).constData());
    return vantor::byteValues(size > 0 ? text.left(size) : text);
}

QScriptValue TX_file::readLineByNum(QString path, int lines)
{
    const QString text =
        tavix::file::readWholeText(filePath(path), QByteArray(), "TX_file_readLineByNum");
    return QScriptValue(untilZero(tavix::file::lineByNumber(text, lines).toString()));
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
