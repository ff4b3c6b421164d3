#pragma once

#include "db/session_environment.h"

#include <QString>
#include <QStringList>

// The bundled demo database: a sample schema compiled into the program as SQL and written
// into a SQLite file when first used.

// The SQL script of the sample schema and its rows.
QString demoDatabaseScript();

// The statements of a script, split at the semicolons that end them (not those inside
// quotes or comments), without comments and surrounding blanks.
QStringList splitSqlStatements(const QString& script);

// The demo database's file name, in the folder ensureDemoDatabase picks.
inline QString demoDatabaseFileName() {
    return QStringLiteral("tamsel_demo.sqlite");
}

// The path of a demo database file built from the current script: beside the executable
// when that folder is writable, else in the cache folder. A file left by an earlier run is
// reused when it was built from the same script and rebuilt otherwise. DbError when neither
// place can hold it.
QString ensureDemoDatabase(const SessionEnvironment& environment);
