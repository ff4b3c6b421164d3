#include "tst_blanks_and_report.h"

#include "support/recording_reporter.h"
#include "util/blanks.h"

#include <QTest>

void TestBlanksAndReport::trimsBlanksOnly_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");
    QTest::addColumn<bool>("blankOnly");
    QTest::newRow("blanks around") << "  PUB_ "
                                   << "PUB_" << false;
    QTest::newRow("controls around") << "\t\r\nX\x01"
                                     << "X" << false;
    QTest::newRow("inner blank kept") << " A B "
                                      << "A B" << false;
    QTest::newRow("full-width blank kept") << "　名前　"
                                           << "　名前　" << false;
    QTest::newRow("blank only") << "   "
                                << "" << true;
    QTest::newRow("empty") << ""
                           << "" << true;
}

void TestBlanksAndReport::trimsBlanksOnly() {
    QFETCH(QString, text);
    QFETCH(QString, trimmed);
    QFETCH(bool, blankOnly);
    QCOMPARE(trimBlanks(text), trimmed);
    QCOMPARE(isBlankOnly(text), blankOnly);
}

void TestBlanksAndReport::generalErrorTextAppendsPeriod_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "Access denied"
                            << "Access denied.";
    QTest::newRow("period") << "Done."
                            << "Done.";
    QTest::newRow("comma sorts below period") << "a,"
                                              << "a,";
    QTest::newRow("japanese") << "ｴﾗｰ"
                              << "ｴﾗｰ.";
    QTest::newRow("empty") << ""
                           << "";
}

void TestBlanksAndReport::generalErrorTextAppendsPeriod() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(generalErrorText(text), shown);
}

void TestBlanksAndReport::busyGuardRestoresOnException() {
    RecordingReporter reporter;
    try {
        BusyGuard outer(reporter);
        BusyGuard inner(reporter);
        QCOMPARE(reporter.busyDepth, 2);
        throw std::runtime_error("x");
    } catch (const std::runtime_error&) {
    }
    QCOMPARE(reporter.busyDepth, 0);
}
