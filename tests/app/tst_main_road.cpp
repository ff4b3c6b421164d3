#include "tst_main_road.h"

#include "../db/sqlite_files.h"
#include "main_fixture.h"
#include "support/test_files.h"
#include "ui/dialogs/frm_reference.h"
#include "ui/main/frm_main.h"
#include "ui/main/frm_temp.h"
#include "ui/main/table_rows.h"
#include "ui/widgets/code_editor.h"
#include "util/clock.h"
#include "util/sjis.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QStringList kDayNames{"月", "火", "水", "木", "金", "土", "日"};
const QStringList kDemoTables{"DEPT",      "EMP",        "BONUS",   "SALGRADE",
                              "ORDER_LOG", "部署マスタ", "社員台帳"};

std::unique_ptr<Clock> headerClock() {
    return std::make_unique<FixedClock>(QDateTime(QDate(2001, 5, 12), QTime(14, 3, 9)), kDayNames);
}

// The lines of a golden file in the saved-file format.
QStringList goldenLines(const QString& name) {
    const std::optional<QString> text = fromSjis(readFileBytes(testDataPath(name)));
    if (!text)
        return {QStringLiteral("<not Shift-JIS>")};
    QStringList lines = text->split(QStringLiteral("\r\n"));
    lines.removeLast(); // after the last line's CR LF
    return lines;
}

void click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton);
}

// A dictionary snapshot file: USER_TABLES with the names, COL with two columns per table.
// nullIn: the column of COL left NULL in the second table's first row, if any.
QString snapshotFile(const QString& folder, const QStringList& tables, const QString& nullIn = {}) {
    QStringList statements = snapshotSchema();
    for (qsizetype t = 0; t < tables.size(); ++t) {
        const QString& name = tables[t];
        statements.append(QStringLiteral("INSERT INTO USER_TABLES VALUES ('%1')").arg(name));
        for (int c = 1; c <= 2; ++c) {
            QString cname = QStringLiteral("'COL%1'").arg(c);
            QString coltype = QStringLiteral("'VARCHAR2'");
            QString width = QStringLiteral("10");
            QString nulls = QStringLiteral("'NULL'");
            if (t == 1 && c == 1) {
                if (nullIn == u"CNAME")
                    cname = QStringLiteral("NULL");
                else if (nullIn == u"COLTYPE")
                    coltype = QStringLiteral("NULL");
                else if (nullIn == u"WIDTH")
                    width = QStringLiteral("NULL");
                else if (nullIn == u"NULLS")
                    nulls = QStringLiteral("NULL");
            }
            statements.append(
                QStringLiteral("INSERT INTO COL (TNAME, COLNO, CNAME, COLTYPE, WIDTH, NULLS) "
                               "VALUES ('%1', %2, %3, %4, %5, %6)")
                    .arg(name)
                    .arg(c)
                    .arg(cname, coltype, width, nulls));
        }
    }
    const QString path = QDir(folder).filePath(QStringLiteral("snapshot.sqlite"));
    createSqliteFile(path, statements);
    return path;
}

} // namespace

void TestMainRoad::demoRoadToSavedFiles() {
    ProgramRun run(QStringLiteral("[Params]\nOwner=YAMADA\nSysName=人事システム\n"));
    ScopedModalRunner dialogs;
    ScopedSaveDialog saves;
    MainView main(run.main());
    main->setClock(headerClock());
    QVERIFY(logOnAs(run));

    // The list in the database's order.
    QCOMPARE(main.LBL_Tables->text(), QStringLiteral("SCOTTのテーブル一覧"));
    QStringList listed;
    for (int p = 0; p < main.LST_Tables->count(); ++p)
        listed.append(main.LST_Tables->item(p)->text());
    QCOMPARE(listed, kDemoTables);
    QCOMPARE(listCommandsEnabled(main), std::optional<bool>(false));

    // Three tables, in list order whatever the order of selecting.
    selectTables(main, {6, 1, 0});
    QCOMPARE(rowNames(main), (QStringList{"DEPT", "EMP", "社員台帳"}));
    QCOMPARE(main->model().CandidateList.size(), 3);
    for (const TTableSettings& table : std::as_const(main->model().CandidateList))
        QVERIFY(table.ArgumentTables.isEmpty());
    QCOMPARE(main->model().CandidateList[1].ColumnNames.first(), QStringLiteral("EMPNO"));
    QCOMPARE(main->model().CandidateList[1].ColumnSizes(0), QStringLiteral("4.0"));
    QListWidget* refTables = run.program->Windows.FRM_Reference->LST_RefTables;
    QCOMPARE(refTables->count(), 3);
    QCOMPARE(refTables->item(2)->text(), QStringLiteral("社員台帳"));
    QCOMPARE(listCommandsEnabled(main), std::optional<bool>(true));
    QVERIFY(!run.program->Windows.FRM_Temp->isVisible());
    QCOMPARE(run.messages.reporter.busyDepth, 0);
    QVERIFY(run.messages.reporter.messages.isEmpty());

    // Flags as a user clicks them.
    const TableRow& dept = main.Rows->at(0);
    const TableRow& emp = main.Rows->at(1);
    const TableRow& ledger = main.Rows->at(2);
    for (QCheckBox* box : {dept.ArrayCheck, dept.UpdCheck, emp.PublicCheck, emp.ArrayCheck,
                           emp.InsCheck, emp.ClrCheck, ledger.PublicCheck, ledger.UpdCheck})
        click(box);
    QVERIFY(emp.RefButton->isEnabled());
    QVERIFY(!dept.RefButton->isEnabled());

    // EMP's arguments: its own columns and DEPT's, three strings and two numbers.
    dialogs.answers.append([](QDialog& d) {
        auto& dialog = static_cast<TFRM_Reference&>(d);
        dialog.LST_RefTables->item(0)->setSelected(true);
        dialog.LST_RefTables->item(1)->setSelected(true);
        dialog.RDB_STRON->setChecked(true);
        dialog.RDB_NUMON->setChecked(true);
        dialog.EDT_STRCNT->setText(QStringLiteral("3"));
        dialog.EDT_NUMCNT->setText(QStringLiteral("2"));
        return int(QDialog::Accepted);
    });
    click(emp.RefButton);
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown.first()->windowTitle(), QStringLiteral("[EMP]の引数設定"));
    const TTableSettings& empTable = main->model().CandidateList[1];
    QCOMPARE(empTable.ArgumentTables, (QList<qsizetype>{0, 1}));
    QCOMPARE(empTable.ArgumentTableCount, 2);
    QCOMPARE(empTable.GenStrCount, 3);
    QCOMPARE(empTable.GenNumCount, 2);

    // F5: the package in the preview.
    QVERIFY(QTest::qWaitForWindowActive(main));
    QTest::keyClick(main, Qt::Key_F5);
    QCOMPARE(main.Preview->PreviewLines(), goldenLines(QStringLiteral("ui/road_package.sql")));
    QVERIFY(!main.Preview->PreviewIsVb());
    QVERIFY(main.MNU_Save->isEnabled());
    QVERIFY(run.messages.reporter.messages.isEmpty()); // an empty preview is not asked about
    QCOMPARE(run.messages.reporter.busyDepth, 0);

    // The table structure into a folder of its own; the package is not offered its file.
    const QDir folder(run.folder.path());
    QVERIFY(folder.mkpath(QStringLiteral("csv")) && folder.mkpath(QStringLiteral("sql")));
    saves.answers.append(folder.filePath(QStringLiteral("csv/DEPT.csv")));
    main.MNU_OutPutDesc->trigger();
    QCOMPARE(saves.shown[0].FileName, QStringLiteral("DEPT"));

    // Ctrl+S: package source, Shift-JIS with CR LF.
    const QString packagePath = folder.filePath(QStringLiteral("sql/EMP_PACK.sql"));
    saves.answers.append(packagePath);
    QTest::keyClick(main, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(saves.shown.size(), 2);
    const SaveDialog& asked = saves.shown[1];
    QCOMPARE(asked.InitialDir, run.program->Settings.GenSettings.DefPath);
    QCOMPARE(asked.FileName, QString());
    QCOMPARE(asked.DefaultExt, QStringLiteral("sql"));
    QCOMPARE(asked.Filter,
             QStringLiteral("SQLﾌｧｲﾙ (*.sql)|*.sql|ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|すべてのﾌｧｲﾙ (*.*)|*.*"));
    QVERIFY(asked.OverwritePrompt && asked.CreatePrompt);
    QCOMPARE(readFileBytes(packagePath), readFileBytes(testDataPath("ui/road_package.sql")));

    // F6: the module, after the question about the preview's content.
    QTest::keyClick(main, Qt::Key_F6);
    QCOMPARE(run.messages.reporter.texts(),
             QStringList{QStringLiteral("現在の内容を上書しますか？")});
    QCOMPARE(main.Preview->PreviewLines(), goldenLines(QStringLiteral("ui/road_module.bas")));
    QVERIFY(main.Preview->PreviewIsVb());

    const QString modulePath = QDir(run.folder.path()).filePath(QStringLiteral("MOD_ParamSet.bas"));
    saves.answers.append(modulePath);
    main.MNU_Save->trigger();
    QCOMPARE(saves.shown.size(), 3);
    QCOMPARE(saves.shown[2].FileName, QStringLiteral("MOD_ParamSet"));
    QCOMPARE(saves.shown[2].InitialDir, run.program->Settings.GenSettings.DefPath);
    QCOMPARE(saves.shown[2].DefaultExt, QStringLiteral(".bas"));
    QCOMPARE(saves.shown[2].Filter,
             QStringLiteral("BASファイル (*.bas)|*.bas|すべてのﾌｧｲﾙ (*.*)|*.*"));
    QCOMPARE(readFileBytes(modulePath), readFileBytes(testDataPath("ui/road_module.bas")));

    // Package source again: its own name and folder, never the module's; until the default
    // folder is changed in the options.
    QTest::keyClick(main, Qt::Key_F5);
    main.MNU_Save->trigger(); // cancelled
    QCOMPARE(saves.shown[3].FileName, QStringLiteral("EMP_PACK.sql"));
    QCOMPARE(saves.shown[3].InitialDir, folder.filePath(QStringLiteral("sql")));
    QCOMPARE(saves.shown[3].Filter, saves.shown[1].Filter);
    run.program->Settings.GenSettings.DefPath = folder.filePath(QStringLiteral("csv"));
    main.MNU_Save->trigger(); // cancelled
    QCOMPARE(saves.shown[4].InitialDir, folder.filePath(QStringLiteral("csv")));
    QCOMPARE(run.messages.reporter.busyDepth, 0);
}

void TestMainRoad::selectingAgainDiscardsTheOldList() {
    ProgramRun run;
    ScopedModalRunner dialogs;
    MainView main(run.main());
    QVERIFY(logOnAs(run));
    selectTables(main, {0, 1});
    click(main.Rows->at(0).PublicCheck);
    dialogs.answers.append([](QDialog& d) {
        static_cast<TFRM_Reference&>(d).RDB_STRON->setChecked(true);
        return int(QDialog::Accepted);
    });
    click(main.Rows->at(0).RefButton);
    QVERIFY(main->model().CandidateList[0].GenStrOn);

    selectTables(main, {1, 3, 4});
    QCOMPARE(rowNames(main), (QStringList{"EMP", "SALGRADE", "ORDER_LOG"}));
    for (qsizetype i = 0; i < 3; ++i) {
        QVERIFY(!main.Rows->isPublic(i));
        QVERIFY(!main->model().CandidateList[i].GenStrOn);
        QVERIFY(main->model().CandidateList[i].ArgumentTables.isEmpty());
    }
    // A NUMBER without precision has an unknown size; the rest as the dictionary says.
    const TTableSettings& log = main->model().CandidateList[2];
    QCOMPARE(log.ColumnNames,
             (QStringList{"LOG_ID", "AMOUNT", "LOGGED_AT", "DETAIL", "TOKEN", "CANCELED"}));
    QCOMPARE(log.ColumnSizes(1), QString());
    QCOMPARE(log.ColumnNulls(0), QStringLiteral("NOT NULL"));
    QCOMPARE(main->model().MaxTableNameLength, 9);
    QCOMPARE(main.Rows->at(2).NameLabel->y(), 2 * 24 + 5);
}

void TestMainRoad::selectingNothingChangesNothing() {
    ProgramRun run;
    MainView main(run.main());
    QVERIFY(logOnAs(run));
    selectTables(main, {2});
    click(main.Rows->at(0).PublicCheck);
    run.messages.reporter.busyPeak = 0;

    main.LST_Tables->clearSelection();
    main.MNU_Select->trigger();
    main.BTN_Select->click();
    QCOMPARE(rowNames(main), QStringList{"BONUS"});
    QVERIFY(main.Rows->isPublic(0));
    QCOMPARE(listCommandsEnabled(main), std::optional<bool>(true));
    QCOMPARE(run.messages.reporter.busyPeak, 0);
    QVERIFY(run.messages.reporter.messages.isEmpty());
    QVERIFY(!run.program->Windows.FRM_Temp->isVisible());

    // Other keys in the list select nothing.
    main.LST_Tables->item(0)->setSelected(true);
    QTest::keyClick(main.LST_Tables, Qt::Key_Space);
    QCOMPARE(rowNames(main), QStringList{"BONUS"});
}

void TestMainRoad::abortAfterFirstTable() {
    ProgramRun run;
    MainView main(run.main());
    TFRM_Temp* progress = run.program->Windows.FRM_Temp;
    QVERIFY(logOnAs(run));
    selectTables(main, {0});
    QCOMPARE(listCommandsEnabled(main), std::optional<bool>(true));

    // While the second table waits: everything but the abort button is unavailable, and
    // the window does not close.
    bool checked = false;
    const auto connection =
        QObject::connect(progress->PGB_Temp, &QProgressBar::valueChanged, progress, [&](int value) {
            if (value != 1 || checked)
                return;
            checked = true;
            QVERIFY(main->Retrieving());
            QVERIFY(progress->isVisible());
            QCOMPARE(progress->PGB_Temp->maximum(), 3);
            QVERIFY(progress->BTN_Abort->isEnabled());
            QVERIFY(!main.LST_Tables->isEnabled());
            QVERIFY(!main.BTN_Select->isEnabled());
            QVERIFY(!main.MEM_Preview->isEnabled());
            QVERIFY(!main.Rows->at(0).PublicCheck->isEnabled());
            QVERIFY(!main.MNU_Logout->isEnabled());
            QVERIFY(!main.MNU_Select->isEnabled());
            QVERIFY(!main.MNU_Quit->isEnabled());
            QVERIFY(!main->close()); // refused, without a question
            QVERIFY(main->isVisible());
            main.MNU_ListClear->trigger(); // disabled: does nothing now
            QCOMPARE(main.Rows->size(), 1);
            QTest::mouseClick(progress->BTN_Abort, Qt::LeftButton);
        });
    selectTables(main, {1, 3, 5});
    QObject::disconnect(connection);

    QVERIFY(checked);
    QVERIFY(main.Rows->isEmpty());
    QVERIFY(main->model().CandidateList.isEmpty());
    QCOMPARE(main->model().MaxTableNameLength, 0);
    QCOMPARE(listCommandsEnabled(main), std::optional<bool>(false));
    QVERIFY(!progress->isVisible());
    QVERIFY(!main->Retrieving());
    QVERIFY(run.messages.reporter.messages.isEmpty());
    QCOMPARE(run.messages.reporter.busyDepth, 0);
    // The window works again as before.
    QVERIFY(main.LST_Tables->isEnabled());
    QVERIFY(main.MNU_Logout->isEnabled());
    QVERIFY(main.MNU_Select->isEnabled());
    QVERIFY(!main.MNU_Save->isEnabled());
    QCOMPARE(main.LST_Tables->selectedItems().size(), 3);
    selectTables(main, {4});
    QCOMPARE(rowNames(main), QStringList{"ORDER_LOG"});
}

void TestMainRoad::retrievalFailureLeavesNoRows_data() {
    QTest::addColumn<QString>("nullIn");
    QTest::newRow("CNAME") << "CNAME";
    QTest::newRow("COLTYPE") << "COLTYPE";
    QTest::newRow("WIDTH") << "WIDTH";
    QTest::newRow("NULLS") << "NULLS";
}

void TestMainRoad::retrievalFailureLeavesNoRows() {
    QFETCH(QString, nullIn);
    ProgramRun run(databaseSessionFactory());
    const QString file = snapshotFile(run.folder.path(), {"T1", "T2", "T3"}, nullIn);
    MainView main(run.main());
    QVERIFY(logOnAs(run, QStringLiteral("APP"), file));
    QCOMPARE(main.LST_Tables->count(), 3);
    selectTables(main, {0});
    QCOMPARE(rowNames(main), QStringList{"T1"});

    selectTables(main, {0, 1, 2});
    QCOMPARE(run.messages.reporter.messages.size(), 1);
    const RecordingReporter::Message& m = run.messages.reporter.messages.first();
    QCOMPARE(m.text, QStringLiteral("テーブル情報取得中にｴﾗｰが発生しました"));
    QCOMPARE(m.icon, MessageIcon::Warning);
    QCOMPARE(m.caption, QStringLiteral("Tamsel"));
    QVERIFY(main.Rows->isEmpty());
    QVERIFY(main->model().CandidateList.isEmpty());
    QCOMPARE(listCommandsEnabled(main), std::optional<bool>(false));
    QVERIFY(!run.program->Windows.FRM_Temp->isVisible());
    QCOMPARE(run.messages.reporter.busyDepth, 0);
    QCOMPARE(main.LST_Tables->selectedItems().size(), 3); // to try again
}

void TestMainRoad::tableListFailureKeepsWhatWasRead() {
    ProgramRun run(databaseSessionFactory());
    const QString file = snapshotFile(run.folder.path(), {"T1", "T2"});
    createSqliteFile(file, {QStringLiteral("INSERT INTO USER_TABLES VALUES (NULL)")});
    MainView main(run.main());
    QVERIFY(logOnAs(run, QStringLiteral("APP"), file));

    // The general error display, and the window stays with the names read before.
    QCOMPARE(run.messages.reporter.messages.size(), 1);
    QCOMPARE(run.messages.reporter.messages.first().icon, MessageIcon::Error);
    QCOMPARE(run.messages.reporter.messages.first().caption, QStringLiteral("Tamsel"));
    QVERIFY(run.messages.reporter.messages.first().text.contains(QStringLiteral("TABLE_NAME")));
    QVERIFY(main->isVisible());
    QVERIFY(run.logon()->Connected);
    QCOMPARE(main.LST_Tables->count(), 2);

    // Selecting goes over the items the list holds.
    selectTables(main, {0, 1});
    QCOMPARE(rowNames(main), (QStringList{"T1", "T2"}));
    QCOMPARE(run.messages.reporter.messages.size(), 1);
}

void TestMainRoad::emptyTableList() {
    ProgramRun run(databaseSessionFactory());
    const QString file = snapshotFile(run.folder.path(), {});
    MainView main(run.main());
    QVERIFY(logOnAs(run, QStringLiteral("APP"), file));
    QCOMPARE(run.messages.reporter.texts(), QStringList{QStringLiteral("テーブルが存在しません")});
    QCOMPARE(run.messages.reporter.messages.first().icon, MessageIcon::Warning);
    QCOMPARE(main.LST_Tables->count(), 0);
    main.MNU_Select->trigger();
    QVERIFY(main.Rows->isEmpty());
    QCOMPARE(run.messages.reporter.messages.size(), 1);
}

void TestMainRoad::argumentsCopiedInAndOut() {
    ProgramRun run;
    ScopedModalRunner dialogs;
    MainView main(run.main());
    TFRM_Reference* dialog = run.program->Windows.FRM_Reference;
    QVERIFY(logOnAs(run));
    selectTables(main, {0, 1, 2});
    click(main.Rows->at(1).PublicCheck);

    // Never edited: nothing selected, both "作成しない", counts 10 and 10.
    struct Shown {
        QList<bool> selected;
        bool strOff = false;
        bool numOff = false;
        bool strOn = false;
        bool numOn = false;
        QString strCount;
        QString numCount;
    };
    QList<Shown> shown;
    const auto record = [&] {
        Shown s;
        for (int k = 0; k < dialog->LST_RefTables->count(); ++k)
            s.selected.append(dialog->LST_RefTables->item(k)->isSelected());
        s.strOff = dialog->RDB_STROFF->isChecked();
        s.numOff = dialog->RDB_NUMOFF->isChecked();
        s.strOn = dialog->RDB_STRON->isChecked();
        s.numOn = dialog->RDB_NUMON->isChecked();
        s.strCount = dialog->EDT_STRCNT->text();
        s.numCount = dialog->EDT_NUMCNT->text();
        shown.append(s);
    };
    dialogs.answers.append([&](QDialog&) {
        record();
        dialog->LST_RefTables->item(2)->setSelected(true);
        dialog->RDB_NUMON->setChecked(true);
        dialog->EDT_NUMCNT->setText(QStringLiteral("-5"));
        return int(QDialog::Accepted);
    });
    click(main.Rows->at(1).RefButton);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("[EMP]の引数設定"));
    QCOMPARE(dialog->LST_RefTables->count(), 3);
    QCOMPARE(shown[0].selected, QList<bool>(3, false));
    QVERIFY(shown[0].strOff && shown[0].numOff);
    QCOMPARE(shown[0].strCount, QStringLiteral("10"));
    QCOMPARE(shown[0].numCount, QStringLiteral("10"));
    const TTableSettings& emp = main->model().CandidateList[1];
    QCOMPARE(emp.ArgumentTables, (QList<qsizetype>{2}));
    QCOMPARE(emp.ArgumentTableCount, 1);
    QVERIFY(emp.GenNumOn);
    QVERIFY(!emp.GenStrOn);
    QCOMPARE(emp.GenNumCount, -5);
    QCOMPARE(emp.GenStrCount, 10);

    // Cancelled after changes: the record stays; the next showing shows it again.
    dialogs.answers.append([&](QDialog&) {
        dialog->LST_RefTables->clearSelection();
        dialog->RDB_STRON->setChecked(true);
        dialog->EDT_STRCNT->setText(QStringLiteral("7"));
        return int(QDialog::Rejected);
    });
    click(main.Rows->at(1).RefButton);
    QCOMPARE(emp.ArgumentTables, (QList<qsizetype>{2}));
    QVERIFY(!emp.GenStrOn);
    QCOMPARE(emp.GenStrCount, 10);
    dialogs.answers.append([&](QDialog&) {
        record();
        return int(QDialog::Rejected);
    });
    click(main.Rows->at(1).RefButton);
    QCOMPARE(dialogs.shown.size(), 3);
    QCOMPARE(shown[1].selected, (QList<bool>{false, false, true}));
    QVERIFY(shown[1].strOff && shown[1].numOn);
    QCOMPARE(shown[1].strCount, QStringLiteral("10"));
    QCOMPARE(shown[1].numCount, QStringLiteral("-5"));

    // Public switched off and on by inversion: the settings survive.
    main.BTN_Public->click();
    QVERIFY(!main.Rows->at(1).RefButton->isEnabled());
    QVERIFY(main.Rows->at(0).RefButton->isEnabled());
    main.MNU_Public->trigger();
    QVERIFY(main.Rows->at(1).RefButton->isEnabled());
    QVERIFY(!main.Rows->at(0).RefButton->isEnabled());
    QCOMPARE(emp.GenNumCount, -5);
    QVERIFY(run.messages.reporter.messages.isEmpty());
}

void TestMainRoad::logoutClearsListPreviewAndRows_data() {
    QTest::addColumn<bool>("rows");
    QTest::addColumn<QString>("preview"); // "", "generated" or "typed"
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("yes");
    QTest::newRow("empty window: at once") << false << "" << false << true;
    QTest::newRow("rows and preview, Yes") << true << "generated" << true << true;
    QTest::newRow("rows and preview, No") << true << "generated" << true << false;
    QTest::newRow("rows only, No") << true << "" << true << false;
    QTest::newRow("typed preview only, No") << false << "typed" << true << false;
}

void TestMainRoad::logoutClearsListPreviewAndRows() {
    QFETCH(bool, rows);
    QFETCH(QString, preview);
    QFETCH(bool, asked);
    QFETCH(bool, yes);
    ProgramRun run;
    MainView main(run.main());
    QVERIFY(logOnAs(run));
    if (rows) {
        selectTables(main, {1});
        click(main.Rows->at(0).PublicCheck);
    }
    if (preview == u"generated")
        main.MNU_Execute->trigger();
    if (preview == u"typed")
        typeText(main.MEM_Preview, QStringLiteral("-- kept"));
    const QString text = main.MEM_Preview->text();
    run.messages.reporter.answers = {yes ? MessageAnswer::Yes : MessageAnswer::No};

    // Ctrl+O, as the user presses it.
    QVERIFY(QTest::qWaitForWindowActive(main));
    QTest::keyClick(main, Qt::Key_O, Qt::ControlModifier);
    if (asked) {
        QCOMPARE(run.messages.reporter.texts(),
                 QStringList{QStringLiteral(
                     "作成候補とプレビューを破棄してログアウトします。よろしいですか？")});
        const RecordingReporter::Message& m = run.messages.reporter.messages.first();
        QCOMPARE(m.caption, QStringLiteral("Tamsel"));
        QCOMPARE(m.buttons, MessageButtons::YesNoDefaultNo); // Enter keeps the work
    } else {
        QVERIFY(run.messages.reporter.messages.isEmpty());
    }
    if (!yes) {
        // Nothing is lost: the window, its rows with their flags and the preview stay.
        QVERIFY(main->isVisible());
        QVERIFY(!run.logon()->isVisible());
        QCOMPARE(run.databases.closes, 0);
        QCOMPARE(main.MEM_Preview->text(), text);
        QCOMPARE(rowNames(main), rows ? QStringList{kDemoTables[1]} : QStringList{});
        if (rows)
            QVERIFY(main.Rows->at(0).PublicCheck->isChecked());
        QCOMPARE(main.LST_Tables->count(), kDemoTables.size());
        return;
    }
    QCOMPARE(run.databases.closes, 1);
    QVERIFY(!main->isVisible());
    QVERIFY(run.logon()->isVisible());
    QCOMPARE(main.LST_Tables->count(), 0);
    QVERIFY(main.MEM_Preview->text().isEmpty());
    QVERIFY(!main.MNU_Save->isEnabled());
    QVERIFY(main.Rows->isEmpty());
    QVERIFY(main->model().CandidateList.isEmpty());
    QCOMPARE(listCommandsEnabled(main), std::optional<bool>(false));

    // A new logon shows a fresh list, once.
    QTest::mouseClick(run.logon()->CMD_OK, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(main));
    QCOMPARE(main.LST_Tables->count(), kDemoTables.size());
    QVERIFY(main.MEM_Preview->text().isEmpty());
    QCOMPARE(listCommandsEnabled(main), std::optional<bool>(false));
}
