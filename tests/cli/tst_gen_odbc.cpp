#include "tst_gen_odbc.h"

#include "gen_process.h"
#include "support/test_files.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

void TestGenOdbc::initTestCase() {
    const QString stateFile = qEnvironmentVariable("TAMSEL_PG_STATE");
    if (stateFile.isEmpty())
        QSKIP("no PostgreSQL server: run through ctest, whose fixture starts one");
    const QByteArray text = readFileBytes(stateFile);
    for (const QByteArray& line : text.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            state_.insert(QString::fromUtf8(line.left(equals)),
                          QString::fromUtf8(line.mid(equals + 1)));
    }
    for (const char* key : {"PG_USER", "PG_PASSWORD", "PG_DSN", "ODBCSYSINI", "ODBCINI"})
        QVERIFY2(state_.contains(key), key);
    QVERIFY(dir_.isValid());
}

// A profile for the fixture's data source and user, with the password when given.
QString TestGenOdbc::profile(const QString& tables, const QString& password,
                             const QString& service) const {
    const QString path = QDir(dir_.path()).filePath(service.isEmpty() ? "odbc.json" : "file.json");
    QString json =
        QStringLiteral(R"({"service": "%1", "user": "%2", %3"tables": %4})")
            .arg(service.isEmpty() ? state_.value("PG_DSN") : service, state_.value("PG_USER"),
                 password.isNull() ? QString()
                                   : QStringLiteral(R"("password": "%1", )").arg(password),
                 tables);
    writeFileBytes(path, json.toUtf8());
    return path;
}

// The fixture's driver and data source, nothing from the system's configuration.
QMap<QString, QString> TestGenOdbc::odbcEnvironment() const {
    return {{"ODBCSYSINI", state_.value("ODBCSYSINI")}, {"ODBCINI", state_.value("ODBCINI")}};
}

void TestGenOdbc::generatesFromTheServer() {
    const QString path =
        profile(R"([{"name": "EMP", "public": true, "argumentTables": ["EMP", "DEPT"]},)"
                R"( {"name": "部署", "array": true}, {"name": "DEPT", "array": true}])",
                state_.value("PG_PASSWORD"));

    const GenRun csv = runGen({"csv", path}, odbcEnvironment());
    QVERIFY2(csv.exitCode == 0, qPrintable(csv.err));
    QCOMPARE(csv.out, readFileBytes(testDataPath("cli/odbc_structure.csv")));

    const GenRun package = runGen({"package", path, "--utf8"}, odbcEnvironment());
    QVERIFY2(package.exitCode == 0, qPrintable(package.err));
    const QString text = QString::fromUtf8(package.out);
    // The logon user qualifies the tables; DEPT, an array, is an argument of PUB_EMP.
    for (const char* line :
         {"  PROCEDURE PUB_EMP(", "    inDEPT_DEPTNO   IN     Array_DEPT_DEPTNO,",
          "    inEMP_EMPNO    IN     TAMSEL_TEST.EMP.EMPNO%TYPE,",
          "  TYPE Array_部署_部署コード IS TABLE OF TAMSEL_TEST.部署.部署コード%TYPE "
          "INDEX BY BINARY_INTEGER;"})
        QVERIFY2(text.split(u'\n').contains(QString::fromUtf8(line)), line);
}

void TestGenOdbc::passwordSources_data() {
    QTest::addColumn<QString>("inProfile");  // null: no "password" key
    QTest::addColumn<QString>("inVariable"); // null: TAMSEL_PASSWORD unset
    QTest::addColumn<int>("status");
    const QString right = state_.value("PG_PASSWORD");
    const QString wrong = right + QStringLiteral("-wrong");
    QTest::newRow("profile") << right << QString() << 0;
    QTest::newRow("profile before variable") << right << wrong << 0;
    QTest::newRow("wrong in profile, right in variable") << wrong << right << 4;
    QTest::newRow("variable") << QString() << right << 0;
    QTest::newRow("none, no terminal to ask") << QString() << QString() << 4;
}

void TestGenOdbc::passwordSources() {
    QFETCH(QString, inProfile);
    QFETCH(QString, inVariable);
    QFETCH(int, status);
    QMap<QString, QString> env = odbcEnvironment();
    env.insert("TAMSEL_PASSWORD", inVariable);
    const GenRun run = runGen({"tables", profile("[]", inProfile)}, env);
    QVERIFY2(run.exitCode == status, qPrintable(run.err));
    if (status == 0) {
        QVERIFY(QString::fromUtf8(run.out).startsWith(u"DEPT\nEMP\n"));
    } else {
        QVERIFY2(run.err.contains(u"ﾃﾞｰﾀﾍﾞｰｽを開けません"), qPrintable(run.err));
        QVERIFY2(run.err.contains(u"password"), qPrintable(run.err)); // the driver's text
        QVERIFY(run.out.isEmpty());
    }
}

void TestGenOdbc::nullInTheDictionaryFailsTheRetrieval() {
    // NOTES has a text column, whose WIDTH the view gives as NULL.
    const GenRun run =
        runGen({"package", profile(R"([{"name": "DEPT", "public": true}, {"name": "NOTES"}])",
                                   state_.value("PG_PASSWORD"))},
               odbcEnvironment());
    QCOMPARE(run.exitCode, 5);
    QVERIFY2(run.err.contains(u"テーブル情報取得中にｴﾗｰが発生しました"), qPrintable(run.err));
    QVERIFY2(run.err.contains(u"WIDTH", Qt::CaseInsensitive), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
}

void TestGenOdbc::snapshotGeneratesAsTheServer() {
    const QString password = state_.value("PG_PASSWORD");
    const QString snapshot = QDir(dir_.path()).filePath("server.sqlite");
    const GenRun taken =
        runGen({"snapshot", profile("[]", password), "-o", snapshot}, odbcEnvironment());
    QVERIFY2(taken.exitCode == 0, qPrintable(taken.err));

    // NULLs stay NULL: a NUMBER without precision or scale, a text without width.
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "server-snapshot");
        db.setDatabaseName(snapshot);
        QSqlQuery query(db);
        QVERIFY(db.open() && query.exec("SELECT COUNT(*) FROM COL WHERE (CNAME = 'AMOUNT' AND "
                                        "PRECISION IS NULL AND SCALE IS NULL) OR (TNAME = "
                                        "'NOTES' AND CNAME = 'BODY' AND WIDTH IS NULL)"));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 2);
    }
    QSqlDatabase::removeDatabase("server-snapshot");

    const QString tables = R"([{"name": "EMP", "public": true, "argumentTables": ["EMP", "DEPT"]},)"
                           R"( {"name": "部署", "array": true}, {"name": "DEPT", "array": true},)"
                           R"( {"name": "MEASURES", "public": true, "ins": true}])";
    for (const QStringList& command :
         {QStringList{"tables"}, QStringList{"package"}, QStringList{"vb"}, QStringList{"csv"}}) {
        const GenRun server =
            runGen(command + QStringList{profile(tables, password)}, odbcEnvironment());
        const GenRun file = runGen(command + QStringList{profile(tables, {}, snapshot)});
        QVERIFY2(server.exitCode == 0, qPrintable(server.err));
        QVERIFY2(file.exitCode == 0, qPrintable(file.err));
        QCOMPARE(file.out, server.out);
    }
    // What the server cannot give, the snapshot cannot either.
    const QString notes = R"([{"name": "DEPT", "public": true}, {"name": "NOTES"}])";
    QCOMPARE(runGen({"package", profile(notes, {}, snapshot)}).exitCode, 5);
}
