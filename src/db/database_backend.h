#pragma once

#include "db/dynaset.h"
#include "db/sqlite_budget.h"

#include <QString>
#include <QVariantList>

#include <memory>
#include <vector>

// The open connection behind a Database: Qt's SQL drivers (ODBC) or SQLite's own interface
// (the demo database, SQLite files, snapshots). Every failure is a DbError with the reason
// in the program's words (for SQLite in Japanese) or the driver's.
class DatabaseBackend {
public:
    virtual ~DatabaseBackend() = default;

    // Runs one statement and reads every row of its result. The rows are held in memory: a
    // result larger than kMaxResultBytes fails.
    virtual std::unique_ptr<Dynaset> query(const QString& sql) = 0;
    // The same for a statement whose one "?" stands where a quoted text goes, with text
    // there: as query(withQuotedText(sql, text)) gives it. A backend that can prepares the
    // statement once and binds each text to it.
    virtual std::unique_ptr<Dynaset> query(const QString& sql, const QString& text);
    // Runs one statement that returns no rows (the SQLite dictionary set-up).
    virtual void execute(const QString& sql) = 0;
    // Runs one statement once for each entry of rows, its values bound to the placeholders in
    // order; the statement is prepared once.
    virtual void executeEach(const QString& sql, const std::vector<QVariantList>& rows) = 0;
    // SQLite only, once open: holds every statement from now on to the budget, and a
    // statement that uses it up fails with a DbError that says so.
    virtual void limitStatements(SqliteBudget budget) = 0;
    // Every query from beginRead to its endRead sees the database as one read transaction
    // (nested pairs count as the outer one): one lock and one look at the file for a whole
    // retrieval, and tables that agree with each other. The default reads as it goes.
    virtual void beginRead() {}
    virtual void endRead() noexcept {}
    // Closes the connection. Safe to call again.
    virtual void close() noexcept = 0;
    virtual bool isOpen() const = 0;

    // The most a result read whole may take in memory (some 700,000 table names): far more
    // than a real dictionary gives, and what keeps a table list without end from using up
    // memory before any other bound is reached.
    static constexpr qsizetype kMaxResultBytes = qsizetype(64) << 20;
};

// The memory a value of a result counts for against kMaxResultBytes, as near as it matters:
// the slot of a value, and for a value that arrived as a string its characters.
inline qsizetype heldResultBytes(bool arrivedAsText, const QString& text) {
    constexpr qsizetype kValueSlot = 32;
    constexpr qsizetype kStringHeader = 32;
    return kValueSlot +
           (arrivedAsText ? kStringHeader + text.size() * qsizetype(sizeof(QChar)) : 0);
}

// Why a result was not read whole.
QString resultTooLargeText();

// sql with its first "?" replaced by text in single quotes, each quote in it doubled.
QString withQuotedText(const QString& sql, const QString& text);

// A number in plain decimal text, as a string-typed numeric value arrives from ODBC
// drivers: "10.000" -> "10", ".5" -> "0.5", "-0.0" -> "0". Text that is not a plain
// decimal comes back unchanged.
QString plainDecimalText(const QString& text);
