#include "db/session.h"

#include "db/database_backend.h"
#include "db/demo_database.h"
#include "db/odbc.h"
#include "db/service.h"
#include "db/sqlite_dictionary.h"

Session::Session(SessionEnvironment environment) : environment_(std::move(environment)) {}

std::unique_ptr<Database> Session::OpenDatabase(const QString& service, const QString& connect,
                                                int /*options*/) {
    const LogonCredentials credentials = splitConnectString(connect);
    const ServiceTarget target = resolveService(service, environment_);
    switch (target.kind) {
    case ServiceKind::Demo:
        return std::make_unique<Database>(openSqliteDatabase(ensureDemoDatabase(environment_)));
    case ServiceKind::SqliteFile:
        return std::make_unique<Database>(openSqliteDatabase(target.location));
    case ServiceKind::OdbcDataSource:
    case ServiceKind::OdbcConnectionString:
        return std::make_unique<Database>(
            openOdbcDatabase(target.location, credentials.user, credentials.password));
    }
    throw DbError(QStringLiteral("サービス %1 に接続できません").arg(service));
}
