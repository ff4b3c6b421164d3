#pragma once

#include <QString>

#include <functional>
#include <memory>

class Database;

// The database of one successful logon, as the logon window keeps it: the session layer's
// Session and Database behind it in the program, a fake in tests.
class LogonDatabase {
public:
    virtual ~LogonDatabase() = default;
    // Closes the connection; also when a logout closed it before.
    virtual void Close() = 0;
    // The session layer's database, for the dictionary queries of the main window.
    virtual ::Database* database() = 0;
};

// One logon attempt: creates a new session and opens the database with the service, the
// connect string "user/password" and the options. Throws when the database cannot be
// opened.
using SessionFactory = std::function<std::unique_ptr<LogonDatabase>(
    const QString& service, const QString& connect, int options)>;

// The program's factory, over the database session layer (db/session.h). The demo
// database and relative SQLite paths are looked up in the executable's folder.
SessionFactory databaseSessionFactory();
