#include "db/sqlite_dictionary.h"

#include "db/qt_sql_backend.h"
#include "db/sqlite_backend.h"
#include "db/sqlite_file_lock.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

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

bool hasDictionarySnapshot(DatabaseBackend& backend) {
    const auto found = backend.query(QStringLiteral(
        "SELECT COUNT(DISTINCT upper(name)) AS FOUND FROM main.sqlite_master "
        "WHERE type IN ('table', 'view') AND upper(name) IN ('USER_TABLES', 'COL')"));
    return found->Fields(QStringLiteral("FOUND")).Value() == u"2";
}

void buildDictionary(DatabaseBackend& backend) {
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
    const auto toVariant = [](std::optional<qint32> value) {
        return value ? QVariant(*value) : QVariant(QMetaType::fromType<qint32>());
    };
    std::vector<QVariantList> types;
    for (qint32 row = 0; row < declared->RecordCount(); ++row, declared->MoveNext()) {
        const QString text = declared->Fields(QStringLiteral("DECLARED")).Value();
        const OracleColumnType type = oracleColumnType(text);
        types.push_back(
            {text, type.type, type.width, toVariant(type.scale), toVariant(type.precision)});
    }
    backend.executeEach(QStringLiteral("INSERT INTO temp.TAMSEL_TYPES VALUES (?, ?, ?, ?, ?)"),
                        types);
    backend.execute(QStringLiteral(
        "INSERT INTO temp.COL (TNAME, COLNO, CNAME, COLTYPE, WIDTH, SCALE, PRECISION, NULLS) "
        "SELECT u.TABLE_NAME, p.cid + 1, p.name, t.COLTYPE, t.WIDTH, t.SCALE, t.PRECISION, "
        "CASE WHEN p.\"notnull\" OR p.pk > 0 THEN 'NOT NULL' ELSE 'NULL' END "
        "FROM temp.USER_TABLES u JOIN pragma_table_xinfo(u.TABLE_NAME, 'main') p "
        "JOIN temp.TAMSEL_TYPES t ON t.DECLARED = p.type"));
    backend.execute(QStringLiteral("DROP TABLE temp.TAMSEL_TYPES"));
}

// How a file is opened. Read-only, a file in write-ahead-log mode makes SQLite create its
// log and shared-memory index beside it (and leave them there), or fail on read-only media;
// opened as immutable, SQLite reads the file alone and creates nothing, but takes no locks
// and ignores a log. So immutable serves a log-mode file with no log beside it: nobody has
// it open, and the file holds every committed change. A log that is there may hold changes
// not yet in the file, or belong to a program that has the file open now: read-only then,
// under SQLite's locks, with the log and index that already exist. A log without an index
// (copied without it, or left by a program that ended abruptly) would have SQLite create
// the index beside it: it is read with an index of the connection's own instead, in memory
// (SQLite keeps it there in exclusive locking mode, which its VFS without locks grants
// without touching the file), after making sure that no other program holds the file.
enum class SqliteOpening { ReadOnly, Immutable, PrivateIndex };

SqliteOpening sqliteOpening(const QString& path) {
    const QFileInfo log(path + QStringLiteral("-wal"));
    if (log.size() > 0 && !QFileInfo::exists(path + QStringLiteral("-shm")))
        return SqliteOpening::PrivateIndex;
    // Bytes 18 and 19 of the header, the write and read format versions, are 2 in log mode.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return SqliteOpening::ReadOnly;
    const QByteArray header = file.read(20);
    const bool logMode = header.size() == 20 && header[18] == 2 && header[19] == 2;
    return logMode && log.size() == 0 ? SqliteOpening::Immutable : SqliteOpening::ReadOnly;
}

// The file as a SQLite URI, so the opening's parameters can go with it.
QString sqliteFileUri(const QString& path, SqliteOpening opening) {
    const QByteArray file =
        QUrl::toPercentEncoding(QFileInfo(path).absoluteFilePath(), QByteArrayLiteral("/"));
    const QString parameters = opening == SqliteOpening::Immutable ? QStringLiteral("?immutable=1")
                               : opening == SqliteOpening::PrivateIndex
                                   ? QStringLiteral("?mode=ro&vfs=unix-none")
                                   : QStringLiteral("?mode=ro");
    return QStringLiteral("file:") + QString::fromLatin1(file) + parameters;
}

// The query that reads a table's columns from the snapshot's own COL, as its plan goes.
QString columnLookupPlanQuery() {
    return QStringLiteral("EXPLAIN QUERY PLAN SELECT CNAME,COLTYPE,WIDTH,PRECISION,SCALE,NULLS "
                          "FROM main.COL WHERE TNAME = '' ORDER BY COLNO");
}

// Whether each column query finds its table's rows in the snapshot's COL without reading
// all of it. A COL the query cannot run on counts as indexed: it is left as it stands, for
// the column query to report.
bool columnLookupIsIndexed(DatabaseBackend& backend) {
    std::unique_ptr<Dynaset> plan;
    try {
        plan = backend.query(columnLookupPlanQuery());
    } catch (const DbError&) {
        return true;
    }
    for (qint32 row = 0; row < plan->RecordCount(); ++row, plan->MoveNext()) {
        const QString step = plan->Fields(QStringLiteral("detail")).Value();
        if (step.startsWith(QStringLiteral("SCAN")) || step.contains(QStringLiteral("AUTOMATIC")))
            return false;
    }
    return true;
}

// Reads the snapshot's COL once, ordered, into a temporary COL keyed the way the column
// query looks it up; it hides the file's own from the dictionary queries. The values keep
// their storage classes and the columns their affinities, so every text reads as before; a
// collation declared on the file's TNAME is not kept: names compare exactly, as Oracle's do.
void copyColumns(DatabaseBackend& backend) {
    backend.execute(QStringLiteral(
        "CREATE TEMP TABLE COL AS SELECT TNAME, COLNO, CNAME, COLTYPE, WIDTH, PRECISION, SCALE, "
        "NULLS FROM main.COL ORDER BY TNAME, COLNO"));
    backend.execute(QStringLiteral("CREATE INDEX temp.COL_BY_TABLE ON COL (TNAME, COLNO)"));
}

// A file read without SQLite's locks (immutable, or with an index of its own) is read whole
// at logon, so that nothing is read from it later, when another program may have opened it
// and be writing it. A table the dictionary queries
// cannot run on is left as it stands, for them to report.
void copySnapshot(DatabaseBackend& backend) {
    try {
        backend.execute(QStringLiteral(
            "CREATE TEMP TABLE USER_TABLES AS SELECT TABLE_NAME FROM main.USER_TABLES"));
    } catch (const DbError&) {
    }
    try {
        backend.query(columnLookupPlanQuery());
    } catch (const DbError&) {
        return;
    }
    copyColumns(backend);
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

std::unique_ptr<DatabaseBackend> openSqliteDatabase(const QString& path, SqliteBudget budget,
                                                    SqliteReader reader) {
    const SqliteOpening opening = sqliteOpening(path);
    const QString uri = sqliteFileUri(path, opening);
    std::unique_ptr<QtSqlBackend> qtBackend;
    if (reader == SqliteReader::QtDriver) {
        qtBackend = std::make_unique<QtSqlBackend>(QStringLiteral("QSQLITE"));
        QSqlDatabase database = qtBackend->connection();
        database.setDatabaseName(uri);
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI"));
    }
    std::unique_ptr<DatabaseBackend> backend;
    try {
        std::optional<SharedFileLock> lock;
        if (opening == SqliteOpening::PrivateIndex)
            lock.emplace(path);
        if (qtBackend) {
            qtBackend->open();
            backend = std::move(qtBackend);
        } else {
            backend = std::make_unique<SqliteBackend>(uri);
        }
        if (opening == SqliteOpening::PrivateIndex) // before anything reads the file
            backend->execute(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"));
        // What the connection copies stays in memory: no temporary file, also where none
        // can be written.
        backend->execute(QStringLiteral("PRAGMA temp_store = MEMORY"));
        // The budget holds what runs the file's own USER_TABLES and COL, which may be views
        // of any kind. Reading the schema and building a dictionary from it is bounded by the
        // file already, and takes seconds for a file of 20,000 tables.
        if (!hasDictionarySnapshot(*backend)) {
            buildDictionary(*backend);
            backend->limitStatements(budget);
        } else {
            backend->limitStatements(budget);
            if (opening != SqliteOpening::ReadOnly)
                copySnapshot(*backend);
            else if (!columnLookupIsIndexed(*backend))
                copyColumns(*backend);
        }
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
