#include "tst_demo_logon.h"

#include "app_fixture.h"
#include "db/db_error.h"
#include "db/dictionary.h"
#include "db/session.h"
#include "support/test_files.h"
#include "ui/main/frm_main.h"
#include "ui/seams.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The logon window over the real database layer and its bundled demo database.

namespace {

void typeInto(QLineEdit* field, const QString& text) {
    QTest::mouseClick(field, Qt::LeftButton);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    typeText(field, text);
}

} // namespace

void TestDemoLogon::logsOnToDemoAndClosesAtExit() {
    ProgramRun run(databaseSessionFactory());
    TFRM_Logon* logon = run.logon();
    QVERIFY(showActive(logon));
    typeInto(logon->EDT_User, QStringLiteral("scott"));
    typeInto(logon->EDT_Pass, QStringLiteral("Tiger7"));
    typeInto(logon->EDT_Alias, QStringLiteral("demo"));
    QTest::keyClick(logon->EDT_Alias, Qt::Key_Return);

    QVERIFY2(run.messages.reporter.messages.isEmpty(),
             qPrintable(run.messages.reporter.texts().join(QLatin1Char('\n'))));
    QVERIFY(logon->Connected);
    QVERIFY(run.main()->isVisible());
    QVERIFY(!logon->isVisible());
    QCOMPARE(run.program->Settings.Alias, QStringLiteral("DEMO"));
    QCOMPARE(run.program->Settings.UserNM, QStringLiteral("SCOTT"));

    Database* database = logon->Db->database();
    QVERIFY(database);
    QStringList tables;
    QCOMPARE(readTableList(*database, [&](const QString& name) { tables.append(name); }), 7);
    QVERIFY(tables.contains(QStringLiteral("EMP")));

    QTest::mouseClick(logon->CMD_Cancel, Qt::LeftButton); // the program ends
    QVERIFY(!database->IsOpen());
    QCOMPARE(run.stored(QStringLiteral("LastStatus"), QStringLiteral("Alias")),
             QStringLiteral("DEMO"));
    QCOMPARE(run.stored(QStringLiteral("LastStatus"), QStringLiteral("UserNM")),
             QStringLiteral("SCOTT"));
    QVERIFY(!readFileBytes(run.iniPath()).contains("Tiger7"));
}

void TestDemoLogon::unknownServiceKeepsFields() {
    ProgramRun run(databaseSessionFactory());
    TFRM_Logon* logon = run.logon();
    QVERIFY(showActive(logon));
    typeInto(logon->EDT_User, QStringLiteral("scott"));
    typeInto(logon->EDT_Pass, QStringLiteral("tiger"));
    typeInto(logon->EDT_Alias, QStringLiteral("no_such_service"));
    QTest::keyClick(logon->EDT_Alias, Qt::Key_Return);

    QCOMPARE(run.messages.reporter.messages.size(), 1);
    QCOMPARE(run.messages.reporter.messages.first().caption, QStringLiteral("エラー"));
    // The second line is the session layer's own reason for the same service, the one
    // tamsel-gen prints under the same first line.
    QString reason;
    SessionEnvironment environment = SessionEnvironment::forApplication();
    environment.applicationDir = executableFolder();
    try {
        Session(environment)
            .OpenDatabase(QStringLiteral("NO_SUCH_SERVICE"), QStringLiteral("SCOTT/tiger"), 0);
    } catch (const DbError& error) {
        reason = error.message();
    }
    QVERIFY(!reason.isEmpty());
    QCOMPARE(run.messages.reporter.messages.first().text,
             QStringLiteral("ﾃﾞｰﾀﾍﾞｰｽを開けません\n") + reason);
    QVERIFY(!logon->Connected);
    QVERIFY(logon->isVisible());
    QVERIFY(!run.main()->isVisible());
    QCOMPARE(logon->EDT_User->text(), QStringLiteral("SCOTT"));
    QCOMPARE(logon->EDT_Pass->text(), QStringLiteral("tiger"));
    QCOMPARE(logon->EDT_Alias->text(), QStringLiteral("NO_SUCH_SERVICE"));
    QCOMPARE(QApplication::focusWidget(), logon->EDT_Alias);
}
