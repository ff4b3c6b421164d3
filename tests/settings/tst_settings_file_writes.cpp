#include "tst_settings_file_writes.h"

#include "settings/settings.h"
#include "support/recording_reporter.h"
#include "support/scratch_mount.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

void TestSettingsFileWrites::savesOrReportsAndKeepsTheFile_data() {
    QTest::addColumn<bool>("fullDisk"); // otherwise the folder is one the user cannot write
    QTest::addColumn<int>("fileMode");
    QTest::addColumn<bool>("saved");
    QTest::newRow("full disk") << true << 0644 << false;
    QTest::newRow("read-only folder, writable file") << false << 0666 << true;
    QTest::newRow("read-only folder, read-only file") << false << 0444 << false;
}

void TestSettingsFileWrites::savesOrReportsAndKeepsTheFile() {
    QFETCH(bool, fullDisk);
    QFETCH(int, fileMode);
    QFETCH(bool, saved);
    QTemporaryDir dir;
    const SmallTmpfs disk(fullDisk ? dir.path() : QString());
    if (geteuid() != 0 || disk.mounted() != fullDisk)
        QSKIP("a small tmpfs and acting as another user need root");
    const QString path = settingsFilePath(dir.path());
    RecordingReporter reporter;
    SaveSettings(AppSettings(), path, QSize(640, 480), {}, reporter);
    const QByteArray before = readFileBytes(path);
    disk.fill();
    const QByteArray folder = QFile::encodeName(dir.path());
    QVERIFY(chmod(QFile::encodeName(path).constData(), fileMode) == 0 &&
            chmod(folder.constData(), 0555) == 0);
    AppSettings changed;
    changed.Alias = QStringLiteral("DEMO");

    const uid_t user = fullDisk ? 0 : 65534; // nobody:nogroup, bound by permissions
    QVERIFY(setegid(user) == 0 && seteuid(user) == 0);
    SaveSettings(changed, path, QSize(700, 500), {}, reporter);
    QVERIFY(seteuid(0) == 0 && setegid(0) == 0 && chmod(folder.constData(), 0700) == 0);

    const QString failed =
        QStringLiteral("設定保存中にｴﾗｰがありました。設定が次回に反映されない場合があります。");
    QCOMPARE(reporter.texts(), saved ? QStringList() : QStringList{failed});
    QCOMPARE(readFileBytes(path).contains("Alias=DEMO"), saved);
    QVERIFY(saved || readFileBytes(path) == before);
    QCOMPARE(QDir(dir.path()).entryList({"Ostrel.ini*"}, QDir::Files), QStringList{"Ostrel.ini"});
}
