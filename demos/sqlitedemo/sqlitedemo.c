/* The sqlite family: a database created and closed, four tables created, one
 * dropped through the family and one through plain SQL. */
#include <stdbool.h>
#include <stdio.h>
#include <string.h>

#include "demo_engine.h"
#include "demo_folder.h"

static bool (*sqlite_creat)(const char* dbpath);
static bool (*sqlite_close)(const char* dbpath);
static bool (*sqlite_createTable)(const char* dbpath, const char* tableName,
                                  const char (*columns)[512], int count);
static bool (*sqlite_dropTable)(const char* dbpath, const char* tableName);
static bool (*sqlite_execSQL)(const char* dbpath, const char* sql);

static const struct demo_symbol symbols[] = {
    DEMO_SYMBOL("TX_sqlite_creat", sqlite_creat),
    DEMO_SYMBOL("TX_sqlite_close", sqlite_close),
    DEMO_SYMBOL("TX_sqlite_createTable", sqlite_createTable),
    DEMO_SYMBOL("TX_sqlite_dropTable", sqlite_dropTable),
    DEMO_SYMBOL("TX_sqlite_execSQL", sqlite_execSQL),
};

static void run(void)
{
    char database[4096];
    demo_path(database, sizeof database, "sqlite/db.sqlite");

    printf("sqlite--------------------------------------\n");
    printf("create & close sqlite data\n");
    sqlite_creat(database);
    sqlite_close(database);

    /* Column names travel as fixed 512-byte slots. */
    static const char* const names[] = {"hello", "world", "foo", "bar", "baz"};
    char columns[5][512];
    memset(columns, 0, sizeof columns);
    for (int i = 0; i < 5; ++i)
        snprintf(columns[i], sizeof columns[i], "%s", names[i]);

    sqlite_createTable(database, "table1", (const char (*)[512])columns, 5);
    sqlite_createTable(database, "table2", (const char (*)[512])columns, 5);
    sqlite_createTable(database, "table3", (const char (*)[512])columns, 5);
    sqlite_createTable(database, "table4", (const char (*)[512])columns, 5);
    sqlite_dropTable(database, "table2");
    sqlite_execSQL(database, "DROP TABLE IF EXISTS table4");
}

int main(void)
{
    demo_library* engine = demo_open_engine(symbols, DEMO_COUNT(symbols), DEMO_PRINT_LOAD_FAILURE);
    if (!engine)
        return 0;
    run();
    demo_free(engine);
    return 0;
}
