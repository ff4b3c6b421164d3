#include "tst_main_profiles.h"

#include "cli/command_line.h"
#include "cli/gen_tool.h"
#include "main_fixture.h"
#include "settings/settings.h"
#include "support/test_files.h"
#include "ui/dialogs/frm_reference.h"
#include "ui/main/frm_main.h"
#include "util/clock.h"
#include "util/text_file.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr const char* kEpoch = "989643789";

struct ToolRun {
    int status = -1;
    QByteArray out;
    QString err;
};

// tamsel-gen in this process, with the program run's folder as the executable's and the
// header date pinned.
ToolRun runTool(const ProgramRun& run, const QStringList& arguments) {
    ToolRun result;
    GenToolContext context;
    context.writeOut = [&result](const QByteArray& bytes) {
        result.out += bytes;
        return true;
    };
    context.writeErr = [&result](const QString& text) {
        result.err += text;
    };
    context.sourceDateEpoch = QByteArray(kEpoch);
    context.session = SessionEnvironment::forApplication();
    context.session.applicationDir = run.folder.path();
    context.platform.applicationDir = run.folder.path();
    result.status = runGenTool(parseCommandLine(arguments), context);
    return result;
}

QString writeProfile(const ProgramRun& run, const QByteArray& json,
                     const QString& name = QStringLiteral("opened.json")) {
    const QString path = QDir(run.folder.path()).filePath(name);
    writeFileBytes(path, json);
    return path;
}

bool flagsOf(const MainView& main, qsizetype i, const QList<bool>& expected) {
    const TableRow& row = main.Rows->at(i);
    return QList<bool>{row.PublicCheck->isChecked(), row.ArrayCheck->isChecked(),
                       row.InsCheck->isChecked(), row.UpdCheck->isChecked(),
                       row.ClrCheck->isChecked()} == expected;
}

} // namespace

void TestMainProfiles::savedProfileGeneratesThePreview_data() {
    QTest::addColumn<bool>("fromSnapshot");
    QTest::addColumn<QString>("user"); // as typed into the logon window
    QTest::newRow("demo database") << false << "SCOTT";
    QTest::newRow("snapshot with Japanese names") << true << "SCOTT";
    QTest::newRow("password typed after the user") << false << "SCOTT/SECRET";
}

void TestMainProfiles::savedProfileGeneratesThePreview() {
    QFETCH(bool, fromSnapshot);
    QFETCH(QString, user);
    ProgramRun run(databaseSessionFactory());
    ScopedModalRunner dialogs;
    ScopedSaveDialog saves;
    MainView main(run.main());
    main->setClock(std::make_unique<FixedClock>(QDateTime::fromSecsSinceEpoch(989643789)));

    QString service = QStringLiteral("DEMO");
    if (fromSnapshot) {
        service = QDir(run.folder.path()).filePath(QStringLiteral("dictionary.sqlite"));
        const QString all = QDir(run.folder.path()).filePath(QStringLiteral("all.json"));
        writeFileBytes(all, R"({"service": "DEMO", "user": "SCOTT"})");
        const ToolRun snapshot = runTool(run, {"snapshot", all, "-o", service});
        QVERIFY2(snapshot.status == 0, qPrintable(snapshot.err));
    }
    QVERIFY(logOnAs(run, user, service));
    QCOMPARE(main.LBL_Tables->text(), QStringLiteral("SCOTTのテーブル一覧"));
    QCOMPARE(main.LST_Tables->count(), 7);

    // DEPT, EMP, 部署マスタ, 社員台帳 with flags, arguments and marks as a user sets them.
    selectTables(main, {0, 1, 5, 6});
    for (QCheckBox* box :
         {main.Rows->at(0).ArrayCheck, main.Rows->at(1).PublicCheck, main.Rows->at(1).InsCheck,
          main.Rows->at(2).PublicCheck, main.Rows->at(2).ArrayCheck, main.Rows->at(3).UpdCheck,
          main.Rows->at(3).ClrCheck})
        box->click();
    dialogs.answers.append([](QDialog& d) {
        auto& dialog = static_cast<TFRM_Reference&>(d);
        for (int k : {0, 1, 2})
            dialog.LST_RefTables->item(k)->setSelected(true);
        dialog.RDB_STRON->setChecked(true);
        dialog.EDT_STRCNT->setText(QStringLiteral("3"));
        return int(QDialog::Accepted);
    });
    main.Rows->at(1).RefButton->click();
    main.MNU_ProcHeader->trigger();
    main.MNU_OracleConst->trigger();

    main.MNU_Execute->trigger();
    const QStringList package = main.Preview->PreviewLines();
    main.MNU_vbExecute->trigger(); // the overwrite question is answered Yes
    const QStringList module = main.Preview->PreviewLines();
    QVERIFY(package.size() > 100 && module.size() > 50 && !package.join("").contains("SECRET"));

    const QString profile = QDir(run.folder.path()).filePath(QStringLiteral("EMP_PACK.json"));
    saves.answers.append(profile);
    main.MNU_SaveProfile->trigger();
    QCOMPARE(saves.shown.size(), 1);
    QCOMPARE(saves.shown[0].Filter, QStringLiteral("プロファイル (*.json)|*.json"));
    QCOMPARE(saves.shown[0].InitialDir, run.program->Settings.GenSettings.DefPath);
    QVERIFY2(!readFileBytes(profile).contains("tiger"), "the password stays out");

    const ToolRun fromPackage = runTool(run, {"package", profile});
    QVERIFY2(fromPackage.status == 0, qPrintable(fromPackage.err));
    QCOMPARE(fromPackage.out, encodeSjisLines(package));
    const ToolRun fromModule = runTool(run, {"vb", profile});
    QVERIFY2(fromModule.status == 0, qPrintable(fromModule.err));
    QCOMPARE(fromModule.out, encodeSjisLines(module));
}

void TestMainProfiles::openSkipsMissingTablesAndAsksForSettings_data() {
    QTest::addColumn<bool>("take");
    QTest::addColumn<QString>("user");      // of the profile; the logon is SCOTT on DEMO
    QTest::addColumn<QStringList>("first"); // the message before the others, if any
    QTest::newRow("Yes takes the profile's settings") << true << "SCOTT" << QStringList{};
    QTest::newRow("No keeps the current ones; another user")
        << false << "HR"
        << QStringList{QStringLiteral("このプロファイルは別のサービスまたはユーザーのものです。"
                                      "テーブル名が異なる場合があります。\n"
                                      "プロファイル：demo / HR\n現在のログオン：DEMO / SCOTT")};
}

void TestMainProfiles::openSkipsMissingTablesAndAsksForSettings() {
    QFETCH(bool, take);
    QFETCH(QString, user);
    QFETCH(QStringList, first);
    ProgramRun run;
    ScopedOpenDialog opens;
    MainView main(run.main());
    QVERIFY(logOnAs(run));
    const TPackParameters& settings = run.program->Settings.GenSettings;
    const QString path = writeProfile(run, QStringLiteral(
                                               R"({"service": "demo", "user": "USER",
 "settings": {"Public": "EXT_", "Indent": 4, "Custom": "MAIN_"},
 "vb": {"ModHeader": false},
 "tables": [{"name": "GONE", "public": true},
            {"name": "EMP", "public": true, "ins": true, "argumentTables": ["DEPT", "GONE", "EMP"],
             "genNumOn": true, "genNumCount": 4},
            {"name": "DEPT", "array": true}, {"name": "LOST"}]})")
                                               .replace("USER", user)
                                               .toUtf8());
    run.messages.reporter.answers = {take ? MessageAnswer::Yes : MessageAnswer::No};

    opens.answers.append(path);
    main.MNU_OpenProfile->trigger();
    QCOMPARE(opens.folders, QStringList{settings.DefPath});
    QCOMPARE(opens.filters, QStringList{QStringLiteral("プロファイル (*.json)|*.json")});

    // The list's order; the missing tables and their settings skipped.
    QCOMPARE(rowNames(main), (QStringList{"DEPT", "EMP"}));
    QVERIFY(flagsOf(main, 0, {false, true, false, false, false}));
    QVERIFY(flagsOf(main, 1, {true, false, true, false, false}));
    QVERIFY(main.Rows->at(1).RefButton->isEnabled());
    const TTableSettings& emp = main->model().CandidateList[1];
    QCOMPARE(emp.ArgumentTables, (QList<qsizetype>{0, 1}));
    QVERIFY(emp.GenNumOn);
    QCOMPARE(emp.GenNumCount, 4);
    QCOMPARE(listCommandsEnabled(main), std::optional<bool>(true));

    // One warning naming both missing tables, one question naming the differing keys.
    QCOMPARE(run.messages.reporter.texts(),
             first + (QStringList{
                         QStringLiteral(
                             "次のテーブルはテーブル一覧にないため、設定を読み込みませんでした："
                             "\nGONE\nLOST"),
                         QStringLiteral("プロファイルの設定が現在の設定と異なります：\n"
                                        "Public：現在「PUB_」 → プロファイル「EXT_」\n"
                                        "Indent：現在「2」 → プロファイル「4」\n\n"
                                        "プロファイルの設定を使いますか？")}));
    QCOMPARE(settings.Public, take ? QStringLiteral("EXT_") : QStringLiteral("PUB_"));
    QCOMPARE(settings.Indent, take ? 4 : 2);
    // The module marks are taken either way.
    QVERIFY(!main.MNU_ModHeader->isChecked());
    QVERIFY(main.MNU_OracleConst->isChecked() && main.MNU_VbProcHeader->isChecked());
}

// One message box, never taller than the screen: the first twenty names and a count.
void TestMainProfiles::manyMissingTablesInOneShortMessage() {
    ProgramRun run;
    ScopedOpenDialog opens;
    MainView main(run.main());
    QVERIFY(logOnAs(run));
    QStringList names;
    for (int i = 0; i < 20000; ++i)
        names.append(QStringLiteral("GONE%1").arg(i));
    opens.answers.append(
        writeProfile(run, R"({"service": "DEMO", "user": "SCOTT", "tables": [{"name": ")" +
                              names.join(R"("}, {"name": ")").toUtf8() + R"("}]})"));
    main.MNU_OpenProfile->trigger();
    QCOMPARE(run.messages.reporter.texts(),
             QStringList{"次のテーブルはテーブル一覧にないため、設定を読み込みませんでした：\n" +
                         names.first(20).join(u'\n') + "\nほか 19980 テーブル"});
}

void TestMainProfiles::unreadableProfileChangesNothing_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("not JSON") << QByteArray(R"({"service": "DEMO",)");
    QTest::newRow("table twice") << QByteArray(
        R"({"service": "DEMO", "user": "SCOTT", "tables": [{"name": "DEPT"},)"
        R"( {"name": "DEPT"}]})");
    QTest::newRow("escape in a table name")
        << QByteArray(R"({"service": "DEMO", "user": "SCOTT", "tables": [{"name": "\u001b[2J"}]})");
}

void TestMainProfiles::unreadableProfileChangesNothing() {
    QFETCH(QByteArray, json);
    ProgramRun run;
    ScopedOpenDialog opens;
    MainView main(run.main());
    QVERIFY(logOnAs(run));
    selectTables(main, {1, 2});
    main.Rows->at(0).PublicCheck->click();
    const QString path = writeProfile(run, json);
    const ToolRun tool = runTool(run, {"package", path});

    opens.answers.append(path);
    main.MNU_OpenProfile->trigger();
    // The message tamsel-gen gives, without its program name.
    QCOMPARE(tool.status, 2);
    QVERIFY2(!tool.err.contains(u'\x1b'), "no escape sequence reaches the terminal");
    QCOMPARE(run.messages.reporter.texts(),
             QStringList{tool.err.mid(QStringLiteral("tamsel-gen: ").size()).trimmed()});
    QCOMPARE(run.messages.reporter.messages.first().icon, MessageIcon::Warning);
    QCOMPARE(rowNames(main), (QStringList{"EMP", "BONUS"}));
    QVERIFY(flagsOf(main, 0, {true, false, false, false, false}));
    QCOMPARE(run.program->Settings.GenSettings.Indent, 2);
    QCOMPARE(main.LST_Tables->selectedItems().size(), 2);
}

void TestMainProfiles::profileTheReaderRefusesIsNotSaved() {
    // A settings file may hold an empty prefix, which a profile may not.
    ProgramRun run(QStringLiteral("[Params]\nPublic=\n"));
    ScopedSaveDialog saves;
    MainView main(run.main());
    QVERIFY(logOnAs(run));
    selectTables(main, {0});
    const QString path = QDir(run.folder.path()).filePath(QStringLiteral("DEPT.json"));
    saves.answers.append(path);
    main.MNU_SaveProfile->trigger();
    QCOMPARE(run.messages.reporter.messages.size(), 1);
    const QString text = run.messages.reporter.messages.first().text;
    QVERIFY2(text.contains(u"settings.Public") && text.contains(u"接頭語は必須です"),
             qPrintable(text));
    QVERIFY(!QFileInfo::exists(path));
}

// tamsel PROFILE.json: the logon window offers the profile's service and user, and the
// profile opens once the logon is done; one that cannot be read is said at the start.
void TestMainProfiles::startsWithAProfile_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("profile") << QByteArray(R"({"service": "DEMO", "user": "HR", "tables":)"
                                           R"( [{"name": "EMP", "upd": true}, {"name": "DEPT"}]})");
    QTest::newRow("not JSON") << QByteArray(R"({"service": "DEMO",)");
}

void TestMainProfiles::startsWithAProfile() {
    QFETCH(QByteArray, json);
    ProgramRun run(QStringLiteral("[LastStatus]\nAlias=PROD\nUserNM=ADMIN\n"));
    MainView main(run.main());
    const QString path = writeProfile(run, json);
    const ToolRun tool = runTool(run, {"tables", path});
    run.program->Start(path);
    TFRM_Logon* logon = run.logon();
    QVERIFY(QTest::qWaitForWindowActive(logon));
    if (tool.status != 0) {
        // tamsel-gen's message without its name; the last logon is offered as ever.
        QCOMPARE(run.messages.reporter.texts(),
                 QStringList{tool.err.mid(QStringLiteral("tamsel-gen: ").size()).trimmed()});
        QCOMPARE(logon->EDT_User->text(), QStringLiteral("ADMIN"));
        return;
    }
    QCOMPARE(logon->EDT_Alias->text(), QStringLiteral("DEMO"));
    QCOMPARE(logon->EDT_User->text(), QStringLiteral("HR"));
    QTest::mouseClick(logon->CMD_OK, Qt::LeftButton);
    QTRY_COMPARE(rowNames(main), (QStringList{"DEPT", "EMP"}));
    QVERIFY(flagsOf(main, 1, {false, false, false, true, false}));
    QVERIFY(run.messages.reporter.messages.isEmpty());
    QCOMPARE(run.program->Settings.RecentProfiles, QStringList{path});
}

// The last four profiles opened or saved, the latest first, kept over a restart.
void TestMainProfiles::recentProfilesAcrossRestart() {
    ProgramRun run;
    ScopedOpenDialog opens;
    QStringList paths;
    for (const char* table : {"DEPT", "EMP", "BONUS", "SALGRADE", "DEPT"})
        paths.append(writeProfile(
            run,
            QByteArray(R"({"service": "DEMO", "user": "SCOTT", "tables": [{"name": ")") + table +
                R"("}]})",
            QStringLiteral("p%1.json").arg(paths.size() + 1)));
    QVERIFY(logOnAs(run));
    for (const int k : {0, 1, 2, 3, 4, 1}) {
        opens.answers.append(paths[k]);
        MainView(run.main()).MNU_OpenProfile->trigger();
    }
    run.main()->close(); // Yes to the question: the settings are saved

    run.program.reset();
    run.program = std::make_unique<Program>(run.databases.factory());
    MainView main(run.main());
    const auto recent = [&] {
        QStringList shown;
        for (int k = 1; k <= 4; ++k) {
            const QAction* item =
                main->findChild<QAction*>(QStringLiteral("MNU_RecentProfile%1").arg(k));
            if (item->isVisible())
                shown.append(item->text());
        }
        return shown;
    };
    QCOMPARE(recent(),
             (QStringList{"&1 " + paths[1], "&2 " + paths[4], "&3 " + paths[3], "&4 " + paths[2]}));

    // One deleted since: choosing it says why and drops it; another opens and goes first.
    QVERIFY(logOnAs(run));
    QFile::remove(paths[2]);
    const qsizetype said = run.messages.reporter.messages.size();
    main->findChild<QAction*>(QStringLiteral("MNU_RecentProfile4"))->trigger();
    QCOMPARE(run.messages.reporter.messages.size(), said + 1);
    QVERIFY(run.messages.reporter.texts().constLast().contains(paths[2]));
    main->findChild<QAction*>(QStringLiteral("MNU_RecentProfile3"))->trigger();
    QCOMPARE(rowNames(main), QStringList{"SALGRADE"});
    QCOMPARE(recent(), (QStringList{"&1 " + paths[3], "&2 " + paths[1], "&3 " + paths[4]}));
}
