#include "tst_dictionary.h"

#include "db/database_backend.h"
#include "db/dictionary.h"
#include "db/sqlite_dictionary.h"
#include "sqlite_files.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// A snapshot file holding exactly the dictionary rows a test needs.
std::unique_ptr<Database> snapshot(const QTemporaryDir& dir, const QStringList& rows) {
    const QString path = dir.filePath("snapshot.sqlite");
    createSqliteFile(path, snapshotSchema() + rows);
    return std::make_unique<Database>(openSqliteDatabase(path));
}

} // namespace

void TestDictionary::queryTexts_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("query");
    QTest::newRow("EMP")
        << "EMP"
        << "SELECT CNAME,COLTYPE,WIDTH,PRECISION,SCALE,NULLS FROM COL WHERE TNAME = "
           "'EMP' ORDER BY COLNO";
    QTest::newRow("quote doubled") << "O'NEIL"
                                   << "SELECT CNAME,COLTYPE,WIDTH,PRECISION,SCALE,NULLS FROM COL "
                                      "WHERE TNAME = 'O''NEIL' ORDER BY COLNO";
    QTest::newRow("two quotes") << "''"
                                << "SELECT CNAME,COLTYPE,WIDTH,PRECISION,SCALE,NULLS FROM "
                                   "COL WHERE TNAME = '''''' ORDER BY COLNO";
}

void TestDictionary::queryTexts() {
    QFETCH(QString, table);
    QFETCH(QString, query);
    QCOMPARE(columnQuery(table), query);
    QCOMPARE(tableListQuery(), QStringLiteral("SELECT TABLE_NAME FROM USER_TABLES"));
}

void TestDictionary::sizeText_data() {
    QTest::addColumn<QString>("values"); // COLTYPE, WIDTH, SCALE, PRECISION as SQL literals
    QTest::addColumn<QString>("size");
    QTest::newRow("NUMBER(8,2)") << "'NUMBER', 22, 2, 8"
                                 << "8.2";
    QTest::newRow("NUMBER(10,0)") << "'NUMBER', 22, 0, 10"
                                  << "10.0";
    QTest::newRow("VARCHAR2 width") << "'VARCHAR2', 20, NULL, NULL"
                                    << "20";
    QTest::newRow("DATE width") << "'DATE', 7, NULL, NULL"
                                << "7";
    QTest::newRow("FLOAT width, not precision") << "'FLOAT', 22, NULL, 126"
                                                << "22";
    QTest::newRow("type compared exactly") << "'number', 22, 2, 8"
                                           << "22";
    QTest::newRow("NUMBER, precision NULL") << "'NUMBER', 22, 0, NULL"
                                            << "";
    QTest::newRow("NUMBER, both NULL") << "'NUMBER', 22, NULL, NULL"
                                       << "";
    QTest::newRow("NUMBER, scale NULL") << "'NUMBER', 22, NULL, 5"
                                        << "";
    QTest::newRow("NUMBER, width NULL not read") << "'NUMBER', NULL, 2, 8"
                                                 << "8.2";
    QTest::newRow("real-valued width") << "'VARCHAR2', 20.0, NULL, NULL"
                                       << "20";
}

void TestDictionary::sizeText() {
    QFETCH(QString, values);
    QFETCH(QString, size);
    QTemporaryDir dir;
    auto database = snapshot(dir, {"INSERT INTO COL VALUES ('T', 1, 'C', " + values + ", 'NULL')"});
    const TTableSettings table = readTableColumns(*database, "T");
    QCOMPARE(table.ColumnSizes(), QStringList{size});
    QCOMPARE(table.ColumnCount, 1);
    QVERIFY(table.ArgumentTables.isEmpty());
}

void TestDictionary::nullFieldFailsTheTable_data() {
    QTest::addColumn<QString>("values"); // CNAME, COLTYPE, WIDTH, SCALE, PRECISION, NULLS
    QTest::addColumn<QString>("field");
    QTest::newRow("CNAME") << "NULL, 'VARCHAR2', 10, NULL, NULL, 'NULL'"
                           << "CNAME";
    QTest::newRow("COLTYPE") << "'C', NULL, 10, NULL, NULL, 'NULL'"
                             << "COLTYPE";
    QTest::newRow("WIDTH of a VARCHAR2") << "'C', 'VARCHAR2', NULL, NULL, NULL, 'NULL'"
                                         << "WIDTH";
    QTest::newRow("NULLS") << "'C', 'NUMBER', 22, 0, 10, NULL"
                           << "NULLS";
}

void TestDictionary::nullFieldFailsTheTable() {
    QFETCH(QString, values);
    QFETCH(QString, field);
    QTemporaryDir dir;
    auto database =
        snapshot(dir, {"INSERT INTO COL VALUES ('T', 1, 'OK', 'DATE', 7, NULL, NULL, 'NULL')",
                       "INSERT INTO COL VALUES ('T', 2, " + values + ")"});
    try {
        readTableColumns(*database, "T");
        QFAIL("a NULL was read as text");
    } catch (const DbError& error) {
        QVERIFY2(error.message().contains(field), qPrintable(error.message()));
    }
}

void TestDictionary::columnsInColumnNumberOrder() {
    QTemporaryDir dir;
    auto database = snapshot(
        dir, {"INSERT INTO COL VALUES ('T', 3, 'THIRD', 'DATE', 7, NULL, NULL, 'NULL')",
              "INSERT INTO COL VALUES ('T', 1, '社員番号名', 'CHAR', 1, NULL, NULL, 'NOT NULL')",
              "INSERT INTO COL VALUES ('U', 1, 'OTHER_TABLE', 'DATE', 7, NULL, NULL, 'NULL')",
              // an emoji is not in code page 932: kept as it is, counted one byte
              "INSERT INTO COL VALUES ('T', 2, 'A😀B', 'CHAR', 1, NULL, NULL, 'NULL')"});
    const TTableSettings table = readTableColumns(*database, "T");
    QCOMPARE(table.TableName, QStringLiteral("T"));
    QCOMPARE(table.ColumnNames, (QStringList{"社員番号名", "A😀B", "THIRD"}));
    QCOMPARE(table.ColumnNulls(), (QStringList{"NOT NULL", "NULL", "NULL"}));
    QCOMPARE(table.MaxColumnNameLength, 10);
}

void TestDictionary::tableNameWithQuoteIsRead() {
    QTemporaryDir dir;
    const QString path = dir.filePath("quote.sqlite");
    createSqliteFile(path, {"CREATE TABLE \"O'NEIL\" (ID NUMBER(6) NOT NULL, NAME VARCHAR2(30))"});
    Database database(openSqliteDatabase(path));
    QStringList names;
    readTableList(database, [&](const QString& name) { names.append(name); });
    QCOMPARE(names, QStringList{"O'NEIL"});
    const TTableSettings table = readTableColumns(database, names.first());
    QCOMPARE(table.ColumnNames, (QStringList{"ID", "NAME"}));
    QCOMPARE(table.ColumnSizes(), (QStringList{"6.0", "30"}));
}

void TestDictionary::tableListKeepsNamesBeforeAnError() {
    QTemporaryDir dir;
    auto database = snapshot(
        dir, {"INSERT INTO USER_TABLES VALUES ('A')", "INSERT INTO USER_TABLES VALUES ('B')",
              "INSERT INTO USER_TABLES VALUES (NULL)", "INSERT INTO USER_TABLES VALUES ('D')"});
    QStringList names;
    QVERIFY_THROWS_EXCEPTION(
        DbError, readTableList(*database, [&](const QString& name) { names.append(name); }));
    QCOMPARE(names, (QStringList{"A", "B"}));
}

void TestDictionary::emptyTableList() {
    QTemporaryDir dir;
    auto database = snapshot(dir, {});
    int calls = 0;
    QCOMPARE(readTableList(*database, [&](const QString&) { ++calls; }), 0);
    QCOMPARE(calls, 0);
    const TTableSettings none = readTableColumns(*database, "NOWHERE");
    QCOMPARE(none.ColumnCount, 0);
    QCOMPARE(none.MaxColumnNameLength, 8);
}

void TestDictionary::queryErrorFails() {
    QTemporaryDir dir;
    const QString path = dir.filePath("broken.sqlite");
    // A snapshot whose COL lacks a column of the query.
    createSqliteFile(path, {"CREATE TABLE USER_TABLES (TABLE_NAME TEXT)",
                            "CREATE TABLE COL (TNAME TEXT, COLNO INTEGER, CNAME TEXT)"});
    Database database(openSqliteDatabase(path));
    try {
        readTableColumns(database, "T");
        QFAIL("the query ran");
    } catch (const DbError& error) {
        QVERIFY2(error.message().contains("COLTYPE") && !error.message().contains("no such"),
                 qPrintable(error.message()));
    }
}

// A name or text that would break a line of the generated code, or inflate it, fails its
// table's reading.
void TestDictionary::unsafeNamesAreRefused_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("named"); // by the message; nothing: the table is read
    const QString text = QStringLiteral("VARCHAR2");
    QTest::newRow("line break in a table name") << "A\nB"
                                                << "ID" << text << QStringList{"A", "B", "U+000A"};
    QTest::newRow("200-byte table name")
        << QString(200, u'T') << "ID" << text << QStringList{"TTTTTTTT", "200"};
    QTest::newRow("tab in a column name") << "T"
                                          << "A\tB" << text << QStringList{"T", "U+0009"};
    QTest::newRow("DEL in a column name") << "T"
                                          << "A\x7f" << text << QStringList{"U+007F"};
    QTest::newRow("129-byte column name")
        << "T" << QString(129, u'C') << text << QStringList{"129"};
    QTest::newRow("line break in a type") << "T"
                                          << "ID" << text + "\r\n"
                                          << QStringList{"COLTYPE", "U+000D"};
    QTest::newRow("empty table name") << ""
                                      << "ID" << text << QStringList{"空"};
    QTest::newRow("128 Shift-JIS bytes") << "T" << QString(64, u'社') << text << QStringList{};
}

void TestDictionary::unsafeNamesAreRefused() {
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QString, type);
    QFETCH(QStringList, named);
    QTemporaryDir dir;
    auto database = snapshot(dir, {"INSERT INTO USER_TABLES VALUES ('" + table + "')",
                                   "INSERT INTO COL VALUES ('" + table + "', 1, '" + column +
                                       "', '" + type + "', 10, NULL, NULL, 'NULL')"});
    try {
        QCOMPARE(readTableColumns(*database, table).ColumnNames, QStringList{column});
        QVERIFY2(named.isEmpty(), "an unsafe text was read");
    } catch (const DbError& error) {
        QVERIFY2(!named.isEmpty() && error.message().size() < 200, qPrintable(error.message()));
        for (const QString& fragment : named)
            QVERIFY2(error.message().contains(fragment), qPrintable(error.message()));
    }
}

// The one retrieval loop of the window and tamsel-gen: an abort is asked at every list
// position, selected or not, and ends the loop before the next table is read.
void TestDictionary::retrievalLoop_data() {
    QTest::addColumn<int>("abortAtPoll"); // 0: never
    QTest::addColumn<QStringList>("read");
    QTest::addColumn<int>("polls");
    QTest::addColumn<bool>("aborted");
    QTest::newRow("complete") << 0 << QStringList{"B", "D", "E"} << 6 << false;
    QTest::newRow("abort before the first table") << 1 << QStringList{} << 1 << true;
    QTest::newRow("abort after B, at an unselected position") << 3 << QStringList{"B"} << 3 << true;
    QTest::newRow("abort after the last table read")
        << 6 << QStringList{"B", "D", "E"} << 6 << true;
}

void TestDictionary::retrievalLoop() {
    QFETCH(int, abortAtPoll);
    QFETCH(QStringList, read);
    QFETCH(int, polls);
    QFETCH(bool, aborted);
    QTemporaryDir dir;
    QStringList rows;
    for (const char* name : {"A", "B", "C", "D", "E", "F"})
        rows << QStringLiteral("INSERT INTO COL VALUES ('%1', 1, 'ID', 'DATE', 7, NULL, NULL, "
                               "'NULL')")
                    .arg(QLatin1String(name));
    auto database = snapshot(dir, rows);

    GenerationModel model;
    model.MaxTableNameLength = 99; // counted again from nothing
    int polled = 0;
    QStringList told;
    const RetrievalProgress progress{[&] { return ++polled == abortAtPoll; },
                                     [&](qsizetype index, const QString& name) {
                                         QCOMPARE(index, told.size());
                                         told.append(name);
                                     }};
    const RetrievalEnd end =
        retrieveColumns(*database, {"A", "B", "C", "D", "E", "F"}, {1, 3, 4}, model, progress);
    QCOMPARE(end == RetrievalEnd::Aborted, aborted);
    QCOMPARE(polled, polls);
    QCOMPARE(told, read);
    QStringList names;
    for (const TTableSettings& table : model.CandidateList)
        names.append(table.TableName);
    QCOMPARE(names, read);
    QCOMPARE(model.MaxTableNameLength, read.isEmpty() ? 0 : 1);
}
