#pragma once

#include "db/session_environment.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// What a service text names. The logon window upper-cases the service as typed, so every
// match here ignores case.
enum class ServiceKind {
    Demo,                // the bundled sample database
    SqliteFile,          // location: the file's path as it exists on disk
    OdbcDataSource,      // location: "DSN=" and the name as the driver manager spells it
    OdbcConnectionString // location: the text as typed
};

struct ServiceTarget {
    ServiceKind kind = ServiceKind::Demo;
    QString location;
};

// The service text that names the bundled sample database, in any case.
inline QString demoServiceName() {
    return QStringLiteral("DEMO");
}

// Resolves a service text, in this order: "DEMO"; a path naming an existing SQLite file
// (absolute, or relative to the executable's folder, then to the working folder); an ODBC
// connection string (the text holds "="); an ODBC data source name. DbError when nothing
// matches or when two files or data sources differ only in case.
// dataSourceNames is asked only when the text is no file and no connection string.
ServiceTarget resolveService(const QString& service, const SessionEnvironment& environment,
                             const std::function<QStringList()>& dataSourceNames);
// The same with the data sources the ODBC driver manager knows.
ServiceTarget resolveService(const QString& service, const SessionEnvironment& environment);

// The SQLite file a path names, taking each component as it is when it exists and
// otherwise any entry equal to it without regard to case. A relative path is taken from
// baseDir. Nothing when no SQLite file matches; DbError naming the candidates when
// several do.
std::optional<QString> findSqliteFile(const QString& path, const QString& baseDir);

// The user name and password of a connect string "user/password", split at the first "/".
struct LogonCredentials {
    QString user;
    QString password;
};
LogonCredentials splitConnectString(const QString& connect);
