#include "sqlite_files.h"

#include "db/database_backend.h"
#include "db/dictionary.h"

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

namespace {

QString orNull(const std::optional<QString>& value) {
    return value ? u'"' + *value + u'"' : QStringLiteral("NULL");
}

QString tableText(const TTableSettings& table) {
    QStringList columns;
    for (qsizetype j = 0; j < table.ColumnNames.size(); ++j)
        columns << table.ColumnNames[j] + u' ' + table.ColumnTypes(j) + u' ' +
                       table.ColumnSizes(j) + u' ' + table.ColumnNulls(j);
    return QStringLiteral("%1 (%2 columns, longest %3): %4")
        .arg(table.TableName)
        .arg(table.ColumnCount)
        .arg(table.MaxColumnNameLength)
        .arg(columns.join(QStringLiteral(", ")));
}

} // namespace

QStringList readingOf(const QString& path, SqliteReader reader, SqliteBudget budget) {
    std::unique_ptr<Database> database;
    try {
        database = std::make_unique<Database>(openSqliteDatabase(path, budget, reader));
    } catch (const DbError& error) {
        return {"opening: " + error.message()};
    }
    QStringList lines;
    QStringList tables;
    try {
        lines << QStringLiteral("count %1").arg(readTableList(*database, [&](const QString& name) {
            tables.append(name);
        }));
    } catch (const DbError& error) {
        lines << "table list: " + error.message();
    }
    lines << "tables: " + tables.join(u'|');
    QList<qsizetype> all;
    for (qsizetype t = 0; t < tables.size(); ++t) {
        all.append(t);
        try {
            for (const DictionaryColumnRow& row : readColumnRows(*database, tables[t]))
                lines << QStringList{orNull(row.CNAME),     orNull(row.COLTYPE), orNull(row.WIDTH),
                                     orNull(row.PRECISION), orNull(row.SCALE),   orNull(row.NULLS)}
                             .join(u' ');
        } catch (const DbError& error) {
            lines << "rows: " + error.message();
        }
        try {
            lines << tableText(readTableColumns(*database, tables[t]));
        } catch (const DbError& error) {
            lines << "columns: " + error.message();
        }
    }
    GenerationModel model;
    try {
        retrieveColumns(*database, tables, all, model);
        lines << QStringLiteral("retrieved, longest name %1").arg(model.MaxTableNameLength);
    } catch (const DbError& error) {
        lines << "retrieval: " + error.message();
    }
    for (const TTableSettings& table : model.CandidateList)
        lines << tableText(table);
    return lines;
}
