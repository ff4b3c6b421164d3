#pragma once

#include "db/dynaset.h"

#include <QSqlDatabase>
#include <QString>

#include <memory>

// One open Qt SQL connection behind a Database. Qt keys connections by name in a
// process-wide registry, so each backend owns a name of its own and takes it out of the
// registry again when it closes: nothing of a closed database stays behind.
class DatabaseBackend {
public:
    // Registers a new connection for the Qt SQL driver (QSQLITE, QODBC). DbError when the
    // driver plugin is not installed.
    explicit DatabaseBackend(const QString& driver);
    ~DatabaseBackend();
    DatabaseBackend(const DatabaseBackend&) = delete;
    DatabaseBackend& operator=(const DatabaseBackend&) = delete;

    // The connection, for setting it up and opening it. Only valid until close().
    QSqlDatabase connection() const;
    // Opens the connection as set up; DbError with the driver's text on failure.
    void open();

    // Runs one statement and reads every row of its result; DbError with the driver's text.
    std::unique_ptr<Dynaset> query(const QString& sql);
    // Runs one statement that returns no rows (the SQLite dictionary set-up).
    void execute(const QString& sql);

    // Closes the connection and removes it from Qt's registry. Safe to call again.
    void close() noexcept;
    bool isOpen() const;

private:
    QString connectionName_; // empty once closed
};

// A number in plain decimal text, as a string-typed numeric value arrives from ODBC
// drivers: "10.000" -> "10", ".5" -> "0.5", "-0.0" -> "0". Text that is not a plain
// decimal comes back unchanged.
QString plainDecimalText(const QString& text);
