#include "db/qt_sql_backend.h"

#include "db/sqlite_errors.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include <sqlite3.h>

#include <atomic>

namespace {

QString newConnectionName() {
    static std::atomic<quint64> counter{0};
    return QStringLiteral("tamsel-db-%1").arg(++counter);
}

QString errorText(const QSqlError& error) {
    const QString text = error.text().trimmed();
    return text.isEmpty() ? QStringLiteral("データベースの操作に失敗しました") : text;
}

// Decimal columns arrive as text (the connection asks for high precision, so a NUMBER keeps
// digits a double would lose); they become plain decimal text like any other number.
// text: whether the value came as a string.
FieldValue rowValue(const QSqlQuery& query, int column, bool decimal, bool& text) {
    if (query.isNull(column))
        return {}; // the drivers give a typed zero for NULL; only an empty variant stays NULL
    const QVariant value = query.value(column);
    text = value.typeId() == QMetaType::QString;
    if (decimal && value.typeId() == QMetaType::QString)
        return {plainDecimalText(value.toString()), false};
    return fieldValue(value);
}

sqlite3* sqliteHandle(const QSqlDatabase& database) {
    const QVariant handle = database.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

} // namespace

QtSqlBackend::QtSqlBackend(const QString& driver)
    : connectionName_(newConnectionName()), sqlite_(driver == u"QSQLITE") {
    bool valid = false;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(driver, connectionName_);
        valid = database.isValid();
        if (valid)
            database.setNumericalPrecisionPolicy(QSql::HighPrecision);
    }
    if (!valid) {
        close();
        throw DbError(QStringLiteral("Qt SQL ドライバ %1 が見つかりません").arg(driver));
    }
}

QtSqlBackend::~QtSqlBackend() {
    close();
}

QSqlDatabase QtSqlBackend::connection() const {
    if (connectionName_.isEmpty())
        throw DbError(QStringLiteral("データベースは閉じています"));
    return QSqlDatabase::database(connectionName_, false);
}

void QtSqlBackend::open() {
    QSqlDatabase database = connection();
    if (!database.open())
        throw DbError(failureText(database.lastError()));
}

void QtSqlBackend::limitStatements(SqliteBudget budget) {
    sqlite3* handle = sqlite_ ? sqliteHandle(connection()) : nullptr;
    if (!handle)
        throw DbError(QStringLiteral("SQLite の接続が開いていません"));
    guard_.reset(); // the old guard's handler goes before the new one's comes
    guard_ = std::make_unique<SqliteStatementGuard>(handle, budget);
}

QString QtSqlBackend::failureText(const QSqlError& error) const {
    if (guard_)
        if (const std::optional<QString> reason = guard_->stopReason())
            return *reason;
    if (sqlite_)
        return sqliteErrorText(error,
                               connectionName_.isEmpty() ? nullptr : sqliteHandle(connection()));
    return errorText(error);
}

std::unique_ptr<Dynaset> QtSqlBackend::query(const QString& sql) {
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (guard_)
        guard_->start();
    if (!query.exec(sql))
        throw DbError(failureText(query.lastError()));
    const QSqlRecord record = query.record();
    QStringList names;
    std::vector<bool> decimal;
    for (int i = 0; i < record.count(); ++i) {
        names.append(record.fieldName(i));
        decimal.push_back(record.field(i).metaType().id() == QMetaType::Double);
    }
    std::vector<FieldValue> values;
    const int columns = record.count();
    values.reserve(std::size_t(columns) * 64); // the row count is unknown until the end
    qsizetype held = 0;
    while (query.next()) {
        for (int i = 0; i < columns; ++i) {
            bool text = false;
            values.push_back(rowValue(query, i, decimal[i], text));
            held += heldResultBytes(text, values.back().text);
        }
        if (held > kMaxResultBytes)
            throw DbError(resultTooLargeText());
    }
    // next() answers false both at the end and when fetching failed (a lost connection).
    if (query.lastError().type() != QSqlError::NoError)
        throw DbError(failureText(query.lastError()));
    return Dynaset::fromValues(std::move(names), std::move(values));
}

void QtSqlBackend::execute(const QString& sql) {
    QSqlQuery query(connection());
    if (guard_)
        guard_->start();
    if (!query.exec(sql))
        throw DbError(QStringLiteral("%1：%2").arg(failureText(query.lastError()), sql));
}

void QtSqlBackend::executeEach(const QString& sql, const std::vector<QVariantList>& rows) {
    QSqlQuery query(connection());
    if (!query.prepare(sql))
        throw DbError(QStringLiteral("%1：%2").arg(failureText(query.lastError()), sql));
    for (const QVariantList& row : rows) {
        for (qsizetype i = 0; i < row.size(); ++i)
            query.bindValue(int(i), row[i]);
        if (guard_)
            guard_->start();
        if (!query.exec())
            throw DbError(QStringLiteral("%1：%2").arg(failureText(query.lastError()), sql));
    }
}

void QtSqlBackend::close() noexcept {
    if (connectionName_.isEmpty())
        return;
    guard_.reset();
    {
        // Every handle on the connection must be gone before it is removed.
        QSqlDatabase database = QSqlDatabase::database(connectionName_, false);
        database.close();
    }
    QSqlDatabase::removeDatabase(connectionName_);
    connectionName_.clear();
}

bool QtSqlBackend::isOpen() const {
    return !connectionName_.isEmpty() && QSqlDatabase::database(connectionName_, false).isOpen();
}
