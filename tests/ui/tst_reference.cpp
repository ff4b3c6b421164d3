#include "tst_reference.h"

#include "support/ui_helpers.h"
#include "ui/dialogs/frm_reference.h"
#include "ui/fonts.h"
#include "ui/widgets/typing_limit.h"
#include "ui/window_geometry.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

namespace {

// The dialog as the main window leaves it before showing: the candidate tables in the
// list, the table's selections, choices and counts preset.
void preset(TFRM_Reference& dialog, const QStringList& tables, const QList<int>& selected,
            bool strOn, bool numOn, const QString& strCount, const QString& numCount) {
    dialog.LST_RefTables->clear();
    dialog.LST_RefTables->addItems(tables);
    for (int k : selected)
        dialog.LST_RefTables->item(k)->setSelected(true);
    (strOn ? dialog.RDB_STRON : dialog.RDB_STROFF)->setChecked(true);
    (numOn ? dialog.RDB_NUMON : dialog.RDB_NUMOFF)->setChecked(true);
    setTextWhole(dialog.EDT_STRCNT, strCount);
    setTextWhole(dialog.EDT_NUMCNT, numCount);
}

QList<int> selectedRows(const QListWidget* list) {
    QList<int> rows;
    for (int k = 0; k < list->count(); ++k)
        if (list->item(k)->isSelected())
            rows.append(k);
    return rows;
}

void clickItem(QListWidget* list, int row) {
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

const QStringList kThreeTables{QStringLiteral("EMP"), QStringLiteral("DEPT"),
                               QStringLiteral("SALGRADE")};

} // namespace

void TestReference::layout() {
    TFRM_Reference dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("FRM_Reference"));
    QCOMPARE(dialog.size(), QSize(385, 182));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QVERIFY((dialog.windowFlags() & Qt::Tool) == Qt::Tool);
    QCOMPARE(dialog.font(), windowFont());

    QCOMPARE(dialog.LST_RefTables->geometry(), QRect(5, 8, 165, 165));
    QCOMPARE(dialog.LST_RefTables->selectionMode(), QAbstractItemView::MultiSelection);
    QCOMPARE(dialog.GroupBox1->geometry(), QRect(187, 26, 92, 83));
    QCOMPARE(dialog.GroupBox1->title(), QStringLiteral("VARCHAR2"));
    QCOMPARE(dialog.GroupBox2->geometry(), QRect(284, 26, 92, 84));
    QCOMPARE(dialog.GroupBox2->title(), QStringLiteral("NUMBER"));
    QCOMPARE(dialog.Label1->pos(), QPoint(185, 10));
    QCOMPARE(dialog.Label1->text(), QStringLiteral("<<汎用引数設定>>"));
    QCOMPARE(dialog.Label4->pos(), QPoint(189, 115));
    QCOMPARE(dialog.Label4->text(), QStringLiteral("※作成数はVBソース作成時に使用"));
    QCOMPARE(dialog.Label5->pos(), QPoint(244, 129));
    QCOMPARE(dialog.Label5->text(), QStringLiteral("引数は配列で渡されます"));
    QCOMPARE(dialog.BTN_Clear->geometry(), QRect(179, 149, 65, 25));
    QCOMPARE(dialog.BTN_Cancel->geometry(), QRect(247, 149, 65, 25));
    QCOMPARE(dialog.BTN_OK->geometry(), QRect(315, 149, 65, 25));
    QCOMPARE(dialog.BTN_Clear->text(), QStringLiteral("ｸﾘｱ"));
    QVERIFY(!dialog.BTN_Clear->icon().isNull());
    QVERIFY(dialog.BTN_OK->isDefault());
    QVERIFY(!dialog.BTN_Clear->autoDefault() && !dialog.BTN_Cancel->autoDefault());

    // Each group holds its own two choices, its label and its count.
    struct Group {
        QGroupBox* box;
        QRadioButton* on;
        QRadioButton* off;
        QLabel* label;
        QLineEdit* count;
    };
    for (const Group& g : {Group{dialog.GroupBox1, dialog.RDB_STRON, dialog.RDB_STROFF,
                                 dialog.Label2, dialog.EDT_STRCNT},
                           Group{dialog.GroupBox2, dialog.RDB_NUMON, dialog.RDB_NUMOFF,
                                 dialog.Label3, dialog.EDT_NUMCNT}}) {
        for (QWidget* w : QList<QWidget*>{g.on, g.off, g.label, g.count})
            QCOMPARE(w->parentWidget(), g.box);
        QCOMPARE(g.on->text(), QStringLiteral("作成する"));
        QCOMPARE(g.off->text(), QStringLiteral("作成しない"));
        QCOMPARE(g.label->text(), QStringLiteral("作成数"));
        QCOMPARE(g.count->size(), QSize(20, 20));
        QVERIFY(!g.count->testAttribute(Qt::WA_InputMethodEnabled));
        // Within the box, below the choices.
        QVERIFY(QRect(QPoint(0, 0), g.box->size()).contains(g.count->geometry()));
        QVERIFY(g.count->y() > g.off->y() + g.off->height() - 1);
    }
    // The two groups choose independently.
    dialog.RDB_STRON->setChecked(true);
    dialog.RDB_NUMOFF->setChecked(true);
    QVERIFY(dialog.RDB_STRON->isChecked() && !dialog.RDB_STROFF->isChecked());
    QVERIFY(dialog.RDB_NUMOFF->isChecked() && !dialog.RDB_NUMON->isChecked());

    // Tab order: the list, the first group, the second group, the three buttons.
    preset(dialog, kThreeTables, {}, false, false, QStringLiteral("10"), QStringLiteral("10"));
    ScopedMessages messages;
    QVERIFY(showActive(&dialog));
    dialog.LST_RefTables->setFocus();
    QList<QWidget*> tabbed;
    for (int i = 0; i < 8; ++i) {
        tabbed.append(QApplication::focusWidget());
        pressKey(Qt::Key_Tab);
    }
    const QList<QWidget*> expected{dialog.LST_RefTables, dialog.RDB_STROFF, dialog.EDT_STRCNT,
                                   dialog.RDB_NUMOFF,    dialog.EDT_NUMCNT, dialog.BTN_Clear,
                                   dialog.BTN_Cancel,    dialog.BTN_OK};
    QCOMPARE(tabbed, expected);
}

void TestReference::okChecksCounts_data() {
    QTest::addColumn<QString>("strCount");
    QTest::addColumn<QString>("numCount");
    QTest::addColumn<bool>("on");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("minus sign and one digit, zero") << "-5"
                                                    << "0" << true << true;
    QTest::newRow("the defaults") << "10"
                                  << "10" << false << true;
    QTest::newRow("hexadecimal") << "$F"
                                 << "x1" << true << true;
    QTest::newRow("leading blank") << " 7"
                                   << "+9" << true << true;
    QTest::newRow("string count empty, not created") << ""
                                                     << "10" << false << false;
    QTest::newRow("number count empty, not created") << "10"
                                                     << "" << false << false;
    QTest::newRow("string count empty, created") << ""
                                                 << "10" << true << false;
    QTest::newRow("digit then letter") << "1a"
                                       << "10" << true << false;
    QTest::newRow("trailing blank") << "10"
                                    << "7 " << true << false;
    QTest::newRow("sign only") << "-"
                               << "10" << true << false;
    QTest::newRow("full-width digits") << "１２"
                                       << "10" << true << false;
    QTest::newRow("both wrong: one message") << "a"
                                             << "b" << true << false;
}

void TestReference::okChecksCounts() {
    QFETCH(QString, strCount);
    QFETCH(QString, numCount);
    QFETCH(bool, on);
    QFETCH(bool, accepted);

    ScopedMessages messages;
    TFRM_Reference dialog;
    preset(dialog, kThreeTables, {1}, on, on, strCount, numCount);
    QVERIFY(showActive(&dialog));
    QTest::mouseClick(dialog.BTN_OK, Qt::LeftButton);

    if (accepted) {
        QVERIFY(messages.reporter.messages.isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    } else {
        QCOMPARE(messages.reporter.messages.size(), 1);
        const RecordingReporter::Message& shown = messages.reporter.messages.first();
        QCOMPARE(shown.caption, QStringLiteral("Tamsel"));
        QCOMPARE(shown.icon, MessageIcon::Warning);
        QCOMPARE(shown.buttons, MessageButtons::Ok);
        QCOMPARE(shown.text, QStringLiteral("作成数、項目長には数値を入力してください"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
    // Handed back exactly as typed, whatever the outcome.
    QCOMPARE(dialog.EDT_STRCNT->text(), strCount);
    QCOMPARE(dialog.EDT_NUMCNT->text(), numCount);
    QCOMPARE(dialog.RDB_STRON->isChecked(), on);
    QCOMPARE(dialog.RDB_NUMON->isChecked(), on);
    QCOMPARE(selectedRows(dialog.LST_RefTables), QList<int>{1});
}

void TestReference::refusalLeavesFocusWhereItWas_data() {
    QTest::addColumn<QString>("focused");
    QTest::addColumn<QString>("strCount");
    QTest::addColumn<QString>("numCount");
    QTest::newRow("Enter in the wrong string count") << "EDT_STRCNT"
                                                     << "x"
                                                     << "10";
    QTest::newRow("Enter in the wrong number count") << "EDT_NUMCNT"
                                                     << "10"
                                                     << "x";
    QTest::newRow("Enter in the string count, number count wrong") << "EDT_STRCNT"
                                                                   << "10"
                                                                   << "";
    QTest::newRow("Enter in the list") << "LST_RefTables"
                                       << "-"
                                       << "10";
    QTest::newRow("Enter on the OK button") << "BTN_OK"
                                            << ""
                                            << "";
}

void TestReference::refusalLeavesFocusWhereItWas() {
    QFETCH(QString, focused);
    QFETCH(QString, strCount);
    QFETCH(QString, numCount);

    ScopedMessages messages;
    TFRM_Reference dialog;
    preset(dialog, kThreeTables, {}, false, false, strCount, numCount);
    QVERIFY(showActive(&dialog));
    auto* field = dialog.findChild<QWidget*>(focused);
    QVERIFY(field);
    field->setFocus();
    QCOMPARE(QApplication::focusWidget(), field);

    pressKey(Qt::Key_Return); // Enter means OK, wherever it is pressed
    QCOMPARE(messages.reporter.texts(),
             QStringList{QStringLiteral("作成数、項目長には数値を入力してください")});
    QVERIFY(dialog.isVisible());
    QCOMPARE(QApplication::focusWidget(), field);
}

void TestReference::countsTakeTwoTypedCharacters() {
    ScopedMessages messages;
    TFRM_Reference dialog;
    preset(dialog, kThreeTables, {}, false, false, QString(), QStringLiteral("100"));
    QVERIFY(showActive(&dialog));
    dialog.EDT_STRCNT->setFocus();
    typeText(dialog.EDT_STRCNT, QStringLiteral("123"));
    QCOMPARE(dialog.EDT_STRCNT->text(), QStringLiteral("12"));
    // A longer preset is shown whole, and typing does not make it longer.
    QCOMPARE(dialog.EDT_NUMCNT->text(), QStringLiteral("100"));
    dialog.EDT_NUMCNT->setFocus();
    dialog.EDT_NUMCNT->end(false);
    typeText(dialog.EDT_NUMCNT, QStringLiteral("5"));
    QCOMPARE(dialog.EDT_NUMCNT->text(), QStringLiteral("100"));
}

void TestReference::clearKeepsCountsAndCancelChangesNothing() {
    ScopedMessages messages;
    TFRM_Reference dialog;
    preset(dialog, kThreeTables, {0, 2}, true, true, QStringLiteral("7"), QStringLiteral("-3"));
    QVERIFY(showActive(&dialog));

    QTest::mouseClick(dialog.BTN_Clear, Qt::LeftButton);
    QVERIFY(selectedRows(dialog.LST_RefTables).isEmpty());
    QCOMPARE(dialog.LST_RefTables->count(), 3);
    QVERIFY(dialog.RDB_STROFF->isChecked() && !dialog.RDB_STRON->isChecked());
    QVERIFY(dialog.RDB_NUMOFF->isChecked() && !dialog.RDB_NUMON->isChecked());
    QCOMPARE(dialog.EDT_STRCNT->text(), QStringLiteral("7"));
    QCOMPARE(dialog.EDT_NUMCNT->text(), QStringLiteral("-3"));
    QVERIFY(dialog.isVisible());

    QTest::mouseClick(dialog.BTN_Cancel, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(messages.reporter.messages.isEmpty());
}

void TestReference::escapeAndCloseBoxCancel() {
    ScopedMessages messages;
    TFRM_Reference dialog;
    // Counts that OK would refuse: leaving without OK asks nothing.
    preset(dialog, kThreeTables, {1}, true, false, QStringLiteral("x"), QString());
    QVERIFY(showActive(&dialog));
    dialog.EDT_STRCNT->setFocus();
    pressKey(Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));

    dialog.setResult(-1);
    QVERIFY(showActive(&dialog));
    QVERIFY(dialog.close());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(messages.reporter.messages.isEmpty());
}

void TestReference::clickAddsToPresetSelection() {
    ScopedMessages messages;
    TFRM_Reference dialog;
    preset(dialog, kThreeTables, {0}, false, false, QStringLiteral("10"), QStringLiteral("10"));
    QVERIFY(showActive(&dialog));
    clickItem(dialog.LST_RefTables, 2);
    QCOMPARE(selectedRows(dialog.LST_RefTables), (QList<int>{0, 2}));
    clickItem(dialog.LST_RefTables, 0);
    QCOMPARE(selectedRows(dialog.LST_RefTables), QList<int>{2});
}

void TestReference::singleCandidateMayBeSelected() {
    ScopedMessages messages;
    TFRM_Reference dialog;
    dialog.setWindowTitle(QStringLiteral("[EMP]の引数設定"));
    preset(dialog, {QStringLiteral("EMP")}, {}, false, false, QStringLiteral("10"),
           QStringLiteral("10"));
    QVERIFY(showActive(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("[EMP]の引数設定"));
    clickItem(dialog.LST_RefTables, 0);
    QTest::mouseClick(dialog.BTN_OK, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(selectedRows(dialog.LST_RefTables), QList<int>{0});
    QVERIFY(messages.reporter.messages.isEmpty());
}

void TestReference::showingPlacesByThirds() {
    ScopedMessages messages;
    TFRM_Reference dialog;
    preset(dialog, kThreeTables, {}, false, false, QStringLiteral("10"), QStringLiteral("10"));
    for (int showing = 0; showing < 2; ++showing) {
        dialog.move(3, 4); // wherever the user dragged it: each showing places it again
        QVERIFY(showActive(&dialog));
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        QCOMPARE(dialog.pos(), placedPosition(screen, outerSize(&dialog), 3));
        dialog.reject();
    }
}
