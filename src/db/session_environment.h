#pragma once

#include <QString>

// Where the session finds the demo database and relative SQLite paths.
struct SessionEnvironment {
    QString applicationDir;                     // the executable's folder
    QString cacheDir;                           // writable fallback for the demo database file
    static SessionEnvironment forApplication(); // from QCoreApplication / QStandardPaths
};
