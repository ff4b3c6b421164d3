#include "tst_sqlite_reading.h"

#include "db/demo_database.h"
#include "sqlite_files.h"
#include "support/test_files.h"

#include <QDir>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A column row of a snapshot, values as SQL.
QString col(const QString& values) {
    return "INSERT INTO COL VALUES (" + values + ")";
}

QStringList snapshotWith(const QStringList& tables, const QStringList& rows) {
    QStringList statements = snapshotSchema();
    for (const QString& table : tables)
        statements << "INSERT INTO USER_TABLES VALUES (" + table + ")";
    return statements + rows;
}

} // namespace

void TestSqliteReading::readersAgree_data() {
    QTest::addColumn<QString>("kind"); // how the file is made beyond its statements
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<double>("seconds"); // the statement budget

    QTest::newRow("demo database") << "demo" << QStringList{} << 5.0;
    QTest::newRow("Japanese names")
        << ""
        << (snapshotWith({"'部署'", "'社員'", "'ｶﾅ表'"},
                         {col("'部署', 1, '部署コード', 'VARCHAR2', 4, NULL, NULL, 'NOT NULL'"),
                          col("'部署', 2, '部署名', 'VARCHAR2', 40, NULL, NULL, 'NULL'"),
                          col("'社員', 1, '社員番号', 'NUMBER', 22, 0, 6, 'NOT NULL'"),
                          col("'社員', 2, 'A😀B', 'CHAR', 1, NULL, NULL, 'NULL'"),
                          col("'ｶﾅ表', 1, 'ｺｰﾄﾞ', 'DATE', 7, NULL, NULL, 'NULL'")}) +
            QStringList{"CREATE INDEX I ON COL (TNAME, COLNO)"})
        << 5.0;
    const QStringList unindexed =
        snapshotWith({"'T'", "'U'", "'O''NEIL'", "'MISSING'"},
                     {col("'T', 2, 'NAME', 'VARCHAR2', 20.0, NULL, NULL, 'NULL'"),
                      col("'U', 1, 'ID', 'NUMBER', '22', 0, 4, 'NOT NULL'"),
                      col("'T', 1, 'NO', 'NUMBER', 22, 2, 7.0, 'NOT NULL'"),
                      col("'O''NEIL', 1, 'ID', 'NUMBER', 22, NULL, 5, 'NOT NULL'"),
                      col("'T', 3, 'AMOUNT', 'NUMBER', 22, '2', '10', 'NULL'")});
    QTest::newRow("unindexed snapshot") << "" << unindexed << 5.0;
    QTest::newRow("COL a view") << ""
                                << unindexed + QStringList{"ALTER TABLE COL RENAME TO ROWS",
                                                           "CREATE VIEW COL AS SELECT * FROM ROWS"}
                                << 5.0;
    // Columns with no declared type: the first row's value decides, as Qt's driver had it,
    // whether texts in them are read as plain decimals.
    QTest::newRow("COL a view of expressions")
        << ""
        << QStringList{"CREATE TABLE USER_TABLES (TABLE_NAME)",
                       "INSERT INTO USER_TABLES VALUES ('T')",
                       "CREATE TABLE ROWS (N INTEGER, W, P, S)",
                       "INSERT INTO ROWS VALUES (1, 1.5, '007.50', ' 2 '), (2, '10.000', 1, 2), "
                       "(3, x'3132', 'abc', -0.0)",
                       "CREATE VIEW COL AS SELECT 'T' AS TNAME, N AS COLNO, 'C' || N AS CNAME, "
                       "'NUMBER' AS COLTYPE, W + 0 AS WIDTH, S || '' AS SCALE, P AS PRECISION, "
                       "'NULL' AS NULLS FROM ROWS"}
        << 5.0;
    QTest::newRow("decimal-typed columns")
        << ""
        << QStringList{"CREATE TABLE USER_TABLES (TABLE_NAME TEXT)",
                       "CREATE TABLE COL (TNAME TEXT, COLNO INTEGER, CNAME TEXT, COLTYPE TEXT, "
                       "WIDTH REAL, SCALE numeric(3), PRECISION DOUBLE, NULLS FLOAT)",
                       "INSERT INTO USER_TABLES VALUES ('T')",
                       col("'T', 1, 'A', 'NUMBER', ' 20 ', '.50', '0x10', 'NULL'"),
                       col("'T', 2, 'B', 'NUMBER', 'abc', 1e300, '-0', 'NOT NULL'"),
                       col("'T', 3, 'C', 'CHAR', x'3230', '1.', 3, '1.0'")}
        << 5.0;
    // Bytes that are not UTF-8, a byte-order mark, characters both decoders must take
    // alike, a NUL inside a text, a BLOB where text belongs.
    QTest::newRow("texts that are not plain UTF-8")
        << ""
        << snapshotWith({"'T'", "CAST(x'54FF' AS TEXT)", "CAST(x'EFBBBF54' AS TEXT)"},
                        {col("'T', 1, CAST(x'41C0AF42' AS TEXT), 'DATE', 7, NULL, NULL, 'NULL'"),
                         col("'T', 2, CAST(x'41EDA08042' AS TEXT), 'DATE', 7, NULL, NULL, 'NULL'"),
                         col("'T', 3, CAST(x'41EFBFBE42' AS TEXT), 'DATE', 7, NULL, NULL, 'NULL'"),
                         col("'T', 4, CAST(x'41F4908080' AS TEXT), 'DATE', 7, NULL, NULL, 'NULL'"),
                         col("'T', 5, CAST(x'4180' AS TEXT), 'DATE', 7, NULL, NULL, 'NULL'"),
                         col("'T', 6, CAST(x'41E381' AS TEXT), 'DATE', 7, NULL, NULL, 'NULL'"),
                         col("'T', 7, 'A' || char(0) || 'B', 'DATE', 7, NULL, NULL, 'NULL'"),
                         col("'T', 8, x'E7A4BE', CAST(x'56FF' AS BLOB), 7, NULL, NULL, 'NULL'"),
                         col("CAST(x'54FF' AS TEXT), 1, 'X', 'DATE', 7, NULL, NULL, 'NULL'"),
                         col("CAST(x'EFBBBF54' AS TEXT), 1, 'Y', 'DATE', 7, NULL, NULL, 'NULL'")})
        << 5.0;
    QTest::newRow("UTF-16 file")
        << ""
        << QStringList{"PRAGMA encoding = 'UTF-16le'"} +
               snapshotWith({"'部署'", "CAST(x'00D8' AS TEXT)"},
                            {col("'部署', 1, '部署名', 'VARCHAR2', 40, NULL, NULL, 'NULL'"),
                             col("CAST(x'00D8' AS TEXT), 1, CAST(x'00DC41' AS TEXT), 'DATE', 7, "
                                 "NULL, NULL, 'NULL'")})
        << 5.0;
    // What the dictionary tests refuse: control characters, long names, an empty name,
    // NULLs where a text must be, a query that cannot run.
    QTest::newRow("unsafe and NULL texts")
        << ""
        << snapshotWith({"'A' || char(10) || 'B'", "'" + QString(200, u'T') + "'", "''", "'T'",
                         "NULL", "'N'"},
                        {col("'T', 1, 'A' || char(9) || 'B', 'DATE', 7, NULL, NULL, 'NULL'"),
                         col("'T', 2, '" + QString(64, u'社') + "', 'DATE', 7, NULL, NULL, 'NULL'"),
                         col("'T', 3, 'C', 'CHAR' || char(13), 1, NULL, NULL, 'NULL'"),
                         col("'T', 4, 'D', 'NUMBER', 22, '2' || char(2), '1' || char(1), 'NULL'"),
                         col("'N', 1, NULL, 'VARCHAR2', 10, NULL, NULL, 'NULL'"),
                         col("'N', 2, 'E', NULL, 10, NULL, NULL, 'NULL'"),
                         col("'N', 3, 'F', 'VARCHAR2', NULL, NULL, NULL, 'NULL'"),
                         col("'N', 4, 'G', 'NUMBER', 22, 0, 10, NULL")})
        << 5.0;
    QTest::newRow("COL without COLTYPE")
        << ""
        << QStringList{"CREATE TABLE USER_TABLES (TABLE_NAME TEXT)",
                       "CREATE TABLE COL (TNAME TEXT, COLNO INTEGER, CNAME TEXT)",
                       "INSERT INTO USER_TABLES VALUES ('T')"}
        << 5.0;
    // More different texts than are kept to be shared, texts too long to be, numbers beyond
    // the small ones, more sizes than are made once and a kind of column for each column.
    QTest::newRow("many different texts")
        << ""
        << QStringList{"CREATE TABLE USER_TABLES (TABLE_NAME TEXT)",
                       "INSERT INTO USER_TABLES VALUES ('T'), ('U')",
                       "CREATE VIEW COL AS WITH RECURSIVE R(N) AS (SELECT 1 UNION ALL SELECT N + 1 "
                       "FROM R WHERE N < 20000) SELECT CASE WHEN N % 2 THEN 'T' ELSE 'U' END AS "
                       "TNAME, N AS COLNO, 'C' || N AS CNAME, CASE N % 3 WHEN 0 THEN 'NUMBER' "
                       "WHEN 1 THEN 'VARCHAR2' ELSE '" +
                           QString(70, u'型') +
                           "' || (N % 7) END AS COLTYPE, N - 10000 AS WIDTH, N % 5000 AS SCALE, "
                           "N AS PRECISION, CASE WHEN N % 2 THEN 'NULL' ELSE 'NOT NULL' END AS "
                           "NULLS FROM R"}
        << 5.0;
    QTest::newRow("plain schema")
        << ""
        << QStringList{"CREATE TABLE EMP (EMPNO NUMBER(4) NOT NULL, ENAME varchar2(10), "
                       "SAL NUMBER(7,2), NOTE, ID INTEGER, T TIMESTAMP WITH TIME ZONE, U "
                       "TIMESTAMP(3), "
                       "PRIMARY KEY (ID))",
                       "CREATE TABLE \"O'NEIL\" (ID NUMBER(6) NOT NULL, NAME VARCHAR2(30))",
                       "CREATE TABLE 部署 (部署コード CHAR(4), 備考 NCLOB)",
                       "CREATE VIRTUAL TABLE SEARCH USING rtree(ID, X0, X1)",
                       "CREATE TABLE COL (TNAME TEXT)"}
        << 5.0;
    QTest::newRow("columns without end")
        << "endless"
        << QStringList{snapshotSchema()[0], "INSERT INTO USER_TABLES VALUES ('T')",
                       "CREATE VIEW COL AS WITH RECURSIVE R(N) AS (SELECT 1 UNION ALL SELECT N + 1 "
                       "FROM R) SELECT 'T' AS TNAME, N AS COLNO, 'C' || N AS CNAME, 'DATE' AS "
                       "COLTYPE, 7 AS WIDTH, 0 AS SCALE, 0 AS PRECISION, 'NULL' AS NULLS FROM R "
                       "ORDER BY N DESC"}
        << 0.5;
    QTest::newRow("table list without a row")
        << ""
        << QStringList{snapshotSchema()[1],
                       "CREATE VIEW USER_TABLES AS WITH RECURSIVE R(N) AS (SELECT 1 UNION ALL "
                       "SELECT N + 1 FROM R) SELECT 'T' AS TABLE_NAME FROM R WHERE N < 0"}
        << 0.5;
    QTest::newRow("not a database") << "text" << QStringList{} << 5.0;
    for (const char* writer : {"closed", "open", "copied"})
        QTest::addRow("log file, writer %s", writer)
            << writer << QStringList{"PRAGMA journal_mode = WAL", "CREATE TABLE A (X NUMBER(3))"}
            << 5.0;
}

void TestSqliteReading::readersAgree() {
    QFETCH(QString, kind);
    QFETCH(QStringList, statements);
    QFETCH(double, seconds);
    QTemporaryDir dir, copy;
    QString path = dir.filePath("file.sqlite");
    QSqlDatabase writing = QSqlDatabase::addDatabase("QSQLITE", "writer");
    const auto closeWriter = qScopeGuard([&] {
        writing = QSqlDatabase();
        QSqlDatabase::removeDatabase("writer");
    });
    if (kind == "demo") {
        path = ensureDemoDatabase({dir.path(), dir.filePath("cache")});
    } else if (kind == "text") {
        writeFileBytes(path, QByteArray(4096, 'x'));
    } else {
        createSqliteFile(path, statements);
    }
    if (kind == "open" || kind == "copied") { // a writer adds a table it has not checkpointed
        writing.setDatabaseName(path);
        QVERIFY(writing.open());
        QVERIFY(QSqlQuery(writing).exec("CREATE TABLE B (Y VARCHAR2(5) NOT NULL)"));
    }
    if (kind == "copied") {
        for (const QString name : {"file.sqlite", "file.sqlite-wal"})
            QVERIFY(QFile::copy(dir.filePath(name), copy.filePath(name)));
        path = copy.filePath("file.sqlite");
    }
    const QStringList files = QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden);
    const SqliteBudget budget{seconds, 64 << 20};
    const QStringList qt = readingOf(path, SqliteReader::QtDriver, budget);
    const QStringList read = readingOf(path, SqliteReader::SqliteInterface, budget);
    QCOMPARE(read, qt);
    // Something was read; a file whose COL never ends is stopped while it is opened.
    QVERIFY2(kind == "endless" ? qt.first().startsWith("opening: ")
                               : qt.size() > 2 || kind == "text",
             qPrintable(qt.join(u'\n')));
    QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden), files);
}
