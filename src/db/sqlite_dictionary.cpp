#include "db/sqlite_dictionary.h"

#include "db/database_backend.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace {

// A declared type split as "NAME(ARG, ARG) SUFFIX", upper-cased, blanks collapsed.
struct DeclaredType {
    QString name;
    QStringList arguments;
    QString suffix;
};

DeclaredType splitDeclaredType(const QString& declared) {
    const QString text = declared.simplified().toUpper();
    DeclaredType split;
    const qsizetype open = text.indexOf(u'(');
    if (open < 0) {
        split.name = text;
        return split;
    }
    split.name = text.left(open).trimmed();
    const qsizetype close = text.indexOf(u')', open);
    const QString inside = close < 0 ? text.mid(open + 1) : text.mid(open + 1, close - open - 1);
    for (const QString& argument : inside.split(u','))
        split.arguments.append(argument.trimmed());
    if (close >= 0)
        split.suffix = text.mid(close + 1).trimmed();
    return split;
}

// The leading number of an argument ("20 BYTE" -> 20); nothing for "*" or no digits.
std::optional<qint32> leadingNumber(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("^\\s*(\\d+)"));
    const QRegularExpressionMatch match = digits.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint32 number = match.captured(1).toInt(&ok);
    return ok ? std::optional<qint32>(number) : std::nullopt;
}

std::optional<qint32> argument(const DeclaredType& type, qsizetype index) {
    return index < type.arguments.size() ? leadingNumber(type.arguments[index]) : std::nullopt;
}

// The first number within the parentheses: NVARCHAR2(30) -> 30, not the 2 of its name.
std::optional<qint32> firstArgumentNumber(const DeclaredType& type) {
    static const QRegularExpression digits(QStringLiteral("(\\d+)"));
    for (const QString& argument : type.arguments) {
        const QRegularExpressionMatch match = digits.match(argument);
        if (!match.hasMatch())
            continue;
        bool ok = false;
        const qint32 number = match.captured(1).toInt(&ok);
        return ok ? std::optional<qint32>(number) : std::nullopt;
    }
    return std::nullopt;
}

// NUMBER(p,s), NUMBER(p), NUMBER(*,s) and NUMBER as the dictionary records them.
OracleColumnType numberType(const DeclaredType& type, std::optional<qint32> scaleWithoutArguments) {
    OracleColumnType column{QStringLiteral("NUMBER"), 22, {}, {}};
    if (type.arguments.isEmpty()) {
        column.scale = scaleWithoutArguments;
        return column;
    }
    column.precision = argument(type, 0);
    column.scale = type.arguments.size() > 1 ? argument(type, 1) : std::optional<qint32>(0);
    return column;
}

OracleColumnType timestampType(const DeclaredType& type) {
    // The fraction digits sit in the parentheses or default to 6; the time zone words may
    // follow them or, without parentheses, the name.
    const qint32 fraction = argument(type, 0).value_or(6);
    QString zone =
        type.arguments.isEmpty() ? type.name.mid(QStringLiteral("TIMESTAMP").size()) : type.suffix;
    zone = zone.trimmed();
    QString text = QStringLiteral("TIMESTAMP(%1)").arg(fraction);
    qint32 width = 11;
    if (zone == u"WITH TIME ZONE") {
        text += QStringLiteral(" WITH TIME ZONE");
        width = 13;
    } else if (zone == u"WITH LOCAL TIME ZONE") {
        text += QStringLiteral(" WITH LOCAL TIME ZONE");
    }
    return {text, width, fraction, {}};
}

void check(QSqlQuery& query, bool ok) {
    if (!ok)
        throw DbError(query.lastError().text());
}

bool hasDictionarySnapshot(DatabaseBackend& backend) {
    const auto found = backend.query(QStringLiteral(
        "SELECT COUNT(DISTINCT upper(name)) AS FOUND FROM main.sqlite_master "
        "WHERE type IN ('table', 'view') AND upper(name) IN ('USER_TABLES', 'COL')"));
    return found->Fields(QStringLiteral("FOUND")).Value() == u"2";
}

void buildDictionary(DatabaseBackend& backend) {
    backend.execute(QStringLiteral("PRAGMA temp_store = MEMORY"));
    backend.execute(QStringLiteral("CREATE TEMP TABLE USER_TABLES (TABLE_NAME TEXT NOT NULL)"));
    // sqlite_master lists the tables in the order they were created. Virtual tables are
    // left out: their module may not be loaded here, and they hold no columns of their own.
    backend.execute(QStringLiteral(
        "INSERT INTO temp.USER_TABLES (TABLE_NAME) SELECT name FROM main.sqlite_master "
        "WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
        "AND sql NOT LIKE 'CREATE VIRTUAL TABLE%' ORDER BY rowid"));
    backend.execute(QStringLiteral(
        "CREATE TEMP TABLE COL (TNAME TEXT NOT NULL, COLNO INTEGER NOT NULL, CNAME TEXT, "
        "COLTYPE TEXT, WIDTH INTEGER, SCALE INTEGER, PRECISION INTEGER, NULLS TEXT, "
        "PRIMARY KEY (TNAME, COLNO)) WITHOUT ROWID"));

    // A schema uses few distinct declared types: map each once, then let SQLite fill COL
    // in one statement instead of a row at a time through the driver.
    const auto declared =
        backend.query(QStringLiteral("SELECT DISTINCT p.type AS DECLARED FROM temp.USER_TABLES u, "
                                     "pragma_table_xinfo(u.TABLE_NAME, 'main') p"));
    backend.execute(
        QStringLiteral("CREATE TEMP TABLE TAMSEL_TYPES (DECLARED TEXT PRIMARY KEY, "
                       "COLTYPE TEXT, WIDTH INTEGER, SCALE INTEGER, PRECISION INTEGER)"));
    {
        QSqlQuery insert(backend.connection());
        check(insert, insert.prepare(
                          QStringLiteral("INSERT INTO temp.TAMSEL_TYPES VALUES (?, ?, ?, ?, ?)")));
        const auto toVariant = [](std::optional<qint32> value) {
            return value ? QVariant(*value) : QVariant(QMetaType::fromType<qint32>());
        };
        for (qint32 row = 0; row < declared->RecordCount(); ++row, declared->MoveNext()) {
            const QString text = declared->Fields(QStringLiteral("DECLARED")).Value();
            const OracleColumnType type = oracleColumnType(text);
            insert.addBindValue(text);
            insert.addBindValue(type.type);
            insert.addBindValue(type.width);
            insert.addBindValue(toVariant(type.scale));
            insert.addBindValue(toVariant(type.precision));
            check(insert, insert.exec());
        }
    }
    backend.execute(QStringLiteral(
        "INSERT INTO temp.COL (TNAME, COLNO, CNAME, COLTYPE, WIDTH, SCALE, PRECISION, NULLS) "
        "SELECT u.TABLE_NAME, p.cid + 1, p.name, t.COLTYPE, t.WIDTH, t.SCALE, t.PRECISION, "
        "CASE WHEN p.\"notnull\" OR p.pk > 0 THEN 'NOT NULL' ELSE 'NULL' END "
        "FROM temp.USER_TABLES u JOIN pragma_table_xinfo(u.TABLE_NAME, 'main') p "
        "JOIN temp.TAMSEL_TYPES t ON t.DECLARED = p.type"));
    backend.execute(QStringLiteral("DROP TABLE temp.TAMSEL_TYPES"));
}

} // namespace

OracleColumnType oracleColumnType(const QString& declaredType) {
    const DeclaredType type = splitDeclaredType(declaredType);
    const QString& name = type.name;
    if (name.isEmpty())
        return {QStringLiteral("UNDEFINED"), 0, {}, {}};
    if (name == u"VARCHAR2" || name == u"VARCHAR")
        return {QStringLiteral("VARCHAR2"), argument(type, 0).value_or(0), {}, {}};
    if (name == u"CHAR")
        return {QStringLiteral("CHAR"), argument(type, 0).value_or(1), {}, {}};
    if (name == u"NUMBER")
        return numberType(type, std::nullopt);
    if (name == u"INTEGER" || name == u"INT" || name == u"SMALLINT")
        return {QStringLiteral("NUMBER"), 22, 0, {}};
    if (name == u"DECIMAL" || name == u"NUMERIC")
        return numberType(type, 0); // the standard's default scale is 0
    if (name == u"FLOAT")
        return {QStringLiteral("FLOAT"), 22, {}, argument(type, 0).value_or(126)};
    if (name == u"DATE")
        return {QStringLiteral("DATE"), 7, {}, {}};
    if (name == u"TIMESTAMP" || name.startsWith(QStringLiteral("TIMESTAMP ")))
        return timestampType(type);
    if (name == u"CLOB" || name == u"NCLOB" || name == u"BLOB")
        return {name, 4000, {}, {}};
    if (name == u"RAW")
        return {QStringLiteral("RAW"), argument(type, 0).value_or(0), {}, {}};
    if (name == u"LONG" || name == u"LONG RAW")
        return {name, 0, {}, {}};
    return {name, firstArgumentNumber(type).value_or(0), {}, {}};
}

std::unique_ptr<DatabaseBackend> openSqliteDatabase(const QString& path) {
    auto backend = std::make_unique<DatabaseBackend>(QStringLiteral("QSQLITE"));
    {
        QSqlDatabase database = backend->connection();
        database.setDatabaseName(path);
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    }
    backend->open();
    try {
        if (!hasDictionarySnapshot(*backend))
            buildDictionary(*backend);
    } catch (const DbError& error) {
        throw DbError(
            QStringLiteral("%1 をデータベースとして読めません：%2").arg(path, error.message()));
    }
    return backend;
}

bool isSqliteFile(const QString& path) {
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    static const QByteArray header("SQLite format 3\0", 16);
    return file.read(header.size()) == header;
}
