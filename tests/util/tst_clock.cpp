#include "tst_clock.h"

#include "util/clock.h"

#include <QTest>

void TestClock::headerDateTime_data() {
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QString>("text");
    QTest::newRow("afternoon") << QDateTime(QDate(2001, 5, 12), QTime(14, 3, 9))
                               << "2001年05月12日(土) [14:03:09]";
    QTest::newRow("midnight") << QDateTime(QDate(2026, 1, 4), QTime(0, 0, 0))
                              << "2026年01月04日(日) [00:00:00]";
    QTest::newRow("year below 1000")
        << QDateTime(QDate(999, 12, 31), QTime(23, 59, 59)) << "0999年12月31日(火) [23:59:59]";
}

void TestClock::headerDateTime() {
    QFETCH(QDateTime, moment);
    QFETCH(QString, text);
    const FixedClock clock(moment, {"月", "火", "水", "木", "金", "土", "日"});
    QCOMPARE(::headerDateTime(clock), text);
}
