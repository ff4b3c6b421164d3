#pragma once

#include "db/database.h"
#include "db/session_environment.h"

#include <QString>

#include <memory>

// The top of the database session layer: a service text resolved and a database opened on
// it, through whichever backend the service names (the bundled demo database and SQLite
// files with the Oracle dictionary emulated, or ODBC data sources). Below it, in floors:
// the databases and their backends (database.h, database_backend.h, sqlite_dictionary.h,
// odbc.h, demo_database.h), and at the bottom the values and errors (dynaset.h,
// db_error.h). Every failure is a DbError carrying the driver's text.
class Session {
public:
    explicit Session(SessionEnvironment environment = SessionEnvironment::forApplication());
    // service: "DEMO", a SQLite file path, an ODBC data source name, or an ODBC connection
    // string (holding "="); connect: "user/password" split at the first "/".
    std::unique_ptr<Database> OpenDatabase(const QString& service, const QString& connect,
                                           int options);

private:
    SessionEnvironment environment_;
};
