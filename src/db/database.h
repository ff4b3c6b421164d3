#pragma once

#include "db/dynaset.h"

#include <QString>

#include <memory>

class DatabaseBackend; // the open connection behind a Database

// An open database, as the program calls it: dynasets from SQL, and closing.
class Database {
public:
    explicit Database(std::unique_ptr<DatabaseBackend> backend);
    ~Database();
    // Runs the query and reads every row. options is accepted for the callers' sake.
    std::unique_ptr<Dynaset> dbCreateDynaset(const QString& sql, int options);
    // The query sql with text in single quotes (each quote doubled) where its one "?"
    // stands: the same rows as that text gives, read as fast as the backend can (SQLite
    // prepares the statement once and binds each text to it).
    std::unique_ptr<Dynaset> dbCreateDynaset(const QString& sql, const QString& text, int options);
    // Closes the connection; never fails on a database already closed.
    void Close();
    bool IsOpen() const;

    // For the length of one: every query reads the database as one read transaction.
    class ReadTransaction {
    public:
        explicit ReadTransaction(Database& database);
        ~ReadTransaction();
        ReadTransaction(const ReadTransaction&) = delete;
        ReadTransaction& operator=(const ReadTransaction&) = delete;

    private:
        Database& database_;
    };

private:
    std::unique_ptr<DatabaseBackend> backend_;
};
