#include "tst_odbc.h"

#include "db/dictionary.h"
#include "db/dictionary_snapshot.h"
#include "db/odbc.h"
#include "db/service.h"
#include "db/session.h"
#include "sqlite_files.h"
#include "support/test_files.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTest>

namespace {

SessionEnvironment noFiles() {
    return {}; // no executable folder: every service text goes to ODBC
}

} // namespace

QString TestOdbc::credentials(const QString& password) const {
    return state_.value("PG_USER") + u'/' + password;
}

void TestOdbc::initTestCase() {
    const QString stateFile = qEnvironmentVariable("TAMSEL_PG_STATE");
    if (stateFile.isEmpty())
        QSKIP("no PostgreSQL server: run through ctest, whose fixture starts one");
    const QByteArray text = readFileBytes(stateFile);
    QVERIFY2(!text.isEmpty(), qPrintable("the server fixture left no state in " + stateFile));
    for (const QByteArray& line : text.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            state_.insert(QString::fromUtf8(line.left(equals)),
                          QString::fromUtf8(line.mid(equals + 1)));
    }
    for (const char* key : {"PG_USER", "PG_PASSWORD", "PG_QUOTE_USER", "PG_QUOTE_PASSWORD",
                            "PG_DSN", "PG_PORT", "PG_DATABASE", "PG_STOP", "ODBCSYSINI", "ODBCINI"})
        QVERIFY2(state_.contains(key), key);
    // The driver manager reads these at each connection: the fixture's data source and
    // driver, nothing from the system's configuration.
    qputenv("ODBCSYSINI", state_.value("ODBCSYSINI").toLocal8Bit());
    qputenv("ODBCINI", state_.value("ODBCINI").toLocal8Bit());
}

void TestOdbc::logOnWithTheRightPassword() {
    const QStringList before = QSqlDatabase::connectionNames();
    Session session(noFiles());
    auto database =
        session.OpenDatabase(state_.value("PG_DSN"), credentials(state_.value("PG_PASSWORD")), 0);
    QVERIFY(database->IsOpen());
    auto rows = database->dbCreateDynaset("SELECT current_user AS WHO", 4);
    QCOMPARE(rows->Fields("WHO").Value(), state_.value("PG_USER"));
    database->Close();
    database->Close();
    QCOMPARE(QSqlDatabase::connectionNames(), before);
}

void TestOdbc::wrongPasswordFails() {
    const QStringList before = QSqlDatabase::connectionNames();
    Session session(noFiles());
    const QString password = state_.value("PG_PASSWORD");
    for (const QString& wrong : {password + "x", password.toUpper(), QString()}) {
        try {
            session.OpenDatabase(state_.value("PG_DSN"), credentials(wrong), 0);
            QFAIL(qPrintable("logged on with the password " + wrong));
        } catch (const DbError& error) {
            QVERIFY2(error.message().contains("password"), qPrintable(error.message()));
        }
    }
    QCOMPARE(QSqlDatabase::connectionNames(), before);
}

void TestOdbc::passwordWithAttributeDelimiters() {
    // ";" would end the PWD attribute of the connection string and "{" open a quoted one.
    Session session(noFiles());
    const QString user = state_.value("PG_QUOTE_USER");
    const QString password = state_.value("PG_QUOTE_PASSWORD");
    QVERIFY(password.contains(u';') && password.contains(u'}'));
    auto database = session.OpenDatabase(state_.value("PG_DSN"), user + u'/' + password, 0);
    QCOMPARE(database->dbCreateDynaset("SELECT current_user AS WHO", 4)->Fields("WHO").Value(),
             user);
    QVERIFY_THROWS_EXCEPTION(
        DbError, session.OpenDatabase(state_.value("PG_DSN"), user + u'/' + password.left(3), 0));
}

void TestOdbc::dataSourceTypedInUpperCase() {
    const QString dsn = state_.value("PG_DSN");
    QVERIFY2(odbcDataSourceNames().contains(dsn), qPrintable(odbcDataSourceNames().join(',')));
    const ServiceTarget target = resolveService(dsn.toUpper(), noFiles());
    QCOMPARE(target.kind, ServiceKind::OdbcDataSource);
    QCOMPARE(target.location, "DSN=" + dsn);
    Session session(noFiles());
    auto database =
        session.OpenDatabase(dsn.toUpper(), credentials(state_.value("PG_PASSWORD")), 0);
    QVERIFY(database->IsOpen());
}

void TestOdbc::connectionStringAsItStands() {
    // As the logon window sends it: upper-cased as typed.
    const QString connection =
        QStringLiteral("DRIVER={POSTGRESQL UNICODE};SERVER=127.0.0.1;PORT=%1;"
                       "DATABASE=%2")
            .arg(state_.value("PG_PORT"), state_.value("PG_DATABASE"));
    Session session(noFiles());
    auto database = session.OpenDatabase(connection, credentials(state_.value("PG_PASSWORD")), 0);
    QCOMPARE(database->dbCreateDynaset("SELECT 10 AS N", 4)->Fields("N").Value(),
             QStringLiteral("10"));
}

void TestOdbc::tableListAsTheViewGivesIt() {
    Session session(noFiles());
    auto database =
        session.OpenDatabase(state_.value("PG_DSN"), credentials(state_.value("PG_PASSWORD")), 0);
    QStringList names;
    const qint32 count = readTableList(*database, [&](const QString& name) { names.append(name); });
    QCOMPARE(names, (QStringList{"DEPT", "EMP", "MEASURES", "O'NEIL", "部署", "NOTES"}));
    QCOMPARE(count, 6);
}

void TestOdbc::columns_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("types");
    QTest::addColumn<QStringList>("sizes");
    QTest::addColumn<QStringList>("nulls");
    QTest::addColumn<qint32>("maxNameLength");
    QTest::newRow("EMP") << "EMP" << QStringList{"EMPNO", "ENAME", "HIREDATE", "SAL", "DEPTNO"}
                         << QStringList{"NUMBER", "VARCHAR2", "DATE", "NUMBER", "NUMBER"}
                         << QStringList{"4.0", "10", "7", "7.2", "2.0"}
                         << QStringList{"NOT NULL", "NULL", "NULL", "NULL", "NULL"} << 8;
    // A NULL precision must stay unknown: read as a number it would come back as 0.
    QTest::newRow("numbers without precision")
        << "MEASURES" << QStringList{"ID", "AMOUNT", "CODE"}
        << QStringList{"NUMBER", "NUMBER", "CHAR"} << QStringList{"", "", "3"}
        << QStringList{"NOT NULL", "NULL", "NULL"} << 8;
    QTest::newRow("quote in the name") << "O'NEIL" << QStringList{"ID"} << QStringList{"NUMBER"}
                                       << QStringList{"6.0"} << QStringList{"NOT NULL"} << 8;
    QTest::newRow("double-byte names")
        << "部署" << QStringList{"部署コード", "部署名"} << QStringList{"VARCHAR2", "VARCHAR2"}
        << QStringList{"4", "40"} << QStringList{"NOT NULL", "NULL"} << 10;
}

void TestOdbc::columns() {
    QFETCH(QString, table);
    QFETCH(QStringList, names);
    QFETCH(QStringList, types);
    QFETCH(QStringList, sizes);
    QFETCH(QStringList, nulls);
    QFETCH(qint32, maxNameLength);
    Session session(noFiles());
    auto database =
        session.OpenDatabase(state_.value("PG_DSN"), credentials(state_.value("PG_PASSWORD")), 0);
    const TTableSettings settings = readTableColumns(*database, table);
    QCOMPARE(settings.TableName, table);
    QCOMPARE(settings.ColumnNames, names);
    QCOMPARE(settings.ColumnTypes(), types);
    QCOMPARE(settings.ColumnSizes(), sizes);
    QCOMPARE(settings.ColumnNulls(), nulls);
    QCOMPARE(settings.MaxColumnNameLength, maxNameLength);
}

void TestOdbc::nullFieldFailsTheRetrieval() {
    Session session(noFiles());
    auto database =
        session.OpenDatabase(state_.value("PG_DSN"), credentials(state_.value("PG_PASSWORD")), 0);
    try {
        readTableColumns(*database, "NOTES");
        QFAIL("the NULL width of a text column was read");
    } catch (const DbError& error) {
        QVERIFY2(error.message().contains("WIDTH", Qt::CaseInsensitive),
                 qPrintable(error.message()));
    }
    // The session stays usable after the failed retrieval.
    QCOMPARE(readTableColumns(*database, "DEPT").ColumnCount, 3);
}

void TestOdbc::snapshotReadAlikeByBothReaders() {
    // Everything the server's dictionary holds (NULL precisions, decimals, quotes, Japanese
    // names, a NULL where retrieval refuses one) reaches both SQLite readers alike.
    Session session(noFiles());
    auto database =
        session.OpenDatabase(state_.value("PG_DSN"), credentials(state_.value("PG_PASSWORD")), 0);
    QStringList names;
    readTableList(*database, [&](const QString& name) { names.append(name); });
    QList<qsizetype> all;
    for (qsizetype i = 0; i < names.size(); ++i)
        all.append(i);
    QTemporaryDir dir;
    const QString path = dir.filePath("server.sqlite");
    writeDictionarySnapshot(*database, names, all, path);
    const QStringList qt = readingOf(path, SqliteReader::QtDriver);
    QCOMPARE(readingOf(path, SqliteReader::SqliteInterface), qt);
    QVERIFY2(qt.size() > names.size() * 2, qPrintable(qt.join(u'\n')));
}

void TestOdbc::serverStoppedDuringRetrieval() {
    const QStringList before = QSqlDatabase::connectionNames();
    Session session(noFiles());
    auto database =
        session.OpenDatabase(state_.value("PG_DSN"), credentials(state_.value("PG_PASSWORD")), 0);
    QStringList names;
    readTableList(*database, [&](const QString& name) { names.append(name); });
    QCOMPARE(readTableColumns(*database, names.at(0)).ColumnCount, 3);

    QProcess stop;
    stop.start(state_.value("PG_STOP"), {});
    QVERIFY(stop.waitForFinished(90000));
    QVERIFY2(stop.exitCode() == 0, stop.readAllStandardError().constData());

    for (qsizetype i = 1; i < names.size(); ++i)
        QVERIFY_THROWS_EXCEPTION(DbError, readTableColumns(*database, names.at(i)));
    database->Close(); // closing a connection whose server is gone does not fail either
    QCOMPARE(QSqlDatabase::connectionNames(), before);
    QVERIFY_THROWS_EXCEPTION(
        DbError,
        session.OpenDatabase(state_.value("PG_DSN"), credentials(state_.value("PG_PASSWORD")), 0));
}
