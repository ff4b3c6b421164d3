#include "tst_session.h"

#include "db/database_backend.h"
#include "db/service.h"
#include "db/session.h"
#include "sqlite_files.h"
#include "support/test_files.h"

#include <QDir>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTest>

namespace {

SessionEnvironment environmentIn(const QTemporaryDir& dir) {
    return {dir.path(), dir.filePath(QStringLiteral("cache"))};
}

QString makeSampleFile(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("sample.sqlite"));
    createSqliteFile(
        path, {QStringLiteral("CREATE TABLE EMP (EMPNO NUMBER(4) NOT NULL, ENAME VARCHAR2(10))"),
               QStringLiteral("INSERT INTO EMP VALUES (7369, 'SMITH')")});
    return path;
}

} // namespace

void TestSession::fieldValueText_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("int") << QVariant(10) << "10";
    QTest::newRow("negative long long") << QVariant(qlonglong(-1234567890123)) << "-1234567890123";
    QTest::newRow("double with fraction") << QVariant(1600.5) << "1600.5";
    QTest::newRow("whole double") << QVariant(10.0) << "10";
    QTest::newRow("large double in plain digits") << QVariant(1e20) << "100000000000000000000";
    QTest::newRow("small double in plain digits") << QVariant(0.0001) << "0.0001";
    QTest::newRow("shortest digits") << QVariant(0.1) << "0.1";
    QTest::newRow("negative zero") << QVariant(-0.0) << "0";
    QTest::newRow("string unchanged") << QVariant(QStringLiteral(" VARCHAR2 ")) << " VARCHAR2 ";
    QTest::newRow("double-byte string") << QVariant(QStringLiteral("社員番号")) << "社員番号";
    QTest::newRow("empty string is not NULL") << QVariant(QString()) << "";
}

void TestSession::fieldValueText() {
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    QCOMPARE(Field(value).Value(), text);
}

void TestSession::nullFieldHasNoText_data() {
    QTest::addColumn<QVariant>("value");
    QTest::newRow("empty variant") << QVariant();
    // What a driver hands over for a NULL number: converting it would give "0".
    QTest::newRow("typed null int") << QVariant(QMetaType::fromType<int>());
    QTest::newRow("typed null string") << QVariant(QMetaType::fromType<QString>());
}

void TestSession::nullFieldHasNoText() {
    QFETCH(QVariant, value);
    const Field field(value, QStringLiteral("PRECISION"));
    QVERIFY(field.IsNull());
    try {
        field.Value();
        QFAIL("a NULL value gave a text");
    } catch (const DbError& error) {
        QVERIFY2(error.message().contains(QStringLiteral("PRECISION")),
                 qPrintable(error.message()));
    }
}

void TestSession::plainDecimalText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("plain");
    QTest::newRow("trailing zeros") << "10.000"
                                    << "10";
    QTest::newRow("fraction kept") << "1600.50"
                                   << "1600.5";
    QTest::newRow("leading point") << ".5"
                                   << "0.5";
    QTest::newRow("negative fraction") << "-12.30"
                                       << "-12.3";
    QTest::newRow("negative zero") << "-0.0"
                                   << "0";
    QTest::newRow("leading zeros") << "007"
                                   << "7";
    QTest::newRow("plus sign") << "+3"
                               << "3";
    QTest::newRow("more digits than a double") << "12345678901234567890.125"
                                               << "12345678901234567890.125";
    QTest::newRow("exponent left alone") << "1E5"
                                         << "1E5";
    QTest::newRow("not a number") << "abc"
                                  << "abc";
    QTest::newRow("lone point") << "."
                                << ".";
}

void TestSession::plainDecimalText() {
    QFETCH(QString, text);
    QFETCH(QString, plain);
    QCOMPARE(::plainDecimalText(text), plain);
}

void TestSession::dynasetReadsRowsByName() {
    Dynaset dynaset({"TABLE_NAME", "cname"},
                    {{QVariant("EMP"), QVariant("EMPNO")}, {QVariant("DEPT"), QVariant()}});
    QCOMPARE(dynaset.RecordCount(), 2);
    QCOMPARE(dynaset.Fields("TABLE_NAME").Value(), QStringLiteral("EMP"));
    QCOMPARE(dynaset.Fields("table_name").Value(), QStringLiteral("EMP"));
    QCOMPARE(dynaset.Fields("CNAME").Value(),
             QStringLiteral("EMPNO")); // drivers may lower-case names
    dynaset.MoveNext();
    QCOMPARE(dynaset.Fields("TABLE_NAME").Value(), QStringLiteral("DEPT"));
    QVERIFY(dynaset.Fields("CNAME").IsNull());
    QVERIFY_THROWS_EXCEPTION(DbError, dynaset.Fields("NO_SUCH_FIELD"));
}

void TestSession::dynasetPastItsRowsFails() {
    Dynaset empty({"TABLE_NAME"}, {});
    QCOMPARE(empty.RecordCount(), 0);
    QVERIFY_THROWS_EXCEPTION(DbError, empty.Fields("TABLE_NAME"));
    Dynaset one({"TABLE_NAME"}, {{QVariant("EMP")}});
    one.MoveNext();
    one.MoveNext();
    QVERIFY_THROWS_EXCEPTION(DbError, one.Fields("TABLE_NAME"));
}

void TestSession::splitConnectString_data() {
    QTest::addColumn<QString>("connect");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::newRow("user and password") << "SCOTT/tiger"
                                       << "SCOTT"
                                       << "tiger";
    QTest::newRow("slash in the password") << "SCOTT/ti/ger"
                                           << "SCOTT"
                                           << "ti/ger";
    QTest::newRow("empty password") << "SCOTT/"
                                    << "SCOTT"
                                    << "";
    QTest::newRow("no slash") << "SCOTT"
                              << "SCOTT"
                              << "";
    QTest::newRow("empty user") << "/tiger"
                                << ""
                                << "tiger";
}

void TestSession::splitConnectString() {
    QFETCH(QString, connect);
    QFETCH(QString, user);
    QFETCH(QString, password);
    const LogonCredentials credentials = ::splitConnectString(connect);
    QCOMPARE(credentials.user, user);
    QCOMPARE(credentials.password, password);
}

void TestSession::closeRemovesConnectionAndNeverFails() {
    QTemporaryDir dir;
    const QString path = makeSampleFile(dir);
    const QStringList before = QSqlDatabase::connectionNames();
    Session session(environmentIn(dir));
    std::unique_ptr<Database> database = session.OpenDatabase(path, "SCOTT/tiger", 0);
    QVERIFY(database->IsOpen());

    // A second logon while the first is open gets its own connection: closing it leaves the
    // first one reading.
    std::unique_ptr<Database> second = session.OpenDatabase(path, "SCOTT/tiger", 0);
    second->Close();
    QVERIFY(!second->IsOpen());
    QCOMPARE(database->dbCreateDynaset("SELECT ENAME FROM EMP", 4)->Fields("ENAME").Value(),
             QStringLiteral("SMITH"));

    database->Close();
    QCOMPARE(QSqlDatabase::connectionNames(), before);
    QVERIFY(!database->IsOpen());
    database->Close(); // the logon window closes once more at the end of the program
    QVERIFY_THROWS_EXCEPTION(DbError, database->dbCreateDynaset("SELECT 1", 4));
}

void TestSession::destroyingOpenDatabaseRemovesConnection() {
    QTemporaryDir dir;
    const QString path = makeSampleFile(dir);
    const QStringList before = QSqlDatabase::connectionNames();
    {
        Session session(environmentIn(dir));
        auto database = session.OpenDatabase(path, "SCOTT/tiger", 0);
        auto dynaset = database->dbCreateDynaset("SELECT ENAME FROM EMP", 4);
        QCOMPARE(dynaset->Fields("ENAME").Value(), QStringLiteral("SMITH"));
    }
    QCOMPARE(QSqlDatabase::connectionNames(), before);
}

void TestSession::queryErrorNamesTheTable() {
    QTemporaryDir dir;
    Session session(environmentIn(dir));
    auto database = session.OpenDatabase(makeSampleFile(dir), "SCOTT/tiger", 0);
    try {
        database->dbCreateDynaset("SELECT X FROM NO_SUCH_TABLE", 4);
        QFAIL("the query ran");
    } catch (const DbError& error) {
        // What is missing, named in the user's words rather than SQLite's English.
        QVERIFY2(error.message().contains(QStringLiteral("NO_SUCH_TABLE")) &&
                     !error.message().contains(QStringLiteral("no such table")),
                 qPrintable(error.message()));
    }
    // The failed query leaves the database usable.
    QCOMPARE(database->dbCreateDynaset("SELECT EMPNO FROM EMP", 4)->Fields("EMPNO").Value(),
             QStringLiteral("7369"));
}

void TestSession::sqliteFileIsLeftUnchanged() {
    QTemporaryDir dir;
    const QString path = makeSampleFile(dir);
    const QByteArray bytes = readFileBytes(path);
    const QStringList entries = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    {
        Session session(environmentIn(dir));
        auto database = session.OpenDatabase(path, "ANYONE/", 0);
        QVERIFY_THROWS_EXCEPTION(DbError, database->dbCreateDynaset("DELETE FROM EMP", 4));
        database->dbCreateDynaset("SELECT TABLE_NAME FROM USER_TABLES", 4);
        database->Close();
    }
    QCOMPARE(readFileBytes(path), bytes);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), entries);
}

void TestSession::unknownServiceFails() {
    QTemporaryDir dir;
    Session session(environmentIn(dir));
    const QStringList before = QSqlDatabase::connectionNames();
    try {
        session.OpenDatabase("NO_SUCH_SERVICE_TAMSEL", "SCOTT/tiger", 0);
        QFAIL("logged on to nothing");
    } catch (const DbError& error) {
        QVERIFY2(error.message().contains(QStringLiteral("NO_SUCH_SERVICE_TAMSEL")),
                 qPrintable(error.message()));
    }
    QCOMPARE(QSqlDatabase::connectionNames(), before);
}
