#include "sqlite_connection.h"

#include <QFileInfo>
#include <QPointer>
#include <QSqlQuery>
#include <QThread>

namespace tavix::sqlite {

namespace {

// Qt's registry of connections keeps these names past an unload of the
// engine, so they are heap copies: a QStringLiteral would point into the
// engine's unmapped read-only data by the time the registry is destroyed.
const QString kConnection = QString::fromLatin1("connection1");
const QString kDriver = QString::fromLatin1("QSQLITE");

// The engine's application object is destroyed at exit and then runs Qt's
// SQL clean-up, which reads Qt's registry of connections and drivers. Built
// here, at load time, that registry is destroyed after the application
// object instead of before it (a crash at exit otherwise).
const bool kRegistryBuiltFirst = [] {
    QSqlDatabase::contains(QString());
    QSqlDatabase::drivers();
    return true;
}();

// The thread that created the connection: the framework ties a connection to
// it, and the studio runs each script on a new thread.
QPointer<QThread>& ownerThread()
{
    static QPointer<QThread> thread;
    return thread;
}

// The database the connection was last pointed at.
QString& lastDatabase()
{
    static QString name;
    return name;
}

QSqlDatabase createConnection(const QString& database)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(kDriver, kConnection);
    db.setDatabaseName(database);
    ownerThread() = QThread::currentThread();
    return db;
}

// The connection of this thread. One that an earlier (often finished) thread
// created is replaced by a new one on the same database.
QSqlDatabase fetchConnection()
{
    if (!QSqlDatabase::contains(kConnection))
        return createConnection(QString());
    if (ownerThread() == QThread::currentThread())
        return QSqlDatabase::database(kConnection, false);
    QSqlDatabase::removeDatabase(kConnection);
    return createConnection(lastDatabase());
}

}  // namespace

QSqlDatabase obtainConnection(const QString& dbpath)
{
    QSqlDatabase db = fetchConnection();
    // Reopen the last database as the framework's fetch would, but never
    // bring back a database file that was deleted meanwhile.
    const QString last = db.databaseName();
    if (!db.isOpen() && !last.isEmpty() && QFileInfo(last).isFile())
        openDatabase(db);
    db.setDatabaseName(dbpath);
    lastDatabase() = dbpath;
    return db;
}

bool openDatabase(QSqlDatabase& db)
{
    if (db.databaseName().isEmpty())
        return false;  // SQLite would open a private temporary database
    if (!db.open())
        return false;
    QSqlQuery probe(db);
    if (probe.exec(QStringLiteral("PRAGMA schema_version")))
        return true;
    probe.finish();
    db.close();
    return false;
}

}  // namespace tavix::sqlite
