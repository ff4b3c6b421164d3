#include "tst_profile_file.h"

#include "settings/profile_file.h"
#include "support/test_files.h"
#include "util/sjis.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// The file's bytes for lines given as UTF-8 text, Shift-JIS with CR LF.
QByteArray iniBytes(const QString& text) {
    QString withCrLf = text;
    withCrLf.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return toSjis(withCrLf);
}

} // namespace

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

void TestProfileFile::readsUtf8AndRefusesGarbage() {
    QTemporaryDir dir;
    const QString path = dir.filePath("Ostrel.ini");
    // "設定" in UTF-8 happens to be valid code page 932 too; it must read as UTF-8.
    writeFileBytes(path, QByteArray("\xEF\xBB\xBF[P]\r\nSysName=設定システム\r\n"));
    QCOMPARE(ProfileFile(path).readString("P", "SysName", {}), QStringLiteral("設定システム"));

    writeFileBytes(path, QByteArray("[P]\r\nSysName=\x80\xFF\r\n"));
    QVERIFY_THROWS_EXCEPTION(ProfileError, ProfileFile(path).readString("P", "SysName", {}));
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
