#include "tst_logon.h"

#include "app_fixture.h"
#include "main_fixture.h"
#include "settings/settings.h"
#include "support/test_files.h"
#include "ui/main/frm_main.h"
#include "ui/widgets/win_ctrl.h"
#include "ui/window_geometry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

namespace {

// Fills the three fields as a user does and presses Enter in the service field.
void logOn(TFRM_Logon* logon, const QString& user, const QString& password,
           const QString& service) {
    const std::pair<QLineEdit*, QString> entries[] = {
        {logon->EDT_User, user}, {logon->EDT_Pass, password}, {logon->EDT_Alias, service}};
    for (const auto& [field, text] : entries) {
        QTest::mouseClick(field, Qt::LeftButton);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        typeText(field, text);
    }
    QTest::keyClick(logon->EDT_Alias, Qt::Key_Return);
}

} // namespace

void TestLogon::firstStartWithoutSettings() {
    ProgramRun run;
    TFRM_Logon* logon = run.logon();
    QVERIFY(run.messages.reporter.messages.isEmpty());
    QVERIFY(!logon->isVisible());
    QCOMPARE(logon->windowTitle(), QStringLiteral("ログイン"));
    QCOMPARE(outerSize(logon), QSize(260, 180));
    QCOMPARE(logon->minimumSize(), logon->maximumSize());
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    QCOMPARE(logon->pos(), placedPosition(screen, QSize(260, 180), 3));
    QCOMPARE(logon->EDT_User->text(), QString());
    QCOMPARE(logon->EDT_Alias->text(), QString());
    QVERIFY(!logon->Connected);
    QCOMPARE(outerSize(run.main()), QSize(640, 480));
    QCOMPARE(run.main()->pos(), placedPosition(screen, QSize(640, 480), 3));

    QVERIFY(showActive(logon));
    QCOMPARE(QApplication::focusWidget(), logon->EDT_User);
    QCOMPARE(TWinCtrl::fieldColor(logon->EDT_User), logon->WinCtrl->FocusColor);
}

void TestLogon::presetsAndMainSizeFromSettings() {
    ProgramRun run(
        QStringLiteral("[LastStatus]\nAlias=DEMO\nUserNM=SCOTT\nHeight=500\nWidth=700\n"));
    QCOMPARE(run.logon()->EDT_User->text(), QStringLiteral("SCOTT"));
    QCOMPARE(run.logon()->EDT_Alias->text(), QStringLiteral("DEMO"));
    QCOMPARE(run.logon()->EDT_Pass->text(), QString());
    // The settings were loaded before the main window took its size.
    QCOMPARE(outerSize(run.main()), QSize(700, 500));
}

void TestLogon::mainWindowStaysOnScreen() {
    ProgramRun run(QStringLiteral("[LastStatus]\nHeight=-5\nWidth=99999\n"));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(screen.contains(run.main()->frameGeometry()));
    QCOMPARE(outerSize(run.main()), QSize(screen.width(), 320));
    run.logon()->close();
    QCOMPARE(run.stored(QStringLiteral("LastStatus"), QStringLiteral("Width")),
             QString::number(screen.width()));
    QCOMPARE(run.stored(QStringLiteral("LastStatus"), QStringLiteral("Height")),
             QStringLiteral("320"));
}

void TestLogon::typingConvertsUserAndService() {
    ProgramRun run;
    TFRM_Logon* logon = run.logon();
    QVERIFY(showActive(logon));
    typeText(logon->EDT_User, QStringLiteral("scott_ｽｺｯﾄ"));
    typeText(logon->EDT_Pass, QStringLiteral("Tiger"));
    typeText(logon->EDT_Alias, QStringLiteral("demo"));
    QCOMPARE(logon->EDT_User->text(), QStringLiteral("SCOTT_ｽｺｯﾄ"));
    QCOMPARE(logon->EDT_Pass->text(), QStringLiteral("Tiger"));
    QCOMPARE(logon->EDT_Pass->displayText(), QStringLiteral("*****"));
    QCOMPARE(logon->EDT_Alias->text(), QStringLiteral("DEMO"));
}

void TestLogon::enterAndArrowsThroughFields() {
    ProgramRun run;
    TFRM_Logon* logon = run.logon();
    QVERIFY(showActive(logon));
    QCOMPARE(QApplication::focusWidget(), logon->EDT_User);
    pressKey(Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), logon->EDT_Pass);
    pressKey(Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), logon->EDT_Alias);
    pressKey(Qt::Key_Down); // does nothing in the service field
    QCOMPARE(QApplication::focusWidget(), logon->EDT_Alias);
    pressKey(Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), logon->EDT_Pass);
    QCOMPARE(logon->WinCtrl->LastKey, quint16(38));
    pressKey(Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), logon->EDT_User);
    pressKey(Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), logon->EDT_User);
    pressKey(Qt::Key_Down);
    pressKey(Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), logon->EDT_Alias);
    QVERIFY(run.databases.calls.isEmpty());
    pressKey(Qt::Key_Return);
    QCOMPARE(run.databases.calls.size(), 1);
    QCOMPARE(logon->WinCtrl->LastKey, quint16(13));
    // No field was ever marked invalid on the way.
    for (QLineEdit* field : {logon->EDT_User, logon->EDT_Pass, logon->EDT_Alias})
        QVERIFY(TWinCtrl::fieldColor(field) != logon->WinCtrl->ErrorColor);
}

void TestLogon::logonSucceeds() {
    ProgramRun run;
    TFRM_Logon* logon = run.logon();
    QVERIFY(showActive(logon));
    logOn(logon, QStringLiteral("scott"), QStringLiteral("Tiger"), QStringLiteral("demo"));

    const FakeDatabases::Call expected{QStringLiteral("DEMO"), QStringLiteral("SCOTT/Tiger"), 0};
    QCOMPARE(run.databases.calls.size(), 1);
    QVERIFY(run.databases.calls.first() == expected);
    QVERIFY(logon->Connected);
    QCOMPARE(run.program->Settings.Alias, QStringLiteral("DEMO"));
    QCOMPARE(run.program->Settings.UserNM, QStringLiteral("SCOTT"));
    QVERIFY(!logon->isVisible());
    QVERIFY(run.main()->isVisible());
    QCOMPARE(MainView(run.main()).LBL_Tables->text(), QStringLiteral("SCOTTのテーブル一覧"));
    QVERIFY(run.messages.reporter.messages.isEmpty());
    QCOMPARE(run.messages.reporter.busyPeak, 1);
    QCOMPARE(run.messages.reporter.busyDepth, 0);
}

void TestLogon::logonFailsAndKeepsFields() {
    ProgramRun run(QStringLiteral("[LastStatus]\nAlias=PROD\nUserNM=ADMIN\n"));
    TFRM_Logon* logon = run.logon();
    QVERIFY(showActive(logon));
    run.databases.fail = true;
    logOn(logon, QStringLiteral("scott"), QStringLiteral("tiger"), QStringLiteral("nowhere"));

    QCOMPARE(run.messages.reporter.messages.size(), 1);
    const RecordingReporter::Message& m = run.messages.reporter.messages.first();
    QCOMPARE(m.caption, QStringLiteral("エラー"));
    QCOMPARE(m.icon, MessageIcon::Error);
    QCOMPARE(m.buttons, MessageButtons::Ok);
    QCOMPARE(m.text, QStringLiteral("ﾃﾞｰﾀﾍﾞｰｽを開けません"));
    QCOMPARE(run.messages.reporter.busyDepth, 0);
    QVERIFY(logon->isVisible());
    QVERIFY(!run.main()->isVisible());
    QVERIFY(!logon->Connected);
    QCOMPARE(logon->EDT_User->text(), QStringLiteral("SCOTT"));
    QCOMPARE(logon->EDT_Pass->text(), QStringLiteral("tiger"));
    QCOMPARE(logon->EDT_Alias->text(), QStringLiteral("NOWHERE"));
    QCOMPARE(run.program->Settings.Alias, QStringLiteral("PROD"));
    QCOMPARE(run.program->Settings.UserNM, QStringLiteral("ADMIN"));

    // Corrected, the next attempt goes through.
    run.databases.fail = false;
    QTest::mouseClick(logon->CMD_OK, Qt::LeftButton);
    QCOMPARE(run.databases.calls.size(), 2);
    QVERIFY(logon->Connected);
    QVERIFY(run.main()->isVisible());
}

// The user name stands in the code: never a control character, nor the password after a "/".
void TestLogon::userIsTheNameBeforeTheSlash() {
    ProgramRun run;
    TFRM_Logon* logon = run.logon();
    QVERIFY(showActive(logon));
    logon->EDT_Pass->setText(QStringLiteral("tiger"));
    logon->EDT_Alias->setText(QStringLiteral("DEMO"));
    logon->EDT_User->setText(QStringLiteral("SCOTT\x1b[2J")); // pasted
    QTest::mouseClick(logon->CMD_OK, Qt::LeftButton);
    QVERIFY(run.databases.calls.isEmpty());
    QCOMPARE(run.messages.reporter.messages.first().text,
             QStringLiteral("ユーザー SCOTT[U+001B][2J の名前に制御文字 U+001B があります"));

    logon->EDT_User->setText(QStringLiteral("SCOTT/SE\x1b"));
    QTest::mouseClick(logon->CMD_OK, Qt::LeftButton);
    QCOMPARE(run.databases.calls.last().connect, QStringLiteral("SCOTT/SE\x1b/tiger"));
    QCOMPARE(run.program->Settings.UserNM, QStringLiteral("SCOTT"));
}

void TestLogon::logoutReturnsWithFieldsAsTheyWere() {
    ProgramRun run;
    TFRM_Logon* logon = run.logon();
    QVERIFY(showActive(logon));
    logOn(logon, QStringLiteral("scott"), QStringLiteral("Tiger"), QStringLiteral("demo"));
    QVERIFY(QTest::qWaitForWindowActive(run.main()));

    MainView(run.main()).MNU_Logout->trigger();
    QCOMPARE(run.databases.closes, 1);
    QVERIFY(!run.main()->isVisible());
    QVERIFY(logon->isVisible());
    QVERIFY(logon->Connected);
    QCOMPARE(logon->EDT_User->text(), QStringLiteral("SCOTT"));
    QCOMPARE(logon->EDT_Pass->text(), QStringLiteral("Tiger"));
    QCOMPARE(logon->EDT_Alias->text(), QStringLiteral("DEMO"));
    QVERIFY(QTest::qWaitForWindowActive(logon));
    QTRY_COMPARE(QApplication::focusWidget(), logon->EDT_Alias);

    // OK at once logs on again with the same entries.
    pressKey(Qt::Key_Return);
    QCOMPARE(run.databases.calls.size(), 2);
    QVERIFY(run.databases.calls[1] == run.databases.calls[0]);
    QVERIFY(run.main()->isVisible());
}

void TestLogon::exitSavesSettings_data() {
    QTest::addColumn<bool>("logOnFirst");
    QTest::addColumn<bool>("logOutFirst");
    QTest::addColumn<int>("closes");
    QTest::newRow("cancel without logon") << false << false << 0;
    QTest::newRow("close the main window") << true << false << 1;
    QTest::newRow("cancel after logout") << true << true << 2;
}

void TestLogon::exitSavesSettings() {
    QFETCH(bool, logOnFirst);
    QFETCH(bool, logOutFirst);
    QFETCH(int, closes);
    ProgramRun run(
        QStringLiteral("[LastStatus]\nAlias=PROD\nUserNM=ADMIN\nHeight=500\nWidth=700\n"));
    TFRM_Logon* logon = run.logon();
    QSignalSpy ended(logon, &TFRM_Logon::closed);
    QVERIFY(showActive(logon));
    if (logOnFirst)
        logOn(logon, QStringLiteral("scott"), QStringLiteral("Secret7"), QStringLiteral("demo"));
    if (logOutFirst)
        MainView(run.main()).MNU_Logout->trigger();

    if (logOnFirst && !logOutFirst)
        run.main()->close(); // the question is answered Yes
    else
        QTest::mouseClick(logon->CMD_Cancel, Qt::LeftButton);

    QCOMPARE(ended.count(), 1);
    QCOMPARE(run.databases.closes, closes);
    QVERIFY(!logon->Connected);
    QCOMPARE(logon->WinCtrl, nullptr);
    QCOMPARE(run.messages.reporter.busyDepth, 0);
    for (const QString& text : run.messages.reporter.texts())
        QCOMPARE(text, QStringLiteral("Tamselを終了します。"));

    QCOMPARE(run.stored(QStringLiteral("LastStatus"), QStringLiteral("UserNM")),
             logOnFirst ? QStringLiteral("SCOTT") : QStringLiteral("ADMIN"));
    QCOMPARE(run.stored(QStringLiteral("LastStatus"), QStringLiteral("Alias")),
             logOnFirst ? QStringLiteral("DEMO") : QStringLiteral("PROD"));
    QCOMPARE(run.stored(QStringLiteral("LastStatus"), QStringLiteral("Height")),
             QStringLiteral("500"));
    QCOMPARE(run.stored(QStringLiteral("LastStatus"), QStringLiteral("Width")),
             QStringLiteral("700"));
    QCOMPARE(run.stored(QStringLiteral("Params"), QStringLiteral("Public")),
             QStringLiteral("PUB_"));
    QVERIFY(!readFileBytes(run.iniPath()).contains("Secret7"));

    // Closing once more saves nothing twice.
    logon->close();
    QCOMPARE(ended.count(), 1);
}

void TestLogon::closingMainCanBeRefused() {
    ProgramRun run;
    TFRM_Logon* logon = run.logon();
    QVERIFY(showActive(logon));
    logOn(logon, QStringLiteral("scott"), QStringLiteral("tiger"), QStringLiteral("demo"));
    QSignalSpy ended(logon, &TFRM_Logon::closed);
    run.messages.reporter.answers = {MessageAnswer::No};
    MainView(run.main()).MNU_Quit->trigger();
    QCOMPARE(run.messages.reporter.texts(), QStringList{QStringLiteral("Tamselを終了します。")});
    QVERIFY(run.main()->isVisible());
    QCOMPARE(ended.count(), 0);
    QVERIFY(!QFile::exists(run.iniPath()));
}
