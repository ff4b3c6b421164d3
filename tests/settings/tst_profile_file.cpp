#include "tst_profile_file.h"

#include "settings/profile_file.h"
#include "support/test_files.h"
#include "util/sjis.h"

#include <QTemporaryDir>
#include <QTest>

void TestProfileFile::readsValues_data() {
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected"); // "<default>" when the default comes back
    const QString file = "[Params]\n"
                         "  Public =  PUB_X  \n"
                         "Custom=\n"
                         "; Set=commented\n"
                         "noequals\n"
                         "SysName=a=b\n"
                         "[Other]\n"
                         "Set=OTHER\n"
                         "[params]\n"
                         "Set=SECOND\n";
    QTest::newRow("blanks around key and value") << file << "Params"
                                                 << "Public"
                                                 << "PUB_X";
    QTest::newRow("key in another case") << file << "PARAMS"
                                         << "public"
                                         << "PUB_X";
    QTest::newRow("present but empty") << file << "Params"
                                       << "Custom"
                                       << "";
    QTest::newRow("commented key") << file << "Params"
                                   << "Set"
                                   << "<default>";
    QTest::newRow("equals in value") << file << "Params"
                                     << "SysName"
                                     << "a=b";
    QTest::newRow("missing key") << file << "Params"
                                 << "INS"
                                 << "<default>";
    QTest::newRow("missing section") << file << "LastStatus"
                                     << "Alias"
                                     << "<default>";
    QTest::newRow("other section") << file << "Other"
                                   << "Set"
                                   << "OTHER";
    QTest::newRow("japanese value") << "[A]\nK=ﾃｽﾄ値　\n"
                                    << "A"
                                    << "K"
                                    << "ﾃｽﾄ値　";
}

void TestProfileFile::readsValues() {
    QFETCH(QString, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath("Ostrel.ini");
    writeFileBytes(path, iniBytes(content));
    const QString value = ProfileFile(path).readString(section, key, "<default>");
    QCOMPARE(value, expected);
}

void TestProfileFile::writesInPlaceAtSectionEndOrNewSection_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("after");
    QTest::newRow("no file") << QString() << "Params"
                             << "Public"
                             << "P_"
                             << "[Params]\nPublic=P_\n";
    QTest::newRow("replace in place, key keeps its case") << "[params]\npublic=OLD\nCustom=C\n"
                                                          << "Params"
                                                          << "Public"
                                                          << "NEW"
                                                          << "[params]\npublic=NEW\nCustom=C\n";
    QTest::newRow("append at end of section before blank lines") << "[A]\nx=1\n\n[B]\ny=2\n"
                                                                 << "a"
                                                                 << "z"
                                                                 << "3"
                                                                 << "[A]\nx=1\nz=3\n\n[B]\ny=2\n";
    QTest::newRow("new section at end") << "[A]\nx=1\n"
                                        << "B"
                                        << "y"
                                        << "2"
                                        << "[A]\nx=1\n[B]\ny=2\n";
    QTest::newRow("empty key") << "[Attention]\n"
                               << "Attention"
                               << ""
                               << "=note=="
                               << "[Attention]\n==note==\n";
    QTest::newRow("empty key replaced") << "[Attention]\n==old==\nApplication=T\n"
                                        << "Attention"
                                        << ""
                                        << "=new=="
                                        << "[Attention]\n==new==\nApplication=T\n";
    QTest::newRow("comments kept") << "; top\n[A]\n; c\nx=1\n"
                                   << "A"
                                   << "x"
                                   << "2"
                                   << "; top\n[A]\n; c\nx=2\n";
    QTest::newRow("empty section header line") << "[A]\n"
                                               << "A"
                                               << "k"
                                               << ""
                                               << "[A]\nk=\n";
}

void TestProfileFile::writesInPlaceAtSectionEndOrNewSection() {
    QFETCH(QString, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, after);
    QTemporaryDir dir;
    const QString path = dir.filePath("Ostrel.ini");
    if (!before.isNull())
        writeFileBytes(path, iniBytes(before));
    ProfileFile file(path);
    file.writeString(section, key, value);
    QCOMPARE(readFileBytes(path), iniBytes(after));
    QCOMPARE(file.readString(section, key, "<default>"), value);
}

void TestProfileFile::cutsLongValues() {
    QTemporaryDir dir;
    const QString path = dir.filePath("Ostrel.ini");
    const QString longValue(3000, QLatin1Char('a'));
    writeFileBytes(path, iniBytes("[P]\nDefPath=" + longValue + "\n"));
    QCOMPARE(ProfileFile(path).readString("P", "DefPath", {}), QString(2047, QLatin1Char('a')));
}

void TestProfileFile::decidesEncodingAndPassesOverDamagedLines_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected"); // the value of K in section P
    const QByteArray head("[P]\r\n");
    QTest::newRow("Shift-JIS that is valid UTF-8 too") << head + "K=\xCA\xB2\r\n"
                                                       << "ﾊｲ";
    QTest::newRow("UTF-8") << head + "K=設定\r\n"
                           << "設定";
    QTest::newRow("UTF-8 that is valid Shift-JIS too") << head + "K=伊藤\r\n"
                                                       << "伊藤";
    QTest::newRow("UTF-8 with byte-order mark") << "\xEF\xBB\xBF" + head + "K=設定システム\r\n"
                                                << "設定システム";
    QTest::newRow("damaged line in Shift-JIS")
        << head + QByteArrayLiteral("junk\xff\xfe\x00line\r\nK=") + toSjis(u"ﾃｽﾄ値") + "\r\n"
        << "ﾃｽﾄ値";
    QTest::newRow("damaged line in UTF-8") << head + "\x80\xFF\r\nK=設定\r\n"
                                           << "設定";
    QTest::newRow("damaged key line") << head + "K=\x80\xFF\r\n"
                                      << "<default>";
}

void TestProfileFile::decidesEncodingAndPassesOverDamagedLines() {
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath("Ostrel.ini");
    writeFileBytes(path, content);
    QCOMPARE(ProfileFile(path).readString("P", "K", "<default>"), expected);
}

void TestProfileFile::rewriteKeepsEveryOtherLine_data() {
    QTest::addColumn<QByteArray>("before"); // holds A=<valueOfA> in section P
    QTest::addColumn<QString>("valueOfA");
    QTest::addColumn<QString>("valueOfB"); // written to P
    QTest::addColumn<bool>("stored");
    const QByteArray junk = QByteArrayLiteral("junk\xff\xfe\x00line\r\n");
    QTest::newRow("damaged line kept") << iniBytes("[P]\nA=ﾃｽﾄ\n") + junk << "ﾃｽﾄ"
                                       << "新しい値" << true;
    QTest::newRow("UTF-8 stays UTF-8") << QByteArray("[P]\nA=設定\n") + junk << "設定"
                                       << "Café" << true;
    QTest::newRow("Shift-JIS cannot hold é") << iniBytes("[P]\nA=ﾃｽﾄ\n") << "ﾃｽﾄ"
                                             << "Café" << false;
    // Its bytes are "シ" in UTF-8: the file would read as UTF-8 next time.
    QTest::newRow("Shift-JIS that reads better as UTF-8") << iniBytes("[P]\nA=x\n") << "x"
                                                          << "縲ｷ" << false;
}

void TestProfileFile::rewriteKeepsEveryOtherLine() {
    QFETCH(QByteArray, before);
    QFETCH(QString, valueOfA);
    QFETCH(QString, valueOfB);
    QFETCH(bool, stored);
    QTemporaryDir dir;
    const QString path = dir.filePath("Ostrel.ini");
    writeFileBytes(path, before);
    ProfileFile file(path);
    try {
        file.writeString("P", "B", valueOfB);
        QVERIFY(stored);
    } catch (const ProfileError&) {
        QVERIFY(!stored);
        QCOMPARE(readFileBytes(path), before);
    }
    QCOMPARE(file.readString("P", "A", {}), valueOfA);
    QCOMPARE(file.readString("P", "B", "<none>"), stored ? valueOfB : "<none>");
    const qsizetype damaged = before.indexOf("junk");
    if (damaged >= 0)
        QVERIFY(readFileBytes(path).contains(before.mid(damaged)));
}

void TestProfileFile::refusesValuesItCannotStore_data() {
    QTest::addColumn<QString>("value");
    QTest::newRow("line break") << "a\r\nb";
    QTest::newRow("emoji") << "😀";
}

void TestProfileFile::refusesValuesItCannotStore() {
    QFETCH(QString, value);
    QTemporaryDir dir;
    const QString path = dir.filePath("Ostrel.ini");
    const QByteArray before = iniBytes("[P]\nK=old\n");
    writeFileBytes(path, before);
    QVERIFY_THROWS_EXCEPTION(ProfileError, ProfileFile(path).writeString("P", "K", value));
    QCOMPARE(readFileBytes(path), before);
}

void TestProfileFile::refusesNamesThatWouldNotReadBack_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::newRow("key with =") << "P"
                                << "K=L";
    QTest::newRow("section with ]") << "P]"
                                    << "K";
    // Shift-JIS writes these in their code-page form, under which the name is not found.
    QTest::newRow("look-alike in a key") << "P"
                                         << "〜";
    QTest::newRow("look-alike in a new section") << "−"
                                                 << "K";
}

void TestProfileFile::refusesNamesThatWouldNotReadBack() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    const QByteArray before = iniBytes("[P]\nK=old\n");
    ProfileText text = ProfileText::parse(before);
    QVERIFY_THROWS_EXCEPTION(ProfileError, text.writeString(section, key, "new"));
    QCOMPARE(text.toBytes(), before);
}
