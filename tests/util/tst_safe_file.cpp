#include "tst_safe_file.h"

#include "support/scratch_mount.h"
#include "support/test_files.h"
#include "util/safe_file.h"
#include "util/sjis.h"
#include "util/text_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

struct stat statOf(const QString& path) {
    struct stat st {};
    lstat(QFile::encodeName(path).constData(), &st);
    return st;
}

} // namespace

void TestSafeFile::replacesWholeFileAndKeepsModeAndOwner_data() {
    QTest::addColumn<int>("mode");
    QTest::newRow("0640") << 0640;
    QTest::newRow("read-only 0444") << 0444;
}

void TestSafeFile::replacesWholeFileAndKeepsModeAndOwner() {
    QFETCH(int, mode);
    QTemporaryDir dir;
    const QString path = dir.filePath("out.sql");
    writeFileBytes(path, "old content that is longer than the new");
    QCOMPARE(chmod(QFile::encodeName(path).constData(), mode), 0);
    const bool root = geteuid() == 0; // only root may give a file to nobody:nogroup
    if (root)
        QCOMPARE(chown(QFile::encodeName(path).constData(), 65534, 65534), 0);

    writeFileSafely(path, "new");

    QCOMPARE(readFileBytes(path), QByteArray("new"));
    const struct stat st = statOf(path);
    QCOMPARE(int(st.st_mode & 07777), mode);
    if (root)
        QCOMPARE(QList<uint>({st.st_uid, st.st_gid}), QList<uint>({65534, 65534}));
    QCOMPARE(entries(dir.path()), QStringList{"out.sql"});
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

void TestSafeFile::fullDiskFailsWithItsReasonAndKeepsOldFile() {
    QTemporaryDir dir;
    const SmallTmpfs disk(dir.path(), 64);
    if (!disk.ok())
        QSKIP("mounting a small tmpfs needs root");
    const QString path = dir.filePath("out.sql");
    const QByteArray old(20000, 'o');
    writeFileBytes(path, old);
    fillFileSystem(dir.path());

    try {
        writeFileSafely(path, QByteArray(7000, 'n'));
        QFAIL("a full disk reported success");
    } catch (const FileWriteError& error) {
        QVERIFY2(error.message().contains("デバイスに空き領域がありません"),
                 qPrintable(error.message()));
    }
    QCOMPARE(readFileBytes(path), old);
    QCOMPARE(entries(dir.path()), QStringList({"filler", "out.sql"}));
}

void TestSafeFile::writesIntoFifoAndDeviceWithoutReplacing_data() {
    QTest::addColumn<uint>("type");
    QTest::newRow("fifo") << uint(S_IFIFO);
    QTest::newRow("character device (null)") << uint(S_IFCHR);
}

void TestSafeFile::writesIntoFifoAndDeviceWithoutReplacing() {
    QFETCH(uint, type);
    if (type == S_IFCHR && geteuid() != 0)
        QSKIP("making a device node needs root");
    QTemporaryDir dir;
    const QString node = dir.filePath("node");
    QCOMPARE(mknod(QFile::encodeName(node).constData(), type | 0666, makedev(1, 3)), 0);
    // A read end opened first lets the writer's open of the FIFO return at once.
    const int reader = open(QFile::encodeName(node).constData(), O_RDONLY | O_NONBLOCK);
    QVERIFY(reader >= 0);

    writeFileSafely(node, "bytes");

    char got[16];
    const auto size = read(reader, got, sizeof got);
    close(reader);
    QCOMPARE(uint(statOf(node).st_mode & S_IFMT), type);
    if (type == S_IFIFO)
        QCOMPARE(QByteArray(got, int(size)), QByteArray("bytes"));
}

void TestSafeFile::writesIntoOpenDescriptors() {
    int ends[2];
    QCOMPARE(pipe(ends), 0);
    writeFileSafely(QStringLiteral("/dev/fd/%1").arg(ends[1]), "to the pipe");
    close(ends[1]);
    char got[32];
    const auto size = read(ends[0], got, sizeof got);
    close(ends[0]);
    QCOMPARE(QByteArray(got, int(size)), QByteArray("to the pipe"));

    // Standard output sent to a file: our bytes follow what was written there before.
    QTemporaryDir dir;
    const QString path = dir.filePath("stdout.txt");
    const int out = open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT, 0644);
    QCOMPARE(write(out, "head ", 5), 5);
    writeFileSafely(QStringLiteral("/proc/self/fd/%1").arg(out), "tail");
    struct stat st {};
    fstat(out, &st);
    close(out);
    QCOMPARE(int(st.st_nlink), 1); // still the file the descriptor holds, not replaced
    QCOMPARE(readFileBytes(path), QByteArray("head tail"));
}

void TestSafeFile::linksAreKept() {
    QTemporaryDir dir;
    const QString real = dir.filePath("real.sql");
    writeFileBytes(real, "old");
    QCOMPARE(symlink("real.sql", QFile::encodeName(dir.filePath("symbolic.sql")).constData()), 0);
    QCOMPARE(link(QFile::encodeName(real).constData(),
                  QFile::encodeName(dir.filePath("hard.sql")).constData()),
             0);

    writeFileSafely(dir.filePath("symbolic.sql"), "through the symbolic link");
    QVERIFY(S_ISLNK(statOf(dir.filePath("symbolic.sql")).st_mode));
    QCOMPARE(readFileBytes(dir.filePath("hard.sql")), QByteArray("through the symbolic link"));

    writeFileSafely(dir.filePath("hard.sql"), "through the hard link");
    QCOMPARE(readFileBytes(real), QByteArray("through the hard link"));
    QCOMPARE(int(statOf(real).st_nlink), 2);
    QCOMPARE(entries(dir.path()), QStringList({"hard.sql", "real.sql", "symbolic.sql"}));
}

void TestSafeFile::removesOnlyOwnStaleTemporaries() {
    QTemporaryDir dir;
    const QString stale = "out.sql.tamsel-Ab12Cd";
    const QStringList kept{"other.sql.tamsel-Ab12Cd", "out.sql.backup", "out.sql.tamsel-Ab12Cd~",
                           "out.sql.tamsel-Xy34Zw"}; // the last one fresh: a writer at work
    for (const QString& name : kept + QStringList{stale}) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (name != kept.last())
            file.setFileTime(QDateTime::currentDateTime().addSecs(-2 * 3600),
                             QFileDevice::FileModificationTime);
    }

    writeFileSafely(dir.filePath("out.sql"), "new");

    QStringList expected = kept + QStringList{"out.sql"};
    expected.sort();
    QCOMPARE(entries(dir.path()), expected);
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
