#include "tst_command_line.h"

#include "cli/command_line.h"
#include "cli/gen_tool.h"

#include <QTest>

void TestCommandLine::accepts_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QString>("output");
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<QString>("check");

    const auto row = [](const char* name, QStringList arguments, GenCommand command,
                        QString profile, QString output, bool utf8, QString check = {}) {
        QTest::newRow(name) << arguments << int(command) << profile << output << utf8 << check;
    };
    row("package", {"package", "p.json"}, GenCommand::Package, "p.json", "", false);
    row("vb, options after", {"vb", "p.json", "-o", "m.bas", "--utf8"}, GenCommand::Vb, "p.json",
        "m.bas", true);
    row("csv, options before", {"csv", "--output=s.csv", "p.json"}, GenCommand::Csv, "p.json",
        "s.csv", false);
    row("long output option", {"package", "--output", "x.sql", "p.json"}, GenCommand::Package,
        "p.json", "x.sql", false);
    row("profile after --", {"package", "--", "-odd.json"}, GenCommand::Package, "-odd.json", "",
        false);
    row("tables", {"tables", "p.json"}, GenCommand::Tables, "p.json", "", false);
    row("check", {"package", "p.json", "--check", "P.sql"}, GenCommand::Package, "p.json", "",
        false, "P.sql");
    row("snapshot", {"snapshot", "p.json", "-o", "d.sqlite"}, GenCommand::Snapshot, "p.json",
        "d.sqlite", false);
    row("help", {"--help"}, GenCommand::Help, "", "", false);
    row("short help", {"-h"}, GenCommand::Help, "", "", false);
    row("version", {"--version"}, GenCommand::Version, "", "", false);
}

void TestCommandLine::accepts() {
    QFETCH(QStringList, arguments);
    const CommandLine line = parseCommandLine(arguments);
    QTEST(int(line.command), "command");
    QTEST(line.profilePath, "profile");
    QTEST(line.outputPath, "output");
    QTEST(line.utf8, "utf8");
    QTEST(line.checkPath, "check");
}

void TestCommandLine::rejects_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("fragment");

    QTest::newRow("nothing") << QStringList{} << "コマンドがありません";
    QTest::newRow("unknown command") << QStringList{"build", "p.json"} << "build";
    QTest::newRow("no profile") << QStringList{"package"} << "PROFILE.json";
    QTest::newRow("two profiles") << QStringList{"package", "a.json", "b.json"} << "b.json";
    QTest::newRow("-o without file") << QStringList{"package", "p.json", "-o"} << "-o";
    QTest::newRow("-o twice") << QStringList{"vb", "p.json", "-o", "a", "-o", "b"} << "-o";
    QTest::newRow("empty output") << QStringList{"csv", "p.json", "--output="} << "空";
    QTest::newRow("unknown option") << QStringList{"csv", "p.json", "--utf-8"} << "--utf-8";
    QTest::newRow("tables takes no -o") << QStringList{"tables", "p.json", "-o", "t.txt"} << "-o";
    QTest::newRow("tables takes no --utf8")
        << QStringList{"tables", "p.json", "--utf8"} << "--utf8";
    QTest::newRow("-o and --check")
        << QStringList{"package", "p.json", "-o", "a", "--check", "b"} << "--check";
    QTest::newRow("--check without file") << QStringList{"csv", "p.json", "--check"} << "--check";
    QTest::newRow("csv takes no --strict")
        << QStringList{"csv", "p.json", "--strict"} << "--strict";
    QTest::newRow("snapshot without -o") << QStringList{"snapshot", "p.json"} << "-o";
    QTest::newRow("snapshot takes no --utf8")
        << QStringList{"snapshot", "p.json", "-o", "d", "--utf8"} << "--utf8";
    QTest::newRow("help takes nothing") << QStringList{"--help", "package"} << "package";
}

void TestCommandLine::rejects() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, fragment);
    try {
        parseCommandLine(arguments);
        QFAIL("the command line was accepted");
    } catch (const UsageError& error) {
        QVERIFY2(error.message().contains(fragment), qPrintable(error.message()));
    }
}

void TestCommandLine::sourceDateEpoch_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("valid");
    QTest::newRow("seconds") << QByteArray("989643789") << true;
    QTest::newRow("zero") << QByteArray("0") << true;
    QTest::newRow("negative") << QByteArray("-1") << false;
    QTest::newRow("exponent") << QByteArray("1e9") << false;
    QTest::newRow("blank around") << QByteArray(" 989643789") << false;
    QTest::newRow("words") << QByteArray("yesterday") << false;
    QTest::newRow("past year 9999") << QByteArray("999999999999") << false;
}

void TestCommandLine::sourceDateEpoch() {
    QFETCH(QByteArray, value);
    QFETCH(bool, valid);
    try {
        const std::unique_ptr<Clock> clock = headerClock(value);
        QVERIFY(valid);
        QCOMPARE(clock->now(), QDateTime::fromSecsSinceEpoch(value.toLongLong()));
        QCOMPARE(clock->now().timeSpec(), Qt::LocalTime);
    } catch (const GenFailure& failure) {
        QVERIFY2(!valid, qPrintable(failure.text()));
        QCOMPARE(failure.status(), int(kExitUsage));
        QVERIFY(failure.text().contains(u"SOURCE_DATE_EPOCH"));
    }
}
