#include "tst_safe_file.h"

#include "support/scratch_mount.h"
#include "support/test_files.h"
#include "util/safe_file.h"
#include "util/sjis.h"
#include "util/text_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// A path in the form the system calls take.
struct Native {
    explicit Native(const QString& path) : bytes(QFile::encodeName(path)) {}
    operator const char*() const { return bytes.constData(); }
    QByteArray bytes;
};

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

struct stat statOf(const QString& path) {
    struct stat st {};
    lstat(Native(path), &st);
    return st;
}

} // namespace

void TestSafeFile::replacesWholeFileAndKeepsModeAndOwner_data() {
    QTest::addColumn<uint>("mode");
    QTest::newRow("0640") << 0640u;
    QTest::newRow("read-only 0444") << 0444u;
}

void TestSafeFile::replacesWholeFileAndKeepsModeAndOwner() {
    QFETCH(uint, mode);
    if (mode == 0444 && geteuid() != 0)
        QSKIP("only root writes into a read-only file");
    QTemporaryDir dir;
    const QString path = dir.filePath("out.sql");
    writeFileBytes(path, "old content that is longer than the new");
    const bool root = geteuid() == 0; // only root may give a file to nobody:nogroup
    const QList<uint> owner{root ? 65534 : geteuid(), root ? 65534 : getegid()};
    QVERIFY(chmod(Native(path), mode) == 0 && chown(Native(path), owner[0], owner[1]) == 0);

    writeFileSafely(path, "new");

    const struct stat st = statOf(path);
    QCOMPARE(readFileBytes(path), QByteArray("new"));
    QCOMPARE(QList<uint>({st.st_mode & 07777, st.st_uid, st.st_gid}), QList<uint>{mode} + owner);
    QCOMPARE(entries(dir.path()), QStringList{"out.sql"});
}

void TestSafeFile::failedWriteLeavesNothingBehind_data() {
    QTest::addColumn<QString>("target"); // relative to the temporary folder
    QTest::addColumn<QString>("reason"); // in the message
    QTest::newRow("missing folder") << "no/such/folder/out.csv"
                                    << "";
    QTest::newRow("folder in the file's place") << "taken"
                                                << "";
    QTest::newRow("file as parent folder") << "plain.txt/out.csv"
                                           << "";
    QTest::newRow("full disk") << "plain.txt"
                               << "デバイスに空き領域がありません";
}

void TestSafeFile::failedWriteLeavesNothingBehind() {
    QFETCH(QString, target);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const SmallTmpfs disk(reason.isEmpty() ? QString() : dir.path());
    if (!reason.isEmpty() && !disk.mounted())
        QSKIP("mounting a small tmpfs needs root");
    QVERIFY(QDir(dir.path()).mkdir("taken"));
    writeFileBytes(dir.filePath("plain.txt"), "keep");
    disk.fill();
    const QStringList before = entries(dir.path());

    QString message = "no failure";
    try {
        writeFileSafely(dir.filePath(target), QByteArray(7000, 'n'));
    } catch (const FileWriteError& error) {
        message = error.message();
    }

    QVERIFY2(message.contains(reason) && message != "no failure", qPrintable(message));
    QCOMPARE(entries(dir.path()), before);
    QCOMPARE(readFileBytes(dir.filePath("plain.txt")), QByteArray("keep"));
    QVERIFY(QDir(dir.filePath("taken")).isEmpty());
}

void TestSafeFile::writesIntoStreamsWithoutReplacing_data() {
    QTest::addColumn<uint>("type");
    QTest::newRow("fifo") << uint(S_IFIFO);
    QTest::newRow("character device (null)") << uint(S_IFCHR);
}

void TestSafeFile::writesIntoStreamsWithoutReplacing() {
    QFETCH(uint, type);
    if (type == S_IFCHR && geteuid() != 0)
        QSKIP("making a device node needs root");
    QTemporaryDir dir;
    const QString node = dir.filePath("node");
    QCOMPARE(mknod(Native(node), type | 0666, makedev(1, 3)), 0);
    // A read end opened first lets the writer's open of the FIFO return at once.
    const int reader = open(Native(node), O_RDONLY | O_NONBLOCK);

    writeFileSafely(node, "bytes");

    char got[8] = {};
    QVERIFY(read(reader, got, sizeof got - 1) >= 0 && close(reader) == 0);
    QCOMPARE(uint(statOf(node).st_mode & S_IFMT), type);
    QCOMPARE(QByteArray(got), QByteArray(type == S_IFIFO ? "bytes" : ""));
}

void TestSafeFile::appendsToFileBehindDescriptor() {
    // Standard output sent to a file: the bytes follow what is there, in the same file.
    QTemporaryDir dir;
    const int out = open(Native(dir.filePath("stdout.txt")), O_WRONLY | O_CREAT, 0644);
    QCOMPARE(write(out, "head ", 5), 5);
    writeFileSafely(QStringLiteral("/proc/self/fd/%1").arg(out), "tail");
    close(out);
    QCOMPARE(readFileBytes(dir.filePath("stdout.txt")), QByteArray("head tail"));
}

void TestSafeFile::linksAreKept() {
    QTemporaryDir dir;
    writeFileBytes(dir.filePath("real.sql"), "old");
    QVERIFY(symlink("real.sql", Native(dir.filePath("symbolic.sql"))) == 0 &&
            link(Native(dir.filePath("real.sql")), Native(dir.filePath("hard.sql"))) == 0);

    writeFileSafely(dir.filePath("symbolic.sql"), "through the symbolic link");
    QVERIFY(S_ISLNK(statOf(dir.filePath("symbolic.sql")).st_mode));
    QCOMPARE(readFileBytes(dir.filePath("hard.sql")), QByteArray("through the symbolic link"));
    writeFileSafely(dir.filePath("hard.sql"), "through the hard link");
    QCOMPARE(readFileBytes(dir.filePath("real.sql")), QByteArray("through the hard link"));
    QCOMPARE(entries(dir.path()), QStringList({"hard.sql", "real.sql", "symbolic.sql"}));
}

void TestSafeFile::streamedWriteReplacesOnlyOnCommit_data() {
    QTest::addColumn<QString>("ending"); // commit, abandon or a full disk
    QTest::addColumn<bool>("hardLink");
    QTest::newRow("committed") << "commit" << false;
    QTest::newRow("committed through a hard link") << "commit" << true;
    QTest::newRow("abandoned half-way") << "abandon" << false;
    QTest::newRow("disk full half-way") << "full disk" << false;
}

void TestSafeFile::streamedWriteReplacesOnlyOnCommit() {
    QFETCH(QString, ending);
    QFETCH(bool, hardLink);
    QTemporaryDir dir;
    const SmallTmpfs disk(ending == "full disk" ? dir.path() : QString());
    if (ending == "full disk" && !disk.mounted())
        QSKIP("mounting a small tmpfs needs root");
    const QString path = dir.filePath("out.sql");
    writeFileBytes(path, "old");
    QVERIFY(chmod(Native(path), 0640) == 0);
    if (hardLink)
        QVERIFY(link(Native(path), Native(dir.filePath("other.sql"))) == 0);
    const QStringList before = entries(dir.path());

    QByteArray all;
    QString message;
    {
        SafeFileWriter writer(path);
        for (const char c : {'a', 'b', 'c'}) {
            // Two of these are more than the writer keeps in memory: the second goes on
            // into a temporary file before the text is complete.
            const QByteArray block(700 * 1024, c);
            writer.append(block);
            all += block;
            if (ending == "abandon" && c == 'b') {
                QCOMPARE(entries(dir.path()).size(), before.size() + 1);
                break;
            }
        }
        try {
            if (ending != "abandon")
                writer.commit();
        } catch (const FileWriteError& error) {
            message = error.message();
        }
    }

    const bool replaced = ending == "commit";
    QVERIFY(readFileBytes(path) == (replaced ? all : QByteArray("old")));
    if (hardLink)
        QVERIFY(readFileBytes(dir.filePath("other.sql")) == all);
    QCOMPARE(statOf(path).st_mode & 07777, 0640u);
    QCOMPARE(entries(dir.path()), before);
    QCOMPARE(message.contains("デバイスに空き領域がありません"), ending == "full disk");
}

void TestSafeFile::removesOnlyOwnStaleTemporaries() {
    QTemporaryDir dir;
    const QStringList kept{"other.sql.tamsel-Ab12Cd", "out.sql.backup", "out.sql.tamsel-Ab12Cd~",
                           "out.sql.tamsel-Xy34Zw"}; // the last one fresh: a writer at work
    for (const QString& name : kept + QStringList{"out.sql.tamsel-Ab12Cd"}) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (name != kept.last())
            file.setFileTime(QDateTime::currentDateTime().addSecs(-7200),
                             QFileDevice::FileModificationTime);
    }

    writeFileSafely(dir.filePath("out.sql"), "new");

    QCOMPARE(entries(dir.path()),
             QStringList({"other.sql.tamsel-Ab12Cd", "out.sql", "out.sql.backup",
                          "out.sql.tamsel-Ab12Cd~", "out.sql.tamsel-Xy34Zw"}));
}

void TestSafeFile::temporaryIsPrivateAndFitsTheName_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("242 bytes") << QString(238, 'n') + ".sql";
    QTest::newRow("255 bytes of kana") << QString(85, u'あ');
}

void TestSafeFile::temporaryIsPrivateAndFitsTheName() {
    QFETCH(QString, name);
    QTemporaryDir dir;
    QString temporary;
    {
        SafeFileWriter writer(dir.filePath(name));
        writer.append(QByteArray(1536 * 1024, 't')); // more than it keeps in memory
        temporary = dir.filePath(entries(dir.path()).value(0));
        QCOMPARE(statOf(temporary).st_mode & 07777, 0600u);
    }
    QFile stale(temporary); // as left by a writer killed two hours ago
    QVERIFY(stale.open(QIODevice::WriteOnly) &&
            stale.setFileTime(QDateTime::currentDateTime().addSecs(-7200),
                              QFileDevice::FileModificationTime));
    const mode_t umaskBefore = umask(027);
    writeFileSafely(dir.filePath(name), "new");
    umask(umaskBefore);
    QCOMPARE(entries(dir.path()), QStringList{name});
    QCOMPARE(statOf(dir.filePath(name)).st_mode & 07777, 0640u); // as the shell makes it
}

void TestSafeFile::refusesWhatTheShellWouldNotWrite_data() {
    QTest::addColumn<QString>("byNobody"); // in a sticky folder, before root's out.sql→hop
    QTest::addColumn<bool>("writtenByNobody");
    QTest::addColumn<QString>("refusal");
    const QString link = "は他のユーザーのリンクなので書き込みません";
    QTest::newRow("link") << "ln -s ../secret out.sql" << false << "/out.sql " + link;
    QTest::newRow("dangling link") << "ln -s ../new out.sql" << false << "/out.sql " + link;
    QTest::newRow("second link") << "ln -s ../secret hop" << false << "/hop " + link;
    QTest::newRow("file") << "umask 0; echo x >out.sql" << false
                          << "/out.sql は他のユーザーのファイルなので書き込みません";
    QTest::newRow("own read-only file")
        << "echo x >out.sql; chmod 444 out.sql" << true << "読み取り専用のため上書きしません";
}

void TestSafeFile::refusesWhatTheShellWouldNotWrite() {
    QFETCH(QString, byNobody);
    QFETCH(bool, writtenByNobody);
    QFETCH(QString, refusal);
    if (geteuid() != 0)
        QSKIP("another user's files need root");
    QTemporaryDir dir;
    const QString shared = dir.filePath("shared"), out = shared + "/out.sql";
    writeFileBytes(dir.filePath("secret"), "root's");
    QVERIFY(QDir(dir.path()).mkdir("shared") && chmod(Native(dir.path()), 0755) == 0 &&
            chmod(Native(shared), 01777) == 0 &&
            QProcess::execute("setpriv", {"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                                          "sh", "-c", "cd " + shared + " && " + byNobody}) == 0);
    symlink("hop", Native(out)); // where nobody made no out.sql
    const auto state = [&] {
        return entries(dir.path()) + entries(shared) << QString::number(QFileInfo(out).size());
    };
    const QStringList before = state();

    QString message;
    try {
        QVERIFY(!writtenByNobody || (setegid(65534) == 0 && seteuid(65534) == 0));
        writeFileSafely(out, "new");
    } catch (const FileWriteError& error) {
        message = error.message();
    }
    QVERIFY(seteuid(0) == 0 && setegid(0) == 0);
    QVERIFY2(message.contains(refusal), qPrintable(message));
    QCOMPARE(state(), before);
}

void TestSafeFile::hardLinkedRewritesTakeTurns() {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.sql");
    writeFileBytes(path, "old");
    QVERIFY(link(Native(path), Native(dir.filePath("other.sql"))) == 0);
    const QByteArray a(60000, 'a'), b(140000, 'b');
    int torn = 0;
    for (int pair = 0; pair < 100; ++pair) {
        std::thread other([&] { writeFileSafely(path, b); });
        writeFileSafely(path, a);
        other.join();
        const QByteArray got = readFileBytes(dir.filePath("other.sql"));
        torn += got != a && got != b;
    }
    QCOMPARE(torn, 0);
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
