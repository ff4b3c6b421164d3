#include "tst_demo_database.h"

#include "db/demo_database.h"
#include "db/dictionary.h"
#include "db/service.h"
#include "db/session.h"
#include "db/sqlite_dictionary.h"
#include "sqlite_files.h"
#include "support/test_files.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

std::unique_ptr<Database> logOnToDemo(const SessionEnvironment& environment) {
    Session session(environment);
    return session.OpenDatabase("DEMO", "SCOTT/TIGER", 0);
}

} // namespace

void TestDemoDatabase::listsSampleTables() {
    QTemporaryDir dir;
    auto database = logOnToDemo({dir.path(), dir.filePath("cache")});
    QStringList names;
    QCOMPARE(readTableList(*database, [&](const QString& name) { names.append(name); }), 7);
    QCOMPARE(names, (QStringList{"DEPT", "EMP", "BONUS", "SALGRADE", "ORDER_LOG", "部署マスタ",
                                 "社員台帳"}));
}

void TestDemoDatabase::sampleColumns_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("types");
    QTest::addColumn<QStringList>("sizes");
    QTest::addColumn<QStringList>("nulls");
    QTest::addColumn<qint32>("maxNameLength");
    QTest::newRow("EMP") << "EMP" << QStringList{"EMPNO",    "ENAME", "JOB",  "MGR",
                                                 "HIREDATE", "SAL",   "COMM", "DEPTNO"}
                         << QStringList{"NUMBER", "VARCHAR2", "VARCHAR2", "NUMBER",
                                        "DATE",   "NUMBER",   "NUMBER",   "NUMBER"}
                         << QStringList{"4.0", "10", "9", "4.0", "7", "7.2", "7.2", "2.0"}
                         << QStringList{"NOT NULL", "NULL", "NULL", "NULL",
                                        "NULL",     "NULL", "NULL", "NULL"}
                         << 8;
    QTest::newRow("BONUS, plain NUMBER")
        << "BONUS" << QStringList{"ENAME", "JOB", "SAL", "COMM"}
        << QStringList{"VARCHAR2", "VARCHAR2", "NUMBER", "NUMBER"} << QStringList{"10", "9", "", ""}
        << QStringList{"NULL", "NULL", "NULL", "NULL"} << 8;
    QTest::newRow("ORDER_LOG, other types")
        << "ORDER_LOG"
        << QStringList{"LOG_ID", "AMOUNT", "LOGGED_AT", "DETAIL", "TOKEN", "CANCELED"}
        << QStringList{"NUMBER", "NUMBER", "TIMESTAMP(6)", "CLOB", "RAW", "CHAR"}
        << QStringList{"", "", "11", "4000", "16", "1"}
        << QStringList{"NOT NULL", "NULL", "NOT NULL", "NULL", "NULL", "NOT NULL"} << 9;
    QTest::newRow("double-byte names")
        << "社員台帳"
        << QStringList{"社員番号", "氏名", "フリガナ", "部署コード", "入社年月日", "基本給", "備考"}
        << QStringList{"NUMBER", "VARCHAR2", "VARCHAR2", "VARCHAR2", "DATE", "NUMBER", "VARCHAR2"}
        << QStringList{"6.0", "40", "80", "4", "7", "8.0", "200"}
        << QStringList{"NOT NULL", "NOT NULL", "NULL", "NULL", "NULL", "NULL", "NULL"} << 10;
}

void TestDemoDatabase::sampleColumns() {
    QFETCH(QString, table);
    QFETCH(QStringList, names);
    QFETCH(QStringList, types);
    QFETCH(QStringList, sizes);
    QFETCH(QStringList, nulls);
    QFETCH(qint32, maxNameLength);
    QTemporaryDir dir;
    auto database = logOnToDemo({dir.path(), {}});
    const TTableSettings settings = readTableColumns(*database, table);
    QCOMPARE(settings.ColumnNames, names);
    QCOMPARE(settings.ColumnTypes(), types);
    QCOMPARE(settings.ColumnSizes(), sizes);
    QCOMPARE(settings.ColumnNulls(), nulls);
    QCOMPARE(settings.MaxColumnNameLength, maxNameLength);
}

void TestDemoDatabase::writtenBesideExecutableElseInCache() {
    QTemporaryDir dir;
    const QString application = dir.filePath("bin");
    const QString cache = dir.filePath("cache/tamsel");
    QVERIFY(QDir().mkpath(application));
    QCOMPARE(ensureDemoDatabase({application, cache}),
             QDir(application).filePath(demoDatabaseFileName()));
    QVERIFY(!QFileInfo::exists(cache));

    // A folder that cannot be written (here: a file in the folder's place) falls back to
    // the cache folder, which is created.
    writeFileBytes(dir.filePath("plain"), "x");
    const QString blocked = dir.filePath("plain/bin");
    const QString path = ensureDemoDatabase({blocked, cache});
    QCOMPARE(path, QDir(cache).filePath(demoDatabaseFileName()));
    QVERIFY(isSqliteFile(path));

    // An installed program writes nothing beside itself, even where it could.
    const QString installed = dir.filePath("usr/bin");
    QVERIFY(QDir().mkpath(installed) && QDir().mkpath(dir.filePath("usr/share/tamsel")));
    QCOMPARE(ensureDemoDatabase({installed, cache}), path);
    QVERIFY(!QFileInfo::exists(QDir(installed).filePath(demoDatabaseFileName())));
}

void TestDemoDatabase::staleFileRebuiltCurrentFileReused() {
    QTemporaryDir dir;
    const QString path = dir.filePath(demoDatabaseFileName());
    createSqliteFile(path, {"CREATE TABLE OLD_DEMO (A INTEGER)", "PRAGMA user_version = 7"});
    auto database = logOnToDemo({dir.path(), {}});
    QStringList names;
    readTableList(*database, [&](const QString& name) { names.append(name); });
    QVERIFY2(!names.contains("OLD_DEMO") && names.contains("EMP"), qPrintable(names.join(',')));
    database->Close();

    const QByteArray current = readFileBytes(path);
    writeFileBytes(dir.filePath("marker"), "");
    const QDateTime written = QFileInfo(path).lastModified();
    QTest::qWait(20);
    QCOMPARE(ensureDemoDatabase({dir.path(), {}}), path);
    QCOMPARE(QFileInfo(path).lastModified(), written);
    QCOMPARE(readFileBytes(path), current);
}

void TestDemoDatabase::noWritablePlaceFails() {
    QTemporaryDir dir;
    writeFileBytes(dir.filePath("plain"), "x");
    try {
        ensureDemoDatabase({dir.filePath("plain/bin"), dir.filePath("plain/cache")});
        QFAIL("a demo database was written somewhere");
    } catch (const DbError& error) {
        QVERIFY2(error.message().contains(dir.filePath("plain/cache")),
                 qPrintable(error.message()));
    }
    QVERIFY_THROWS_EXCEPTION(DbError, ensureDemoDatabase({}));
}

void TestDemoDatabase::splitSqlStatements_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("statements");
    QTest::newRow("two statements")
        << "CREATE TABLE A (X INT);\nINSERT INTO A VALUES (1);\n"
        << QStringList{"CREATE TABLE A (X INT)", "INSERT INTO A VALUES (1)"};
    QTest::newRow("semicolon in a text")
        << "INSERT INTO A VALUES ('a;b', 'it''s; fine');"
        << QStringList{"INSERT INTO A VALUES ('a;b', 'it''s; fine')"};
    QTest::newRow("semicolon in a quoted name")
        << "CREATE TABLE \"a;b\" (X INT);" << QStringList{"CREATE TABLE \"a;b\" (X INT)"};
    QTest::newRow("comments") << "-- first; not a statement\nSELECT 1; -- trailing; comment\n-- end"
                              << QStringList{"SELECT 1"};
    QTest::newRow("last statement without semicolon")
        << "SELECT 1;\nSELECT 2" << QStringList{"SELECT 1", "SELECT 2"};
}

void TestDemoDatabase::splitSqlStatements() {
    QFETCH(QString, script);
    QFETCH(QStringList, statements);
    QCOMPARE(::splitSqlStatements(script), statements);
}
