/* The sqlite family: one SQLite connection at a time. */
#ifndef TAVIX_SQLITE_H
#define TAVIX_SQLITE_H
#include "common.h"

TX_BEGIN_DECLS

/* Each call opens the one connection on dbpath, works and closes it again; each
 * returns false (with a log line) when the file cannot be opened or the
 * statement fails. creat: creates the database file. */
TX_EXPORT bool TX_sqlite_creat(const char* dbpath);
/* Closes the connection if it is open on dbpath. */
TX_EXPORT bool TX_sqlite_close(const char* dbpath);
/* Creates tableName with count column definitions, each a zero-terminated text
 * in a 512-byte slot. */
TX_EXPORT bool TX_sqlite_createTable(const char* dbpath, const char* tableName,
                                     const char (*columns)[512], int count);
/* Drops tableName if it exists (true for a missing table); false when the
 * database cannot be opened or the statement fails. */
TX_EXPORT bool TX_sqlite_dropTable(const char* dbpath, const char* tableName);
/* Runs one SQL statement. */
TX_EXPORT bool TX_sqlite_execSQL(const char* dbpath, const char* sql);

TX_END_DECLS
#endif
