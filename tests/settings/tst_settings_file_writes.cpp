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
    QTest::addColumn<int>("freePages"); // of a small tmpfs; -1: a folder the user cannot write
    QTest::addColumn<int>("fileMode");
    QTest::addColumn<bool>("saved");
    QTest::newRow("full disk") << 0 << 0644 << false;
    QTest::newRow("nearly full disk") << 1 << 0644 << false;
    QTest::newRow("read-only folder, writable file") << -1 << 0666 << true;
    QTest::newRow("read-only folder, read-only file") << -1 << 0444 << false;
}

void TestSettingsFileWrites::savesOrReportsAndKeepsTheFile() {
    QFETCH(int, freePages);
    const bool fullDisk = freePages >= 0;
    QFETCH(int, fileMode);
    QFETCH(bool, saved);
    QTemporaryDir dir;
    const SmallTmpfs disk(fullDisk ? dir.path() : QString());
    if (geteuid() != 0 || disk.mounted() != fullDisk)
        QSKIP("a small tmpfs and acting as another user need root");
    const QString path = settingsFilePath(dir.path());
    RecordingReporter reporter;
    SaveSettings(AppSettings(), path, QSize(640, 480), {}, reporter);
    if (freePages > 0) // one page but for 12 bytes, which the longer keys below overflow
        writeFileBytes(path, readFileBytes(path).leftJustified(4082, ';') + "\r\n");
    const QByteArray before = readFileBytes(path);
    disk.fill();
    QFile filler(dir.filePath("filler"));
    QVERIFY(freePages <= 0 || filler.resize(filler.size() - freePages * 4096));
    const QByteArray folder = QFile::encodeName(dir.path());
    QVERIFY(chmod(QFile::encodeName(path).constData(), fileMode) == 0 &&
            chmod(folder.constData(), 0555) == 0);
    AppSettings changed;
    changed.Alias = QStringLiteral("DEMO");
    changed.UserNM = QStringLiteral("SCOTT");
    changed.GenSettings.Public = QStringLiteral("PUBLIC_X_");

    const uid_t user = fullDisk ? 0 : 65534; // nobody:nogroup, bound by permissions
    QVERIFY(setegid(user) == 0 && seteuid(user) == 0);
    SaveSettings(changed, path, QSize(700, 500), {}, reporter);
    QVERIFY(seteuid(0) == 0 && setegid(0) == 0 && chmod(folder.constData(), 0700) == 0);

    QCOMPARE(readFileBytes(path).contains("Alias=DEMO"), saved);
    QVERIFY(saved || readFileBytes(path) == before);
    const QString failed =
        QStringLiteral("設定保存中にｴﾗｰがありました。設定が次回に反映されない場合があります。");
    const QString shown = reporter.texts().join(u'|');
    QVERIFY2(saved ? shown.isEmpty()
                   : shown.startsWith(failed + u'\n') && !shown.contains(u'|') &&
                         (!fullDisk || shown.contains(u"デバイスに空き領域がありません")),
             qPrintable(shown));
    QCOMPARE(QDir(dir.path()).entryList({"Ostrel.ini*"}, QDir::Files), QStringList{"Ostrel.ini"});
}
