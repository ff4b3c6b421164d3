#pragma once

#include <QString>

#include <optional>

struct sqlite3;

// What one statement on a SQLite connection may take before it is stopped. A file's
// USER_TABLES or COL may be a view that never ends (a recursive one); without a bound its
// query runs until memory runs out. A real dictionary is read far within both bounds: copying
// the COL of 20,000 tables of 40 columns takes half a second of processor time and 60 MiB.
struct SqliteBudget {
    // Processor time of the thread running the statement: time spent waiting for a slow disk
    // or network share, or for a busy processor, does not count, so only the statement's own
    // work can use up the budget.
    double cpuSeconds = 5;
    // SQLite's memory beyond what it held when the statement started (sorts, temporary
    // tables, the rows of a recursive view).
    qint64 heapBytes = qint64(512) << 20;
};

// Holds every statement run on a connection of Qt's SQLite driver to a budget: SQLite asks
// it between steps of the statement's program, and it stops the statement (SQLite answers
// SQLITE_INTERRUPT) when the budget is used up. Also caps the length of a single text or
// BLOB, which SQLite makes in one piece. Installed on the open connection; must be destroyed
// before the connection closes.
class SqliteStatementGuard {
public:
    SqliteStatementGuard(sqlite3* connection, SqliteBudget budget);
    ~SqliteStatementGuard();
    SqliteStatementGuard(const SqliteStatementGuard&) = delete;
    SqliteStatementGuard& operator=(const SqliteStatementGuard&) = delete;

    // A statement starts now: the budget is whole again.
    void start();
    // Why the last statement was stopped, in a sentence; nothing when it was not stopped.
    std::optional<QString> stopReason() const;

private:
    static int progress(void* guard);

    sqlite3* connection_;
    SqliteBudget budget_;
    double startCpu_ = 0;
    qint64 startHeap_ = 0;
    enum class Stop { None, Time, Memory } stop_ = Stop::None;
};
