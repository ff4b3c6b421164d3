#pragma once

#include <QString>
#include <QVariant>

#include <memory>
#include <stdexcept>
#include <vector>

// The database session layer: the objects and members the program calls, named after the
// automation interface it was designed against, over Qt SQL. Backends: the bundled demo
// database and SQLite files (with the Oracle dictionary emulated), and ODBC data sources.
//
// Every failure is a DbError carrying the driver's text.

class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message);
    QString message() const { return QString::fromStdString(what()); }
};

// One column value of the dynaset's current row.
class Field {
public:
    explicit Field(QVariant value) : value_(std::move(value)) {}
    // name: the column, for the message when the value is NULL.
    Field(QVariant value, QString name) : value_(std::move(value)), name_(std::move(name)) {}
    bool IsNull() const { return value_.isNull(); }
    // The value as text: a number in plain decimal (10 -> "10", 1600.5 -> "1600.5"), a
    // string unchanged. A NULL has no text: DbError.
    QString Value() const;

private:
    QVariant value_;
    QString name_;
};

// A result set, read whole when created, so RecordCount is exact. Starts on its first row.
class Dynaset {
public:
    Dynaset(QStringList fieldNames, std::vector<std::vector<QVariant>> rows);
    // values: the rows one after the other, fieldNames.size() values each.
    static std::unique_ptr<Dynaset> fromValues(QStringList fieldNames,
                                               std::vector<QVariant> values);
    qint32 RecordCount() const;
    // The current row's value of the named column (matched without regard to case).
    // DbError for an unknown name or when the rows are exhausted.
    Field Fields(const QString& name) const;
    void MoveNext();

private:
    struct Flat {};
    Dynaset(Flat, QStringList fieldNames, std::vector<QVariant> values);

    QStringList fieldNames_;
    std::vector<QVariant> values_; // row after row: one allocation for the whole result
    qsizetype rowCount_ = 0;
    qsizetype current_ = 0;
};

class DatabaseBackend; // the open connection behind a Database

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

// Where the session finds the demo database and relative SQLite paths.
struct SessionEnvironment {
    QString applicationDir;                     // the executable's folder
    QString cacheDir;                           // writable fallback for the demo database file
    static SessionEnvironment forApplication(); // from QCoreApplication / QStandardPaths
};

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

// What the logon window keeps from a successful logon on.
struct DbSession {
    std::unique_ptr<::Session> Session;
    std::unique_ptr<::Database> Database;
    bool Connected = false;
};
