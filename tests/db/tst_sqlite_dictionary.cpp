#include "tst_sqlite_dictionary.h"

#include "db/database_backend.h"
#include "db/dictionary.h"
#include "db/sqlite_dictionary.h"
#include "db/sqlite_errors.h"
#include "sqlite_files.h"
#include "support/test_files.h"
#include "util/system_error.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <sqlite3.h>

Q_DECLARE_METATYPE(std::optional<qint32>)

namespace {

using Optional = std::optional<qint32>;
const Optional null = std::nullopt;

std::unique_ptr<Database> openFile(const QString& path) {
    return std::make_unique<Database>(openSqliteDatabase(path));
}

QStringList column(Dynaset& rows, const QString& name) {
    QStringList values;
    for (qint32 i = 0; i < rows.RecordCount(); ++i, rows.MoveNext())
        values.append(rows.Fields(name).IsNull() ? QStringLiteral("<NULL>")
                                                 : rows.Fields(name).Value());
    return values;
}

} // namespace

void TestSqliteDictionary::oracleColumnType_data() {
    QTest::addColumn<QString>("declared");
    QTest::addColumn<QString>("type");
    QTest::addColumn<qint32>("width");
    QTest::addColumn<Optional>("precision");
    QTest::addColumn<Optional>("scale");
    QTest::newRow("VARCHAR2(20)") << "VARCHAR2(20)"
                                  << "VARCHAR2" << 20 << null << null;
    QTest::newRow("varchar(30) lower case") << "varchar(30)"
                                            << "VARCHAR2" << 30 << null << null;
    QTest::newRow("BYTE qualifier") << "VARCHAR2(20 BYTE)"
                                    << "VARCHAR2" << 20 << null << null;
    QTest::newRow("CHAR qualifier, blanks") << "VARCHAR2 ( 10  CHAR )"
                                            << "VARCHAR2" << 10 << null << null;
    QTest::newRow("CHAR(3)") << "CHAR(3)"
                             << "CHAR" << 3 << null << null;
    QTest::newRow("CHAR without length") << "CHAR"
                                         << "CHAR" << 1 << null << null;
    QTest::newRow("NUMBER(8,2)") << "NUMBER(8,2)"
                                 << "NUMBER" << 22 << Optional(8) << Optional(2);
    QTest::newRow("NUMBER(10)") << "NUMBER(10)"
                                << "NUMBER" << 22 << Optional(10) << Optional(0);
    QTest::newRow("NUMBER(*,2)") << "NUMBER(*,2)"
                                 << "NUMBER" << 22 << null << Optional(2);
    QTest::newRow("NUMBER") << "NUMBER"
                            << "NUMBER" << 22 << null << null;
    QTest::newRow("INTEGER") << "INTEGER"
                             << "NUMBER" << 22 << null << Optional(0);
    QTest::newRow("INT") << "int"
                         << "NUMBER" << 22 << null << Optional(0);
    QTest::newRow("SMALLINT") << "SMALLINT"
                              << "NUMBER" << 22 << null << Optional(0);
    QTest::newRow("DECIMAL(9,3)") << "DECIMAL(9,3)"
                                  << "NUMBER" << 22 << Optional(9) << Optional(3);
    QTest::newRow("NUMERIC(5)") << "NUMERIC(5)"
                                << "NUMBER" << 22 << Optional(5) << Optional(0);
    QTest::newRow("NUMERIC") << "NUMERIC"
                             << "NUMBER" << 22 << null << Optional(0);
    QTest::newRow("FLOAT(63)") << "FLOAT(63)"
                               << "FLOAT" << 22 << Optional(63) << null;
    QTest::newRow("FLOAT") << "FLOAT"
                           << "FLOAT" << 22 << Optional(126) << null;
    QTest::newRow("DATE") << "DATE"
                          << "DATE" << 7 << null << null;
    QTest::newRow("TIMESTAMP(6)") << "TIMESTAMP(6)"
                                  << "TIMESTAMP(6)" << 11 << null << Optional(6);
    QTest::newRow("TIMESTAMP(3)") << "timestamp(3)"
                                  << "TIMESTAMP(3)" << 11 << null << Optional(3);
    QTest::newRow("TIMESTAMP") << "TIMESTAMP"
                               << "TIMESTAMP(6)" << 11 << null << Optional(6);
    QTest::newRow("TIMESTAMP WITH TIME ZONE")
        << "TIMESTAMP(9) WITH TIME ZONE"
        << "TIMESTAMP(9) WITH TIME ZONE" << 13 << null << Optional(9);
    QTest::newRow("TIMESTAMP WITH LOCAL TIME ZONE")
        << "TIMESTAMP WITH LOCAL TIME ZONE"
        << "TIMESTAMP(6) WITH LOCAL TIME ZONE" << 11 << null << Optional(6);
    QTest::newRow("CLOB") << "CLOB"
                          << "CLOB" << 4000 << null << null;
    QTest::newRow("NCLOB") << "nclob"
                           << "NCLOB" << 4000 << null << null;
    QTest::newRow("BLOB") << "BLOB"
                          << "BLOB" << 4000 << null << null;
    QTest::newRow("RAW(16)") << "RAW(16)"
                             << "RAW" << 16 << null << null;
    QTest::newRow("LONG") << "LONG"
                          << "LONG" << 0 << null << null;
    QTest::newRow("LONG RAW") << "long  raw"
                              << "LONG RAW" << 0 << null << null;
    QTest::newRow("other with a number") << "nvarchar2(30)"
                                         << "NVARCHAR2" << 30 << null << null;
    QTest::newRow("other, several words") << "unsigned big int"
                                          << "UNSIGNED BIG INT" << 0 << null << null;
    QTest::newRow("other without number") << "text"
                                          << "TEXT" << 0 << null << null;
    QTest::newRow("other, number only in its name") << "INT8"
                                                    << "INT8" << 0 << null << null;
    QTest::newRow("no declared type") << ""
                                      << "UNDEFINED" << 0 << null << null;
}

void TestSqliteDictionary::oracleColumnType() {
    QFETCH(QString, declared);
    QFETCH(QString, type);
    QFETCH(qint32, width);
    QFETCH(Optional, precision);
    QFETCH(Optional, scale);
    const OracleColumnType column = ::oracleColumnType(declared);
    QCOMPARE(column.type, type);
    QCOMPARE(column.width, width);
    QCOMPARE(column.precision, precision);
    QCOMPARE(column.scale, scale);
}

void TestSqliteDictionary::emulatedTablesInCreationOrder() {
    QTemporaryDir dir;
    const QString path = dir.filePath("order.sqlite");
    createSqliteFile(path,
                     {"CREATE TABLE ZETA (A INTEGER PRIMARY KEY AUTOINCREMENT)", // sqlite_sequence
                      "CREATE TABLE alpha (B TEXT)", "CREATE VIEW V_ALPHA AS SELECT B FROM alpha",
                      "CREATE VIRTUAL TABLE SEARCH USING rtree(ID, X0, X1)",
                      "CREATE TABLE \"O'NEIL\" (C DATE)", "CREATE INDEX I_ALPHA ON alpha (B)",
                      "CREATE TABLE COL (TNAME TEXT)"}); // no USER_TABLES: not a snapshot
    auto database = openFile(path);
    QStringList names;
    const qint32 count = readTableList(*database, [&](const QString& name) { names.append(name); });
    QCOMPARE(count, names.size());
    // The virtual table's storage tables are ordinary tables, listed like any other.
    QVERIFY(names.contains("SEARCH_node"));
    names.removeIf([](const QString& name) { return name.startsWith("SEARCH_"); });
    QCOMPARE(names, (QStringList{"ZETA", "alpha", "O'NEIL", "COL"}));
}

void TestSqliteDictionary::emulatedColumns() {
    QTemporaryDir dir;
    const QString path = dir.filePath("columns.sqlite");
    createSqliteFile(path, {"CREATE TABLE EMP (EMPNO NUMBER(4) NOT NULL, ENAME varchar2(10), "
                            "SAL NUMBER(7,2), NOTE, ID INTEGER, PRIMARY KEY (ID))"});
    auto database = openFile(path);
    auto rows = database->dbCreateDynaset(
        "SELECT TNAME, COLNO, CNAME, COLTYPE, WIDTH, SCALE, PRECISION, NULLS FROM COL "
        "ORDER BY TNAME, COLNO",
        4);
    QCOMPARE(rows->RecordCount(), 5);
    const QStringList expected[] = {
        {"EMP", "1", "EMPNO", "NUMBER", "22", "0", "4", "NOT NULL"},
        {"EMP", "2", "ENAME", "VARCHAR2", "10", "<NULL>", "<NULL>", "NULL"},
        {"EMP", "3", "SAL", "NUMBER", "22", "2", "7", "NULL"},
        {"EMP", "4", "NOTE", "UNDEFINED", "0", "<NULL>", "<NULL>", "NULL"},
        {"EMP", "5", "ID", "NUMBER", "22", "0", "<NULL>", "NOT NULL"}, // primary key
    };
    const QStringList fields{"TNAME", "COLNO", "CNAME",     "COLTYPE",
                             "WIDTH", "SCALE", "PRECISION", "NULLS"};
    for (const QStringList& row : expected) {
        QStringList actual;
        for (const QString& field : fields)
            actual.append(rows->Fields(field).IsNull() ? QStringLiteral("<NULL>")
                                                       : rows->Fields(field).Value());
        QCOMPARE(actual, row);
        rows->MoveNext();
    }
}

void TestSqliteDictionary::columnQueryIsIndexLookup() {
    QTemporaryDir dir;
    const QString path = dir.filePath("plan.sqlite");
    createSqliteFile(path, {"CREATE TABLE A (X INTEGER, Y TEXT)", "CREATE TABLE B (Z INTEGER)"});
    auto database = openFile(path);
    auto plan = database->dbCreateDynaset("EXPLAIN QUERY PLAN " + columnQuery("A"), 4);
    const QStringList steps = column(*plan, "detail");
    QVERIFY2(!steps.isEmpty(), "no query plan");
    for (const QString& step : steps) {
        QVERIFY2(!step.startsWith(QStringLiteral("SCAN")), qPrintable(step));
        QVERIFY2(!step.contains(QStringLiteral("TEMP B-TREE")), qPrintable(step)); // no sort
    }
}

void TestSqliteDictionary::snapshotUsedAsItStands_data() {
    QTest::addColumn<QString>("userTables");
    QTest::addColumn<QString>("col");
    QTest::newRow("upper-case names") << "USER_TABLES"
                                      << "COL";
    QTest::newRow("lower-case names") << "user_tables"
                                      << "col";
}

void TestSqliteDictionary::snapshotUsedAsItStands() {
    QFETCH(QString, userTables);
    QFETCH(QString, col);
    QTemporaryDir dir;
    const QString path = dir.filePath("snapshot.sqlite");
    QStringList schema = snapshotSchema();
    schema.replaceInStrings("TABLE USER_TABLES", "TABLE " + userTables);
    schema.replaceInStrings("TABLE COL", "TABLE " + col);
    schema << "CREATE TABLE LOCAL_ONLY (A INTEGER)"
           << "INSERT INTO " + userTables + " VALUES ('EMP')"
           << "INSERT INTO " + col + " VALUES ('EMP', 1, 'EMPNO', 'NUMBER', 22, 0, 4, 'NOT NULL')"
           << "INSERT INTO " + col +
                  " VALUES ('EMP', 2, 'ENAME', 'NVARCHAR2', 20, NULL, NULL, 'NULL')";
    createSqliteFile(path, schema);
    auto database = openFile(path);
    QStringList names;
    readTableList(*database, [&](const QString& name) { names.append(name); });
    QCOMPARE(names, QStringList{"EMP"});
    const TTableSettings emp = readTableColumns(*database, "EMP");
    QCOMPARE(emp.ColumnTypes(), (QStringList{"NUMBER", "NVARCHAR2"}));
    QCOMPARE(emp.ColumnSizes(), (QStringList{"4.0", "20"}));
}

void TestSqliteDictionary::notADatabaseFails() {
    QTemporaryDir dir;
    const QString path = dir.filePath("text.db");
    writeFileBytes(path, QByteArray(4096, 'x'));
    try {
        openSqliteDatabase(path);
        QFAIL("opened a text file");
    } catch (const DbError& error) {
        QVERIFY2(error.message().contains(path), qPrintable(error.message()));
    }
    QVERIFY_THROWS_EXCEPTION(DbError, openSqliteDatabase(dir.filePath("missing.db")));
}

// A file in write-ahead-log mode is read where it lies, leaving nothing beside it, also on
// read-only media, and with what a writer that has it open has committed; a log copied
// without its index too. A writer in exclusive locking mode keeps its index to itself: its
// file is refused, not read under its hands.
void TestSqliteDictionary::walFileReadInPlace_data() {
    QTest::addColumn<QString>("writer");
    QTest::addColumn<bool>("readOnlyMedia");
    QTest::addColumn<QString>("names"); // empty: refused
    for (const bool readOnly : {false, true}) {
        const QString media = readOnly ? ", read-only media" : "";
        QTest::addRow("closed%s", qPrintable(media)) << "closed" << readOnly << "A";
        QTest::addRow("writer open%s", qPrintable(media)) << "open" << readOnly << "A B";
        QTest::addRow("log without index%s", qPrintable(media)) << "copied" << readOnly << "A B";
        QTest::addRow("exclusive writer%s", qPrintable(media)) << "exclusive" << readOnly << "";
    }
}

void TestSqliteDictionary::walFileReadInPlace() {
    QFETCH(QString, writer);
    QFETCH(bool, readOnlyMedia);
    QFETCH(QString, names);
    QTemporaryDir dir, copy, media;
    createSqliteFile(dir.filePath("wal.db"), {"PRAGMA journal_mode = WAL", "CREATE TABLE A (A)"});
    QSqlDatabase writing = QSqlDatabase::addDatabase("QSQLITE", "writer");
    const auto closeWriter = qScopeGuard([&] {
        writing = QSqlDatabase();
        QSqlDatabase::removeDatabase("writer");
    });
    writing.setDatabaseName(dir.filePath("wal.db"));
    QSqlQuery write(writing);
    QVERIFY(writer == "closed" || writing.open());
    QVERIFY(writer != "exclusive" || write.exec("PRAGMA locking_mode = EXCLUSIVE"));
    QVERIFY(writer == "closed" || write.exec("CREATE TABLE B (B)"));
    QString folder = dir.path();
    if (writer == "copied") {
        for (const QString name : {"wal.db", "wal.db-wal"})
            QVERIFY(QFile::copy(dir.filePath(name), copy.filePath(name)));
        folder = copy.path();
    }
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    const bool mounted = readOnlyMedia && QProcess::execute("mount", {"--bind", "-o", "ro", folder,
                                                                      media.path()}) == 0;
    const auto unmount = qScopeGuard([&] {
        if (mounted)
            QProcess::execute("umount", {"-l", media.path()}); // lazily: SQLite may still hold it
    });
    if (readOnlyMedia && !mounted)
        QSKIP("a read-only bind mount needs root");

    const QString path = QDir(mounted ? media.path() : folder).filePath("wal.db");
    if (names.isEmpty()) {
        QVERIFY_THROWS_EXCEPTION(DbError, openFile(path));
    } else {
        std::unique_ptr<Database> database;
        QVERIFY_THROWS_NO_EXCEPTION(database = openFile(path));
        QStringList read;
        readTableList(*database, [&](const QString& name) { read.append(name); });
        QCOMPARE(read.join(u' '), names);
        database->Close();
    }
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), files);
}

// Every column query finds its rows by index, whatever the snapshot's COL, and reads what it
// reads from the same COL with an index.
void TestSqliteDictionary::snapshotWithoutIndexReadOnce_data() {
    QTest::addColumn<QStringList>("keying");
    QTest::newRow("no index") << QStringList{};
    QTest::newRow("COL a view") << QStringList{"ALTER TABLE COL RENAME TO ROWS",
                                               "CREATE VIEW COL AS SELECT * FROM ROWS"};
}

void TestSqliteDictionary::snapshotWithoutIndexReadOnce() {
    QFETCH(QStringList, keying);
    const QStringList rows =
        snapshotSchema()
        << "INSERT INTO COL VALUES ('T', 2, '氏名', 'VARCHAR2', 20.0, NULL, NULL, 'NULL')"
        << "INSERT INTO COL VALUES ('U', 1, 'ID', 'NUMBER', '22', 0, 4, 'NOT NULL')"
        << "INSERT INTO COL VALUES ('T', 1, 'NO', 'NUMBER', 22, 2, 7.0, 'NOT NULL')";
    QTemporaryDir dir;
    createSqliteFile(dir.filePath("indexed"),
                     rows + QStringList{"CREATE INDEX I ON COL (TNAME, COLNO)"});
    createSqliteFile(dir.filePath("other"), rows + keying);
    auto indexed = openFile(dir.filePath("indexed"));
    auto database = openFile(dir.filePath("other"));
    auto plan = database->dbCreateDynaset("EXPLAIN QUERY PLAN " + columnQuery("T"), 4);
    for (const QString& step : column(*plan, "detail"))
        QVERIFY2(!step.startsWith(QStringLiteral("SCAN")), qPrintable(step));
    for (const QString table : {"T", "U"}) {
        const TTableSettings read = readTableColumns(*database, table);
        const TTableSettings expected = readTableColumns(*indexed, table);
        QCOMPARE(read.ColumnNames + read.ColumnTypes() + read.ColumnSizes() + read.ColumnNulls(),
                 expected.ColumnNames + expected.ColumnTypes() + expected.ColumnSizes() +
                     expected.ColumnNulls());
    }
}

// A dictionary that is a view without end stops with a failure that says why: the rows of a
// table list that never ends, a query that never gives a row, a copy of COL that never ends.
void TestSqliteDictionary::endlessViewStops_data() {
    QTest::addColumn<QStringList>("schema");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("reason");
    const QString endless = "CREATE VIEW %1 AS WITH RECURSIVE R(N) AS (SELECT 1 UNION ALL "
                            "SELECT N + 1 FROM R) SELECT %2";
    const QString table = endless.arg("USER_TABLES");
    QStringList col = snapshotSchema();
    col[1] = endless.arg("COL", "'T' AS TNAME, N AS COLNO, 'C' || N AS CNAME, 'DATE' AS COLTYPE, "
                                "7 AS WIDTH, 0 AS SCALE, 0 AS PRECISION, 'NULL' AS NULLS FROM R");
    QTest::newRow("table list without end")
        << QStringList{snapshotSchema()[1], table.arg("'T' || N AS TABLE_NAME FROM R")} << 60.0
        << "MiB";
    QTest::newRow("table list without a row")
        << QStringList{snapshotSchema()[1], table.arg("'T' AS TABLE_NAME FROM R WHERE N < 0")}
        << 0.5 << "秒";
    QTest::newRow("columns without end") << col << 60.0 << "MiB";
}

void TestSqliteDictionary::endlessViewStops() {
    QFETCH(QStringList, schema);
    QFETCH(double, seconds);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath("endless.sqlite");
    createSqliteFile(path, schema);
    try {
        std::unique_ptr<Database> database =
            std::make_unique<Database>(openSqliteDatabase(path, {seconds, 16 << 20}));
        readTableList(*database, [](const QString&) {});
        QFAIL("read a dictionary without end");
    } catch (const DbError& error) {
        QVERIFY2(error.message().contains(reason), qPrintable(error.message()));
    }
}

// SQLite's English reasons reach nobody: each is told in Japanese, a system call's reason in
// the program's own words, and the names of an SQL error kept.
void TestSqliteDictionary::sqliteReasonsInJapanese_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("systemError");
    QTest::addColumn<QString>("engineText");
    QTest::addColumn<QString>("expected"); // a part of the text
    QTest::newRow("disk full") << SQLITE_FULL << 0 << "database or disk is full"
                               << "デバイスに空き領域がありません";
    QTest::newRow("read-only media")
        << SQLITE_CANTOPEN << EROFS << "unable to open database file" << systemErrorText(EROFS);
    QTest::newRow("extended code")
        << SQLITE_IOERR_SHORT_READ << EIO << "disk I/O error" << systemErrorText(EIO);
    QTest::newRow("missing table") << SQLITE_ERROR << 0 << "no such table: COL"
                                   << "COL";
    QTest::newRow("stale errno") << SQLITE_CORRUPT << ENOENT << "database disk image is malformed"
                                 << "";
}

void TestSqliteDictionary::sqliteReasonsInJapanese() {
    QFETCH(int, code);
    QFETCH(int, systemError);
    QFETCH(QString, engineText);
    QFETCH(QString, expected);
    const QString text = sqliteErrorText(code, systemError, engineText);
    QVERIFY2(text.contains(expected), qPrintable(text));
    QVERIFY2(!text.contains(engineText.left(engineText.indexOf(u':'))), qPrintable(text));
    QVERIFY2(!text.contains(systemErrorText(ENOENT)), qPrintable(text));
}
