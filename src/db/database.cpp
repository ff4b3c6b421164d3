#include "db/database.h"

#include "db/database_backend.h"

Database::Database(std::unique_ptr<DatabaseBackend> backend) : backend_(std::move(backend)) {}

Database::~Database() = default;

std::unique_ptr<Dynaset> Database::dbCreateDynaset(const QString& sql, int /*options*/) {
    if (!backend_)
        throw DbError(QStringLiteral("データベースは閉じています"));
    return backend_->query(sql);
}

void Database::Close() {
    backend_.reset();
}

bool Database::IsOpen() const {
    return backend_ && backend_->isOpen();
}
