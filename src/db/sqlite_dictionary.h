#pragma once

#include "db/sqlite_budget.h"

#include <QString>

#include <memory>
#include <optional>

class DatabaseBackend;

// A column's type as Oracle's dictionary view COL shows it.
struct OracleColumnType {
    QString type;                    // COLTYPE
    qint32 width = 0;                // WIDTH
    std::optional<qint32> scale;     // SCALE; nothing reads as NULL
    std::optional<qint32> precision; // PRECISION; nothing reads as NULL

    bool operator==(const OracleColumnType&) const = default;
};

// The Oracle dictionary's view of a SQLite column's declared type (as written in its
// CREATE TABLE, any case): "VARCHAR2(20 BYTE)" -> VARCHAR2, 20; "NUMBER(8,2)" -> NUMBER,
// 22, precision 8, scale 2; "INTEGER" -> NUMBER, 22, no precision, scale 0; an unknown
// type keeps its name upper-cased with the first number in its parentheses as the width.
OracleColumnType oracleColumnType(const QString& declaredType);

// Whether the path is a regular file that starts with the SQLite database header.
bool isSqliteFile(const QString& path);

// Opens a SQLite file read-only, so the program never changes a user's database nor leaves
// a file beside it, and makes the two dictionary queries run on it word for word. A file in
// write-ahead-log mode with no log beside it is opened immutable (SQLite creates no log and
// index beside it, and reads it on read-only media too) and read whole at opening; one with
// a log and the log's index is opened read-only under SQLite's locks, seeing what its writer
// has committed; one with a log but no index (copied without it) is read with an index in
// the connection's memory, whole at opening, unless another program holds it exclusively
// (DbError). A file with its own USER_TABLES and COL is a dictionary snapshot and is used as
// it stands, except that a COL the column query would scan whole is read once, ordered, into
// a temporary COL keyed by table name and column number; for any other file the connection
// gets temporary USER_TABLES(TABLE_NAME) and COL(TNAME, COLNO, CNAME, COLTYPE, WIDTH, SCALE,
// PRECISION, NULLS) built from the file's own tables in creation order, COL keyed by table
// name and column number so each column query is one index look-up. The temporary tables
// live in memory. Every statement that runs the file's own USER_TABLES or COL, at opening
// and after, is held to the budget: one that uses it up fails with a DbError saying so.
// Failures are worded in Japanese.
//
// reader: how the file is read. SQLite's own interface, always but in the test that holds
// it against the way the program read SQLite files before, through Qt's SQLite driver,
// which must give every table, column, text and NULL alike.
enum class SqliteReader { SqliteInterface, QtDriver };
std::unique_ptr<DatabaseBackend>
openSqliteDatabase(const QString& path, SqliteBudget budget = {},
                   SqliteReader reader = SqliteReader::SqliteInterface);
