#include "tst_input_file.h"

#include "util/input_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

void TestInputFile::refusesWhatIsNoRegularFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder") << "folder" << QStringLiteral("フォルダです");
    QTest::newRow("fifo") << "fifo" << QStringLiteral("名前付きパイプです");
    QTest::newRow("device") << "device" << QStringLiteral("デバイスです");
    QTest::newRow("missing") << "missing" << QStringLiteral("ファイルまたはフォルダがありません");
    QTest::newRow("over the limit")
        << "large" << QStringLiteral("ファイルが大きすぎます（1 MiB まで）");
}

void TestInputFile::refusesWhatIsNoRegularFile() {
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QString path = dir.filePath(kind);
    if (kind == "folder") {
        QVERIFY(QDir(dir.path()).mkdir(kind));
    } else if (kind == "fifo") {
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == "device") {
        path = QStringLiteral("/dev/zero");
    } else if (kind == "large") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(1024 * 1024 + 1));
    }
    try {
        readInputFile(path, 1024 * 1024);
        QFAIL("read");
    } catch (const InputFileError& error) {
        QCOMPARE(error.reason(), reason);
    }
}

void TestInputFile::readsRegularFileUpToLimit() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("exact"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray bytes(4096 * 3 + 5, 'x');
    QVERIFY(file.write(bytes) == bytes.size());
    file.close();
    QCOMPARE(readInputFile(path, bytes.size()), bytes);
}
