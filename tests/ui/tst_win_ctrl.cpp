#include "tst_win_ctrl.h"

#include "support/ui_helpers.h"
#include "ui/widgets/field_events.h"
#include "ui/widgets/win_ctrl.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <memory>

namespace {

// A data-entry window with one line edit per tag, whose navigator records every check.
struct Form {
    explicit Form(const QList<int>& tags) {
        window.setObjectName(QStringLiteral("FRM_Test"));
        window.resize(200, 30 * int(tags.size()) + 20);
        for (int i = 0; i < tags.size(); ++i) {
            auto* edit = new QLineEdit(&window);
            edit->setObjectName(QStringLiteral("E%1").arg(i));
            edit->setProperty("Tag", tags[i]);
            edit->setGeometry(10, 10 + 30 * i, 150, 20);
            edits.append(edit);
        }
        attach();
    }

    void attach() {
        nav = new TWinCtrl(&window);
        nav->setFieldCheck([this] {
            checked.append(nav->CurrentIndex);
            return checkResult;
        });
        nav->Collect(&window);
        FieldEvents::Handlers handlers;
        handlers.enter = [this](QWidget* field) {
            nav->FieldEnter(field);
        };
        handlers.exit = [this](QWidget*) {
            nav->FieldExit();
        };
        handlers.keyDown = [this](QWidget*, quint16& key, Qt::KeyboardModifiers shift) {
            nav->FieldKeyDown(key, shift);
        };
        handlers.keyPress = [this](QWidget*, QChar& key) {
            nav->FieldKeyPress(key);
        };
        events = new FieldEvents(&window, std::move(handlers));
        for (QWidget* field : nav->InputFields)
            events->watch(field);
    }

    int focusedIndex() const { return int(nav->InputFields.indexOf(QApplication::focusWidget())); }
    bool highlighted(int i) const {
        return TWinCtrl::fieldColor(nav->InputFields[i]) == nav->FocusColor;
    }

    QWidget window;
    QList<QLineEdit*> edits;
    TWinCtrl* nav = nullptr;
    FieldEvents* events = nullptr;
    QList<int> checked;
    qint32 checkResult = 0;
};

} // namespace

void TestWinCtrl::collectSortsByTabOrder_data() {
    QTest::addColumn<QList<int>>("tabOrder"); // creation indices in tab order
    QTest::newRow("as created") << QList<int>{0, 1, 2, 3, 4};
    QTest::newRow("reversed") << QList<int>{4, 3, 2, 1, 0};
    QTest::newRow("shuffled") << QList<int>{2, 4, 0, 3, 1};
    QTest::newRow("zigzag") << QList<int>{0, 4, 1, 3, 2};
    QTest::newRow("two swapped") << QList<int>{0, 1, 3, 2, 4};
}

void TestWinCtrl::collectSortsByTabOrder() {
    QFETCH(QList<int>, tabOrder);
    QWidget window;
    QList<QLineEdit*> edits;
    for (int i = 0; i < 5; ++i)
        edits.append(new QLineEdit(&window));
    for (int i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(edits[tabOrder[i - 1]], edits[tabOrder[i]]);

    TWinCtrl nav(&window);
    nav.Collect(&window);
    QCOMPARE(nav.FieldStates.size(), 5);

    // The order the Tab key goes through, from the field a new window starts in.
    QVERIFY(showActive(&window));
    QList<QWidget*> tabbed{QApplication::focusWidget()};
    for (int i = 1; i < 5; ++i) {
        pressKey(Qt::Key_Tab);
        tabbed.append(QApplication::focusWidget());
    }
    QCOMPARE(nav.InputFields, tabbed);
    if (tabOrder != QList<int>{0, 1, 2, 3, 4})
        QVERIFY(nav.InputFields != (QList<QWidget*>{edits.begin(), edits.end()}));
}

void TestWinCtrl::collectTakesOnlyDirectInputFields() {
    class DerivedEdit : public QLineEdit {
    public:
        using QLineEdit::QLineEdit;
    };
    QWidget window;
    window.setObjectName(QStringLiteral("FRM_Option"));
    auto* edit = new QLineEdit(&window);
    auto* masked = new QLineEdit(&window);
    masked->setInputMask(QStringLiteral("999"));
    new QPushButton(&window);
    new QSpinBox(&window); // its line edit is the spin box's child
    auto* memo = new QPlainTextEdit(&window);
    auto* combo = new QComboBox(&window);
    auto* group = new QGroupBox(&window);
    new QLineEdit(group); // inside a group box: not collected
    auto* derived = new DerivedEdit(&window);

    TWinCtrl nav(&window);
    nav.Collect(&window);
    QCOMPARE(nav.OwnerName, QStringLiteral("FRM_Option"));
    QCOMPARE(nav.InputFields, (QList<QWidget*>{edit, masked, memo, combo, derived}));
    QCOMPARE(nav.LastIndex(), 4);
}

void TestWinCtrl::modeTable_data() {
    QTest::addColumn<int>("tag");
    QTest::addColumn<QString>("arrival");
    QTest::addColumn<int>("landsOn");
    QTest::addColumn<quint16>("lastKey");
    QTest::addColumn<QList<int>>("checked");

    // The middle field of three carries the tag; it is reached from field 0 (Enter, Down,
    // click) or from field 2 (Up).
    const struct {
        int tag;
        int enter, down, up, click; // where the focus ends
    } modes[] = {
        {0, 1, 1, 1, 1}, {1, 2, 2, 0, 0},     {2, 2, 2, 0, 1}, {3, 2, 2, 1, 0},
        {4, 2, 2, 1, 1}, {50101, 1, 1, 1, 1}, {6, 1, 1, 1, 1}, {987, 1, 1, 1, 1},
    };
    for (const auto& m : modes) {
        const auto row = [&](const char* arrival, int landsOn, quint16 lastKey, int from) {
            // Passing over the middle field runs its check too.
            QList<int> checked{from};
            if (landsOn != 1)
                checked.append(1);
            QTest::addRow("tag %d %s", m.tag, arrival)
                << m.tag << QString::fromLatin1(arrival) << landsOn << lastKey << checked;
        };
        row("enter", m.enter, 13, 0);
        row("down", m.down, 40, 0);
        row("up", m.up, 38, 2);
        row("click", m.click, 64, 0);
    }
}

void TestWinCtrl::modeTable() {
    QFETCH(int, tag);
    QFETCH(QString, arrival);
    QFETCH(int, landsOn);
    QFETCH(quint16, lastKey);
    QFETCH(QList<int>, checked);

    Form form({0, tag, 0});
    QVERIFY(showActive(&form.window));
    const int start = arrival == QLatin1String("up") ? 2 : 0;
    QTest::mouseClick(form.edits[start], Qt::LeftButton);
    QCOMPARE(form.focusedIndex(), start);
    QVERIFY(form.highlighted(start));
    form.checked.clear();

    if (arrival == QLatin1String("enter"))
        pressKey(Qt::Key_Return);
    else if (arrival == QLatin1String("down"))
        pressKey(Qt::Key_Down);
    else if (arrival == QLatin1String("up"))
        pressKey(Qt::Key_Up);
    else
        QTest::mouseClick(form.edits[1], Qt::LeftButton);

    QCOMPARE(form.focusedIndex(), landsOn);
    QCOMPARE(form.nav->CurrentIndex, landsOn);
    QCOMPARE(form.nav->LastKey, lastKey);
    QCOMPARE(form.checked, checked);
    QVERIFY(form.highlighted(landsOn));
    QCOMPARE(form.highlighted(1), landsOn == 1); // a field passed over is not highlighted
    QVERIFY(!form.nav->KeyMove);
}

void TestWinCtrl::modeFiveSteps() {
    // Field 0 steps 3 forward; field 3 steps 2 back; field 4 would step past the end.
    Form form({50300, 0, 0, 50102, 50501, 0});
    QCOMPARE(form.nav->FieldStates[0].ForwardStep, 3);
    QCOMPARE(form.nav->FieldStates[0].BackStep, 0);
    QCOMPARE(form.nav->FieldStates[3].BackStep, 2);
    QCOMPARE(form.nav->FieldStates[1].ForwardStep, 1);
    QVERIFY(showActive(&form.window));

    QTest::mouseClick(form.edits[0], Qt::LeftButton);
    pressKey(Qt::Key_Return);
    QCOMPARE(form.focusedIndex(), 3);
    QVERIFY(form.highlighted(3));
    pressKey(Qt::Key_Up);
    QCOMPARE(form.focusedIndex(), 1);
    QCOMPARE(form.nav->PreviousIndex, 3);

    QTest::mouseClick(form.edits[4], Qt::LeftButton);
    pressKey(Qt::Key_Down);
    QCOMPARE(form.focusedIndex(), 4);
    QVERIFY(!form.nav->KeyMove);
    QCOMPARE(form.edits[4]->text(), QString()); // the key was still consumed
}

void TestWinCtrl::enterInLastFieldDoesNothing() {
    Form form({0, 0, 0});
    QVERIFY(showActive(&form.window));
    QTest::mouseClick(form.edits[2], Qt::LeftButton);
    form.checked.clear();
    pressKey(Qt::Key_Return);
    QCOMPARE(form.focusedIndex(), 2);
    QVERIFY(form.checked.isEmpty());
    pressKey(Qt::Key_Down);
    QCOMPARE(form.focusedIndex(), 2);

    // Up from the first field does nothing either.
    QTest::mouseClick(form.edits[0], Qt::LeftButton);
    pressKey(Qt::Key_Up);
    QCOMPARE(form.focusedIndex(), 0);
}

void TestWinCtrl::windowWithoutFields() {
    QWidget window;
    new QPushButton(&window);
    TWinCtrl nav(&window);
    nav.Collect(&window);
    QCOMPARE(nav.LastIndex(), -1);
    nav.FocusNext();
    nav.FocusPrevious();
    nav.FocusField(0);
    nav.FieldExit();
    quint16 key = 13;
    nav.FieldKeyDown(key, Qt::NoModifier);
    QCOMPARE(key, quint16(0));
    nav.ClearFields(true, 0, 0);
    QCOMPARE(nav.FieldAt(0), nullptr);
    QCOMPARE(nav.FieldText(0), QString());
    QVERIFY(!nav.KeyMove);
}

void TestWinCtrl::windowFocusChangesAreNoExits() {
    Form form({0, 0, 0});
    QVERIFY(showActive(&form.window));
    QTest::mouseClick(form.edits[0], Qt::LeftButton);
    pressKey(Qt::Key_Return);
    QCOMPARE(form.focusedIndex(), 1);
    const QList<int> checkedBefore = form.checked;

    // A message box or another application takes the focus and gives it back.
    QWidget other;
    QVERIFY(showActive(&other));
    QVERIFY(!form.edits[1]->hasFocus());
    QVERIFY(showActive(&form.window));
    QTRY_VERIFY(form.edits[1]->hasFocus());

    QCOMPARE(form.checked, checkedBefore);
    QCOMPARE(form.nav->LastKey, quint16(13));
    QCOMPARE(form.nav->PreviousIndex, 0);
    QVERIFY(form.highlighted(1));
}

void TestWinCtrl::programMoveWhileInactiveRunsOnReturn() {
    Form form({0, 0, 0});
    QVERIFY(showActive(&form.window));
    QTest::mouseClick(form.edits[0], Qt::LeftButton);
    form.checked.clear();

    QWidget other;
    QVERIFY(showActive(&other));
    form.nav->FocusField(2); // e.g. after a message box, before the window is active again
    QVERIFY(form.checked.isEmpty());
    QVERIFY(showActive(&form.window));
    QTRY_COMPARE(form.focusedIndex(), 2);

    QCOMPARE(form.checked, QList<int>{0});
    QCOMPARE(form.nav->CurrentIndex, 2);
    QCOMPARE(form.nav->PreviousIndex, 0);
    QVERIFY(form.highlighted(2));
    QVERIFY(!form.highlighted(0));
}

void TestWinCtrl::errorColourAndCodeAtExit() {
    Form form({0, 0});
    QVERIFY(showActive(&form.window));
    QTest::mouseClick(form.edits[0], Qt::LeftButton);
    typeText(form.edits[0], QStringLiteral("abc"));
    form.checkResult = 7;
    pressKey(Qt::Key_Return);
    QCOMPARE(form.nav->FieldErrorCode(0), 7);
    QCOMPARE(form.nav->FieldStates[0].LastText, QStringLiteral("abc"));
    QCOMPARE(TWinCtrl::fieldColor(form.edits[0]), form.nav->ErrorColor);

    form.checkResult = 0;
    QTest::mouseClick(form.edits[0], Qt::LeftButton);
    QVERIFY(form.highlighted(0));
    QTest::mouseClick(form.edits[1], Qt::LeftButton);
    QCOMPARE(form.nav->FieldErrorCode(0), 0);
    QCOMPARE(TWinCtrl::fieldColor(form.edits[0]), form.nav->NormalColor);
}

void TestWinCtrl::openComboListKeepsArrows() {
    QWidget window;
    new QLineEdit(&window);
    auto* combo = new QComboBox(&window);
    combo->addItems({QStringLiteral("A"), QStringLiteral("B")});
    TWinCtrl nav(&window);
    nav.Collect(&window);
    nav.CurrentIndex = 1;
    QVERIFY(showActive(&window));

    quint16 key = 40;
    nav.FieldKeyDown(key, Qt::AltModifier); // Alt+Down opens the list
    QCOMPARE(key, quint16(40));

    combo->showPopup();
    QTRY_VERIFY(combo->view()->isVisible());
    for (quint16 arrow : {quint16(38), quint16(40)}) {
        key = arrow;
        nav.FieldKeyDown(key, Qt::NoModifier);
        QCOMPARE(key, arrow);
    }
    QCOMPARE(nav.CurrentIndex, 1);
    combo->hidePopup();

    key = 38;
    nav.FieldKeyDown(key, Qt::NoModifier);
    QCOMPARE(key, quint16(0));
    QCOMPARE(nav.LastKey, quint16(38));
}

void TestWinCtrl::memoEnterMovesOn() {
    QWidget window;
    auto* memo = new QPlainTextEdit(&window);
    auto* edit = new QLineEdit(&window);
    edit->move(0, 100);
    TWinCtrl nav(&window);
    nav.Collect(&window);
    FieldEvents events(
        &window, {[&](QWidget* f) { nav.FieldEnter(f); }, [&](QWidget*) { nav.FieldExit(); },
                  [&](QWidget*, quint16& k, Qt::KeyboardModifiers s) { nav.FieldKeyDown(k, s); },
                  [&](QWidget*, QChar& c) {
                      nav.FieldKeyPress(c);
                  }});
    events.watch(memo);
    events.watch(edit);
    QVERIFY(showActive(&window));
    memo->setFocus(Qt::MouseFocusReason);
    typeText(memo, QStringLiteral("表"));
    pressKey(Qt::Key_Return);
    QVERIFY(edit->hasFocus());
    QCOMPARE(memo->toPlainText(), QStringLiteral("表"));

    QChar enter(u'\r');
    nav.FieldKeyPress(enter);
    QVERIFY(enter.isNull());
    QChar letter(u'a');
    nav.FieldKeyPress(letter);
    QCOMPARE(letter, QChar(u'a'));
}

void TestWinCtrl::clearFieldsRange() {
    Form form({0, 0, 0});
    for (int i = 0; i < 3; ++i) {
        form.edits[i]->setText(QStringLiteral("x"));
        form.nav->FieldStates[i].ErrorCode = 9;
    }
    form.nav->ClearFields(false, -5, 1);
    QCOMPARE(form.edits[0]->text(), QString());
    QCOMPARE(form.edits[1]->text(), QString());
    QCOMPARE(form.edits[2]->text(), QStringLiteral("x"));
    QCOMPARE(form.nav->FieldErrorCode(1), 0);
    QCOMPARE(form.nav->FieldErrorCode(2), 9);

    form.nav->ClearErrors(true, 0, 0);
    QCOMPARE(form.nav->FieldErrorCode(2), 0);
    QCOMPARE(form.edits[2]->text(), QStringLiteral("x"));
}
