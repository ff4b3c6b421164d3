#include "sqlite_files.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <stdexcept>

void createSqliteFile(const QString& path, const QStringList& statements) {
    const QString name = QStringLiteral("test-writer");
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(path);
        if (!database.open())
            throw std::runtime_error(database.lastError().text().toStdString());
        QSqlQuery query(database);
        for (const QString& statement : statements)
            if (!query.exec(statement))
                throw std::runtime_error(
                    (statement + QStringLiteral(": ") + query.lastError().text()).toStdString());
        query.finish();
        database.close();
    }
    QSqlDatabase::removeDatabase(name);
}

QStringList snapshotSchema() {
    return {
        QStringLiteral("CREATE TABLE USER_TABLES (TABLE_NAME VARCHAR2(30))"),
        QStringLiteral("CREATE TABLE COL (TNAME VARCHAR2(30), COLNO NUMBER, CNAME VARCHAR2(30), "
                       "COLTYPE VARCHAR2(30), WIDTH NUMBER, SCALE NUMBER, PRECISION NUMBER, "
                       "NULLS VARCHAR2(8))")};
}
