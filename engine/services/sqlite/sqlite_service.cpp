#include "sqlite_service.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>
#include <cstring>

#include "sqlite_connection.h"

namespace tavix::sqlite {

namespace {

void logFailure(const char* message, const QSqlError& error)
{
    qDebug().noquote() << message << error.text();
}

}  // namespace

QStringList columnSlots(const char (*columns)[512], int count)
{
    QStringList names;
    if (!columns)
        return names;
    for (int i = 0; i < count; ++i)
        names << QString::fromUtf8(columns[i], int(strnlen(columns[i], sizeof columns[i])));
    return names;
}

bool creat(const QString& dbpath)
{
    QSqlDatabase db = obtainConnection(dbpath);
    if (!openDatabase(db)) {
        qDebug("无法打开数据库");
        return false;
    }
    db.close();
    return true;
}

bool close(const QString& dbpath)
{
    QSqlDatabase db = obtainConnection(dbpath);
    const bool wasOpen = db.isOpen();
    if (wasOpen)
        db.close();
    return wasOpen;
}

bool createTable(const QString& dbpath, const QString& tableName, const QStringList& columns)
{
    QSqlDatabase db = obtainConnection(dbpath);
    if (!openDatabase(db)) {
        qDebug("Failed to open database!");
        return false;
    }
    QStringList items;
    for (const QString& column : columns)
        items << column + QStringLiteral(" TEXT");
    const QString statement =
        QStringLiteral("CREATE TABLE ") + tableName + QStringLiteral(" (") + items.join(QStringLiteral(", ")) + QLatin1Char(')');
    QSqlQuery query(db);
    if (!query.exec(statement)) {
        // The connection stays open until the next call of the family.
        logFailure("Error creating table:", query.lastError());
        return false;
    }
    qDebug("Table created successfully!");
    query.finish();
    db.close();
    return true;
}

bool dropTable(const QString& dbpath, const QString& tableName)
{
    QSqlDatabase db = obtainConnection(dbpath);
    if (!openDatabase(db)) {
        qDebug("Failed to open database:");
        return false;
    }
    bool done;
    {
        QSqlQuery query(db);
        done = query.prepare(QStringLiteral("DROP TABLE IF EXISTS ") + tableName) && query.exec();
        if (!done)
            logFailure("Failed to delete table:", query.lastError());
    }
    db.close();
    return done;
}

bool execSQL(const QString& dbpath, const QString& sql)
{
    QSqlDatabase db = obtainConnection(dbpath);
    if (!openDatabase(db)) {
        qDebug("Failed to open database.");
        return false;
    }
    bool done;
    {
        QSqlQuery query(db);
        done = query.exec(sql);
        if (!done)
            logFailure("Failed to execute SQL command.", query.lastError());
    }
    db.close();
    return done;
}

}  // namespace tavix::sqlite
