#include "tst_sjis.h"

#include "support/test_files.h"
#include "util/sjis.h"
#include "util/text_file.h"

#include <QTemporaryDir>
#include <QTest>

void TestSjis::encodesAsCodePage932_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QStringLiteral("EMP_NO=1\\") << QByteArray("EMP_NO=1\\");
    QTest::newRow("half-width katakana")
        << QStringLiteral("ﾊﾟｯｹｰｼﾞ") << QByteArray("\xCA\xDF\xAF\xB9\xB0\xBC\xDE");
    QTest::newRow("kanji") << QStringLiteral("設定") << QByteArray("\x90\xDD\x92\xE8");
    QTest::newRow("full-width colon and blank")
        << QStringLiteral("：　") << QByteArray("\x81\x46\x81\x40");
    // Held by code page 932 but refused by plain SHIFT_JIS.
    QTest::newRow("fullwidth tilde") << QStringLiteral("～") << QByteArray("\x81\x60");
    QTest::newRow("circled one") << QStringLiteral("①") << QByteArray("\x87\x40");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestSjis::encodesAsCodePage932() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(toSjis(text), bytes);
    QCOMPARE(fromSjis(bytes), std::optional<QString>(text));
    QVERIFY(!findSjisUnencodable(text));
}

void TestSjis::refusesWhatCodePage932CannotHold_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("position");
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("code");
    QTest::newRow("emoji") << QStringLiteral("ab😀c") << qsizetype(2) << QStringLiteral("😀")
                           << "U+1F600";
    QTest::newRow("hangul") << QStringLiteral("表한") << qsizetype(1) << QStringLiteral("한")
                            << "U+D55C";
    // glibc maps the yen sign to 0x5C one way only; it would read back as a backslash.
    QTest::newRow("yen sign one-way")
        << QStringLiteral("¥100") << qsizetype(0) << QStringLiteral("¥") << "U+00A5";
    QTest::newRow("lone surrogate")
        << QString(QChar(0xD800)) << qsizetype(0) << QString(QChar(0xD800)) << "U+D800";
}

void TestSjis::refusesWhatCodePage932CannotHold() {
    QFETCH(QString, text);
    QFETCH(qsizetype, position);
    QFETCH(QString, character);
    QFETCH(QString, code);
    const auto found = findSjisUnencodable(text);
    QVERIFY(found);
    QCOMPARE(found->position, position);
    QCOMPARE(found->character, character);
    try {
        toSjis(text);
        QFAIL("a character code page 932 cannot hold was encoded");
    } catch (const SjisEncodeError& error) {
        QCOMPARE(error.where().position, position);
        QVERIFY(QString::fromStdString(error.what()).contains(code));
    }
}

void TestSjis::savesWhatInputMethodsTypeInCodePage932Form_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("cp932Form");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("wave dash") << QStringLiteral("〜") << QStringLiteral("～")
                               << QByteArray("\x81\x60");
    QTest::newRow("em dash") << QStringLiteral("—") << QStringLiteral("―")
                             << QByteArray("\x81\x5C");
    QTest::newRow("double vertical line")
        << QStringLiteral("‖") << QStringLiteral("∥") << QByteArray("\x81\x61");
    QTest::newRow("minus sign") << QStringLiteral("−") << QStringLiteral("－")
                                << QByteArray("\x81\x7C");
    QTest::newRow("cent sign") << QStringLiteral("¢") << QStringLiteral("￠")
                               << QByteArray("\x81\x91");
    QTest::newRow("pound sign") << QStringLiteral("£") << QStringLiteral("￡")
                                << QByteArray("\x81\x92");
    QTest::newRow("not sign") << QStringLiteral("¬") << QStringLiteral("￢")
                              << QByteArray("\x81\xCA");
}

void TestSjis::savesWhatInputMethodsTypeInCodePage932Form() {
    QFETCH(QString, typed);
    QFETCH(QString, cp932Form);
    QFETCH(QByteArray, bytes);
    const QString line = "1" + typed + "2";
    // The preview's check before its dialog must let through what the file writer writes.
    QVERIFY(!findSjisUnencodable(line));
    QCOMPARE(sjisLength(line), 4);
    QTemporaryDir dir;
    const QString path = dir.filePath("saved.sql");
    writeSjisLines(path, {"-- a", line});
    QCOMPARE(readFileBytes(path), "-- a\r\n1" + bytes + "2\r\n");
    QCOMPARE(fromSjis(readFileBytes(path)),
             std::optional<QString>("-- a\r\n1" + cp932Form + "2\r\n"));
}

void TestSjis::savingRefusesOtherCharactersWithTheirLine() {
    QTemporaryDir dir;
    const QString path = dir.filePath("saved.sql");
    writeFileBytes(path, "old");
    try {
        writeSjisLines(path, {"〜 ok", "ab😀c"});
        QFAIL("an emoji was saved");
    } catch (const SjisEncodeError& error) {
        QCOMPARE(error.where().character, QStringLiteral("😀"));
        QCOMPARE(error.where().line, qsizetype(2));
        QVERIFY2(QString::fromUtf8(error.what()).contains("「😀」(U+1F600)（2行目）"), error.what());
    }
    QCOMPARE(readFileBytes(path), QByteArray("old"));
}

void TestSjis::decodesStrictly_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    QTest::newRow("lead byte at the end") << QByteArray("ab\x90") << false;
    QTest::newRow("bad trail byte") << QByteArray("\x90\x20") << false;
    QTest::newRow("0x80") << QByteArray("\x80") << false;
    QTest::newRow("0xFD") << QByteArray("\xFD") << false;
    QTest::newRow("NEC row 13") << QByteArray("\x87\x90") << true;
    QTest::newRow("utf-8 text") << QByteArray("\xE8\xA8\xAD\xE5\xAE\x9A") << false;
}

void TestSjis::decodesStrictly() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    QCOMPARE(fromSjis(bytes).has_value(), valid);
}

void TestSjis::lengthCountsBytes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("length");
    QTest::newRow("ascii") << QStringLiteral("EMPNO") << qsizetype(5);
    QTest::newRow("five double-byte") << QStringLiteral("社員番号名") << qsizetype(10);
    QTest::newRow("half-width katakana") << QStringLiteral("ﾃｰﾌﾞﾙ") << qsizetype(5);
    QTest::newRow("mixed") << QStringLiteral("A表b") << qsizetype(4);
    QTest::newRow("emoji counts as one") << QStringLiteral("a😀") << qsizetype(2);
    QTest::newRow("hangul counts as one") << QStringLiteral("한") << qsizetype(1);
    QTest::newRow("empty") << QString() << qsizetype(0);
}

void TestSjis::lengthCountsBytes() {
    QFETCH(QString, text);
    QFETCH(qsizetype, length);
    QCOMPARE(sjisLength(text), length);
}

void TestSjis::roundTripsEveryHeldCharacter() {
    // Every BMP character that encodes must decode to itself, but for the seven written in
    // their code page 932 form, and its length must be the length of its bytes: the tables
    // are only trustworthy if both directions agree.
    int held = 0;
    QString folded;
    for (char32_t u = 0x80; u < 0x10000; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF)
            continue;
        const QString text(QChar(static_cast<char16_t>(u)));
        if (findSjisUnencodable(text))
            continue;
        ++held;
        const QByteArray bytes = toSjis(text);
        const std::optional<QString> back = fromSjis(bytes);
        QVERIFY(back);
        if (*back != text)
            folded += text;
        QCOMPARE(sjisLength(text), bytes.size());
    }
    QVERIFY2(held > 7000, qPrintable(QString::number(held)));
    QCOMPARE(folded, QStringLiteral("¢£¬—‖−〜"));
}

void TestSjis::refusesAtItsPlaceAcrossBlockEdges_data() {
    QTest::addColumn<QString>("character");
    QTest::addColumn<int>("at");
    // The first unit past ASCII, a one-way mapping, a surrogate pair and a lone surrogate.
    for (const QString& character : QStringList{QChar(0x80), "¥", "😀", QChar(0xD800)})
        for (int at : kBlockEdges)
            QTest::addRow("U+%04X at %d", character[0].unicode(), at) << character << at;
}

void TestSjis::refusesAtItsPlaceAcrossBlockEdges() {
    QFETCH(QString, character);
    QFETCH(int, at);
    const QString text = kAscii.left(at) + character + QStringLiteral("表") + kAscii.mid(at);
    QCOMPARE(findSjisUnencodable(text)->position, at);
    QByteArray kept("kept\r\n");
    try {
        appendSjisLine(kept, text, 7);
        QFAIL("encoded");
    } catch (const SjisEncodeError& error) {
        QCOMPARE(error.where().position, at);
        QCOMPARE(error.where().character, character);
        QCOMPARE(error.where().line, qsizetype(7));
    }
    QCOMPARE(kept, QByteArray("kept\r\n"));
    try {
        encodeSjisLines({kAscii, text});
        QFAIL("encoded");
    } catch (const SjisEncodeError& error) {
        QCOMPARE(error.where().position, at);
        QCOMPARE(error.where().line, qsizetype(2));
    }
}

void TestSjis::charCode_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");
    QTest::newRow("upper A") << "A" << 65;
    QTest::newRow("lower z") << "z" << 122;
    QTest::newRow("digit") << "1" << 49;
    QTest::newRow("half-width katakana") << "ｱ" << 0xB1;
    QTest::newRow("double-byte") << "あ" << -1;
    QTest::newRow("two characters") << "AB" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("not in code page") << "한" << -1;
}

void TestSjis::charCode() {
    QFETCH(QString, text);
    QFETCH(int, code);
    QCOMPARE(int(CharCode(text)), code);
}
