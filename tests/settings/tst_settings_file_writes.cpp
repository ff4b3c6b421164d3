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

namespace {

const QString kSaveFailed =
    QStringLiteral("設定保存中にｴﾗｰがありました。設定が次回に反映されない場合があります。");

// The process acts as nobody:nogroup for the guard's life, so permissions bind it.
struct ActingAsNobody {
    ActingAsNobody() { ok = setegid(65534) == 0 && seteuid(65534) == 0; }
    ~ActingAsNobody() {
        if (seteuid(0) != 0 || setegid(0) != 0)
            qFatal("cannot act as root again");
    }
    bool ok = false;
};

AppSettings changedSettings() {
    AppSettings settings;
    settings.Alias = QStringLiteral("DEMO");
    settings.GenSettings.SysName = QStringLiteral("人事システム");
    return settings;
}

} // namespace

void TestSettingsFileWrites::fullDiskReportsAndKeepsTheFile() {
    QTemporaryDir dir;
    const SmallTmpfs disk(dir.path(), 64);
    if (!disk.ok())
        QSKIP("mounting a small tmpfs needs root");
    const QString path = settingsFilePath(dir.path());
    RecordingReporter reporter;
    SaveSettings(AppSettings(), path, QSize(640, 480), {}, reporter);
    const QByteArray before = readFileBytes(path);
    fillFileSystem(dir.path());

    SaveSettings(changedSettings(), path, QSize(700, 500), {}, reporter);

    QCOMPARE(reporter.texts(), QStringList{kSaveFailed});
    QCOMPARE(readFileBytes(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList({"filler", "Ostrel.ini"}));
}

void TestSettingsFileWrites::readOnlyFolderSavesIntoWritableFile_data() {
    QTest::addColumn<int>("fileMode");
    QTest::addColumn<bool>("saved");
    QTest::newRow("writable file") << 0666 << true;
    QTest::newRow("read-only file") << 0444 << false;
}

void TestSettingsFileWrites::readOnlyFolderSavesIntoWritableFile() {
    QFETCH(int, fileMode);
    QFETCH(bool, saved);
    if (geteuid() != 0)
        QSKIP("acting as another user on a folder it cannot write needs root");
    QTemporaryDir dir;
    const QString path = settingsFilePath(dir.path());
    RecordingReporter reporter;
    SaveSettings(AppSettings(), path, QSize(640, 480), {}, reporter);
    const QByteArray before = readFileBytes(path);
    QVERIFY(chmod(QFile::encodeName(path).constData(), fileMode) == 0 &&
            chmod(QFile::encodeName(dir.path()).constData(), 0555) == 0);
    {
        const ActingAsNobody nobody;
        QVERIFY(nobody.ok);
        SaveSettings(changedSettings(), path, QSize(640, 480), {}, reporter);
    }
    chmod(QFile::encodeName(dir.path()).constData(), 0700);

    QCOMPARE(reporter.texts(), saved ? QStringList() : QStringList{kSaveFailed});
    QCOMPARE(readFileBytes(path).contains("Alias=DEMO"), saved);
    if (!saved)
        QCOMPARE(readFileBytes(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Ostrel.ini"});
}
