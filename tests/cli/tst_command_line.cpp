#include "tst_command_line.h"

#include "cli/command_line.h"
#include "cli/gen_tool.h"

#include <QTest>

namespace {

// The line in words: "VERB PROFILE -o OUTPUT --check FILE utf8 strict quiet help".
QString described(const CommandLine& line) {
    QStringList words{line.verb      ? line.verb->nameText()
                      : line.version ? QStringLiteral("version")
                                     : QStringLiteral("program")};
    if (!line.profilePath.isEmpty())
        words << line.profilePath;
    if (!line.outputPath.isEmpty())
        words << "-o" << line.outputPath;
    if (!line.checkPath.isEmpty())
        words << "--check" << line.checkPath;
    for (const auto& [set, word] : {std::pair{line.utf8, "utf8"},
                                    {line.strict, "strict"},
                                    {line.quiet, "quiet"},
                                    {line.help, "help"}})
        if (set)
            words << word;
    return words.join(u' ');
}

} // namespace

void TestCommandLine::accepts_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("line");
    const auto row = [](const char* name, QStringList arguments, const char* line) {
        QTest::newRow(name) << arguments << QString::fromUtf8(line);
    };
    row("package", {"package", "p.json"}, "package p.json");
    row("vb, options after", {"vb", "p.json", "-o", "m.bas", "--utf8"}, "vb p.json -o m.bas utf8");
    row("csv, options before", {"csv", "--output=s.csv", "p.json"}, "csv p.json -o s.csv");
    row("long output option", {"package", "--output", "x.sql", "p.json"},
        "package p.json -o x.sql");
    row("profile after --", {"package", "--", "-odd.json"}, "package -odd.json");
    row("tables", {"tables", "p.json"}, "tables p.json");
    row("check", {"package", "p.json", "--check", "P.sql"}, "package p.json --check P.sql");
    row("snapshot", {"snapshot", "p.json", "-o", "d.sqlite"}, "snapshot p.json -o d.sqlite");
    row("strict", {"vb", "--strict", "p.json"}, "vb p.json strict");
    row("help", {"--help"}, "program help");
    row("short help", {"-h"}, "program help");
    row("version", {"--version"}, "version");
    row("standard input and output", {"package", "-", "-o", "-"}, "package - -o -");
    row("standard output, long", {"snapshot", "--output=-", "p.json"}, "snapshot p.json -o -");
    row("quiet", {"tables", "-q", "p.json"}, "tables p.json quiet");
    row("long quiet", {"snapshot", "p.json", "--quiet", "-o", "d"}, "snapshot p.json -o d quiet");
    row("verb help", {"csv", "--help"}, "csv help");
    row("verb help wins", {"tables", "p.json", "--utf8", "-h"}, "tables help");
    row("--help after -- is a profile", {"vb", "--", "--help"}, "vb --help");
}

void TestCommandLine::accepts() {
    QFETCH(QStringList, arguments);
    QTEST(described(parseCommandLine(arguments)), "line");
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
    QTest::newRow("version takes no --quiet") << QStringList{"--version", "--quiet"} << "--quiet";
    QTest::newRow("snapshot with -q only") << QStringList{"snapshot", "p.json", "-q"} << "-o";
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
