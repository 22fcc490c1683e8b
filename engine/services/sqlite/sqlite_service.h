// The sqlite family: each call names the database file, opens the one
// connection on it, does its work and closes it again.
#pragma once

#include <QString>
#include <QStringList>

namespace tavix::sqlite {

bool creat(const QString& dbpath);
bool close(const QString& dbpath);
bool createTable(const QString& dbpath, const QString& tableName, const QStringList& columns);
bool dropTable(const QString& dbpath, const QString& tableName);
bool execSQL(const QString& dbpath, const QString& sql);

// The `count` column names held in consecutive 512-byte slots.
QStringList columnSlots(const char (*columns)[512], int count);

}  // namespace tavix::sqlite
