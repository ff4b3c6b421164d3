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
    // Closes the connection; never fails on a database already closed.
    void Close();
    bool IsOpen() const;

private:
    std::unique_ptr<DatabaseBackend> backend_;
};
