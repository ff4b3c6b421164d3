#pragma once

#include "db/dynaset.h"
#include "db/sqlite_budget.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

#include <memory>
#include <vector>

class QSqlError;

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
    // Opens the connection as set up; DbError with the driver's text on failure (for SQLite,
    // its reason in Japanese).
    void open();
    // SQLite only, once open: holds every statement from now on to the budget, and a
    // statement that uses it up fails with a DbError that says so.
    void limitStatements(SqliteBudget budget);

    // Runs one statement and reads every row of its result; DbError with the driver's text.
    // The rows are held in memory: a result larger than kMaxResultBytes fails.
    std::unique_ptr<Dynaset> query(const QString& sql);
    // Runs one statement that returns no rows (the SQLite dictionary set-up).
    void execute(const QString& sql);
    // Runs one statement once for each entry of rows, its values bound to the placeholders in
    // order; the statement is prepared once.
    void executeEach(const QString& sql, const std::vector<QVariantList>& rows);

    // Closes the connection and removes it from Qt's registry. Safe to call again.
    void close() noexcept;
    bool isOpen() const;

    // The most a result read whole may take in memory (some 700,000 table names): far more
    // than a real dictionary gives, and what keeps a table list without end from using up
    // memory before any other bound is reached.
    static constexpr qsizetype kMaxResultBytes = qsizetype(64) << 20;

    // The text a failed call on this connection reports: the driver's, or for SQLite its
    // reason in Japanese (or why the budget stopped the statement).
    QString failureText(const QSqlError& error) const;

private:
    QString connectionName_; // empty once closed
    bool sqlite_ = false;    // Qt's SQLite driver: its errors are worded anew
    std::unique_ptr<SqliteStatementGuard> guard_;
};

// A number in plain decimal text, as a string-typed numeric value arrives from ODBC
// drivers: "10.000" -> "10", ".5" -> "0.5", "-0.0" -> "0". Text that is not a plain
// decimal comes back unchanged.
QString plainDecimalText(const QString& text);
