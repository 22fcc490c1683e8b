// The sqlite family on real database files, read back with the sqlite3 program.
#include <QDir>
#include <array>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

#include "log_capture.h"
#include "tavix.h"

using tavix::test::LogCapture;

namespace {

using Columns = std::vector<std::array<char, 512>>;

Columns columns(std::initializer_list<const char*> names)
{
    Columns slots_(names.size());
    std::size_t i = 0;
    for (const char* name : names) {
        slots_[i].fill('\0');
        std::strncpy(slots_[i].data(), name, 511);
        ++i;
    }
    return slots_;
}

const char (*slotsOf(const Columns& c))[512]
{
    return reinterpret_cast<const char(*)[512]>(c.data());
}

class Sqlite : public ::testing::Test {
protected:
    std::string db(const char* name = "test.db") const { return (dir_.path() + "/" + name).toStdString(); }

    // What the sqlite3 program prints for `sql` on the database.
    static QString sqlite3(const std::string& database, const QString& sql)
    {
        QProcess process;
        process.start(QStringLiteral("sqlite3"), {QString::fromStdString(database), sql});
        EXPECT_TRUE(process.waitForFinished(30000));
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }

    QTemporaryDir dir_;
};

TEST_F(Sqlite, CreatesTablesOfTextColumnsOncePerTable)
{
    ASSERT_TRUE(TX_sqlite_creat(db().c_str()));
    ASSERT_TRUE(QFile::exists(QString::fromStdString(db())));
    const Columns five = columns({"hello", "world", "foo", "bar", "baz"});
    for (const char* table : {"table1", "table2", "table3", "table4"}) {
        LogCapture log;
        EXPECT_TRUE(TX_sqlite_createTable(db().c_str(), table, slotsOf(five), 5)) << table;
        EXPECT_TRUE(log.contains("Table created successfully!"));
    }
    for (const char* table : {"table1", "table4"}) {
        LogCapture log;
        EXPECT_FALSE(TX_sqlite_createTable(db().c_str(), table, slotsOf(five), 5)) << table;
        EXPECT_TRUE(log.contains("Error creating table:"));
    }
    EXPECT_EQ(sqlite3(db(), "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"),
              "table1\ntable2\ntable3\ntable4");
    EXPECT_EQ(sqlite3(db(), "SELECT name || ':' || type FROM pragma_table_info('table3')"),
              "hello:TEXT\nworld:TEXT\nfoo:TEXT\nbar:TEXT\nbaz:TEXT");
    EXPECT_EQ(sqlite3(db(), "SELECT sql FROM sqlite_master WHERE name='table2'"),
              "CREATE TABLE table2 (hello TEXT, world TEXT, foo TEXT, bar TEXT, baz TEXT)");
}

TEST_F(Sqlite, DropsAndExecutes)
{
    const Columns two = columns({"a", "b"});
    ASSERT_TRUE(TX_sqlite_createTable(db().c_str(), "t", slotsOf(two), 2));
    ASSERT_TRUE(TX_sqlite_createTable(db().c_str(), "table4", slotsOf(two), 2));
    EXPECT_TRUE(TX_sqlite_execSQL(db().c_str(), "INSERT INTO t (a, b) VALUES ('\xe4\xb8\xad', 'x')"));
    EXPECT_TRUE(TX_sqlite_execSQL(db().c_str(), "SELECT * FROM t"));  // rows are discarded
    EXPECT_EQ(sqlite3(db(), "SELECT a || b FROM t"), QString::fromUtf8("\xe4\xb8\xadx"));
    EXPECT_TRUE(TX_sqlite_execSQL(db().c_str(), "DROP TABLE IF EXISTS table4"));
    EXPECT_TRUE(TX_sqlite_dropTable(db().c_str(), "never_created"));
    EXPECT_TRUE(TX_sqlite_dropTable(db().c_str(), "t"));
    EXPECT_EQ(sqlite3(db(), "SELECT count(*) FROM sqlite_master"), "0");
    EXPECT_TRUE(TX_sqlite_close(db().c_str()));
}

TEST_F(Sqlite, SqlErrorsFailWithTheirMessages)
{
    ASSERT_TRUE(TX_sqlite_creat(db().c_str()));
    {
        LogCapture log;
        EXPECT_FALSE(TX_sqlite_execSQL(db().c_str(), "SELEC nonsense"));
        EXPECT_TRUE(log.contains("Failed to execute SQL command."));
    }
    EXPECT_FALSE(TX_sqlite_execSQL(db().c_str(), "DROP TABLE missing_table"));
    EXPECT_FALSE(TX_sqlite_execSQL(db().c_str(), nullptr));
    {
        LogCapture log;
        EXPECT_FALSE(TX_sqlite_dropTable(db().c_str(), "a b"));
        EXPECT_TRUE(log.contains("Failed to delete table:"));
    }
    EXPECT_FALSE(TX_sqlite_createTable(db().c_str(), "none", slotsOf(columns({"x"})), 0));
    EXPECT_FALSE(TX_sqlite_createTable(db().c_str(), "none", nullptr, 3));
    EXPECT_FALSE(TX_sqlite_createTable(db().c_str(), nullptr, slotsOf(columns({"x"})), 1));
    EXPECT_EQ(sqlite3(db(), "SELECT count(*) FROM sqlite_master"), "0");
}

TEST_F(Sqlite, CloseAfterCreatIsTrue)
{
    ASSERT_TRUE(TX_sqlite_creat(db().c_str()));
    EXPECT_TRUE(TX_sqlite_close(db().c_str()));
}

TEST_F(Sqlite, PathsThatAreNoDatabaseFail)
{
    QDir().mkdir(dir_.path() + "/folder");
    QFile text(dir_.path() + "/notes.txt");
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(QByteArray(4096, 'n'));
    text.close();
    const Columns one = columns({"x"});
    for (const std::string& bad : {db("missing/dir/x.db"), db("folder"), db("notes.txt"), std::string()}) {
        SCOPED_TRACE(bad);
        LogCapture log;
        EXPECT_FALSE(TX_sqlite_creat(bad.c_str()));
        EXPECT_TRUE(log.contains(QString::fromUtf8("\xe6\x97\xa0\xe6\xb3\x95\xe6\x89\x93\xe5\xbc\x80\xe6\x95\xb0\xe6\x8d\xae\xe5\xba\x93")));
        EXPECT_FALSE(TX_sqlite_createTable(bad.c_str(), "t", slotsOf(one), 1));
        EXPECT_FALSE(TX_sqlite_dropTable(bad.c_str(), "t"));
        EXPECT_FALSE(TX_sqlite_execSQL(bad.c_str(), "CREATE TABLE t (x TEXT)"));
    }
    EXPECT_FALSE(TX_sqlite_creat(nullptr));
    EXPECT_FALSE(QDir(dir_.path() + "/missing").exists());
    QFile check(dir_.path() + "/notes.txt");
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), QByteArray(4096, 'n'));
}

TEST_F(Sqlite, DeletedDatabaseIsNotBroughtBack)
{
    ASSERT_TRUE(TX_sqlite_creat(db("first.db").c_str()));
    ASSERT_TRUE(QFile::remove(QString::fromStdString(db("first.db"))));
    ASSERT_TRUE(TX_sqlite_creat(db("second.db").c_str()));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(db("first.db"))));
}

TEST_F(Sqlite, WorksFromEachNewThread)
{
    // The studio runs every script on a thread of its own.
    ASSERT_TRUE(TX_sqlite_creat(db().c_str()));
    for (const char* table : {"from_thread1", "from_thread2"}) {
        bool created = false;
        std::thread run([&] { created = TX_sqlite_createTable(db().c_str(), table, slotsOf(columns({"v"})), 1); });
        run.join();
        EXPECT_TRUE(created) << table;
    }
    EXPECT_TRUE(TX_sqlite_execSQL(db().c_str(), "DROP TABLE from_thread1"));
    EXPECT_EQ(sqlite3(db(), "SELECT name FROM sqlite_master"), "from_thread2");
}

}  // namespace
