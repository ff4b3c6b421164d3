#include "tst_package_layout.h"

#include "plsql_fixture.h"

namespace {

QStringList linesStartingWith(const QStringList& lines, const QString& start) {
    QStringList found;
    for (const QString& line : lines)
        if (line.startsWith(start))
            found.append(line);
    return found;
}

} // namespace

void TestPackageLayout::noPublicTable_data() {
    QTest::addColumn<bool>("withTables");
    QTest::newRow("empty candidate list") << false;
    QTest::newRow("every flag but Public") << true;
}

void TestPackageLayout::noPublicTable() {
    QFETCH(bool, withTables);
    Scenario s;
    if (withTables) {
        s.addEmp({.Array = true, .Ins = true, .Upd = true, .Clr = true});
        s.candidates[0].GenStrOn = true;
        s.setArguments(0, {0});
    }
    QVERIFY(!generatePackageLines(s.input()).has_value());
}

void TestPackageLayout::packageHeader() {
    Scenario s;
    s.settings.PackHeader = true;
    s.settings.SysName = "販売管理";
    s.settings.Owner = "山田";
    s.addEmp({.Public = true});
    const QStringList expected{
        "--**************************************************",
        "--ORACLE PL/SQL PACKAGE",
        "--使用ｼｽﾃﾑ名：販売管理",
        "--作成日時  ：2001年05月12日(土) [14:03:09]",
        "--作成者    ：Tamsel (Generator)",
        "--編集者    ：山田",
        "--**************************************************",
        "",
        "--ﾊﾟｯｹｰｼﾞ仕様定義部",
    };
    const QStringList lines = s.package();
    COMPARE_LINES(lines.mid(0, expected.size()), expected);
    // Not repeated before the body, which starts with its rule line.
    QCOMPARE(lines.count("--ORACLE PL/SQL PACKAGE"), 1);
}

void TestPackageLayout::routineHeader_data() {
    QTest::addColumn<RoutineKind>("kind");
    QTest::addColumn<QStringList>("kindLines");
    QTest::newRow("public procedure")
        << RoutineKind::PublicProcedure
        << QStringList{"--関数名：PUB_EMP(Generated)", "--説明  ：外部から呼び出す関数",
                       "--      ：ｶｽﾀﾏｲｽﾞ対象関数[MAIN_EMP]をコール"};
    QTest::newRow("customization function")
        << RoutineKind::Customization
        << QStringList{"--関数名：MAIN_EMP(Manual)", "--説明  ：ｶｽﾀﾏｲｽﾞ対象関数",
                       "--      ：PUB_EMPから呼び出し"};
}

void TestPackageLayout::routineHeader() {
    QFETCH(RoutineKind, kind);
    QFETCH(QStringList, kindLines);
    Scenario s;
    s.addEmp({.Public = true});
    const QString rule = "--" + QString(50, u'*');
    const QStringList expected =
        QStringList{rule} + kindLines + QStringList{"--戻り値：0=正常　0以外=エラー", rule, ""};
    const QStringList actual =
        s.lines([&](PackageGenerator& g, LineSink& out) { g.AddRoutineHeader(out, "EMP", kind); });
    COMPARE_LINES(actual, expected);
}

void TestPackageLayout::procHeaderSwitchesEveryBlock_data() {
    QTest::addColumn<bool>("procHeader");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("off") << false << QStringList{};
    QTest::newRow("on") << true
                        << QStringList{
                               "--関数名：INS_EMP(Generated)", "--関数名：UPD_EMP(Generated)",
                               "--関数名：CLR_EMP(Generated)", "--関数名：SET_EMP(Generated)",
                               "--関数名：PUB_EMP(Generated)", "--関数名：MAIN_EMP(Manual)"};
}

void TestPackageLayout::procHeaderSwitchesEveryBlock() {
    QFETCH(bool, procHeader);
    QFETCH(QStringList, names);
    Scenario s;
    s.settings.ProcHeader = procHeader;
    s.addEmp({.Public = true, .Ins = true, .Upd = true, .Clr = true});
    const QStringList lines = s.package();
    QCOMPARE(linesStartingWith(lines, "--関数名："), names);
    // Each routine's block directly precedes it; without blocks only the body's rule remains.
    QCOMPARE(lines.count("--" + QString(50, u'*')), 1 + 2 * names.size());
    if (procHeader)
        QCOMPARE(lines[lines.indexOf("FUNCTION INS_EMP RETURN NUMBER IS") - 1], QString());
}

void TestPackageLayout::indent_data() {
    QTest::addColumn<int>("indent");
    QTest::addColumn<QString>("declaration");
    QTest::addColumn<QString>("firstParameter");
    QTest::newRow("0") << 0 << "PROCEDURE PUB_EMP("
                       << "ouEMP_ErrCode     OUT INTEGER,";
    QTest::newRow("negative") << -3 << "PROCEDURE PUB_EMP("
                              << "ouEMP_ErrCode     OUT INTEGER,";
    QTest::newRow("4") << 4 << "    PROCEDURE PUB_EMP("
                       << "        ouEMP_ErrCode     OUT INTEGER,";
}

void TestPackageLayout::indent() {
    QFETCH(int, indent);
    QFETCH(QString, declaration);
    QFETCH(QString, firstParameter);
    Scenario s;
    s.settings.Indent = indent;
    s.addEmp({.Public = true, .Array = true, .Ins = true, .Upd = true, .Clr = true});
    s.candidates[0].GenStrOn = true;
    s.candidates[0].GenNumOn = true;
    s.setArguments(0, {0});
    const QStringList lines = s.package();
    // The package specification's declaration comes first; its parameters are two steps in.
    QCOMPARE(lines[lines.indexOf(declaration) + 1], firstParameter);
    if (indent <= 0)
        QCOMPARE(linesStartingWith(lines, " "), QStringList{});
}

void TestPackageLayout::packNameAsStored() {
    Scenario s;
    s.settings.PackName = " MY ";
    s.addEmp({.Public = true});
    const QStringList lines = s.package();
    QCOMPARE(lines[1], QString("CREATE OR REPLACE PACKAGE  MY  AS"));
    QVERIFY(lines.contains("CREATE OR REPLACE PACKAGE BODY  MY  AS"));
    QCOMPARE(lines.count("END  MY ;"), 2);
}

void TestPackageLayout::tableTypesHeadingOnceBeforeFirstArrayTable() {
    Scenario s;
    s.addTable("A", {{"X"}});
    s.addTable("B", {{"X"}}, {.Array = true});
    s.addTable("C", {{"X"}}, {.Public = true, .Array = true});
    QStringList lines = s.package();
    const QString heading = "  --PL/SQLﾃｰﾌﾞﾙ定義(Generated)";
    QCOMPARE(lines.count(heading), 1);
    QCOMPARE(lines.mid(lines.indexOf(heading), 6),
             QStringList({heading, "  --[B]",
                          "  TYPE Array_B_X        IS TABLE OF APP.B.X%TYPE        INDEX BY "
                          "BINARY_INTEGER;",
                          "", "  --[C]",
                          "  TYPE Array_C_X        IS TABLE OF APP.C.X%TYPE        INDEX BY "
                          "BINARY_INTEGER;"}));

    s.flags.rows()[1].Array = false;
    s.flags.rows()[2].Array = false;
    lines = s.package();
    QVERIFY(!lines.contains(heading));
    QCOMPARE(linesStartingWith(lines, "  TYPE "), QStringList{});
}
