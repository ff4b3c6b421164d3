#include "db/database.h"

#include "db/database_backend.h"

namespace {

[[noreturn]] void closed() {
    throw DbError(QStringLiteral("データベースは閉じています"));
}

} // namespace

Database::Database(std::unique_ptr<DatabaseBackend> backend) : backend_(std::move(backend)) {}

Database::~Database() = default;

std::unique_ptr<Dynaset> Database::dbCreateDynaset(const QString& sql, int /*options*/) {
    if (!backend_)
        closed();
    return backend_->query(sql);
}

std::unique_ptr<Dynaset> Database::dbCreateDynaset(const QString& sql, const QString& text,
                                                   int /*options*/) {
    if (!backend_)
        closed();
    return backend_->query(sql, text);
}

void Database::Close() {
    backend_.reset();
}

bool Database::IsOpen() const {
    return backend_ && backend_->isOpen();
}

Database::ReadTransaction::ReadTransaction(Database& database) : database_(database) {
    if (database_.backend_)
        database_.backend_->beginRead();
}

Database::ReadTransaction::~ReadTransaction() {
    // A logout while the window retrieves has closed the database already.
    if (database_.backend_)
        database_.backend_->endRead();
}
