#include "tst_program_arguments.h"

#include "cli/command_line.h"

#include <QProcess>
#include <QTest>

void TestProgramArguments::answersWithoutADisplay_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // the first line of standard output
    QTest::addColumn<QString>("err"); // a part of standard error
    QTest::newRow("--version") << QStringList{"--version"} << 0 << "tamsel (Tamsel) 1.2.0.0"
                               << "";
    QTest::newRow("--help") << QStringList{"--help"} << 0
                            << "使い方: tamsel [PROFILE.json] [Qt のオプション]"
                            << "";
    QTest::newRow("Qt's option before --version")
        << QStringList{"-platform", "xcb", "--version"} << 0 << "tamsel (Tamsel) 1.2.0.0"
        << "";
    QTest::newRow("unknown option") << QStringList{"--bogus", "p.json"} << 2 << ""
                                    << "tamsel: 知らないオプション --bogus";
    QTest::newRow("standard input") << QStringList{"-"} << 2 << ""
                                    << "tamsel: 標準入力のプロファイルは開けません";
    QTest::newRow("two profiles") << QStringList{"a.json", "b.json"} << 2 << ""
                                  << "tamsel: プロファイルは一つだけです：b.json";
}

void TestProgramArguments::answersWithoutADisplay() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    QProcess tamsel;
    tamsel.setProcessEnvironment(environment);
    tamsel.start(QStringLiteral(TAMSEL_PATH), arguments);
    QVERIFY(tamsel.waitForFinished(60000));
    QCOMPARE(tamsel.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tamsel.exitCode(), status);
    const QString printed = QString::fromUtf8(tamsel.readAllStandardOutput());
    QCOMPARE(printed.section(u'\n', 0, 0), out);
    const QString complained = QString::fromUtf8(tamsel.readAllStandardError());
    QVERIFY2(err.isEmpty() ? complained.isEmpty() : complained.startsWith(err),
             qPrintable(complained));
    // The copyright and licence lines are tamsel-gen's.
    if (arguments.contains(u"--version")) {
        QVERIFY(printed.contains(u"License GPL-3.0-or-later"));
        QCOMPARE(printed.section(u'\n', 1), versionText().section(u'\n', 1));
    }
}
