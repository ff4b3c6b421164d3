#include "db/database_backend.h"

#include "db/sqlite_errors.h"

#include <QRegularExpression>
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
QVariant rowValue(const QSqlQuery& query, int column, bool decimal) {
    if (query.isNull(column))
        return {}; // the drivers give a typed zero for NULL; only an empty variant stays NULL
    QVariant value = query.value(column);
    if (decimal && value.typeId() == QMetaType::QString)
        return plainDecimalText(value.toString());
    return value;
}

// The memory a value of a result takes, as near as it matters: its text's characters, for
// the rest its fixed size.
qsizetype heldBytes(const QVariant& value) {
    constexpr qsizetype kStringHeader = 32;
    const qsizetype text = value.typeId() == QMetaType::QString
                               ? kStringHeader + value.toString().size() * qsizetype(sizeof(QChar))
                               : 0;
    return qsizetype(sizeof(QVariant)) + text;
}

sqlite3* sqliteHandle(const QSqlDatabase& database) {
    const QVariant handle = database.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

} // namespace

DatabaseBackend::DatabaseBackend(const QString& driver)
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

DatabaseBackend::~DatabaseBackend() {
    close();
}

QSqlDatabase DatabaseBackend::connection() const {
    if (connectionName_.isEmpty())
        throw DbError(QStringLiteral("データベースは閉じています"));
    return QSqlDatabase::database(connectionName_, false);
}

void DatabaseBackend::open() {
    QSqlDatabase database = connection();
    if (!database.open())
        throw DbError(failureText(database.lastError()));
}

void DatabaseBackend::limitStatements(SqliteBudget budget) {
    sqlite3* handle = sqlite_ ? sqliteHandle(connection()) : nullptr;
    if (!handle)
        throw DbError(QStringLiteral("SQLite の接続が開いていません"));
    guard_.reset(); // the old guard's handler goes before the new one's comes
    guard_ = std::make_unique<SqliteStatementGuard>(handle, budget);
}

QString DatabaseBackend::failureText(const QSqlError& error) const {
    if (guard_)
        if (const std::optional<QString> reason = guard_->stopReason())
            return *reason;
    if (sqlite_)
        return sqliteErrorText(error,
                               connectionName_.isEmpty() ? nullptr : sqliteHandle(connection()));
    return errorText(error);
}

std::unique_ptr<Dynaset> DatabaseBackend::query(const QString& sql) {
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
    std::vector<QVariant> values;
    const int columns = record.count();
    values.reserve(std::size_t(columns) * 64); // the row count is unknown until the end
    qsizetype held = 0;
    while (query.next()) {
        for (int i = 0; i < columns; ++i) {
            values.push_back(rowValue(query, i, decimal[i]));
            held += heldBytes(values.back());
        }
        if (held > kMaxResultBytes)
            throw DbError(QStringLiteral("問い合わせの結果が %1 MiB を超えるため読むのをやめました")
                              .arg(kMaxResultBytes >> 20));
    }
    // next() answers false both at the end and when fetching failed (a lost connection).
    if (query.lastError().type() != QSqlError::NoError)
        throw DbError(failureText(query.lastError()));
    return Dynaset::fromValues(std::move(names), std::move(values));
}

void DatabaseBackend::execute(const QString& sql) {
    QSqlQuery query(connection());
    if (guard_)
        guard_->start();
    if (!query.exec(sql))
        throw DbError(QStringLiteral("%1：%2").arg(failureText(query.lastError()), sql));
}

void DatabaseBackend::executeEach(const QString& sql, const std::vector<QVariantList>& rows) {
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

void DatabaseBackend::close() noexcept {
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

bool DatabaseBackend::isOpen() const {
    return !connectionName_.isEmpty() && QSqlDatabase::database(connectionName_, false).isOpen();
}

QString plainDecimalText(const QString& text) {
    static const QRegularExpression decimal(
        QStringLiteral("^\\s*([+-]?)(\\d*)(?:\\.(\\d*))?\\s*$"));
    const QRegularExpressionMatch match = decimal.match(text);
    if (!match.hasMatch())
        return text;
    QString whole = match.captured(2);
    QString fraction = match.captured(3);
    if (whole.isEmpty() && fraction.isEmpty())
        return text;
    while (whole.size() > 1 && whole.startsWith(u'0'))
        whole.remove(0, 1);
    if (whole.isEmpty())
        whole = QStringLiteral("0");
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    QString result = fraction.isEmpty() ? whole : whole + u'.' + fraction;
    if (match.captured(1) == u"-" && result != u"0")
        result.prepend(u'-');
    return result;
}
