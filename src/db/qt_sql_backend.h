#pragma once

#include "db/database_backend.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

#include <memory>
#include <vector>

class QSqlError;

// One open Qt SQL connection behind a Database: ODBC's, and SQLite's where a file is built
// (the demo database, a snapshot) or read the way the program read it before it used
// SQLite's own interface. Qt keys connections by name in a process-wide registry, so each
// backend owns a name of its own and takes it out of the registry again when it closes:
// nothing of a closed database stays behind.
class QtSqlBackend final : public DatabaseBackend {
public:
    // Registers a new connection for the Qt SQL driver (QSQLITE, QODBC). DbError when the
    // driver plugin is not installed.
    explicit QtSqlBackend(const QString& driver);
    ~QtSqlBackend() override;
    QtSqlBackend(const QtSqlBackend&) = delete;
    QtSqlBackend& operator=(const QtSqlBackend&) = delete;

    // The connection, for setting it up and opening it. Only valid until close().
    QSqlDatabase connection() const;
    // Opens the connection as set up; DbError with the driver's text on failure (for SQLite,
    // its reason in Japanese).
    void open();

    std::unique_ptr<Dynaset> query(const QString& sql) override;
    using DatabaseBackend::query;
    void execute(const QString& sql) override;
    void executeEach(const QString& sql, const std::vector<QVariantList>& rows) override;
    void limitStatements(SqliteBudget budget) override;
    void close() noexcept override;
    bool isOpen() const override;

    // The text a failed call on this connection reports: the driver's, or for SQLite its
    // reason in Japanese (or why the budget stopped the statement).
    QString failureText(const QSqlError& error) const;

private:
    QString connectionName_; // empty once closed
    bool sqlite_ = false;    // Qt's SQLite driver: its errors are worded anew
    std::unique_ptr<SqliteStatementGuard> guard_;
};
