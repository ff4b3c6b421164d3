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

// Saves a changed setting over the file the defaults were saved to, as nobody:nogroup when
// asked (permissions then bind), and gives the file's bytes before.
QByteArray saveChange(const QString& path, RecordingReporter& reporter,
                      const std::function<void()>& prepare = {}, bool asNobody = false) {
    SaveSettings(AppSettings(), path, QSize(640, 480), {}, reporter);
    const QByteArray before = readFileBytes(path);
    if (prepare)
        prepare();
    AppSettings changed;
    changed.Alias = QStringLiteral("DEMO");
    if (asNobody && (setegid(65534) != 0 || seteuid(65534) != 0))
        qFatal("cannot act as nobody");
    SaveSettings(changed, path, QSize(700, 500), {}, reporter);
    if (asNobody && (seteuid(0) != 0 || setegid(0) != 0))
        qFatal("cannot act as root again");
    return before;
}

} // namespace

void TestSettingsFileWrites::fullDiskReportsAndKeepsTheFile() {
    QTemporaryDir dir;
    const SmallTmpfs disk(dir.path(), 64);
    if (!disk.ok())
        QSKIP("mounting a small tmpfs needs root");
    const QString path = settingsFilePath(dir.path());
    RecordingReporter reporter;

    const QByteArray before = saveChange(path, reporter, [&] { fillFileSystem(dir.path()); });

    QCOMPARE(reporter.texts(), QStringList{kSaveFailed});
    QCOMPARE(readFileBytes(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"filler", "Ostrel.ini"}));
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
    const auto readOnlyFolder = [&] {
        chmod(QFile::encodeName(path).constData(), fileMode);
        chmod(QFile::encodeName(dir.path()).constData(), 0555);
    };

    const QByteArray before = saveChange(path, reporter, readOnlyFolder, true);

    QCOMPARE(reporter.texts(), saved ? QStringList() : QStringList{kSaveFailed});
    QCOMPARE(readFileBytes(path).contains("Alias=DEMO"), saved);
    QVERIFY(saved || readFileBytes(path) == before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Ostrel.ini"});
}
