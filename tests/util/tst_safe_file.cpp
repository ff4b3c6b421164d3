#include "tst_safe_file.h"

#include "support/test_files.h"
#include "util/safe_file.h"
#include "util/sjis.h"
#include "util/text_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

void TestSafeFile::replacesWholeFileAndKeepsMode() {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.sql");
    writeFileBytes(path, "old content that is longer than the new");
    const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(path, mode));

    writeFileSafely(path, "new");

    QCOMPARE(readFileBytes(path), QByteArray("new"));
    // The "user" bits mirror the owner's for the current user; compare owner, group, other.
    const auto ownerGroupOther = QFileDevice::Permissions(0x7077);
    QCOMPARE(QFile::permissions(path) & ownerGroupOther, mode);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"out.sql"});
}

void TestSafeFile::failedWriteLeavesNothingBehind_data() {
    QTest::addColumn<QString>("target"); // relative to the temporary folder
    QTest::newRow("missing folder") << "no/such/folder/out.csv";
    QTest::newRow("folder in the file's place") << "taken";
    QTest::newRow("file as parent folder") << "plain.txt/out.csv";
}

void TestSafeFile::failedWriteLeavesNothingBehind() {
    QFETCH(QString, target);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("taken"));
    writeFileBytes(dir.filePath("plain.txt"), "keep");
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);

    QVERIFY_THROWS_EXCEPTION(FileWriteError, writeFileSafely(dir.filePath(target), "data"));

    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
    QCOMPARE(readFileBytes(dir.filePath("plain.txt")), QByteArray("keep"));
    QVERIFY(QDir(dir.filePath("taken")).isEmpty());
}

void TestSafeFile::linesEndInCrLfIncludingTheLast() {
    QTemporaryDir dir;
    const QString path = dir.filePath("pack.sql");
    writeSjisLines(path, {"CREATE", "", "ﾊﾟｯｹｰｼﾞ"});
    QCOMPARE(readFileBytes(path), QByteArray("CREATE\r\n\r\n\xCA\xDF\xAF\xB9\xB0\xBC\xDE\r\n"));
    QCOMPARE(encodeUtf8Lines({"a", "ﾃ"}), QByteArray("a\n\xEF\xBE\x83\n"));
    QCOMPARE(encodeSjisLines({}), QByteArray());
}

void TestSafeFile::unencodableLineWritesNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath("pack.sql");
    writeFileBytes(path, "old");
    QVERIFY_THROWS_EXCEPTION(SjisEncodeError, writeSjisLines(path, {"ok", "😀"}));
    QCOMPARE(readFileBytes(path), QByteArray("old"));
}
