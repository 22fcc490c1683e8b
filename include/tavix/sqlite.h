/* The sqlite family: one SQLite connection at a time. */
#ifndef TAVIX_SQLITE_H
#define TAVIX_SQLITE_H
#include "common.h"

TX_BEGIN_DECLS

TX_EXPORT bool TX_sqlite_creat(const char* dbpath);
TX_EXPORT bool TX_sqlite_close(const char* dbpath);
TX_EXPORT bool TX_sqlite_createTable(const char* dbpath, const char* tableName,
                                     const char (*columns)[512], int count);
TX_EXPORT bool TX_sqlite_dropTable(const char* dbpath, const char* tableName);
TX_EXPORT bool TX_sqlite_execSQL(const char* dbpath, const char* sql);

TX_END_DECLS
#endif
