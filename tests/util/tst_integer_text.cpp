#include "tst_integer_text.h"

#include "util/integer_text.h"

#include <QTest>

void TestIntegerText::parsesIntegers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<qint32>("value");
    QTest::newRow("decimal") << "42" << true << 42;
    QTest::newRow("plus") << "+7" << true << 7;
    QTest::newRow("minus one digit") << "-5" << true << -5;
    QTest::newRow("leading blanks") << "  12" << true << 12;
    QTest::newRow("dollar hex") << "$A" << true << 10;
    QTest::newRow("x hex") << "x1f" << true << 31;
    QTest::newRow("X hex") << "XFF" << true << 255;
    QTest::newRow("0x hex") << "0x10" << true << 16;
    QTest::newRow("0X hex") << "0X10" << true << 16;
    QTest::newRow("negative hex") << "-$A" << true << -10;
    QTest::newRow("max") << "2147483647" << true << 2147483647;
    QTest::newRow("min") << "-2147483648" << true << qint32(-2147483647 - 1);
    QTest::newRow("overflow") << "2147483648" << false << 0;
    QTest::newRow("hex overflow") << "$80000000" << false << 0;
    QTest::newRow("long overflow") << "99999999999999999999" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("blank only") << " " << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
    QTest::newRow("prefix only") << "$" << false << 0;
    QTest::newRow("0x only") << "0x" << false << 0;
    QTest::newRow("trailing blank") << "12 " << false << 0;
    QTest::newRow("digit and letter") << "1a" << false << 0;
    QTest::newRow("leading tab") << "\t1" << false << 0;
    QTest::newRow("full-width digit") << "１" << false << 0;
    QTest::newRow("blank after sign") << "- 1" << false << 0;
}

void TestIntegerText::parsesIntegers() {
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QFETCH(qint32, value);
    QCOMPARE(IsNumeric(text), numeric);
    if (numeric)
        QCOMPARE(*parseInteger(text), value);
}
