// The process's one SQLite connection, "connection1" on the QSQLITE driver.
#pragma once

#include <QSqlDatabase>
#include <QString>

namespace tavix::sqlite {

// Fetches the connection (creating it on first use) and points it at
// `dbpath`. A connection that was used before is reopened on its last
// database first, as the framework's fetch does.
QSqlDatabase obtainConnection(const QString& dbpath);

// Opens the connection on its database and checks that the file really is
// an SQLite database (SQLite itself looks at the file only on first use).
bool openDatabase(QSqlDatabase& db);

}  // namespace tavix::sqlite
