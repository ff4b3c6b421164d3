#include "util/input_file.h"
#include "util/platform/user_folders.h"
#include "util/platform/windows_error.h"
#include "util/safe_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <windows.h>

namespace {

std::wstring native(const QString& path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

} // namespace

class TestWindows : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_.emplace(); // a folder of its own for each test
        QVERIFY(dir_->isValid());
    }

    void errorTexts_data() {
        QTest::addColumn<unsigned long>("error");
        QTest::addColumn<QString>("text");
        QTest::newRow("disk full") << 112ul << "デバイスに空き領域がありません";
        QTest::newRow("access denied") << 5ul << "許可がありません";
        QTest::newRow("sharing violation") << 32ul << "ファイルまたはデバイスが使用中です";
        QTest::newRow("path too long") << 206ul << "ファイル名が長すぎます";
    }
    void errorTexts() {
        QFETCH(unsigned long, error);
        QFETCH(QString, text);
        QCOMPARE(windowsErrorText(error), text);
    }

    void writesAndReplaces() {
        const QString path = dir_->filePath("out.txt");
        writeFileSafely(path, "first\r\n");
        writeFileSafely(path, "second\r\n");
        QCOMPARE(contentOf(path), QByteArray("second\r\n"));
        // Nothing but the file itself is left in the folder.
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"out.txt"});
    }

    void keepsAttributes() {
        const QString path = dir_->filePath("hidden.txt");
        writeFileSafely(path, "old");
        QVERIFY(SetFileAttributesW(native(path).c_str(), FILE_ATTRIBUTE_HIDDEN));
        if (!(GetFileAttributesW(native(path).c_str()) & FILE_ATTRIBUTE_HIDDEN))
            QSKIP("this file system keeps no attributes (wine without extended attributes)");
        writeFileSafely(path, "new");
        QCOMPARE(contentOf(path), QByteArray("new"));
        QVERIFY(GetFileAttributesW(native(path).c_str()) & FILE_ATTRIBUTE_HIDDEN);
    }

    void refusals_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a folder") << "folder"
                                  << "同じ名前のフォルダがあります";
        QTest::newRow("no folder") << "missing/out.txt"
                                   << "フォルダが存在しません";
        QTest::newRow("read-only") << "read-only.txt"
                                   << "読み取り専用のため上書きしません";
    }
    void refusals() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QVERIFY(QDir(dir_->path()).mkpath("folder"));
        const QString readOnly = dir_->filePath("read-only.txt");
        writeFileSafely(readOnly, "kept");
        QVERIFY(SetFileAttributesW(native(readOnly).c_str(), FILE_ATTRIBUTE_READONLY));
        const QString path = dir_->filePath(name);
        try {
            writeFileSafely(path, "new");
            QFAIL("written");
        } catch (const FileWriteError& error) {
            QCOMPARE(error.message(), QStringLiteral("%1 に書き込めません：%2").arg(path, reason));
        }
        QCOMPARE(contentOf(readOnly), QByteArray("kept"));
        SetFileAttributesW(native(readOnly).c_str(), FILE_ATTRIBUTE_NORMAL);
    }

    // Another program holding the file without sharing it: the old content stays, and no
    // temporary file is left behind.
    void fileInUse() {
        const QString path = dir_->filePath("busy.txt");
        writeFileSafely(path, "old");
        HANDLE held = CreateFileW(native(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        QVERIFY(held != INVALID_HANDLE_VALUE);
        QVERIFY_THROWS_EXCEPTION(FileWriteError, writeFileSafely(path, "new"));
        CloseHandle(held);
        QCOMPARE(contentOf(path), QByteArray("old"));
        // (wine's ReplaceFileW leaves a file "rf*.tmp" of its own behind here)
        QCOMPARE(QDir(dir_->path()).entryList({"*.tamsel-*"}, QDir::Files | QDir::Hidden),
                 QStringList());
    }

    void nullDevice() { writeFileSafely("NUL", "bytes"); }

    void inputFile() {
        const QString path = dir_->filePath("in.txt");
        writeFileSafely(path, "0123456789");
        QCOMPARE(readInputFile(path, 100), QByteArray("0123456789"));
        const InputFile file(path);
        char part[4] = {};
        QCOMPARE(file.readAt(8, part, 4), 2);
        QCOMPARE(QByteArray(part, 2), QByteArray("89"));
        QVERIFY_THROWS_EXCEPTION(InputFileError, readInputFile(path, 5));
        try {
            readInputFile(dir_->path(), 100);
            QFAIL("read");
        } catch (const InputFileError& error) {
            QCOMPARE(error.reason(), QStringLiteral("フォルダです"));
        }
    }

    void userFolders() {
        QVERIFY(isWritableByProcess(dir_->path()));
        QVERIFY(!isWritableByProcess(dir_->filePath("missing")));
        QCOMPARE(userSettingsBaseFolder(),
                 QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA")));
        QCOMPARE(userCacheBaseFolder(),
                 QDir::fromNativeSeparators(qEnvironmentVariable("LOCALAPPDATA")));
    }

private:
    std::optional<QTemporaryDir> dir_;
};

QTEST_GUILESS_MAIN(TestWindows)
#include "tst_windows.moc"
