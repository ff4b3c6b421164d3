#include "tst_settings.h"

#include "settings/profile_file.h"
#include "settings/settings.h"
#include "support/recording_reporter.h"
#include "support/test_files.h"
#include "util/sjis.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

SettingsPlatform testPlatform(const QString& appDir = QStringLiteral("/opt/tamsel")) {
    SettingsPlatform platform;
    platform.applicationDir = appDir;
    platform.userName = [] {
        return QStringLiteral("tester");
    };
    return platform;
}

QByteArray iniBytes(QString text) {
    text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return toSjis(text);
}

AppSettings loadFrom(const QString& path, RecordingReporter& reporter) {
    AppSettings settings;
    LoadSettings(settings, path, testPlatform(), reporter);
    return settings;
}

AppSettings loadParams(const QString& paramsLines, RecordingReporter& reporter) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Ostrel.ini");
    writeFileBytes(path, iniBytes("[Params]\n" + paramsLines));
    return loadFrom(path, reporter);
}

bool sameSettings(const AppSettings& a, const AppSettings& b) {
    const TPackParameters& p = a.GenSettings;
    const TPackParameters& q = b.GenSettings;
    return a.Alias == b.Alias && a.UserNM == b.UserNM && a.Height == b.Height &&
           a.Width == b.Width && p.PackHeader == q.PackHeader && p.ProcHeader == q.ProcHeader &&
           p.Public == q.Public && p.Custom == q.Custom && p.Set == q.Set && p.Clr == q.Clr &&
           p.INS == q.INS && p.UPD == q.UPD && p.PackName == q.PackName && p.SysName == q.SysName &&
           p.Owner == q.Owner && p.Indent == q.Indent && p.RefStrLen == q.RefStrLen &&
           p.DefPath == q.DefPath && p.VbName == q.VbName;
}

} // namespace

void TestSettings::noFileGivesDefaultsAndSavesAllSectionsInOrder() {
    QTemporaryDir dir;
    const QString path = settingsFilePath(dir.path());
    RecordingReporter reporter;
    const AppSettings settings = loadFrom(path, reporter);

    QVERIFY(reporter.messages.isEmpty());
    AppSettings expected;
    expected.GenSettings.Owner = "tester";
    expected.GenSettings.DefPath = "/opt/tamsel";
    QVERIFY(sameSettings(settings, expected));

    SaveSettings(settings, path, QSize(640, 480), {}, reporter);
    QVERIFY(reporter.messages.isEmpty());
    QCOMPARE(readFileBytes(path), readFileBytes(testDataPath("settings/new_file.ini")));
    QCOMPARE(reporter.busyPeak, 1);
    QCOMPARE(reporter.busyDepth, 0);
}

void TestSettings::readsBooleans_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("value");
    QTest::addColumn<QString>("writtenBack");
    QTest::newRow("0") << "PackHeader=0\n" << false << "0";
    QTest::newRow("2") << "PackHeader=2\n" << false << "0";
    QTest::newRow("1") << "PackHeader=1\n" << true << "1";
    QTest::newRow("hex 1") << "PackHeader=$1\n" << true << "1";
    QTest::newRow("letters") << "PackHeader=abc\n" << true << "1";
    QTest::newRow("empty") << "PackHeader=\n" << true << "1";
    QTest::newRow("missing") << "" << true << "1";
}

void TestSettings::readsBooleans() {
    QFETCH(QString, line);
    QFETCH(bool, value);
    QFETCH(QString, writtenBack);
    RecordingReporter reporter;
    QTemporaryDir dir;
    const QString path = dir.filePath("Ostrel.ini");
    writeFileBytes(path, iniBytes("[Params]\n" + line));
    const AppSettings settings = loadFrom(path, reporter);
    QCOMPARE(settings.GenSettings.PackHeader, value);
    QCOMPARE(settings.GenSettings.ProcHeader, true);

    SaveSettings(settings, path, QSize(640, 480), {}, reporter);
    QCOMPARE(ProfileFile(path).readString("Params", "PackHeader", "<none>"), writtenBack);
}

void TestSettings::readsSmallNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<qint32>("value");
    QTest::newRow("decimal") << "4" << true << 4;
    QTest::newRow("letters") << "ab" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("0x10") << "0x10" << true << 16;
    QTest::newRow("$A") << "$A" << true << 10;
    QTest::newRow("xA") << "xA" << true << 10;
    QTest::newRow("0x alone") << "0x" << false << 0;
    QTest::newRow("0x with sign") << "0x-1" << false << 0;
    QTest::newRow("leading blanks are trimmed") << "   7" << true << 7;
    QTest::newRow("negative in range") << "-9" << true << -9;
    QTest::newRow("below range") << "-10" << false << 0;
    QTest::newRow("top of range") << "99" << true << 99;
    QTest::newRow("above range") << "100" << false << 0;
    QTest::newRow("huge") << "2000000000" << false << 0;
    QTest::newRow("overflow") << "99999999999" << false << 0;
}

void TestSettings::readsSmallNumbers() {
    QFETCH(QString, text);
    QFETCH(bool, readable);
    QFETCH(qint32, value);
    RecordingReporter reporter;
    const AppSettings settings =
        loadParams("Indent=" + text + "\nRefStrLen=" + text + "\n", reporter);
    QCOMPARE(settings.GenSettings.Indent, readable ? value : 2);
    QCOMPARE(settings.GenSettings.RefStrLen, readable ? value : 30);
    QVERIFY(reporter.messages.isEmpty());
}

void TestSettings::readsWindowSize_data() {
    QTest::addColumn<QString>("height");
    QTest::addColumn<qint32>("value");
    QTest::newRow("decimal") << "600" << 600;
    QTest::newRow("hex") << "0x258" << 600;
    QTest::newRow("letters") << "tall" << 480;
    QTest::newRow("empty") << "" << 480;
}

void TestSettings::readsWindowSize() {
    QFETCH(QString, height);
    QFETCH(qint32, value);
    QTemporaryDir dir;
    const QString path = dir.filePath("Ostrel.ini");
    writeFileBytes(path, iniBytes("[LastStatus]\nHeight=" + height + "\n"));
    RecordingReporter reporter;
    const AppSettings settings = loadFrom(path, reporter);
    QCOMPARE(settings.Height, value);
    QCOMPARE(settings.Width, 640);
}

void TestSettings::keepsEmptyPrefixAndFallsBackForEmptyOwner() {
    QTemporaryDir dir;
    const QString path = dir.filePath("Ostrel.ini");
    writeFileBytes(path, iniBytes("[Params]\nPublic=\nOwner=\nDefPath=\n"));
    RecordingReporter reporter;
    const AppSettings settings = loadFrom(path, reporter);
    QCOMPARE(settings.GenSettings.Public, QString());
    QCOMPARE(settings.GenSettings.Owner, QStringLiteral("tester"));
    QCOMPARE(settings.GenSettings.DefPath, QStringLiteral("/opt/tamsel"));

    SaveSettings(settings, path, QSize(700, 500), {}, reporter);
    const ProfileFile file(path);
    QCOMPARE(file.readString("Params", "Public", "<none>"), QString());
    QCOMPARE(file.readString("Params", "Owner", "<none>"), QStringLiteral("tester"));
    QCOMPARE(file.readString("LastStatus", "Height", "<none>"), QStringLiteral("500"));
    QCOMPARE(file.readString("LastStatus", "Width", "<none>"), QStringLiteral("700"));
}

void TestSettings::roundTripKeepsEveryValue() {
    QTemporaryDir dir;
    const QString path = dir.filePath("Ostrel.ini");
    AppSettings settings;
    settings.Alias = "ORCL";
    settings.UserNM = "SCOTT";
    settings.Height = 555;
    settings.Width = 777;
    TPackParameters& p = settings.GenSettings;
    p.PackHeader = false;
    p.ProcHeader = false;
    p.Public = "P_";
    p.Custom = "M_";
    p.Set = "S";
    p.Clr = "C";
    p.INS = "I";
    p.UPD = "U";
    p.PackName = "  MYPACK ";
    p.SysName = "販売管理ｼｽﾃﾑ";
    p.Owner = "山田";
    p.Indent = -3;
    p.RefStrLen = 99;
    p.DefPath = "/home/user/出力";
    p.VbName = "MOD_X";

    RecordingReporter reporter;
    SaveSettings(settings, path, QSize(777, 555), {}, reporter);
    AppSettings loaded = loadFrom(path, reporter);
    QVERIFY(reporter.messages.isEmpty());
    // Blanks around a stored value are not kept by the file format.
    settings.GenSettings.PackName = "MYPACK";
    QVERIFY(sameSettings(loaded, settings));

    // Saving the same values over the file again replaces every key in place.
    SaveSettings(loaded, path, QSize(777, 555), {}, reporter);
    const QByteArray first = readFileBytes(path);
    SaveSettings(loaded, path, QSize(777, 555), {}, reporter);
    QCOMPARE(readFileBytes(path), first);
}

void TestSettings::unreadableFileKeepsDefaults_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("neither Shift-JIS nor UTF-8") << QByteArray("[Params]\r\nPublic=\x80\xFF\r\n");
}

void TestSettings::unreadableFileKeepsDefaults() {
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath("Ostrel.ini");
    writeFileBytes(path, content);
    RecordingReporter reporter;
    const AppSettings settings = loadFrom(path, reporter);
    QCOMPARE(reporter.texts(), QStringList{settingsLoadErrorText()});
    QCOMPARE(reporter.messages[0].caption, QStringLiteral("エラー"));
    QCOMPARE(reporter.messages[0].icon, MessageIcon::Error);

    AppSettings expected;
    expected.GenSettings.Owner = "tester";
    expected.GenSettings.DefPath = "/opt/tamsel";
    QVERIFY(sameSettings(settings, expected));

    // The save at exit must not replace the file it could not read.
    SaveSettings(settings, path, QSize(640, 480), {}, reporter);
    QCOMPARE(readFileBytes(path), content);
    QCOMPARE(reporter.texts().last(), settingsSaveErrorText());
}

void TestSettings::unwritableFileReportsAndStaysUnchanged_data() {
    QTest::addColumn<QString>("iniPath"); // relative to a temporary folder holding "plain.txt"
    QTest::addColumn<bool>("loadFails");
    QTest::newRow("folder in the file's place") << "Ostrel.ini" << true;
    QTest::newRow("file as parent folder") << "plain.txt/Ostrel.ini" << false;
}

void TestSettings::unwritableFileReportsAndStaysUnchanged() {
    QFETCH(QString, iniPath);
    QFETCH(bool, loadFails);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("Ostrel.ini"));
    writeFileBytes(dir.filePath("plain.txt"), "keep");
    const QString path = dir.filePath(iniPath);

    RecordingReporter reporter;
    const AppSettings settings = loadFrom(path, reporter);
    QCOMPARE(reporter.messages.size(), loadFails ? 1 : 0);
    SaveSettings(settings, path, QSize(640, 480), {}, reporter);

    QCOMPARE(reporter.texts().last(), settingsSaveErrorText());
    QCOMPARE(reporter.messages.last().caption, QStringLiteral("エラー"));
    QCOMPARE(readFileBytes(dir.filePath("plain.txt")), QByteArray("keep"));
    QVERIFY(QDir(dir.filePath("Ostrel.ini")).isEmpty());
    QCOMPARE(reporter.busyDepth, 0);
}

void TestSettings::failedKeyKeepsEarlierKeysWritten() {
    QTemporaryDir dir;
    const QString path = dir.filePath("Ostrel.ini");
    writeFileBytes(path, iniBytes("[LastStatus]\nAlias=OLD\n[Params]\nSysName=old\nOwner=old\n"));
    RecordingReporter reporter;
    AppSettings settings = loadFrom(path, reporter);
    settings.Alias = "NEW";
    settings.GenSettings.SysName = "😀"; // Shift-JIS cannot hold it
    settings.GenSettings.Owner = "new";
    SaveSettings(settings, path, QSize(640, 480), {}, reporter);

    QCOMPARE(reporter.texts(), QStringList{settingsSaveErrorText()});
    const ProfileFile file(path);
    QCOMPARE(file.readString("LastStatus", "Alias", {}), QStringLiteral("NEW"));
    QCOMPARE(file.readString("Params", "PackName", "<none>"), QString()); // written before
    QCOMPARE(file.readString("Params", "SysName", {}), QStringLiteral("old"));
    QCOMPARE(file.readString("Params", "Owner", {}), QStringLiteral("old"));
    QCOMPARE(file.readString("Params", "VbName", "<none>"), QStringLiteral("<none>"));
}

void TestSettings::failedDatabaseCloseWritesNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath("Ostrel.ini");
    RecordingReporter reporter;
    bool closed = false;
    SaveSettings(
        AppSettings(), path, QSize(640, 480),
        [&] {
            closed = true;
            throw std::runtime_error("ORA-03113");
        },
        reporter);
    QVERIFY(closed);
    QCOMPARE(reporter.texts(), QStringList{settingsSaveErrorText()});
    QVERIFY(!QFile::exists(path));
}

void TestSettings::defPathFallbackDropsTrailingSeparator_data() {
    QTest::addColumn<QString>("appDir");
    QTest::addColumn<QString>("defPath");
    QTest::newRow("plain") << "/opt/tamsel"
                           << "/opt/tamsel";
    QTest::newRow("trailing separator") << "/opt/tamsel/"
                                        << "/opt/tamsel";
    QTest::newRow("root keeps its separator") << "/"
                                              << "/";
}

void TestSettings::defPathFallbackDropsTrailingSeparator() {
    QFETCH(QString, appDir);
    QFETCH(QString, defPath);
    QTemporaryDir dir;
    AppSettings settings;
    RecordingReporter reporter;
    LoadSettings(settings, dir.filePath("Ostrel.ini"), testPlatform(appDir), reporter);
    QCOMPARE(settings.GenSettings.DefPath, defPath);
}
