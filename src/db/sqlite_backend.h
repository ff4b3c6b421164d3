#pragma once

#include "db/database_backend.h"

#include <QString>
#include <QStringList>

#include <memory>

struct sqlite3;
struct sqlite3_stmt;

// A SQLite file read through SQLite's own interface: statements prepared once and run again
// with their text bound, values taken as UTF-8 straight into the texts the program keeps,
// repeated texts shared. It reads every value as Qt's SQLite driver read it before (the same
// texts, the same NULLs, the same failures in the same words), and opens the file as that
// driver did (read-only, a URI with its parameters, a busy timeout of five seconds).
class SqliteBackend final : public DatabaseBackend {
public:
    // Opens the file a "file:" URI names, read-only. DbError with the reason in Japanese.
    explicit SqliteBackend(const QString& uri);
    ~SqliteBackend() override;
    SqliteBackend(const SqliteBackend&) = delete;
    SqliteBackend& operator=(const SqliteBackend&) = delete;

    std::unique_ptr<Dynaset> query(const QString& sql) override;
    std::unique_ptr<Dynaset> query(const QString& sql, const QString& text) override;
    void execute(const QString& sql) override;
    void executeEach(const QString& sql, const std::vector<QVariantList>& rows) override;
    void limitStatements(SqliteBudget budget) override;
    void beginRead() override;
    void endRead() noexcept override;
    void close() noexcept override;
    bool isOpen() const override;

private:
    class Statement;
    class TextPool;

    // namesStatement: a failure names the statement, as one of the set-up's does.
    // sharesTexts: the statement is run again and again, and keeps the texts it reads.
    std::unique_ptr<Statement> prepare(const QString& sql, bool namesStatement, bool sharesTexts);
    std::unique_ptr<Dynaset> readRows(Statement& statement);
    void runToEnd(Statement& statement);
    QString failureText(int resultCode) const;
    void learnEncoding();
    // pool: where texts read before are kept, or none.
    QString textAt(sqlite3_stmt* statement, int column, TextPool* pool) const;
    static QString integerText(long long number, TextPool* pool);

    sqlite3* connection_ = nullptr;
    std::unique_ptr<SqliteStatementGuard> guard_;
    std::unique_ptr<Statement> bound_; // the statement query(sql, text) ran last, for the next
    int readDepth_ = 0;
    enum class Encoding { Unknown, Utf8, Utf16 } encoding_ = Encoding::Unknown;
};
