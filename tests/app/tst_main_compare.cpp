#include "tst_main_compare.h"

#include "main_fixture.h"
#include "support/test_files.h"
#include "ui/dialogs/frm_compare.h"
#include "ui/main/frm_main.h"
#include "ui/main/preview_compare.h"
#include "util/sjis.h"

#include <QAction>
#include <QDir>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>

namespace {

QAction* action(const MainView& m, const char* name) {
    return m->findChild<QAction*>(QLatin1String(name));
}

// Lines as the saved-file format holds them.
QByteArray sjisFile(const QStringList& lines) {
    return toSjis(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// The colour painted at the right end of a line of the diff, where no text reaches.
QColor lineColour(QPlainTextEdit* view, int line) {
    const QImage shown = view->viewport()->grab().toImage();
    const QRect where = view->cursorRect(QTextCursor(view->document()->findBlockByNumber(line)));
    return shown.pixelColor(shown.width() - 3, where.center().y());
}

} // namespace

void TestMainCompare::showsTheDiffFromTheLastSavedFile() {
    ProgramRun run;
    ScopedSaveDialog saves;
    ScopedOpenDialog opens;
    MainView m(run.main());
    QVERIFY(logOnAs(run));
    const QStringList lines{"CREATE OR REPLACE PACKAGE EMP_PACK AS",
                            "--作成日時  ：2001年05月12日(土) [14:03:09]",
                            "--編集者    ：YAMADA",
                            "  a NUMBER;",
                            "  b NUMBER;",
                            "  c NUMBER;",
                            "  d NUMBER;",
                            "END EMP_PACK;"};
    m.Preview->ReplacePreview(lines, false);
    const QString path = QDir(run.folder.path()).filePath(QStringLiteral("EMP_PACK.sql"));
    saves.answers.append(path);
    m.MNU_Save->trigger();

    // Another creation date is no difference.
    QStringList saved = lines;
    saved[1] = QStringLiteral("--作成日時  ：1999年12月31日(金) [23:59:59]");
    writeFileBytes(path, sjisFile(saved));
    opens.answers.append(path);
    action(m, "MNU_Compare")->trigger();
    QCOMPARE(opens.folders, QStringList{path}); // the file last saved is offered
    QCOMPARE(opens.filters.first(), PreviewPane::packageFilter());
    QCOMPARE(run.messages.reporter.texts(), QStringList{"差異はありません"});

    saved[2] = QStringLiteral("--編集者    ：SUZUKI");
    writeFileBytes(path, sjisFile(saved));
    opens.answers.append(path);
    action(m, "MNU_Compare")->trigger();
    QCOMPARE(run.messages.reporter.messages.size(), 1);
    auto* window = m->findChild<TFRM_Compare*>(QStringLiteral("FRM_Compare"));
    QVERIFY(window && window->isVisible());
    QVERIFY(window->windowTitle().endsWith(path));
    QCOMPARE(window->MEM_Diff->toPlainText(), "--- " + path +
                                                  "\n"
                                                  "+++ プレビュー\n"
                                                  "@@ -1,6 +1,6 @@\n"
                                                  " CREATE OR REPLACE PACKAGE EMP_PACK AS\n"
                                                  " --作成日時  ：1999年12月31日(金) [23:59:59]\n"
                                                  "---編集者    ：SUZUKI\n"
                                                  "+--編集者    ：YAMADA\n"
                                                  "   a NUMBER;\n"
                                                  "   b NUMBER;\n"
                                                  "   c NUMBER;");
    QVERIFY(window->MEM_Diff->isReadOnly());
    // The file names, the removed line that starts like one, the added line, the context.
    QCOMPARE(lineColour(window->MEM_Diff, 0), QColor(0xea, 0xee, 0xf2));
    QCOMPARE(lineColour(window->MEM_Diff, 5), QColor(0xff, 0xeb, 0xe9));
    QCOMPARE(lineColour(window->MEM_Diff, 6), QColor(0xe6, 0xff, 0xec));
    QCOMPARE(lineColour(window->MEM_Diff, 7), window->MEM_Diff->palette().base().color());
    QCOMPARE(readFileBytes(path), sjisFile(saved)); // only read

    // The next user does not see this one's text.
    m.MNU_Logout->trigger();
    QVERIFY(!window->isVisible());
    QVERIFY(!action(m, "MNU_Compare")->isEnabled());
}

void TestMainCompare::answersWithoutADiff_data() {
    QTest::addColumn<bool>("vb");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("saved"); // empty: the file is a folder
    QTest::addColumn<QString>("message");  // PATH for the file's path
    QTest::newRow("a module of another date")
        << true << QStringList{"Option Explicit", "'作成日時  ：2001年05月12日(土) [14:03:09]"}
        << sjisFile({"Option Explicit", "'作成日時  ：2020年01月01日(水) [00:00:00]"})
        << "差異はありません";
    QTest::newRow("LF where CR LF is saved")
        << false << QStringList{"a", "b"} << QByteArray("a\nb\n")
        << "PATH は生成した内容と異なります\n1 行目の行末がCR LFではありません";
    QTest::newRow("a folder") << false << QStringList{"a"} << QByteArray()
                              << "比較するファイルを読めません\nPATH: フォルダです";
    QTest::newRow("what Shift-JIS cannot hold, before the dialog")
        << false << QStringList{"a", "-- 😀"} << QByteArray("a\r\n")
        << "Shift-JISで保存できない文字があります：「😀」（2行目）";
}

void TestMainCompare::answersWithoutADiff() {
    QFETCH(bool, vb);
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, saved);
    QFETCH(QString, message);
    ProgramRun run;
    ScopedOpenDialog opens;
    MainView m(run.main());
    QVERIFY(logOnAs(run));
    m.Preview->ReplacePreview(lines, vb);
    QString path = QDir(run.folder.path()).filePath(QStringLiteral("saved"));
    if (saved.isEmpty())
        QVERIFY(QDir(run.folder.path()).mkdir(QStringLiteral("saved")));
    else
        writeFileBytes(path, saved);
    opens.answers.append(path);
    action(m, "MNU_Compare")->trigger();
    QCOMPARE(run.messages.reporter.texts(), QStringList{message.replace("PATH", path)});
    // Nothing saved yet: the dialog opens in the default folder.
    const bool asked = !message.startsWith(u"Shift-JIS");
    QCOMPARE(opens.folders,
             asked ? QStringList{run.program->Settings.GenSettings.DefPath} : QStringList{});
    QCOMPARE(m->findChild<TFRM_Compare*>(), nullptr);
}

void TestMainCompare::aLongDiffIsCut() {
    ProgramRun run;
    ScopedOpenDialog opens;
    MainView m(run.main());
    QVERIFY(logOnAs(run));
    m.Preview->ReplacePreview({"a"}, false);
    // Some 30,000 removed lines, in more than one block of the diff.
    const QString path = QDir(run.folder.path()).filePath(QStringLiteral("dump.sql"));
    writeFileBytes(path,
                   QByteArray("-- a line that the preview does not have\r\n").repeated(30000));
    m->findChild<PreviewCompare*>()->setShownDiffLimit(1);
    opens.answers.append(path);
    action(m, "MNU_Compare")->trigger();
    const QString shown = m->findChild<TFRM_Compare*>()->MEM_Diff->toPlainText();
    QVERIFY(shown.endsWith("（ここから先は省略しました。全体は tamsel-gen --check で見られます）"));
    QVERIFY2(shown.size() < 30000 * 40 / 2, qPrintable(QString::number(shown.size())));
}

void TestMainCompare::utf8SaveAndItsSetting() {
    {
        ProgramRun run(QStringLiteral("[LastStatus]\nSaveUtf8=1\n"));
        MainView m(run.main());
        QVERIFY(logOnAs(run));
        QVERIFY(action(m, "MNU_SaveUtf8")->isChecked()); // the stored choice, shown
    }
    ProgramRun run;
    ScopedSaveDialog saves;
    ScopedOpenDialog opens;
    MainView m(run.main());
    QVERIFY(logOnAs(run));
    QAction* utf8 = action(m, "MNU_SaveUtf8");
    QVERIFY(utf8->isCheckable() && !utf8->isChecked());
    utf8->trigger();
    // What Shift-JIS cannot hold is no reason to refuse now.
    m.Preview->ReplacePreview({"-- 完了 😀", "x"}, false);
    const QString path = QDir(run.folder.path()).filePath(QStringLiteral("out.sql"));
    saves.answers.append(path);
    m.MNU_Save->trigger();
    QCOMPARE(readFileBytes(path), QByteArray("-- 完了 😀\nx\n"));
    opens.answers.append(path);
    action(m, "MNU_Compare")->trigger();
    QCOMPARE(run.messages.reporter.texts(), QStringList{"差異はありません"});

    // The table structure as well, in the same bytes as tamsel-gen csv --utf8 writes.
    selectTables(m, {0, 1, 6});
    const QString csv = QDir(run.folder.path()).filePath(QStringLiteral("DEPT.csv"));
    saves.answers.append(csv);
    m.MNU_OutPutDesc->trigger();
    QString expected = *fromSjis(readFileBytes(testDataPath("ui/road_structure.csv")));
    QCOMPARE(readFileBytes(csv), expected.replace("\r\n", "\n").toUtf8());

    run.main()->close();
    QCOMPARE(run.stored(QStringLiteral("LastStatus"), QStringLiteral("SaveUtf8")), "1");
}
