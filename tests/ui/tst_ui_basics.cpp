#include "tst_ui_basics.h"

#include "support/ui_helpers.h"
#include "ui/fonts.h"
#include "ui/window_geometry.h"

#include <QFontInfo>
#include <QTest>

#include <new>
#include <stdexcept>

namespace {

class ThrowingObject : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User)
            throw std::runtime_error("boom");
        return QObject::event(e);
    }
};

} // namespace

void TestUiBasics::placement_data() {
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<int>("topDivisor");
    QTest::addColumn<QPoint>("position");
    QTest::newRow("logon on 1024x768")
        << QSize(1024, 768) << QSize(260, 180) << 3 << QPoint(382, 196);
    QTest::newRow("main on 1024x768")
        << QSize(1024, 768) << QSize(640, 480) << 3 << QPoint(192, 96);
    QTest::newRow("version window") << QSize(1024, 768) << QSize(304, 175) << 2 << QPoint(360, 296);
    QTest::newRow("odd remainders")
        << QSize(1280, 1024) << QSize(261, 181) << 3 << QPoint(509, 281);
    // Larger than the screen: the division truncates toward zero.
    QTest::newRow("too large") << QSize(800, 600) << QSize(1001, 700) << 3 << QPoint(-100, -33);
}

void TestUiBasics::placement() {
    QFETCH(QSize, screen);
    QFETCH(QSize, window);
    QFETCH(int, topDivisor);
    QFETCH(QPoint, position);
    QCOMPARE(placedPosition(screen, window, topDivisor), position);
}

void TestUiBasics::storedSizeStaysOnScreen_data() {
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QSize>("stored");
    QTest::addColumn<QRect>("placed");
    const QRect screen(0, 0, 1024, 768);
    QTest::newRow("as stored") << screen << screen << QSize(640, 480) << QRect(192, 96, 640, 480);
    QTest::newRow("Height -5, Width 99999")
        << screen << screen << QSize(99999, -5) << QRect(0, 149, 1024, 320);
    QTest::newRow("panel above, taller than the rest")
        << screen << QRect(0, 27, 1024, 741) << QSize(800, 760) << QRect(112, 27, 800, 741);
    QTest::newRow("second screen") << QRect(1920, 0, 1280, 1024) << QRect(1920, 0, 1280, 1024)
                                   << QSize(640, 480) << QRect(2240, 181, 640, 480);
}

void TestUiBasics::storedSizeStaysOnScreen() {
    QFETCH(QRect, screen);
    QFETCH(QRect, available);
    QFETCH(QSize, stored);
    QFETCH(QRect, placed);
    QCOMPARE(placedOnScreen(screen, available, stored, QSize(640, 320), 3), placed);
}

void TestUiBasics::outerSizeWithoutFrame() {
    QWidget window;
    setOuterSize(&window, QSize(700, 500));
    QCOMPARE(outerSize(&window), QSize(700, 500));
    setOuterSize(&window, QSize(260, 180), true);
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(outerSize(&window), QSize(260, 180));
}

void TestUiBasics::generalErrorDisplay_data() {
    QTest::addColumn<QString>("thrown");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << "Table not found"
                           << "Table not found.";
    QTest::newRow("Japanese") << "ファイルを開けません"
                              << "ファイルを開けません.";
    QTest::newRow("ends in period") << "Done."
                                    << "Done.";
    QTest::newRow("ends below period") << "Failed!"
                                       << "Failed!";
    QTest::newRow("out of memory") << QString() << "メモリが不足しています.";
}

void TestUiBasics::generalErrorDisplay() {
    QFETCH(QString, thrown);
    QFETCH(QString, shown);
    ScopedMessages messages;
    bool after = false;
    runGuarded([&] {
        if (thrown.isEmpty())
            throw std::bad_alloc();
        throw std::runtime_error(thrown.toStdString());
    });
    after = true; // the program goes on
    QVERIFY(after);
    QCOMPARE(messages.reporter.messages.size(), 1);
    const RecordingReporter::Message& m = messages.reporter.messages.first();
    QCOMPARE(m.caption, QStringLiteral("Tamsel"));
    QCOMPARE(m.icon, MessageIcon::Error);
    QCOMPARE(m.buttons, MessageButtons::Ok);
    QCOMPARE(m.text, shown);
}

void TestUiBasics::errorEscapingToNotifyIsShown() {
    ScopedMessages messages;
    ThrowingObject object;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&object, &event);
    QCOMPARE(messages.reporter.texts(), QStringList{QStringLiteral("boom.")});
}

void TestUiBasics::fontSubstitutions_data() {
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QString>("family");
    QTest::newRow("window") << windowFont() << "IPAPGothic";
    QTest::newRow("preview") << previewFont() << "IPAGothic";
}

void TestUiBasics::fontSubstitutions() {
    QFETCH(QFont, font);
    QFETCH(QString, family);
    registerFontSubstitutions();
    const QFontInfo info(font);
    QCOMPARE(info.family(), family);
    QCOMPARE(info.pixelSize(), 12);
}
