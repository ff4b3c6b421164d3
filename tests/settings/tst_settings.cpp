#include "tst_settings.h"

#include "settings/profile_file.h"
#include "settings/settings.h"
#include "support/recording_reporter.h"
#include "support/test_files.h"
#include "util/sjis.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace {

SettingsPlatform testPlatform(const QString& appDir = QStringLiteral("/opt/tamsel")) {
    SettingsPlatform platform;
    platform.applicationDir = appDir;
    platform.userName = [] {
        return QStringLiteral("tester");
    };
    return platform;
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
    expected.GenSettings.DefPath = QDir::toNativeSeparators("/opt/tamsel");
    QVERIFY(sameSettings(settings, expected));

    SaveSettings(settings, path, QSize(640, 480), {}, reporter);
    QVERIFY(reporter.messages.isEmpty());
    const QByteArray expectedFile =
        readFileBytes(testDataPath("settings/new_file.ini"))
            .replace("/opt/tamsel", QDir::toNativeSeparators("/opt/tamsel").toLatin1());
    QCOMPARE(readFileBytes(path), expectedFile);
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

void TestSettings::saveUtf8IsOffUnlessStoredOn_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("value");
    QTest::addColumn<bool>("turnedOn");
    QTest::addColumn<QString>("writtenBack"); // "<none>": the file still lacks the key
    QTest::newRow("missing") << "" << false << false << "<none>";
    QTest::newRow("missing, turned on") << "" << false << true << "1";
    QTest::newRow("1") << "SaveUtf8=1\n" << true << false << "1";
    QTest::newRow("2") << "SaveUtf8=2\n" << false << false << "0";
    QTest::newRow("letters") << "SaveUtf8=abc\n" << false << false << "0";
}

void TestSettings::saveUtf8IsOffUnlessStoredOn() {
    QFETCH(QString, line);
    QFETCH(bool, turnedOn);
    RecordingReporter reporter;
    QTemporaryDir dir;
    const QString path = dir.filePath("Ostrel.ini");
    writeFileBytes(path, iniBytes("[LastStatus]\nHeight=480\nWidth=640\n" + line));
    AppSettings settings = loadFrom(path, reporter);
    QTEST(settings.SaveUtf8, "value");
    if (turnedOn)
        settings.SaveUtf8 = true;

    SaveSettings(settings, path, QSize(640, 480), {}, reporter);
    QTEST(ProfileFile(path).readString("LastStatus", "SaveUtf8", "<none>"), "writtenBack");
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
    QCOMPARE(settings.GenSettings.DefPath, QDir::toNativeSeparators("/opt/tamsel"));

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

void TestSettings::damagedFileRecovers() {
    QTemporaryDir dir;
    const QString path = dir.filePath("Ostrel.ini");
    RecordingReporter reporter;
    AppSettings settings = loadFrom(path, reporter);
    settings.Alias = "DEMO";
    settings.UserNM = "SCOTT";
    SaveSettings(settings, path, QSize(640, 480), {}, reporter);
    const QByteArray junk = QByteArrayLiteral("junk\xff\xfe\x00line\r\n");
    writeFileBytes(path, readFileBytes(path) + junk);

    settings = loadFrom(path, reporter);
    QCOMPARE(settings.Alias, QStringLiteral("DEMO"));
    QCOMPARE(settings.UserNM, QStringLiteral("SCOTT"));
    settings.UserNM = "ADAMS";
    SaveSettings(settings, path, QSize(640, 480), {}, reporter);
    QVERIFY(reporter.messages.isEmpty());
    QVERIFY(readFileBytes(path).contains(junk));
    QCOMPARE(loadFrom(path, reporter).UserNM, QStringLiteral("ADAMS"));
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

    QVERIFY(reporter.texts().last().startsWith(settingsSaveErrorText()));
    QCOMPARE(reporter.messages.last().caption, QStringLiteral("エラー"));
    QCOMPARE(readFileBytes(dir.filePath("plain.txt")), QByteArray("keep"));
    QVERIFY(QDir(dir.filePath("Ostrel.ini")).isEmpty());
    QCOMPARE(reporter.busyDepth, 0);
}

// Only a regular file of at most 1 MiB is a settings file: anything else is named in both
// messages, never waited on (a pipe without a writer) nor written, and the defaults hold.
void TestSettings::settingsFileMustBeRegular_data() {
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder") << "フォルダです";
#ifndef Q_OS_WIN // neither named pipes in a folder nor links to devices
    QTest::newRow("named pipe") << "名前付きパイプです";
    QTest::newRow("device behind a link") << "デバイスです";
#endif
    QTest::newRow("over 1 MiB") << "ファイルが大きすぎます";
}

void TestSettings::settingsFileMustBeRegular() {
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = settingsFilePath(dir.path());
    const QByteArray large = iniBytes("[Params]\nPublic=BIG_\n;") + QByteArray(1 << 20, 'x');
    const QString row = QTest::currentDataTag();
    bool made = false;
    if (row == u"folder")
        made = QDir(dir.path()).mkdir("Ostrel.ini");
    else if (row == u"over 1 MiB")
        made = (writeFileBytes(path, large), true);
#ifndef Q_OS_WIN
    else if (row == u"named pipe")
        made = mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    else
        made = QFile::link("/dev/null", path);
#endif
    QVERIFY(made);
    const QFileInfo was(path);

    RecordingReporter reporter;
    const AppSettings settings = loadFrom(path, reporter);
    QCOMPARE(settings.GenSettings.Public, QStringLiteral("PUB_"));
    SaveSettings(settings, path, QSize(640, 480), {}, reporter);
    const QStringList texts = reporter.texts();
    QVERIFY2(texts.size() == 2 && texts[0].startsWith(u"設定読込中にｴﾗｰがありました\n") &&
                 texts[1].startsWith(u"設定保存中にｴﾗｰがありました。") &&
                 texts[0].contains(reason) && texts[1].contains(reason),
             qPrintable(texts.join(u'|')));
    const QFileInfo is(path);
    QVERIFY(is.isSymLink() == was.isSymLink() && is.isDir() == was.isDir() &&
            is.size() == was.size());
}

void TestSettings::unstorableValueKeepsItsKeyOnly_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("character");
    QTest::newRow("system name") << "SysName"
                                 << "Café"
                                 << "é";
    QTest::newRow("owner") << "Owner"
                           << "😀"
                           << "😀";
    QTest::newRow("default folder") << "DefPath"
                                    << "/home/user/é"
                                    << "é";
    QTest::newRow("logon user") << "UserNM"
                                << "É"
                                << "É";
    QTest::newRow("logon service") << "Alias"
                                   << "CAFÉ"
                                   << "É";
}

void TestSettings::unstorableValueKeepsItsKeyOnly() {
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, character);
    QTemporaryDir dir;
    const QString path = dir.filePath("Ostrel.ini");
    RecordingReporter reporter;
    AppSettings settings = loadFrom(path, reporter);
    SaveSettings(settings, path, QSize(640, 480), {}, reporter);
    const QString section = key == "UserNM" || key == "Alias" ? "LastStatus" : "Params";
    const QString old = ProfileFile(path).readString(section, key, "<none>");

    QString& field = key == "SysName"   ? settings.GenSettings.SysName
                     : key == "Owner"   ? settings.GenSettings.Owner
                     : key == "DefPath" ? settings.GenSettings.DefPath
                     : key == "UserNM"  ? settings.UserNM
                                        : settings.Alias;
    field = value;
    settings.GenSettings.Public = "NEW_";
    settings.GenSettings.VbName = "MOD_NEW"; // the last key
    SaveSettings(settings, path, QSize(700, 500), {}, reporter);

    const ProfileFile file(path);
    QCOMPARE(file.readString(section, key, {}), old);
    QCOMPARE(file.readString("Params", "Public", {}), QStringLiteral("NEW_"));
    QCOMPARE(file.readString("Params", "VbName", {}), QStringLiteral("MOD_NEW"));
    QCOMPARE(reporter.messages.size(), 1);
    const QString shown = reporter.messages[0].text;
    QVERIFY2(shown.startsWith(QStringLiteral(
                 "設定保存中にｴﾗｰがありました。設定が次回に反映されない場合があります。")) &&
                 shown.contains(key + "「" + character + "」"),
             qPrintable(shown));
}

void TestSettings::serviceIsStoredWithoutPassword_data() {
    QTest::addColumn<QString>("service");
    QTest::addColumn<QString>("stored");
    QTest::newRow("PWD last") << "DSN=X;UID=U;PWD=secret"
                              << "DSN=X;UID=U";
    QTest::newRow("PWD first") << "PWD=secret;DSN=X"
                               << "DSN=X";
    QTest::newRow("any case, braces") << "DSN=X;pwd = {se;cr}}et};UID=U"
                                      << "DSN=X;UID=U";
    QTest::newRow("PASSWORD") << "DRIVER={PG};Password=secret;SERVER=h"
                              << "DRIVER={PG};SERVER=h";
    QTest::newRow("brace never closed") << "DSN=X;PWD={secret;UID=U"
                                        << "DSN=X";
    QTest::newRow("no password") << "DSN=X;PWDX=1"
                                 << "DSN=X;PWDX=1";
    QTest::newRow("data source name") << "DEMO"
                                      << "DEMO";
}

void TestSettings::serviceIsStoredWithoutPassword() {
    QFETCH(QString, service);
    QFETCH(QString, stored);
    QTemporaryDir dir;
    const QString path = dir.filePath("Ostrel.ini");
    RecordingReporter reporter;
    AppSettings settings;
    settings.Alias = service;
    SaveSettings(settings, path, QSize(640, 480), {}, reporter);
    QCOMPARE(ProfileFile(path).readString("LastStatus", "Alias", {}), stored);
    QVERIFY(!readFileBytes(path).contains("secret"));

    writeFileBytes(path, iniBytes("[LastStatus]\nAlias=" + service + "\n"));
    QCOMPARE(loadFrom(path, reporter).Alias, stored);
}

// The logon splits user and password at the first "/": a password typed after the user's
// name never reaches the file either.
void TestSettings::userIsStoredWithoutPassword() {
    QTemporaryDir dir;
    const QString path = dir.filePath("Ostrel.ini");
    RecordingReporter reporter;
    AppSettings settings;
    settings.UserNM = QStringLiteral("SCOTT/secret");
    SaveSettings(settings, path, QSize(640, 480), {}, reporter);
    QCOMPARE(ProfileFile(path).readString("LastStatus", "UserNM", {}), QStringLiteral("SCOTT"));
    QVERIFY(!readFileBytes(path).contains("secret"));
    writeFileBytes(path, iniBytes("[LastStatus]\nUserNM=SCOTT/secret\n"));
    QCOMPARE(loadFrom(path, reporter).UserNM, QStringLiteral("SCOTT"));
    writeFileBytes(path, iniBytes("[LastStatus]\nUserNM=SCOTT\x1b[2J\n")); // not a schema
    QCOMPARE(loadFrom(path, reporter).UserNM, QString());
}

void TestSettings::loaderTakesWhatTheDialogWould_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("Custom");
    QTest::addColumn<QString>("PackName");
    QTest::newRow("prefix beginning with a digit") << "Custom=1X_"
                                                   << "MAIN_"
                                                   << "";
    QTest::newRow("empty prefix stays empty") << "Custom="
                                              << ""
                                              << "";
    QTest::newRow("package name beginning with a digit") << "PackName=1PACK"
                                                         << "MAIN_"
                                                         << "";
    QTest::newRow("tab inside a prefix") << "Custom=C\tX_"
                                         << "MAIN_"
                                         << "";
    QTest::newRow("escape inside a package name") << "PackName=P\x1b[2J"
                                                  << "MAIN_"
                                                  << "";
    QTest::newRow("package name") << "PackName=HR_PACK"
                                  << "MAIN_"
                                  << "HR_PACK";
}

void TestSettings::loaderTakesWhatTheDialogWould() {
    QFETCH(QString, line);
    QFETCH(QString, Custom);
    QFETCH(QString, PackName);
    RecordingReporter reporter;
    const AppSettings settings = loadParams(line + "\n", reporter);
    QCOMPARE(settings.GenSettings.Custom, Custom);
    QCOMPARE(settings.GenSettings.PackName, PackName);
    QVERIFY(reporter.messages.isEmpty());
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
    QCOMPARE(settings.GenSettings.DefPath,
             QDir::toNativeSeparators(defPath)); // as Windows writes it
}

// An installed program cannot write its own folder: the settings go to the user's
// configuration folder, read from an administrator's preset beside the executable until
// the user has a file of their own.
void TestSettings::settingsWhereTheUserCanWrite_data() {
    QTest::addColumn<bool>("installed"); // share/tamsel stands next to bin/
    QTest::addColumn<bool>("folderWritable");
    QTest::addColumn<int>("besideFile"); // 0 none, 1 read-only (a preset), 2 writable
    QTest::addColumn<bool>("userFile");
    QTest::addColumn<QString>("read"); // "beside" or "user"
    QTest::addColumn<QString>("write");
    QTest::newRow("build tree") << false << true << 0 << false << "beside"
                                << "beside";
    QTest::newRow("build tree, a user file elsewhere") << false << true << 2 << true << "beside"
                                                       << "beside";
    QTest::newRow("read-only folder, writable file") << false << false << 2 << false << "beside"
                                                     << "beside";
    QTest::newRow("read-only folder, first start") << false << false << 0 << false << "user"
                                                   << "user";
    QTest::newRow("installed, administrator's preset") << true << false << 1 << false << "beside"
                                                       << "user";
    QTest::newRow("installed, preset and own file") << true << false << 1 << true << "user"
                                                    << "user";
    QTest::newRow("installed, run by root") << true << true << 2 << false << "beside"
                                            << "user";
}

void TestSettings::settingsWhereTheUserCanWrite() {
    QFETCH(bool, installed);
    QFETCH(bool, folderWritable);
    QFETCH(int, besideFile);
    QFETCH(bool, userFile);
    QFETCH(QString, read);
    QFETCH(QString, write);
    QTemporaryDir dir;
    const QDir root(dir.path());
    root.mkpath(QStringLiteral("bin"));
    root.mkpath(QStringLiteral("config/tamsel"));
    if (installed)
        root.mkpath(QStringLiteral("share/tamsel"));
    const QString exe = root.filePath(QStringLiteral("bin"));
    const QString beside = root.filePath(QStringLiteral("bin/Ostrel.ini"));
    const QString user = root.filePath(QStringLiteral("config/tamsel/Ostrel.ini"));
    if (besideFile > 0)
        writeFileBytes(beside, "[Params]\r\n");
    if (userFile)
        writeFileBytes(user, "[Params]\r\n");
    const auto writable = [&](const QString& path) {
        return path == exe ? folderWritable : path == beside && besideFile == 2;
    };
    const SettingsLocation location =
        settingsLocation(exe, root.filePath(QStringLiteral("config")),
                         root.filePath(QStringLiteral("home")), writable);
    const auto place = [&](const QString& name) {
        return name == u"beside" ? beside : user;
    };
    QCOMPARE(location.readPath, place(read));
    QCOMPARE(location.writePath, place(write));
    // Saved files never land in a build tree or beside an installed program by default.
    QCOMPARE(location.defaultFolder, root.filePath(QStringLiteral("home")));
}
