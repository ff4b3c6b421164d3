#include "tst_main_window.h"

#include "main_fixture.h"
#include "support/test_files.h"
#include "ui/dialogs/frm_about.h"
#include "ui/dialogs/frm_option.h"
#include "ui/fonts.h"
#include "ui/main/frm_main.h"
#include "ui/main/table_rows.h"
#include "ui/widgets/code_editor.h"
#include "ui/widgets/control_hint.h"
#include "ui/window_geometry.h"
#include "util/clock.h"
#include "util/sjis.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <new>
#include <stdexcept>

namespace {

int bottom(const QWidget* w) {
    return w->y() + w->height();
}

int right(const QWidget* w) {
    return w->x() + w->width();
}

QByteArray toSjisBytes(const char* utf8) {
    return toSjis(QString::fromUtf8(utf8));
}

// A clock that fails when a header asks it for the date.
class FailingClock : public Clock {
public:
    explicit FailingClock(bool outOfMemory) : outOfMemory_(outOfMemory) {}
    QDateTime now() const override {
        if (outOfMemory_)
            throw std::bad_alloc();
        throw std::runtime_error("clock failed");
    }

private:
    bool outOfMemory_;
};

// Logged on to the demo database with EMP (public) and DEPT as candidates.
struct Working {
    Working() {
        main = run.main();
        ok = logOnAs(run);
        if (!ok)
            return;
        const MainView view(main);
        selectTables(view, {0, 1});
        ok = view.Rows->size() == 2;
        if (ok)
            view.Rows->at(1).PublicCheck->setChecked(true);
    }
    ProgramRun run;
    TFRM_Main* main = nullptr;
    bool ok = false;
};

} // namespace

void TestMainWindow::designLayout() {
    ProgramRun run;
    MainView m(run.main());
    QVERIFY(!m->isVisible());
    QCOMPARE(m->windowTitle(), QStringLiteral("Tamsel"));
    QCOMPARE(m->font(), windowFont());
    QCOMPARE(m.MEM_Preview->font(), previewFont());
    QVERIFY(m.LBL_Tables->font().bold());

    // The client area as designed: 640 x 480 less frame, caption and menu bar.
    const QSize client = m->centralWidget()->size();
    QCOMPARE(client.width(), 632);
    QCOMPARE(client.height() + m.STB_Main->sizeHint().height() + m->menuBar()->sizeHint().height() +
                 27,
             480);

    // Each control placed by its rule from the ones before it, in the designed client area:
    // a wrong rule moves a control away from where its neighbours say it belongs.
    const QRect list = m.LST_Tables->geometry();
    const QRect caption = m.LBL_CapTableName->geometry();
    QCOMPARE(m.LBL_Tables->pos(), QPoint(10, 8));
    QCOMPARE(list, QRect(m.LBL_Tables->x(), bottom(m.LBL_Tables) + 5, 200, 200));
    QCOMPARE(caption.topLeft(), QPoint(m.LBL_Tables->x() + 5, bottom(m.LST_Tables) + 10));
    QCOMPARE(m.BTN_Select->geometry(),
             QRect(right(m.LBL_CapTableName) + 10, caption.y() - 4, 75, 20));
    const QPushButton* heads[] = {m.BTN_Public, m.BTN_Array, m.BTN_INS, m.BTN_UPD, m.BTN_CLR};
    QCOMPARE(heads[0]->geometry(), QRect(right(m.LST_Tables), caption.y() - 3, 35, 17));
    for (int k = 1; k < 5; ++k)
        QCOMPARE(heads[k]->geometry(), QRect(heads[k - 1]->x() + 40, heads[0]->y(), 35, 17));
    QCOMPARE(m.LBL_Ref->geometry(), QRect(m.BTN_CLR->x() + 45, caption.y(), 24, 12));
    QCOMPARE(m.BTN_Execute->geometry(), QRect(m.LBL_Ref->x() + 40, m.BTN_Select->y(), 75, 20));
    QCOMPARE(m.BTN_vbExecute->geometry(),
             QRect(m.BTN_Execute->x() + 80, m.BTN_Select->y(), 75, 20));
    QCOMPARE(m.SCB_Main->geometry(),
             QRect(list.x(), bottom(m.LBL_CapTableName) + 10, client.width() - (list.x() + 10),
                   client.height() - (bottom(m.LBL_CapTableName) + 10 + 5)));
    QCOMPARE(m.MEM_Preview->geometry(),
             QRect(right(m.LST_Tables) + 5, list.y(),
                   client.width() - (right(m.LST_Tables) + 5 + 10), list.height()));
    QCOMPARE(m.LBL_Preview->pos(), QPoint(m.MEM_Preview->x(), m.LBL_Tables->y()));

    // Captions, and the controls' properties.
    QCOMPARE(m.LBL_CapTableName->text(), QStringLiteral("テーブル名"));
    QCOMPARE(m.BTN_Select->text(), QStringLiteral("選択(F4)"));
    QCOMPARE(m.BTN_CLR->text(), QStringLiteral("S&&C"));
    QCOMPARE(m.LBL_Ref->text(), QStringLiteral("引数"));
    QCOMPARE(m.BTN_Execute->text(), QStringLiteral("実行(F5)"));
    QCOMPARE(m.BTN_Execute->layoutDirection(), Qt::RightToLeft); // glyph right of the text
    QCOMPARE(m.BTN_vbExecute->text(), QStringLiteral("VB(F6)↑"));
    QCOMPARE(m.LBL_Preview->text(), QStringLiteral("プレビュー"));
    QCOMPARE(m.LST_Tables->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(m.SCB_Main->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(m.MEM_Preview->wrapMode(), QsciScintilla::WrapNone);
    QCOMPARE(m.MEM_Preview->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(m.MEM_Preview->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(!m.MEM_Preview->isReadOnly());
    QVERIFY(m.MEM_Preview->text().isEmpty());
    QVERIFY(!m.STB_Main->isSizeGripEnabled());
    QCOMPARE(m.STB_Panels[0]->width(), 350);
    QCOMPARE(m.STB_Panels[1]->width(), 100);
    QCOMPARE(m.STB_Panels[0]->text(), QStringLiteral("（各ﾎﾞﾀﾝにﾏｳｽをのせるとﾋﾝﾄを表示します）"));
    QCOMPARE(m.TIM_Hint->interval(), 4000);
    QVERIFY(!m.TIM_Hint->isActive());
    QVERIFY(!m.Preview->PreviewIsVb());
    for (QPushButton* b : m->findChildren<QPushButton*>())
        QVERIFY2(b->toolTip().isEmpty(), qPrintable(b->objectName()));
    QCOMPARE(listCommandsEnabled(m), std::optional<bool>(false));

    // The stored outer size, placed by thirds.
    QCOMPARE(outerSize(m), QSize(640, 480));
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    QCOMPARE(m->pos(), placedPosition(screen, QSize(640, 480), 3));
}

void TestMainWindow::shownLayoutAndTabOrder() {
    ProgramRun run;
    MainView m(run.main());
    const QSize design = m->centralWidget()->size();
    const QRect list = m.LST_Tables->geometry();
    const QRect select = m.BTN_Select->geometry();
    QVERIFY(logOnAs(run));
    // The real frame is not the designed one; the anchors carry the difference.
    const QSize frame = outerSize(m) - m->size();
    const QSize grown = m->centralWidget()->size() - design;
    QCOMPARE(grown, QSize(8, 27) - frame);
    QCOMPARE(grown.height(), m.LST_Tables->height() - 200);
    QCOMPARE(m.LST_Tables->geometry(), list.adjusted(0, 0, 0, grown.height()));
    QCOMPARE(m.BTN_Select->geometry(), select.translated(0, grown.height()));
    QCOMPARE(m.MEM_Preview->height(), m.LST_Tables->height());
    QCOMPARE(right(m.MEM_Preview), m->centralWidget()->width() - 10);
    QCOMPARE(right(m.SCB_Main), m->centralWidget()->width() - 10);
    QCOMPARE(bottom(m.SCB_Main), m->centralWidget()->height() - 5);

    // Tab order; the rows come between the execute button and the list, in their order.
    selectTables(m, {0, 1, 2});
    QList<QWidget*> expected{m.BTN_Select, m.BTN_Public, m.BTN_Array,  m.BTN_INS,
                             m.BTN_UPD,    m.BTN_CLR,    m.BTN_Execute};
    for (int i = 0; i < 3; ++i) {
        const TableRow& row = m.Rows->at(i);
        row.PublicCheck->setChecked(true);
        expected << row.PublicCheck << row.ArrayCheck << row.InsCheck << row.UpdCheck
                 << row.ClrCheck << row.RefButton;
    }
    expected << m.LST_Tables << m.MEM_Preview << m.BTN_vbExecute;
    QWidget* w = expected.first();
    for (qsizetype k = 1; k < expected.size(); ++k) {
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(m) || w == m.SCB_Main ||
               !m->isAncestorOf(w) || w->focusProxy());
        QCOMPARE(w->objectName(), expected[k]->objectName());
        QCOMPARE(w, expected[k]);
    }
}

void TestMainWindow::anchorsAndSnapping_data() {
    QTest::addColumn<QSize>("asked");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("larger") << QSize(800, 600) << QSize(800, 600);
    QTest::newRow("wide") << QSize(1024, 700) << QSize(1024, 700);
    QTest::newRow("too narrow and too low") << QSize(300, 200) << QSize(640, 320);
    QTest::newRow("too narrow") << QSize(500, 400) << QSize(640, 400);
    QTest::newRow("too low") << QSize(700, 250) << QSize(700, 320);
    QTest::newRow("the smallest") << QSize(640, 320) << QSize(640, 320);
}

void TestMainWindow::anchorsAndSnapping() {
    QFETCH(QSize, asked);
    QFETCH(QSize, expected);
    ProgramRun run;
    MainView m(run.main());
    QVERIFY(logOnAs(run));
    selectTables(m, {0, 1, 2, 3, 4, 5, 6});
    const QSize before = m->centralWidget()->size();
    const QRect list = m.LST_Tables->geometry();
    const QRect preview = m.MEM_Preview->geometry();
    const QRect box = m.SCB_Main->geometry();
    const QRect execute = m.BTN_Execute->geometry();

    // As a user drags the frame: the outer size is what is asked for.
    m->resize(asked - (outerSize(m) - m->size()));
    QTRY_COMPARE_WITH_TIMEOUT(outerSize(m), expected, 1000);
    const QSize grown = m->centralWidget()->size() - before;
    QCOMPARE(grown, expected - QSize(640, 480));
    QCOMPARE(m.LST_Tables->geometry(), list.adjusted(0, 0, 0, grown.height()));
    QCOMPARE(m.MEM_Preview->geometry(), preview.adjusted(0, 0, grown.width(), grown.height()));
    QCOMPARE(m.SCB_Main->geometry(),
             box.translated(0, grown.height()).adjusted(0, 0, grown.width(), 0));
    QCOMPARE(m.BTN_Execute->geometry(), execute.translated(0, grown.height()));
    // Every row's separator is as wide as the scroll box's client area.
    for (qsizetype i = 0; i < m.Rows->size(); ++i)
        QCOMPARE(m.Rows->at(i).Separator->width(), m.SCB_Main->viewport()->width());

    // The status panels side by side within the bar: 350 and 100, the last 200 where that
    // fits and otherwise the rest of the bar.
    QLabel* const* p = m.STB_Panels;
    const int bar = m.STB_Main->width();
    QCOMPARE(QList<int>({p[0]->width(), p[1]->width()}), QList<int>({350, 100}));
    QVERIFY(p[0]->x() >= 0 && p[1]->x() >= right(p[0]) && p[2]->x() >= right(p[1]));
    QVERIFY(right(p[2]) <= bar && p[2]->isVisible());
    if (expected.width() < 700)
        QVERIFY(p[2]->width() < 200 && right(p[2]) >= bar - 6);
    else
        QCOMPARE(p[2]->width(), 200);
}

void TestMainWindow::menus_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("checked"); // -1: no check mark
    const QKeySequence none;
    QTest::newRow("logout") << "MNU_Logout"
                            << "ログアウト(&L)" << QKeySequence(Qt::CTRL | Qt::Key_O) << true << -1;
    QTest::newRow("save") << "MNU_Save"
                          << "名前を付けて保存(&S)..." << QKeySequence(Qt::CTRL | Qt::Key_S)
                          << false << -1;
    QTest::newRow("compare") << "MNU_Compare"
                             << "保存済みファイルと比較(&D)..." << none << false << -1;
    QTest::newRow("utf-8") << "MNU_SaveUtf8"
                           << "UTF-8で保存" << none << true << 0;
    QTest::newRow("save profile") << "MNU_SaveProfile"
                                  << "作成候補をプロファイルに保存(&P)..." << none << false << -1;
    QTest::newRow("open profile") << "MNU_OpenProfile"
                                  << "プロファイルを開く(&R)..." << none << true << -1;
    QTest::newRow("quit") << "MNU_Quit"
                          << "閉じる(&X)" << QKeySequence(Qt::CTRL | Qt::Key_Q) << true << -1;
    QTest::newRow("select") << "MNU_Select"
                            << "リストから選択(&S)" << QKeySequence(Qt::Key_F4) << true << -1;
    QTest::newRow("execute") << "MNU_Execute"
                             << "作成実行(&E)" << QKeySequence(Qt::Key_F5) << false << -1;
    QTest::newRow("vb") << "MNU_vbExecute"
                        << "VBソース作成(&V)" << QKeySequence(Qt::Key_F6) << false << -1;
    QTest::newRow("clear") << "MNU_ListClear"
                           << "作成候補リストをクリア(&C)" << none << false << -1;
    QTest::newRow("public") << "MNU_Public"
                            << "公開ﾁｪｯｸ反転(&P)" << none << false << -1;
    QTest::newRow("array") << "MNU_Array"
                           << "配列ﾁｪｯｸ反転(&A)" << none << false << -1;
    QTest::newRow("ins") << "MNU_INS"
                         << "INSERTﾁｪｯｸ反転(&I)" << none << false << -1;
    QTest::newRow("upd") << "MNU_UPD"
                         << "UPDATEﾁｪｯｸ反転(&U)" << none << false << -1;
    QTest::newRow("s&c") << "MNU_CLR"
                         << "SET&&CLEARﾁｪｯｸ反転(&R)" << none << false << -1;
    QTest::newRow("pack header") << "MNU_PackHeader"
                                 << "ﾊﾟｯｹｰｼﾞﾍｯﾀﾞｰを作成(&P)" << none << true << 1;
    QTest::newRow("proc header") << "MNU_ProcHeader"
                                 << "ﾌﾟﾛｼｰｼﾞｬﾍｯﾀﾞｰを作成(&R)" << none << true << 1;
    QTest::newRow("oracle const") << "MNU_OracleConst"
                                  << "ｵﾗｸﾙ関連定数の宣言(&O)" << none << true << 1;
    QTest::newRow("module header") << "MNU_ModHeader"
                                   << "ﾓｼﾞｭｰﾙﾍｯﾀﾞｰを作成(&M)" << none << true << 1;
    QTest::newRow("vb proc header") << "MNU_VbProcHeader"
                                    << "ﾌﾟﾛｼｰｼﾞｬﾍｯﾀﾞｰを作成(&R)" << none << true << 1;
    QTest::newRow("structure") << "MNU_OutPutDesc"
                               << "テーブル構造出力(&T)..." << none << false << -1;
    QTest::newRow("setting") << "MNU_Setting"
                             << "設定(&S)..." << none << true << -1;
    QTest::newRow("about") << "MNU_About"
                           << "バージョン情報(&A)" << none << true << -1;
    QTest::newRow("help") << "MNU_Help"
                          << "Tamselヘルプ(&C)" << none << true << -1;
}

void TestMainWindow::menus() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    QFETCH(bool, enabled);
    QFETCH(int, checked);
    ProgramRun run;
    MainView m(run.main());
    const QAction* item = m->findChild<QAction*>(name);
    QVERIFY(item);
    QCOMPARE(item->text(), caption);
    QCOMPARE(item->shortcut(), shortcut);
    QCOMPARE(item->isEnabled(), enabled);
    QCOMPARE(item->isCheckable(), checked >= 0);
    if (checked >= 0)
        QCOMPARE(item->isChecked(), checked == 1);
    else
        QVERIFY2(!item->icon().isNull() || name.endsWith(u"Public") || name.endsWith(u"Array") ||
                     name.endsWith(u"INS") || name.endsWith(u"UPD") || name.endsWith(u"CLR"),
                 "a command has its icon");
}

void TestMainWindow::hintsInStatusBar() {
    Working w;
    QVERIFY(w.ok);
    MainView m(w.main);
    QLabel* panel = m.STB_Panels[0];
    const QString initial = QStringLiteral("（各ﾎﾞﾀﾝにﾏｳｽをのせるとﾋﾝﾄを表示します）");
    QCOMPARE(panel->text(), initial);

    const std::pair<QWidget*, QString> hints[] = {
        {m.BTN_Execute, QStringLiteral("パッケージソースを作成し、プレビュー表示します")},
        {m.BTN_vbExecute, QStringLiteral("VBソースを作成し、プレビュー表示します")},
        {m.BTN_Select, QStringLiteral("リストから作成候補テーブルを選びます (ﾊﾟｯｹｰｼﾞ)(VB)")},
        {m.BTN_Public, QStringLiteral("外部に公開するﾌﾟﾛｼｰｼﾞｬを選択 (ﾊﾟｯｹｰｼﾞ)(VB)")},
        {m.BTN_Array, QStringLiteral("作成する変数を配列にする場合選択 (ﾊﾟｯｹｰｼﾞ)(VB)")},
        {m.BTN_INS, QStringLiteral("ｲﾝｻｰﾄﾌﾟﾛｼｰｼﾞｬを自動生成する時選択 (ﾊﾟｯｹｰｼﾞ)")},
        {m.BTN_UPD, QStringLiteral("ｱｯﾌﾟﾃﾞｰﾄﾌﾟﾛｼｰｼﾞｬを自動作成する時選択 (ﾊﾟｯｹｰｼﾞ)")},
        {m.BTN_CLR, QStringLiteral("項目変数のｾｯﾄ&&ｸﾘｱを自動作成する時選択 (ﾊﾟｯｹｰｼﾞ)")},
        {m.Rows->at(1).RefButton,
         QStringLiteral("外部に公開するﾌﾟﾛｼｰｼﾞｬの引数を選択します (ﾊﾟｯｹｰｼﾞ)(VB)")},
    };
    for (const auto& [button, hint] : hints) {
        QTest::mouseMove(button, QPoint(5, 5));
        QTest::mouseMove(button, QPoint(8, 6));
        QCOMPARE(panel->text(), hint); // doubled ampersands as they are
        QVERIFY(m.TIM_Hint->isActive());
        QCOMPARE(m.TIM_Hint->interval(), 4000);
    }
    QVERIFY(QToolTip::text().isEmpty());

    // Each movement starts the 4 seconds again; then the default comes back. The test
    // shortens the wait once it has seen the interval.
    QTest::mouseMove(m.BTN_Execute, QPoint(10, 10));
    QTest::qWait(50);
    const int left = m.TIM_Hint->remainingTime();
    QVERIFY(left > 0 && left < 4000);
    QTest::mouseMove(m.BTN_Execute, QPoint(11, 10));
    QVERIFY(m.TIM_Hint->remainingTime() > left);
    m.TIM_Hint->setInterval(30);
    QTest::mouseMove(m.BTN_Execute, QPoint(12, 10));
    QCOMPARE(panel->text(), QStringLiteral("パッケージソースを作成し、プレビュー表示します"));
    QTRY_COMPARE(panel->text(), initial);
    QVERIFY(!m.TIM_Hint->isActive());

    // The other panels are never written.
    QVERIFY(m.STB_Panels[1]->text().isEmpty());
    QVERIFY(m.STB_Panels[2]->text().isEmpty());
}

void TestMainWindow::previewChangeEnablesSave() {
    ProgramRun run;
    MainView m(run.main());
    QVERIFY(logOnAs(run));
    QVERIFY(!m.MNU_Save->isEnabled());
    m.MEM_Preview->setFocus();
    QTest::keyClicks(m.MEM_Preview, QStringLiteral("x"));
    QVERIFY(m.MNU_Save->isEnabled());
    QTest::keyClick(m.MEM_Preview, Qt::Key_Backspace);
    QVERIFY(!m.MNU_Save->isEnabled());
    // Tab goes into the text.
    QTest::keyClick(m.MEM_Preview, Qt::Key_Tab);
    QCOMPARE(m.MEM_Preview->text(), QStringLiteral("\t"));
    QCOMPARE(QApplication::focusWidget(), m.MEM_Preview);
    QVERIFY(m.MNU_Save->isEnabled());
}

void TestMainWindow::previewLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("one line") << "abc" << QStringList{"abc"};
    QTest::newRow("final line break") << "abc\n" << QStringList{"abc"};
    QTest::newRow("empty line at the end") << "abc\n\n" << QStringList{"abc", ""};
    QTest::newRow("only a line break") << "\n" << QStringList{""};
    QTest::newRow("two lines") << "a\nb" << QStringList{"a", "b"};
    QTest::newRow("soft line break") << QStringLiteral("a\u2028b\nc") << QStringList{"a", "b", "c"};
    QTest::newRow("tabs and blanks kept")
        << QStringLiteral("\tx \u00a0y  ") << QStringList{QStringLiteral("\tx \u00a0y  ")};
}

void TestMainWindow::previewLines() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    ProgramRun run;
    MainView m(run.main());
    m.MEM_Preview->setText(text);
    QCOMPARE(m.Preview->PreviewLines(), lines);
    // Generated lines come back as they went in, empty lines included.
    m.Preview->ReplacePreview(lines, false);
    QCOMPARE(m.Preview->PreviewLines(), lines);
}

void TestMainWindow::headerToggles() {
    Working w;
    QVERIFY(w.ok);
    MainView m(w.main);
    TPackParameters& settings = w.run.program->Settings.GenSettings;
    m.MNU_PackHeader->trigger();
    QVERIFY(!m.MNU_PackHeader->isChecked());
    QVERIFY(!settings.PackHeader);
    QVERIFY(settings.ProcHeader);
    m.MNU_Execute->trigger();
    QCOMPARE(m.Preview->PreviewLines().first(), QStringLiteral("--ﾊﾟｯｹｰｼﾞ仕様定義部"));
    m.MNU_ProcHeader->trigger();
    QVERIFY(!settings.ProcHeader);
    m.MNU_Execute->trigger();
    QVERIFY(!m.MEM_Preview->text().contains(QStringLiteral("--説明  ：")));
    m.MNU_PackHeader->trigger();
    QVERIFY(settings.PackHeader);

    // The module's three marks: read by the generator, kept for the run only.
    m.MNU_ModHeader->trigger();
    m.MNU_OracleConst->trigger();
    m.MNU_vbExecute->trigger();
    QStringList lines = m.Preview->PreviewLines();
    QCOMPARE(lines.mid(0, 3),
             (QStringList{"Attribute VB_Name = \"MOD_ParamSet\"", "Option Explicit", ""}));
    QVERIFY(!lines.contains(QStringLiteral("Public Const ORAPARM_INPUT = 1")));
    QVERIFY(lines.contains(QStringLiteral("Public Function Call_Package() as Long")));
    const QString withProcHeader = m.MEM_Preview->text();
    m.MNU_VbProcHeader->trigger();
    m.MNU_vbExecute->trigger();
    QVERIFY(m.MEM_Preview->text().size() < withProcHeader.size());
    QVERIFY(!m.MNU_VbProcHeader->isChecked());

    // The next logon shows the stored header flags; the module marks stay as they are.
    settings.ProcHeader = true;
    m.MNU_Logout->trigger();
    QTest::mouseClick(w.run.logon()->CMD_OK, Qt::LeftButton);
    QVERIFY(m.MNU_ProcHeader->isChecked());
    QVERIFY(m.MNU_PackHeader->isChecked());
    QVERIFY(!m.MNU_ModHeader->isChecked());
}

void TestMainWindow::generationStopsAndFailures_data() {
    QTest::addColumn<bool>("vb");
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("icon");
    for (const bool vb : {false, true}) {
        const char* kind = vb ? "module: " : "package: ";
        QTest::addRow("%sno public table", kind)
            << vb << "no public"
            << "外部に公開するﾌﾟﾛｼｰｼﾞｬが最低１つ必要です" << int(MessageIcon::Information);
        QTest::addRow("%soverwrite declined", kind)
            << vb << "declined"
            << "現在の内容を上書しますか？" << int(MessageIcon::Information);
        QTest::addRow("%sfailure", kind)
            << vb << "failure"
            << (vb ? "VBｿｰｽ作成中にｴﾗｰが発生しました" : "ﾊﾟｯｹｰｼﾞｿｰｽ作成中にｴﾗｰが発生しました")
            << int(MessageIcon::Error);
        QTest::addRow("%sout of memory", kind)
            << vb << "memory"
            << "メモリが不足しています" << int(MessageIcon::Warning);
    }
}

void TestMainWindow::generationStopsAndFailures() {
    QFETCH(bool, vb);
    QFETCH(QString, situation);
    QFETCH(QString, text);
    QFETCH(int, icon);
    Working w;
    QVERIFY(w.ok);
    MainView m(w.main);
    RecordingReporter& reporter = w.run.messages.reporter;

    // The preview holds the other kind's text.
    (vb ? m.MNU_Execute : m.MNU_vbExecute)->trigger();
    const QString before = m.MEM_Preview->text();
    QVERIFY(!before.isEmpty());
    QCOMPARE(m.Preview->PreviewIsVb(), !vb);
    reporter.messages.clear();

    if (situation == u"no public")
        m.Rows->at(1).PublicCheck->setChecked(false);
    else if (situation == u"declined")
        reporter.answers = {MessageAnswer::No};
    else
        m->setClock(std::make_unique<FailingClock>(situation == u"memory"));
    (vb ? m.BTN_vbExecute : m.BTN_Execute)->click();

    QCOMPARE(reporter.texts().last(), text);
    QCOMPARE(int(reporter.messages.last().icon), icon);
    QCOMPARE(reporter.messages.last().caption, QStringLiteral("Tamsel"));
    QCOMPARE(reporter.messages.size(),
             situation == u"no public" || situation == u"declined" ? 1 : 2);
    // Nothing changed: not the preview, and not the kind saving will offer.
    QCOMPARE(m.MEM_Preview->text(), before);
    QCOMPARE(m.Preview->PreviewIsVb(), !vb);
    QCOMPARE(reporter.busyDepth, 0);
}

void TestMainWindow::reservedNameNotice_data() {
    QTest::addColumn<bool>("vb");
    QTest::addColumn<int>("line");
    // Both headers on: the package's CREATE line is its 10th. The module without its three
    // marks: line 22 starts the block that calls the procedure.
    QTest::newRow("F5") << false << 10;
    QTest::newRow("F6") << true << 22;
}

void TestMainWindow::reservedNameNotice() {
    QFETCH(bool, vb);
    QFETCH(int, line);
    ProgramRun run(QStringLiteral("[Params]\nPackName=order\n"));
    MainView m(run.main());
    QVERIFY(logOnAs(run));
    selectTables(m, {0, 1});
    m.Rows->at(1).PublicCheck->setChecked(true);
    if (vb)
        for (QAction* mark : {m.MNU_OracleConst, m.MNU_ModHeader, m.MNU_VbProcHeader})
            mark->trigger();
    (vb ? m.BTN_vbExecute : m.BTN_Execute)->click();

    // The text as the templates make it, the name unquoted on the line the notice names.
    const QString written =
        vb ? QStringLiteral("\tppSQL = \"Begin order.PUB_") + rowNames(m)[1] + u'(' + u'"'
           : QStringLiteral("CREATE OR REPLACE PACKAGE order AS");
    QCOMPARE(m.MEM_Preview->text().split(u'\n').value(line - 1), written);
    QCOMPARE(run.messages.reporter.messages.size(), 1);
    const RecordingReporter::Message& notice = run.messages.reporter.messages.first();
    QCOMPARE(notice.caption, QStringLiteral("Tamsel"));
    QCOMPARE(notice.icon, MessageIcon::Information);
    QVERIFY2(notice.text.contains(u"予約語"), qPrintable(notice.text));
    QCOMPARE(notice.text.split(u'\n').last(), QStringLiteral("order（%1 行目）").arg(line));
}

void TestMainWindow::saveRefusesWhatShiftJisCannotHold() {
    ProgramRun run;
    ScopedSaveDialog saves;
    MainView m(run.main());
    QVERIFY(logOnAs(run));
    m.MEM_Preview->setText(QStringLiteral("SELECT 1 FROM DUAL;\n-- 完了 😀 です\n"));
    const QString path = QDir(run.folder.path()).filePath(QStringLiteral("out.sql"));
    saves.answers.append(path);
    m.MNU_Save->trigger();
    QCOMPARE(run.messages.reporter.texts(),
             QStringList{QStringLiteral("Shift-JISで保存できない文字があります：「😀」（2行目）")});
    QCOMPARE(run.messages.reporter.messages.first().icon, MessageIcon::Warning);
    QCOMPARE(run.messages.reporter.messages.first().caption, QStringLiteral("Tamsel"));
    QVERIFY(saves.shown.isEmpty());
    QVERIFY(!QFileInfo::exists(path));

    // Mended, it saves; the final line break makes no extra line.
    m.MEM_Preview->setText(QStringLiteral("SELECT 1 FROM DUAL;\n-- 完了 です\n"));
    m.MNU_Save->trigger();
    QCOMPARE(readFileBytes(path), toSjisBytes("SELECT 1 FROM DUAL;\r\n-- 完了 です\r\n"));
}

void TestMainWindow::saveFailureKeepsPreview() {
    ProgramRun run;
    ScopedSaveDialog saves;
    MainView m(run.main());
    QVERIFY(logOnAs(run));
    m.MEM_Preview->setText(QStringLiteral("x"));
    saves.answers.append(QDir(run.folder.path()).filePath(QStringLiteral("missing/out.sql")));
    m.MNU_Save->trigger();
    QCOMPARE(run.messages.reporter.messages.size(), 1);
    const RecordingReporter::Message& message = run.messages.reporter.messages.first();
    QCOMPARE(message.caption, QStringLiteral("Tamsel"));
    QCOMPARE(message.icon, MessageIcon::Error);
    QVERIFY(message.text.contains(QStringLiteral("out.sql")));
    QCOMPARE(m.MEM_Preview->text(), QStringLiteral("x"));
    QCOMPARE(run.messages.reporter.busyDepth, 0);
    // A cancelled dialog writes nothing and asks nothing.
    m.MNU_Save->trigger();
    QCOMPARE(saves.shown.size(), 2);
    QCOMPARE(run.messages.reporter.messages.size(), 1);
}

void TestMainWindow::tableStructureOutput() {
    ProgramRun run;
    ScopedSaveDialog saves;
    MainView m(run.main());
    QVERIFY(logOnAs(run));
    selectTables(m, {0, 1, 6});
    m.Rows->at(2).PublicCheck->setChecked(true); // which tables are marked plays no part
    const int busyBefore = run.messages.reporter.busyPeak;

    m.MNU_OutPutDesc->trigger(); // cancelled
    QCOMPARE(saves.shown.size(), 1);
    const SaveDialog& asked = saves.shown.first();
    QCOMPARE(asked.FileName, QStringLiteral("DEPT"));
    QCOMPARE(asked.DefaultExt, QStringLiteral(".csv"));
    QCOMPARE(asked.Filter, QStringLiteral("CSVファイル (*.csv)|*.csv"));
    QCOMPARE(asked.InitialDir, run.program->Settings.GenSettings.DefPath);
    QVERIFY(asked.OverwritePrompt && asked.CreatePrompt);
    QCOMPARE(run.messages.reporter.busyPeak, busyBefore);

    const QString path = QDir(run.folder.path()).filePath(QStringLiteral("DEPT.csv"));
    saves.answers.append(path);
    m.MNU_OutPutDesc->trigger();
    QCOMPARE(readFileBytes(path), readFileBytes(testDataPath("ui/road_structure.csv")));
    QVERIFY(m.MEM_Preview->text().isEmpty()); // the preview is not touched

    // A file that cannot be written: the general error display.
    saves.answers.append(QDir(run.folder.path()).filePath(QStringLiteral("no/such/DEPT.csv")));
    m.MNU_OutPutDesc->trigger();
    QCOMPARE(run.messages.reporter.messages.size(), 1);
    QCOMPARE(run.messages.reporter.messages.first().icon, MessageIcon::Error);
    QCOMPARE(run.messages.reporter.busyDepth, 0);
}

void TestMainWindow::help_data() {
    QTest::addColumn<bool>("present");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("refused");
    QTest::newRow("opened") << true << true << false;
    QTest::newRow("missing") << false << true << true;
    QTest::newRow("refused by the desktop") << true << false << true;
}

void TestMainWindow::help() {
    QFETCH(bool, present);
    QFETCH(bool, opens);
    QFETCH(bool, refused);
    ProgramRun run;
    QStringList opened;
    const DesktopOpener previous = setDesktopOpener([&](const QString& target) {
        opened.append(target);
        return opens;
    });
    const QString path = QDir(run.folder.path()).filePath(QStringLiteral("Html/index.html"));
    if (present) {
        QDir(run.folder.path()).mkpath(QStringLiteral("Html"));
        writeFileBytes(path, "<html></html>");
    }
    MainView(run.main()).MNU_Help->trigger();
    setDesktopOpener(previous);
    QCOMPARE(opened, present ? QStringList{path} : QStringList{});
    if (refused) {
        // The page's path follows, to open by hand where the desktop has no launcher.
        QCOMPARE(run.messages.reporter.texts(),
                 QStringList{QStringLiteral("ヘルプファイルを開けません\n") + path});
        QCOMPARE(run.messages.reporter.messages.first().icon, MessageIcon::Information);
        QCOMPARE(run.messages.reporter.messages.first().caption, QStringLiteral("Tamsel"));
    } else {
        QVERIFY(run.messages.reporter.messages.isEmpty());
    }
}

void TestMainWindow::settingAndAboutAreModal() {
    ProgramRun run;
    ScopedModalRunner dialogs;
    QVERIFY(logOnAs(run));
    MainView(run.main()).MNU_Setting->trigger();
    MainView(run.main()).MNU_About->trigger();
    QCOMPARE(dialogs.shown.size(), 2);
    QCOMPARE(dialogs.shown[0], static_cast<QDialog*>(run.program->Windows.FRM_Option));
    QCOMPARE(dialogs.shown[1], static_cast<QDialog*>(run.program->Windows.FRM_About));
}
