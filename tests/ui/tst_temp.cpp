#include "tst_temp.h"

#include "model/generation_model.h"
#include "support/ui_helpers.h"
#include "ui/fonts.h"
#include "ui/main/frm_temp.h"
#include "ui/window_geometry.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>

namespace {

int bottomOf(const QWidget* w) {
    return w->y() + w->height();
}

} // namespace

void TestTemp::windowAndControls() {
    TFRM_Temp temp;
    QCOMPARE(temp.objectName(), QStringLiteral("FRM_Temp"));
    QVERIFY(temp.isWindow());
    QVERIFY(temp.windowTitle().isEmpty());
    const Qt::WindowFlags flags = temp.windowFlags();
    QVERIFY((flags & Qt::Tool) == Qt::Tool);
    QVERIFY(!(flags & Qt::WindowTitleHint));
    QVERIFY(!(flags & Qt::WindowCloseButtonHint));
    QVERIFY(!(flags & Qt::WindowSystemMenuHint));
    QVERIFY(!(flags & Qt::WindowMinMaxButtonsHint));
    QCOMPARE(temp.font(), windowFont());

    // Outer 350 x 100, half the free space above and to the left.
    QCOMPARE(outerSize(&temp), QSize(350, 100));
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    QCOMPARE(temp.pos(), placedPosition(screen, QSize(350, 100), 2));

    QCOMPARE(temp.LBL_Info->pos(), QPoint(5, 8));
    QCOMPARE(temp.LBL_Info->text(), QStringLiteral("テーブル情報を取得中・・・"));
    QCOMPARE(temp.BTN_Abort->text(), QStringLiteral("中止(&A)"));
    QCOMPARE(temp.PGB_Temp->minimum(), 0);
    QVERIFY(!temp.PGB_Temp->isTextVisible());

    // Alt+A is the button's access key.
    ScopedMessages messages;
    bool flag = false;
    temp.setAbortFlag(&flag);
    QVERIFY(showActive(&temp));
    QTest::keyClick(&temp, Qt::Key_A, Qt::AltModifier);
    QTRY_VERIFY(flag); // an access key clicks the button a moment later
}

void TestTemp::layoutFollowsClientWidth_data() {
    QTest::addColumn<int>("clientWidth");
    QTest::addColumn<int>("buttonLeft");
    QTest::newRow("no frame") << 350 << 135;
    QTest::newRow("thin frame") << 344 << 132;
    QTest::newRow("odd width") << 347 << 133;
}

void TestTemp::layoutFollowsClientWidth() {
    QFETCH(int, clientWidth);
    QFETCH(int, buttonLeft);
    ScopedMessages messages;
    TFRM_Temp temp;
    QVERIFY(showActive(&temp));
    temp.setFixedSize(clientWidth, 100);
    QTRY_COMPARE(temp.width(), clientWidth);

    const int barTop = bottomOf(temp.LBL_Info) + 5;
    QCOMPARE(temp.PGB_Temp->geometry(), QRect(5, barTop, clientWidth - 10, 20));
    QCOMPARE(temp.BTN_Abort->geometry(), QRect(buttonLeft, barTop + 20 + 5, 80, 22));
}

void TestTemp::shortClientKeepsAbortButtonWhole() {
    ScopedMessages messages;
    TFRM_Temp temp;
    QVERIFY(showActive(&temp));
    // What a tall title bar would leave of an outer height of 100.
    temp.setFixedSize(344, 60);
    QTRY_VERIFY(temp.height() > 60);
    QVERIFY(bottomOf(temp.BTN_Abort) <= temp.height());
}

void TestTemp::showClearsFlagAndBar() {
    ScopedMessages messages;
    GenerationModel model;
    model.AbortRequested = true;
    TFRM_Temp temp;
    temp.setAbortFlag(&model.AbortRequested);
    temp.setMax(3);
    temp.StepIt();
    temp.StepIt();
    QCOMPARE(temp.PGB_Temp->value(), 2);

    temp.show(); // not modal: the retrieval goes on after this
    QVERIFY(temp.isVisible());
    QVERIFY(!temp.isModal());
    QVERIFY(!model.AbortRequested);
    QVERIFY(!temp.abortRequested());
    QCOMPARE(temp.PGB_Temp->value(), 0);
    QCOMPARE(temp.PGB_Temp->maximum(), 3);
}

void TestTemp::abortButtonSetsFlagAndCloses() {
    ScopedMessages messages;
    GenerationModel model;
    TFRM_Temp temp;
    temp.setAbortFlag(&model.AbortRequested);
    temp.setMax(3);
    QVERIFY(showActive(&temp));
    QVERIFY(!model.AbortRequested);
    QTest::mouseClick(temp.BTN_Abort, Qt::LeftButton);
    QVERIFY(model.AbortRequested);
    QVERIFY(!temp.isVisible());

    // Without a flag of the caller's, the window keeps one of its own.
    temp.setAbortFlag(nullptr);
    QVERIFY(showActive(&temp));
    QVERIFY(!temp.abortRequested());
    QTest::mouseClick(temp.BTN_Abort, Qt::LeftButton);
    QVERIFY(temp.abortRequested());
    QVERIFY(model.AbortRequested); // untouched by the own flag's showing
}

void TestTemp::escapeAndWindowSystemCloseAbort() {
    ScopedMessages messages;
    bool flag = false;
    TFRM_Temp temp;
    temp.setAbortFlag(&flag);
    QVERIFY(showActive(&temp));
    temp.BTN_Abort->setFocus();
    pressKey(Qt::Key_Escape);
    QVERIFY(flag);
    QVERIFY(!temp.isVisible());

    // Alt+F4 and a close box reach the window as a close event from the window system.
    QVERIFY(showActive(&temp));
    QVERIFY(!flag);
    QCloseEvent close;
    QSpontaneKeyEvent::setSpontaneous(&close);
    QCoreApplication::instance()->notify(&temp, &close); // sendEvent would make it the program's
    QVERIFY(close.isAccepted());
    QVERIFY(flag);
}

void TestTemp::programCloseIsNoAbort() {
    ScopedMessages messages;
    bool flag = false;
    TFRM_Temp temp;
    temp.setAbortFlag(&flag);
    QVERIFY(showActive(&temp));
    QVERIFY(temp.close());
    QVERIFY(!temp.isVisible());
    QVERIFY(!flag);
}

// The retrieval's own pattern: show, then once per table let events through and look at
// the flag. An abort clicked while the first table is read stops before the second.
void TestTemp::abortReachesRetrievalLoop() {
    ScopedMessages messages;
    GenerationModel model;
    TFRM_Temp temp;
    temp.setAbortFlag(&model.AbortRequested);
    temp.setMax(3);
    temp.show();

    int read = 0;
    for (int p = 0; p < 3; ++p) {
        QCoreApplication::processEvents();
        if (model.AbortRequested)
            break;
        ++read;
        if (p == 0) // the user clicks while the first table's query runs
            QMetaObject::invokeMethod(temp.BTN_Abort, &QPushButton::click, Qt::QueuedConnection);
        temp.StepIt();
    }
    QCOMPARE(read, 1);
    QVERIFY(model.AbortRequested);
    QVERIFY(!temp.isVisible());
    QCOMPARE(temp.PGB_Temp->value(), 1);
}

void TestTemp::stepsStopAtMaximum() {
    TFRM_Temp temp;
    temp.setMax(2);
    for (int i = 0; i < 3; ++i)
        temp.StepIt();
    QCOMPARE(temp.PGB_Temp->value(), 2);
}
