// Exports of the sqlite family.
// One export a line, as a table.
// clang-format off
#include "core/guard.h"
#include "core/text.h"
#include "sqlite_service.h"
#include "tavix.h"

using namespace tavix;
using tavix::core::guarded;
using tavix::core::textArg;

bool TX_sqlite_creat(const char* dbpath) { return guarded(__func__, false, [&] { return sqlite::creat(textArg(dbpath)); }); }
bool TX_sqlite_close(const char* dbpath) { return guarded(__func__, false, [&] { return sqlite::close(textArg(dbpath)); }); }
bool TX_sqlite_createTable(const char* dbpath, const char* tableName, const char (*columns)[512], int count) { return guarded(__func__, false, [&] { return sqlite::createTable(textArg(dbpath), textArg(tableName), sqlite::columnSlots(columns, count)); }); }
bool TX_sqlite_dropTable(const char* dbpath, const char* tableName) { return guarded(__func__, false, [&] { return sqlite::dropTable(textArg(dbpath), textArg(tableName)); }); }
bool TX_sqlite_execSQL(const char* dbpath, const char* sql) { return guarded(__func__, false, [&] { return sqlite::execSQL(textArg(dbpath), textArg(sql)); }); }
