#include "db/odbc.h"

#include "db/odbc_api.h"
#include "db/qt_sql_backend.h"

QStringList odbcDataSourceNames() {
    SQLHENV environment = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment)))
        return {};
    SQLSetEnvAttr(environment, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3),
                  0);
    QStringList names;
    SQLWCHAR name[256];
    SQLWCHAR description[512];
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT descriptionLength = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (SQL_SUCCEEDED(
        SQLDataSourcesW(environment, direction, name, SQLSMALLINT(std::size(name)), &nameLength,
                        description, SQLSMALLINT(std::size(description)), &descriptionLength))) {
        const qsizetype length = std::clamp<qsizetype>(nameLength, 0, std::size(name) - 1);
        names.append(QString::fromUtf16(reinterpret_cast<const char16_t*>(name), length));
        direction = SQL_FETCH_NEXT;
    }
    SQLFreeHandle(SQL_HANDLE_ENV, environment);
    names.removeDuplicates(); // a user data source may shadow a system one of the same name
    return names;
}

QString qtOdbcDatabaseName(const QString& connectionString) {
    const auto startsWith = [&](const char* key) {
        return connectionString.startsWith(QLatin1StringView(key), Qt::CaseInsensitive);
    };
    if (connectionString.contains(QLatin1StringView(".dsn"), Qt::CaseInsensitive))
        return startsWith("FILEDSN=") ? connectionString.mid(8) : connectionString;
    if (connectionString.contains(QLatin1StringView("DRIVER="), Qt::CaseInsensitive) ||
        connectionString.contains(QLatin1StringView("SERVER="), Qt::CaseInsensitive))
        return connectionString;
    return startsWith("DSN=") ? connectionString.mid(4) : connectionString;
}

QString odbcAttributeValue(const QString& value) {
    const bool plain =
        !value.contains(u';') && !value.startsWith(u'{') && value.trimmed().size() == value.size();
    if (plain)
        return value;
    QString escaped = value;
    escaped.replace(QStringLiteral("}"), QStringLiteral("}}"));
    return u'{' + escaped + u'}';
}

std::unique_ptr<DatabaseBackend> openOdbcDatabase(const QString& connectionString,
                                                  const QString& user, const QString& password) {
    auto backend = std::make_unique<QtSqlBackend>(QStringLiteral("QODBC"));
    {
        QSqlDatabase database = backend->connection();
        database.setDatabaseName(qtOdbcDatabaseName(connectionString));
        // Qt's driver appends ";UID=" and ";PWD=" with the values as they are.
        database.setUserName(odbcAttributeValue(user));
        database.setPassword(odbcAttributeValue(password));
        // A server that does not answer must not hold the logon window for ever.
        database.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=30"));
    }
    backend->open();
    return backend;
}
