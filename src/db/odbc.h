#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class DatabaseBackend;

// The data source names the ODBC driver manager knows (user and system), as it spells
// them. Empty when there is no driver manager configuration.
QStringList odbcDataSourceNames();

// The database name to give Qt's ODBC driver so that the connection string reaches the
// driver manager as it stands: the driver passes a text holding "DRIVER=" or "SERVER="
// unchanged but puts "DSN=" (or "FILEDSN=" for a ".dsn" file) in front of any other.
QString qtOdbcDatabaseName(const QString& connectionString);

// An attribute value of an ODBC connection string: in braces (a "}" doubled) when it holds
// a character that would end or open the attribute, unchanged otherwise.
QString odbcAttributeValue(const QString& value);

// Connects through ODBC. connectionString is "DSN=name" or a full connection string; an
// empty user or password is left out. DbError with the driver's text on failure.
std::unique_ptr<DatabaseBackend> openOdbcDatabase(const QString& connectionString,
                                                  const QString& user, const QString& password);
