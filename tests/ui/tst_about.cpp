#include "tst_about.h"

#include "support/ui_helpers.h"
#include "ui/dialogs/frm_about.h"
#include "ui/widgets/url_label.h"

#include <QEnterEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

const QColor kBlue(0, 0, 255);
const QColor kHot(255, 255, 0);
const QColor kPushed(255, 0, 0);

void enter(QWidget* w) {
    const QPointF inside(2, 2);
    QEnterEvent event(inside, inside, w->mapToGlobal(inside));
    QApplication::sendEvent(w, &event);
}

void leave(QWidget* w) {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(w, &event);
}

} // namespace

void TestAbout::versionWindowContent() {
    // The link is the help page, shortened in the middle where the label is too narrow.
    const ScopedExecutableFolder folder(
        QStringLiteral("/opt/a-rather-long-folder-name/for-the-version-window/bin"));
    TFRM_About about;
    QCOMPARE(about.windowTitle(), QStringLiteral("バージョン情報"));
    QCOMPARE(about.size(), QSize(298, 148));
    QCOMPARE(about.LBL_SoftName->text(), QStringLiteral("Tamsel"));
    QCOMPARE(about.LBL_Version->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ　1.2.0.0"));
    QCOMPARE(about.LBL_URL->text(), QStringLiteral("URL："));
    QVERIFY(!about.LBL_Copyright->text().isEmpty());
    QCOMPARE(about.URLLabel1->link(),
             QStringLiteral("/opt/a-rather-long-folder-name/for-the-version-window/bin/Html/"
                            "index.html"));
    QCOMPARE(about.URLLabel1->toolTip(), about.URLLabel1->link());
    QVERIFY(about.URLLabel1->text().startsWith(QLatin1String("/opt/")));
    QVERIFY(about.URLLabel1->text().endsWith(QLatin1String("index.html")));
    QVERIFY(about.URLLabel1->fontMetrics().horizontalAdvance(about.URLLabel1->text()) <=
            about.URLLabel1->width());
    QVERIFY(about.URLLabel1->Executable());
    QCOMPARE(about.URLLabel1->HotColor(), kHot);
    QCOMPARE(about.URLLabel1->fontColor(), kBlue);
    QVERIFY(about.URLLabel1->font().underline());
    QCOMPARE(about.URLLabel1->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(about.URLLabel1->geometry(), QRect(41, 80, 184, 12));
    QCOMPARE(about.URLLabel1->parentWidget(), about.Panel1);
    QVERIFY(about.OKButton->isDefault());

    ScopedMessages messages;
    QVERIFY(showActive(&about));
    QTest::keyClick(&about, Qt::Key_Return);
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

void TestAbout::urlLabelColours_data() {
    QTest::addColumn<bool>("hotTrack");
    QTest::addColumn<bool>("releaseInside");
    QTest::addColumn<QColor>("entered");
    QTest::addColumn<QColor>("pressed");
    QTest::addColumn<QColor>("released");
    QTest::addColumn<QColor>("left");
    QTest::newRow("release inside") << true << true << kHot << kPushed << kHot << kBlue;
    QTest::newRow("release outside") << true << false << kHot << kPushed << kBlue << kBlue;
    QTest::newRow("no hot tracking") << false << true << kBlue << kBlue << kBlue << kBlue;
}

void TestAbout::urlLabelColours() {
    QFETCH(bool, hotTrack);
    QFETCH(bool, releaseInside);
    QFETCH(QColor, entered);
    QFETCH(QColor, pressed);
    QFETCH(QColor, released);
    QFETCH(QColor, left);

    ScopedDesktop desktop;
    TFRM_About about;
    TURLLabel* label = about.URLLabel1;
    label->setHotTrack(hotTrack);
    QVERIFY(showActive(&about));

    enter(label);
    QCOMPARE(label->fontColor(), entered);
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(label->fontColor(), pressed);
    const QPoint releaseAt = releaseInside ? QPoint(6, 6) : QPoint(5, label->height() + 20);
    QTest::mouseRelease(label, Qt::LeftButton, {}, releaseAt);
    QCOMPARE(label->fontColor(), released);
    leave(label);
    QCOMPARE(label->fontColor(), left);
    QCOMPARE(desktop.opened, QStringList{label->link()});
}

void TestAbout::urlLabelOpensOnAnyButton_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("executable");
    QTest::newRow("left") << Qt::LeftButton << true;
    QTest::newRow("right") << Qt::RightButton << true;
    QTest::newRow("middle") << Qt::MiddleButton << true;
    QTest::newRow("not executable") << Qt::LeftButton << false;
}

void TestAbout::urlLabelOpensOnAnyButton() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, executable);
    ScopedDesktop desktop;
    TURLLabel label;
    label.setText(QStringLiteral("https://example.org/x"));
    label.setExecutable(executable);
    QCOMPARE(label.HotColor(), QColor(0, 255, 255)); // the label's own default
    QVERIFY(showActive(&label));
    QTest::mouseClick(&label, button, {}, QPoint(3, 3));
    QCOMPARE(desktop.opened,
             executable ? QStringList{QStringLiteral("https://example.org/x")} : QStringList{});
}
