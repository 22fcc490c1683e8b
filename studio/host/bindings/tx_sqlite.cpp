#include "tx_sqlite.h"

#include <QDebug>
#include <cstring>
#include <vector>

#include "tavix.h"

namespace vantor {

namespace {

constexpr int kColumnSlot = 512;
// SQLite's own limit on the columns of a table.
constexpr qint32 kMaxColumns = 2000;

// The longest prefix of `text` that fits `capacity` bytes without cutting a
// UTF-8 sequence in two.
int utf8Prefix(const QByteArray& text, int capacity)
{
    if (text.size() <= capacity)
        return text.size();
    int cut = capacity;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return cut;
}

}  // namespace

QScriptValue TX_sqlite::creat(QString dbpath)
{
    dbpath_ = dbpath;
    return QScriptValue(TX_sqlite_creat(dbpath_.toUtf8().constData()));
}

QScriptValue TX_sqlite::close()
{
    return QScriptValue(TX_sqlite_close(dbpath_.toUtf8().constData()));
}

QScriptValue TX_sqlite::createTable(QString tableName, QScriptValue columns)
{
    qint32 count = columns.property(QStringLiteral("length")).toInt32();
    if (count < 0)
        count = 0;
    if (count > kMaxColumns) {
        qWarning("sqlite.createTable: %d columns refused (at most %d)", count, kMaxColumns);
        return QScriptValue(false);
    }
    using Slot = char[kColumnSlot];
    std::vector<char> columnSlots(static_cast<std::size_t>(count) * kColumnSlot + 1, '\0');
    for (qint32 i = 0; i < count; ++i) {
        const QString column = columns.property(static_cast<quint32>(i)).toString();
        qDebug().noquote() << column;
        const QByteArray text = column.toUtf8();
        const int length = utf8Prefix(text, kColumnSlot - 1);
        if (length < text.size())
            qWarning().noquote() << "sqlite.createTable: column definition cut to 511 bytes:" << column;
        std::memcpy(columnSlots.data() + static_cast<std::size_t>(i) * kColumnSlot, text.constData(),
                    static_cast<std::size_t>(length));
    }
    return QScriptValue(TX_sqlite_createTable(dbpath_.toUtf8().constData(),
                                              tableName.toUtf8().constData(),
                                              reinterpret_cast<const Slot*>(columnSlots.data()), count));
}

QScriptValue TX_sqlite::dropTable(QString tableName)
{
    return QScriptValue(
        TX_sqlite_dropTable(dbpath_.toUtf8().constData(), tableName.toUtf8().constData()));
}

QScriptValue TX_sqlite::execSQL(QString sql)
{
    return QScriptValue(TX_sqlite_execSQL(dbpath_.toUtf8().constData(), sql.toUtf8().constData()));
}

}  // namespace vantor
