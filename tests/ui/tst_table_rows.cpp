#include "tst_table_rows.h"

#include "support/ui_helpers.h"
#include "ui/main/table_rows.h"
#include "ui/widgets/control_hint.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <optional>

namespace {

// A window with the header row above a scroll box, as the main window has them.
struct Panel {
    Panel() {
        window.resize(640, 300);
        int left = 210;
        for (QPushButton*& header : headers) {
            header = new QPushButton(&window);
            header->setGeometry(left, 240, 35, 17);
            left += 40;
        }
        ref = new QLabel(QStringLiteral("引数"), &window);
        ref->setGeometry(headers[4]->x() + 45, 243, 24, 12);
        box = new QScrollArea(&window);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setGeometry(10, 30, 620, 200);
        // Tab goes from `before` to `after` until rows come between.
        before = new QPushButton(&window);
        after = new QPushButton(&window);
        rows = new TableRows(
            box, {headers[0], headers[1], headers[2], headers[3], headers[4], ref, before}, nullptr,
            &window);
        window.show();
    }

    void add(const QStringList& names) {
        for (const QString& name : names)
            rows->AddRow(rows->size(), name);
    }

    QWidget window;
    QPushButton* headers[5];
    QLabel* ref;
    QScrollArea* box;
    QPushButton* before;
    QPushButton* after;
    TableRows* rows;
};

bool isTabStop(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible();
}

const FlagColumn kColumns[] = {FlagColumn::Public, FlagColumn::Array, FlagColumn::Ins,
                               FlagColumn::Upd, FlagColumn::Clr};

} // namespace

void TestTableRows::rowsPlacedUnderTheirHeaders() {
    Panel panel;
    panel.add({QStringLiteral("EMP"), QStringLiteral("部署マスタ"), QStringLiteral("DEPT")});
    QCOMPARE(panel.rows->size(), 3);
    for (int i = 0; i < 3; ++i) {
        const TableRow& row = panel.rows->at(i);
        QCOMPARE(row.NameLabel->pos(), QPoint(5, i * 24 + 5));
        const int top = row.NameLabel->y();
        QCOMPARE(row.Separator->geometry(),
                 QRect(0, top + row.NameLabel->height() + 4, panel.box->viewport()->width(), 2));
        QCOMPARE(row.Separator->frameShape(), QFrame::HLine);
        for (int c = 0; c < 5; ++c) {
            QCheckBox* box = panel.rows->check(i, kColumns[c]);
            QCOMPARE(box->geometry(), QRect(panel.headers[c]->x() - 2, top - 1, 14, 14));
            QCOMPARE(TableRows::tagOf(box), i);
            QVERIFY(box->text().isEmpty());
            QVERIFY(!box->isChecked());
            QVERIFY(box->isEnabled());
        }
        QCOMPARE(row.RefButton->geometry(), QRect(panel.ref->x() - 12, top - 2, 25, 16));
        QCOMPARE(row.RefButton->text(), QStringLiteral("Ref"));
        QCOMPARE(TableRows::tagOf(row.RefButton), i);
        QVERIFY(!row.RefButton->isEnabled());
        QCOMPARE(controlHint(row.RefButton),
                 QStringLiteral("外部に公開するﾌﾟﾛｼｰｼﾞｬの引数を選択します (ﾊﾟｯｹｰｼﾞ)(VB)"));
        QVERIFY(row.RefButton->toolTip().isEmpty());
    }
    QCOMPARE(panel.rows->at(1).NameLabel->text(), QStringLiteral("部署マスタ"));

    // Separators follow the scroll box's client width.
    panel.box->resize(500, 200);
    QTRY_COMPARE(panel.rows->at(2).Separator->width(), panel.box->viewport()->width());
}

void TestTableRows::publicCheckDrivesRefButton() {
    Panel panel;
    panel.add({QStringLiteral("A"), QStringLiteral("B")});
    QSignalSpy refs(panel.rows, &TableRows::RefButtonClick);
    const TableRow& second = panel.rows->at(1);
    QTest::mouseClick(second.PublicCheck, Qt::LeftButton);
    QVERIFY(second.RefButton->isEnabled());
    QVERIFY(!panel.rows->at(0).RefButton->isEnabled());
    QTest::mouseClick(second.RefButton, Qt::LeftButton);
    QCOMPARE(refs.count(), 1);
    QCOMPARE(refs.first().first().toInt(), 1);

    // A change the program makes counts as much as a click.
    panel.rows->Invert(FlagColumn::Public);
    QVERIFY(panel.rows->at(0).RefButton->isEnabled());
    QVERIFY(!second.RefButton->isEnabled());
    QTest::mouseClick(second.RefButton, Qt::LeftButton); // disabled: nothing
    QCOMPARE(refs.count(), 1);
    panel.rows->Invert(FlagColumn::Public);
    QVERIFY(!panel.rows->at(0).RefButton->isEnabled());
    QVERIFY(second.RefButton->isEnabled());
}

void TestTableRows::inversionEachRowOnItsOwn_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QList<bool>>("before");
    QTest::addColumn<QList<bool>>("enabled");
    QTest::addColumn<QList<bool>>("after");
    const QList<bool> all(5, true);
    QTest::newRow("public, two of five checked")
        << 0 << QList<bool>{true, false, true, false, false} << all
        << QList<bool>{false, true, false, true, true};
    QTest::newRow("array, none checked")
        << 1 << QList<bool>(5, false) << all << QList<bool>(5, true);
    QTest::newRow("ins, all checked") << 2 << QList<bool>(5, true) << all << QList<bool>(5, false);
    QTest::newRow("upd, a disabled box is skipped")
        << 3 << QList<bool>{true, false, true, false, false}
        << QList<bool>{true, false, true, true, false}
        << QList<bool>{false, false, false, true, false};
    QTest::newRow("s&c, mixed") << 4 << QList<bool>{false, true, true, false, true} << all
                                << QList<bool>{true, false, false, true, false};
}

void TestTableRows::inversionEachRowOnItsOwn() {
    QFETCH(int, column);
    QFETCH(QList<bool>, before);
    QFETCH(QList<bool>, enabled);
    QFETCH(QList<bool>, after);
    Panel panel;
    panel.add({"T1", "T2", "T3", "T4", "T5"});
    const FlagColumn flag = kColumns[column];
    for (int i = 0; i < 5; ++i) {
        panel.rows->check(i, flag)->setChecked(before[i]);
        panel.rows->check(i, flag)->setEnabled(enabled[i]);
    }
    // The other columns keep their states.
    const FlagColumn other = kColumns[(column + 1) % 5];
    panel.rows->check(2, other)->setChecked(true);

    panel.rows->Invert(flag);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(panel.rows->check(i, flag)->isChecked(), after[i]);
        QCOMPARE(panel.rows->check(i, other)->isChecked(), i == 2);
    }
    for (int i = 0; i < 5; ++i)
        QCOMPARE(panel.rows->at(i).RefButton->isEnabled(), panel.rows->isPublic(i));
}

void TestTableRows::flagsReadFromTheBoxes() {
    Panel panel;
    panel.add({"T1", "T2"});
    const TableFlags& flags = *panel.rows;
    QTest::mouseClick(panel.rows->at(0).ArrayCheck, Qt::LeftButton);
    QTest::mouseClick(panel.rows->at(1).InsCheck, Qt::LeftButton);
    QTest::mouseClick(panel.rows->at(1).UpdCheck, Qt::LeftButton);
    QTest::mouseClick(panel.rows->at(1).ClrCheck, Qt::LeftButton);
    QCOMPARE((QList<bool>{flags.isPublic(0), flags.isArray(0), flags.isIns(0), flags.isUpd(0),
                          flags.isClr(0)}),
             (QList<bool>{false, true, false, false, false}));
    QCOMPARE((QList<bool>{flags.isPublic(1), flags.isArray(1), flags.isIns(1), flags.isUpd(1),
                          flags.isClr(1)}),
             (QList<bool>{false, false, true, true, true}));
    QVERIFY(!flags.isArray(2)); // past the end: clear
}

void TestTableRows::freeAndTabOrder() {
    Panel panel;
    panel.add({"T1", "T2"});
    // Through the rows in order: five boxes, then the Ref button once enabled.
    panel.rows->at(0).PublicCheck->setChecked(true);
    QList<QWidget*> expected;
    for (int i = 0; i < 2; ++i) {
        for (FlagColumn c : kColumns)
            expected.append(panel.rows->check(i, c));
        if (i == 0)
            expected.append(panel.rows->at(0).RefButton);
    }
    QWidget* w = expected.first();
    for (int k = 1; k < expected.size(); ++k) {
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled());
        QCOMPARE(w, expected[k]);
    }

    QPointer<QWidget> label = panel.rows->at(1).NameLabel;
    QPointer<QWidget> button = panel.rows->at(1).RefButton;
    panel.rows->FreeRowControls();
    QVERIFY(panel.rows->isEmpty());
    QVERIFY(label.isNull());
    QVERIFY(button.isNull());
    QCOMPARE(panel.box->widget()->height(), 0);
    panel.rows->Invert(FlagColumn::Public); // nothing to invert
    panel.add({"T3"});
    QCOMPARE(panel.rows->at(0).NameLabel->pos(), QPoint(5, 5));
}

void TestTableRows::fiveRowsScrollInThreeRowsOfSpace() {
    Panel panel;
    panel.box->resize(620, 3 * 24 + 4);
    panel.add({"T1", "T2", "T3", "T4", "T5"});
    QTRY_VERIFY(panel.box->verticalScrollBar()->isVisible());
    QVERIFY(panel.box->verticalScrollBar()->maximum() > 0);
    QVERIFY(!panel.box->horizontalScrollBar()->isVisible());
    QCOMPARE(panel.box->widget()->height(),
             panel.rows->at(4).Separator->y() + panel.rows->at(4).Separator->height());
    // The scroll bar takes its width from the client area; the separators follow.
    QTRY_COMPARE(panel.rows->at(0).Separator->width(), panel.box->viewport()->width());
    QVERIFY(panel.box->viewport()->width() < 618);
}

void TestTableRows::tabRunsThroughTheRowsInOrder_data() {
    // n > 0: n rows added in one batch; n < 0: -n rows added one by one; 0: the rows freed.
    QTest::addColumn<QList<int>>("steps");
    QTest::newRow("one by one") << QList<int>{-3};
    QTest::newRow("in one batch") << QList<int>{3};
    QTest::newRow("a batch after a row") << QList<int>{-1, 2};
    QTest::newRow("freed, then a batch") << QList<int>{2, 0, 3};
}

void TestTableRows::tabRunsThroughTheRowsInOrder() {
    QFETCH(QList<int>, steps);
    Panel panel;
    for (int step : steps) {
        if (step == 0) {
            panel.rows->FreeRowControls();
        } else if (step < 0) {
            panel.add(QStringList(-step, QStringLiteral("T")));
        } else {
            TableRows::Batch batch(*panel.rows);
            panel.add(QStringList(step, QStringLiteral("T")));
        }
    }
    QCOMPARE(panel.rows->size(), 3);
    QList<QWidget*> expected{panel.before};
    for (int i = 0; i < 3; ++i) {
        panel.rows->at(i).PublicCheck->setChecked(true); // Tab reaches the Ref button then
        for (FlagColumn c : kColumns)
            expected.append(panel.rows->check(i, c));
        expected.append(panel.rows->at(i).RefButton);
    }
    expected.append(panel.after);

    // Tab, then Shift+Tab all the way back.
    QWidget* w = panel.before;
    for (qsizetype k = 1; k < expected.size(); ++k) {
        do
            w = w->nextInFocusChain();
        while (!isTabStop(w));
        QCOMPARE(w, expected[k]);
    }
    for (qsizetype k = expected.size() - 2; k >= 0; --k) {
        do
            w = w->previousInFocusChain();
        while (!isTabStop(w));
        QCOMPARE(w, expected[k]);
    }
}

void TestTableRows::manyRowsPlacedAndChainedAsFew_data() {
    QTest::addColumn<bool>("batch");
    QTest::newRow("one by one") << false;
    QTest::newRow("in one batch") << true;
}

// Enough rows to fill several of the widgets that hold them: every row keeps its place in the
// scrolled area, is shown, and takes its turn in the tab order, wherever it is held.
void TestTableRows::manyRowsPlacedAndChainedAsFew() {
    QFETCH(bool, batch);
    constexpr int count = 300;
    Panel panel;
    {
        std::optional<TableRows::Batch> running;
        if (batch)
            running.emplace(*panel.rows);
        panel.add(QStringList(count, QStringLiteral("T")));
    }
    QWidget* area = panel.box->widget();
    const auto inArea = [area](const QWidget* w) {
        return QRect(w->mapTo(area, QPoint()), w->size());
    };
    QList<QWidget*> chain{panel.before};
    for (int i = 0; i < count; ++i) {
        const TableRow& row = panel.rows->at(i);
        QCOMPARE(inArea(row.NameLabel).topLeft(), QPoint(5, i * 24 + 5));
        QCOMPARE(inArea(row.Separator).y(), i * 24 + 5 + row.NameLabel->height() + 4);
        for (int c = 0; c < 5; ++c)
            QCOMPARE(inArea(panel.rows->check(i, kColumns[c])),
                     QRect(panel.headers[c]->x() - 2, i * 24 + 4, 14, 14));
        QCOMPARE(inArea(row.RefButton), QRect(panel.ref->x() - 12, i * 24 + 3, 25, 16));
        QVERIFY(row.NameLabel->isVisible() && row.Separator->isVisible());
        chain << panel.rows->check(i, FlagColumn::Public) << row.ArrayCheck << row.InsCheck
              << row.UpdCheck << row.ClrCheck << row.RefButton;
    }
    QCOMPARE(area->height(), inArea(panel.rows->at(count - 1).Separator).bottom() + 1);
    chain.append(panel.after);

    panel.rows->Invert(FlagColumn::Public); // every Ref button reachable
    for (int i = 0; i < count; ++i)
        QVERIFY(panel.rows->isPublic(i) && panel.rows->at(i).RefButton->isEnabled());
    QWidget* w = panel.before;
    for (qsizetype k = 1; k < chain.size(); ++k) {
        do
            w = w->nextInFocusChain();
        while (!isTabStop(w));
        QCOMPARE(w, chain[k]);
    }
    for (qsizetype k = chain.size() - 2; k >= 0; --k) {
        do
            w = w->previousInFocusChain();
        while (!isTabStop(w));
        QCOMPARE(w, chain[k]);
    }

    // A click far down the panel reaches its own row's control.
    QSignalSpy refs(panel.rows, &TableRows::RefButtonClick);
    const TableRow& low = panel.rows->at(count - 3);
    panel.box->ensureWidgetVisible(low.RefButton);
    QTest::mouseClick(low.RefButton, Qt::LeftButton);
    QCOMPARE(refs.count(), 1);
    QCOMPARE(refs.first().first().toInt(), count - 3);
    QTest::mouseClick(low.PublicCheck, Qt::LeftButton);
    QVERIFY(!panel.rows->isPublic(count - 3) && !low.RefButton->isEnabled());
    QVERIFY(panel.rows->isPublic(count - 2));
}

void TestTableRows::tabReachesRowsNotMadeYet_data() {
    // From row `from`'s last tab stop (Tab) or first (Shift+Tab) to row `to`, in the next block
    // of rows, far from the top of the panel.
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("column"); // the control reached: 0 to 4 a box, 5 the Ref button
    QTest::newRow("tab") << 159 << true << 160 << 0;
    QTest::newRow("shift+tab, its Ref button disabled") << 176 << false << 175 << 4;
    QTest::newRow("shift+tab, its Ref button enabled") << 192 << false << 191 << 5;
}

void TestTableRows::tabReachesRowsNotMadeYet() {
    QFETCH(int, from);
    QFETCH(bool, forward);
    QFETCH(int, to);
    QFETCH(int, column);
    Panel panel;
    {
        TableRows::Batch batch(*panel.rows);
        panel.add(QStringList(300, QStringLiteral("T")));
    }
    QVERIFY(showActive(&panel.window));
    for (int i : {from, to}) // every Ref button but row 175's reachable
        if (i != 175)
            panel.rows->setFlags(i, {true, false, false, false, false});
    QVERIFY(!panel.rows->hasControls(to));
    const TableRow& start = panel.rows->at(from);
    QWidget* first = forward ? static_cast<QWidget*>(start.RefButton) : start.PublicCheck;
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Tab, forward ? Qt::NoModifier : Qt::ShiftModifier);

    const TableRow& reached = panel.rows->at(to);
    QWidget* expected = column < 5 ? static_cast<QWidget*>(panel.rows->check(to, kColumns[column]))
                                   : reached.RefButton;
    QCOMPARE(QApplication::focusWidget(), expected);
    // Scrolled into view.
    const QRect shown(expected->mapTo(panel.box->viewport(), QPoint()), expected->size());
    QVERIFY(panel.box->viewport()->rect().contains(shown));
}

// Rows never shown keep their flags as bits; the generators read them, inversion and a
// profile change them, and a row gets them back in its boxes when its controls are made,
// or made again after scrolling took them down.
void TestTableRows::flagsKeptWhileRowsHaveNoControls() {
    constexpr int count = 9100;
    Panel panel;
    {
        TableRows::Batch batch(*panel.rows);
        panel.add(QStringList(count, QStringLiteral("T")));
    }
    QVERIFY(!panel.rows->hasControls(9000) && !panel.rows->hasControls(4000));
    const TableFlags& flags = *panel.rows;
    panel.rows->Invert(FlagColumn::Public);
    panel.rows->Invert(FlagColumn::Clr);
    panel.rows->setFlags(9000, {false, true, true, false, true});
    const auto flagsOf = [&](int i) {
        return QList<bool>{flags.isPublic(i), flags.isArray(i), flags.isIns(i), flags.isUpd(i),
                           flags.isClr(i)};
    };
    QCOMPARE(flagsOf(4000), (QList<bool>{true, false, false, false, true}));
    QCOMPARE(flagsOf(9000), (QList<bool>{false, true, true, false, true}));
    QVERIFY(!panel.rows->hasControls(9000) && !panel.rows->hasControls(4000));

    // A click on a row scrolled to, then every row scrolled past.
    QScrollBar* bar = panel.box->verticalScrollBar();
    bar->setValue(4000 * 24);
    QWidget* area = panel.box->widget();
    auto* box = qobject_cast<QCheckBox*>(
        area->childAt(panel.headers[2]->x() + 3, 4000 * 24 + 10)); // row 4000's INS box
    QVERIFY(box);
    QCOMPARE(TableRows::tagOf(box), 4000);
    QVERIFY(box->isChecked() == false && panel.rows->hasControls(4000));
    QTest::mouseClick(box, Qt::LeftButton);
    panel.before->setFocus(); // nothing holds on to the row
    for (int y = 0; y <= bar->maximum(); y += 2000) {
        bar->setValue(y);
        QCoreApplication::processEvents(); // painted, as the user sees it
    }
    QVERIFY(!panel.rows->hasControls(4000));
    QCOMPARE(flagsOf(4000), (QList<bool>{true, false, true, false, true}));

    const TableRow& row = panel.rows->at(9000);
    const QList<bool> boxes{row.PublicCheck->isChecked(), row.ArrayCheck->isChecked(),
                            row.InsCheck->isChecked(), row.UpdCheck->isChecked(),
                            row.ClrCheck->isChecked()};
    QCOMPARE(boxes, (QList<bool>{false, true, true, false, true}));
    QVERIFY(!row.RefButton->isEnabled());
    QVERIFY(panel.rows->at(4000).InsCheck->isChecked());
    QVERIFY(panel.rows->at(4000).RefButton->isEnabled());
}
