#include "tst_service.h"

#include "db/db_error.h"
#include "db/odbc.h"
#include "db/service.h"
#include "db/sqlite_dictionary.h"
#include "sqlite_files.h"
#include "support/test_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString makeSqlite(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    createSqliteFile(path, {QStringLiteral("CREATE TABLE T (A INTEGER)")});
    return path;
}

// Restores the working folder on every way out of a test.
class WorkingFolder {
public:
    explicit WorkingFolder(const QString& path) : saved_(QDir::currentPath()) {
        QDir::setCurrent(path);
    }
    ~WorkingFolder() { QDir::setCurrent(saved_); }

private:
    QString saved_;
};

} // namespace

void TestService::findsFileIgnoringCase_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("as named") << "Data/Sales.sqlite";
    QTest::newRow("upper case, as the logon window sends it") << "DATA/SALES.SQLITE";
    QTest::newRow("dot components") << "./DATA/../DATA/SALES.SQLITE";
}

void TestService::findsFileIgnoringCase() {
    QFETCH(QString, typed);
    QTemporaryDir dir;
    const QString file = makeSqlite(dir.filePath("Data/Sales.sqlite"));
    QCOMPARE(findSqliteFile(typed, dir.path()), std::optional<QString>(file));
    // The same from the root: the temporary folder's own components are matched too.
    QCOMPARE(findSqliteFile(QDir(dir.path()).filePath(typed).toUpper(), {}),
             std::optional<QString>(file));
    QCOMPARE(findSqliteFile("DATA/OTHER.SQLITE", dir.path()), std::nullopt);
}

void TestService::exactComponentWins() {
    QTemporaryDir dir;
    const QString lower = makeSqlite(dir.filePath("a.db"));
    const QString upper = makeSqlite(dir.filePath("A.db"));
    QCOMPARE(findSqliteFile("a.db", dir.path()), std::optional<QString>(lower));
    QCOMPARE(findSqliteFile("A.db", dir.path()), std::optional<QString>(upper));
}

void TestService::twoFilesDifferingInCaseFail() {
    QTemporaryDir dir;
    makeSqlite(dir.filePath("sub/a.db"));
    makeSqlite(dir.filePath("SUB/a.db"));
    try {
        findSqliteFile("Sub/A.DB", dir.path());
        QFAIL("one of two candidates was taken");
    } catch (const DbError& error) {
        QVERIFY2(error.message().contains(QStringLiteral("sub/a.db")) &&
                     error.message().contains(QStringLiteral("SUB/a.db")),
                 qPrintable(error.message()));
    }
}

void TestService::onlySqliteFilesAreCandidates() {
    QTemporaryDir dir;
    const QString database = makeSqlite(dir.filePath("orders.db"));
    writeFileBytes(dir.filePath("Orders.db"), "not a database");
    writeFileBytes(dir.filePath("orcl"), "an executable or anything else");
    QVERIFY(QDir(dir.path()).mkdir("ORDERS.DB.d"));
    QCOMPARE(findSqliteFile("ORDERS.DB", dir.path()), std::optional<QString>(database));
    QVERIFY(!isSqliteFile(dir.filePath("orcl")));

    // A file that is no database does not hide a data source of the same name.
    const SessionEnvironment environment{dir.path(), {}};
    const ServiceTarget target =
        ::resolveService("ORCL", environment, [] { return QStringList{"orcl"}; });
    QCOMPARE(target.kind, ServiceKind::OdbcDataSource);
    QCOMPARE(target.location, QStringLiteral("DSN=orcl"));
}

void TestService::relativeToExecutableThenWorkingFolder() {
    QTemporaryDir application;
    QTemporaryDir working;
    const QString beside = makeSqlite(application.filePath("shared.db"));
    makeSqlite(working.filePath("shared.db"));
    const QString onlyWorking = makeSqlite(working.filePath("mine.db"));
    const WorkingFolder cd(working.path());
    const SessionEnvironment environment{application.path(), {}};
    const auto noSources = [] {
        return QStringList{};
    };

    ServiceTarget target = ::resolveService("SHARED.DB", environment, noSources);
    QCOMPARE(target.kind, ServiceKind::SqliteFile);
    QCOMPARE(target.location, beside);
    target = ::resolveService("MINE.DB", environment, noSources);
    QCOMPARE(target.kind, ServiceKind::SqliteFile);
    QCOMPARE(QFileInfo(target.location).canonicalFilePath(),
             QFileInfo(onlyWorking).canonicalFilePath());
}

void TestService::resolveService_data() {
    QTest::addColumn<QString>("service");
    QTest::addColumn<QStringList>("sources");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("location");
    const int demo = int(ServiceKind::Demo);
    const int dsn = int(ServiceKind::OdbcDataSource);
    const int string = int(ServiceKind::OdbcConnectionString);
    QTest::newRow("DEMO") << "DEMO" << QStringList{} << demo << "";
    QTest::newRow("demo in any case") << "Demo" << QStringList{} << demo << "";
    QTest::newRow("data source as spelled")
        << "Sales" << QStringList{"Sales"} << dsn << "DSN=Sales";
    QTest::newRow("data source upper-cased")
        << "SALES" << QStringList{"x", "Sales"} << dsn << "DSN=Sales";
    QTest::newRow("exact data source before its case twin")
        << "SALES" << QStringList{"Sales", "SALES"} << dsn << "DSN=SALES";
    QTest::newRow("connection string as it stands")
        << "DRIVER={POSTGRESQL UNICODE};SERVER=DB1" << QStringList{"DRIVER"} << string
        << "DRIVER={POSTGRESQL UNICODE};SERVER=DB1";
}

void TestService::resolveService() {
    QFETCH(QString, service);
    QFETCH(QStringList, sources);
    QFETCH(int, kind);
    QFETCH(QString, location);
    QTemporaryDir dir;
    const ServiceTarget target =
        ::resolveService(service, {dir.path(), {}}, [&] { return sources; });
    QCOMPARE(int(target.kind), kind);
    QCOMPARE(target.location, location);
}

void TestService::serviceErrors_data() {
    QTest::addColumn<QString>("service");
    QTest::addColumn<QStringList>("sources");
    QTest::addColumn<QString>("named"); // what the message must name
    QTest::newRow("nothing typed") << "" << QStringList{} << "サービス";
    QTest::newRow("unknown") << "NOWHERE" << QStringList{"Sales"} << "NOWHERE";
    QTest::newRow("two data sources differing in case")
        << "SALES" << QStringList{"Sales", "sales"} << "sales";
}

void TestService::serviceErrors() {
    QFETCH(QString, service);
    QFETCH(QStringList, sources);
    QFETCH(QString, named);
    QTemporaryDir dir;
    try {
        ::resolveService(service, {dir.path(), {}}, [&] { return sources; });
        QFAIL("the service resolved");
    } catch (const DbError& error) {
        QVERIFY2(error.message().contains(named), qPrintable(error.message()));
    }
}

void TestService::fileThatIsNoDatabaseIsNamed_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message"); // %1: the file
    QTest::newRow("zero bytes")
        << QByteArray() << "ファイル %1 は空（0 バイト）で、SQLite データベースではありません";
    QTest::newRow("text") << QByteArray("CREATE TABLE T (A);\n")
                          << "ファイル %1 はありますが、SQLite データベースではありません";
}

void TestService::fileThatIsNoDatabaseIsNamed() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString file = dir.filePath("orders.db");
    writeFileBytes(file, bytes);
    try {
        ::resolveService("ORDERS.DB", {dir.path(), {}}, [] { return QStringList{}; });
        QFAIL("the service resolved");
    } catch (const DbError& error) {
        QCOMPARE(error.message(), message.arg(file));
    }
}

void TestService::qtOdbcDatabaseName_data() {
    QTest::addColumn<QString>("connection");
    QTest::addColumn<QString>("databaseName");
    QTest::newRow("data source") << "DSN=Sales"
                                 << "Sales";
    QTest::newRow("data source with attributes") << "dsn=SALES;SSLMODE=DISABLE"
                                                 << "SALES;SSLMODE=DISABLE";
    QTest::newRow("driver") << "DRIVER={X};DATABASE=Y"
                            << "DRIVER={X};DATABASE=Y";
    QTest::newRow("server") << "DSN=A;SERVER=B"
                            << "DSN=A;SERVER=B";
    QTest::newRow("file data source") << "FILEDSN=/etc/x.dsn"
                                      << "/etc/x.dsn";
}

void TestService::qtOdbcDatabaseName() {
    QFETCH(QString, connection);
    QFETCH(QString, databaseName);
    QCOMPARE(::qtOdbcDatabaseName(connection), databaseName);
}

void TestService::odbcAttributeValue_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("attribute");
    QTest::newRow("plain") << "Tiger-1"
                           << "Tiger-1";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("semicolon") << "ti;ger"
                               << "{ti;ger}";
    QTest::newRow("opening brace") << "{x}"
                                   << "{{x}}}";
    QTest::newRow("blank at an end") << "tiger "
                                     << "{tiger }";
}

void TestService::odbcAttributeValue() {
    QFETCH(QString, value);
    QFETCH(QString, attribute);
    QCOMPARE(::odbcAttributeValue(value), attribute);
}
