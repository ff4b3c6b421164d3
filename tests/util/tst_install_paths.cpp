#include "tst_install_paths.h"

#include "util/app_info.h"
#include "util/install_paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

void TestInstallPaths::helpPage_data() {
    QTest::addColumn<QStringList>("pages"); // help pages that exist, relative to the prefix
    QTest::addColumn<QString>("found");
    const QString beside = QStringLiteral("bin/Html/index.html");
    const QString installed = QStringLiteral("share/tamsel/Html/index.html");
    QTest::newRow("build tree: beside the executable") << QStringList{beside} << beside;
    QTest::newRow("installed: share/tamsel") << QStringList{installed} << installed;
    QTest::newRow("both: the one beside wins") << QStringList{beside, installed} << beside;
    QTest::newRow("neither: the place beside") << QStringList{} << beside;
}

void TestInstallPaths::helpPage() {
    QFETCH(QStringList, pages);
    QFETCH(QString, found);
    QTemporaryDir prefix;
    const QDir root(prefix.path());
    root.mkpath(QStringLiteral("bin"));
    for (const QString& page : pages) {
        root.mkpath(QFileInfo(page).path());
        QFile file(root.filePath(page));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(helpPagePath(root.filePath(QStringLiteral("bin"))), root.filePath(found));
}

void TestInstallPaths::versionText() {
    QCOMPARE(GetFileVersionText(), QStringLiteral("1.2.0.0"));
}
