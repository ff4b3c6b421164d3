#include "tst_vb_module.h"

#include "support/test_files.h"
#include "util/text_file.h"
#include "vb_fixture.h"

#include "gen/fixed_texts.h"

#include <QTest>

void TestVbModule::smallModuleIsByteExact() {
    VbFixture f;
    const qsizetype emp = f.addTable("EMP",
                                     {{"EMPNO", "NUMBER", "4.0"},
                                      {"ENAME", "VARCHAR2", "10"},
                                      {"HIREDATE", "DATE", "7"},
                                      {"NOTE", "LONG", "0"}},
                                     true);
    f.addTable(
        "DEPT",
        {{"DEPTNO", "NUMBER", "2.0"}, {"DNAME", "VARCHAR2", "14"}, {"DEPT_LOCATION", "CHAR", "13"}},
        false, true);
    f.setArguments(emp, {0, 1});
    f.candidates[emp].GenStrOn = true;
    f.candidates[emp].GenStrCount = 2;
    f.candidates[emp].GenNumOn = true;
    f.candidates[emp].GenNumCount = 1;
    f.settings.Owner = "山田";

    QCOMPARE(encodeSjisLines(f.module()), readFileBytes(testDataPath("gen/vb/small_module.bas")));
}

void TestVbModule::noPublicTableGivesNothing() {
    VbFixture f;
    QVERIFY(!generateVbModuleLines(f.input(), f.options).has_value());
    f.addTable("EMP", {{"EMPNO", "NUMBER", "4.0"}}, false, true);
    f.addTable("DEPT", {{"DEPTNO", "NUMBER", "2.0"}}, false);
    f.setArguments(0, {0, 1});
    QVERIFY(!generateVbModuleLines(f.input(), f.options).has_value());
}

void TestVbModule::numberingSkipsTablesThatAreNotPublic() {
    VbFixture f;
    for (const char* name : {"A", "B", "C", "D", "E"})
        f.addTable(name, {{"ID", "NUMBER", "4.0"}}, QByteArray("ACE").contains(name));
    const QStringList module = f.module();

    const QList<QStringList> found = functions(module);
    QCOMPARE(found.size(), 3);
    const QStringList names{"Call_Package", "Call_Package2", "Call_Package3"};
    const QStringList tables{"A", "C", "E"};
    for (int n = 0; n < 3; ++n) {
        QCOMPARE(found[n][0], "Public Function " + names[n] + "() as Long");
        QCOMPARE(found[n][2], "'関数名:パッケージ呼出[" + tables[n] + "]");
        QCOMPARE(found[n].last(), "End Function");
        QVERIFY(found[n].contains("\t" + names[n] + " = 0"));
        QVERIFY(found[n].contains("\tppSQL = \"Begin A_PACK.PUB_" + tables[n] + "(\""));
        // Every function follows an empty line of its own.
        QCOMPARE(module[module.indexOf(found[n][0]) - 1], QString());
    }
    // The constant block stands once, before the first function; the module ends with the
    // last function.
    QCOMPARE(module.count("'Parameter Types"), 1);
    QVERIFY(module.indexOf("'Parameter Types") < module.indexOf(found[0][0]));
    QCOMPARE(module.last(), "End Function");
}

void TestVbModule::moduleStart_data() {
    QTest::addColumn<QString>("vbName");
    QTest::addColumn<bool>("modHeader");
    QTest::addColumn<bool>("oracleConst");
    // The lines before "Public Function"; "*" stands for fixed text the golden module checks.
    QTest::addColumn<QStringList>("start");

    const QStringList constants = [] {
        QStringList lines{"'Parameter Types",
                          "Public Const ORAPARM_INPUT = 1",
                          "Public Const ORAPARM_OUTPUT = 2",
                          "Public Const ORAPARM_BOTH = 3",
                          "",
                          "'Oracle Type Codes"};
        for (int i = 0; i < 41; ++i)
            lines << "*";
        lines << QString();
        return lines;
    }();

    QTest::newRow("bare") << "MOD_ParamSet" << false << false
                          << QStringList{"Attribute VB_Name = \"MOD_ParamSet\"", "Option Explicit",
                                         ""};
    QTest::newRow("empty module name")
        << "" << false << false << QStringList{"Attribute VB_Name = \"\"", "Option Explicit", ""};
    QTest::newRow("constants only")
        << "M" << false << true
        << QStringList{"Attribute VB_Name = \"M\"", "Option Explicit", ""} + constants;
    QStringList header{"Attribute VB_Name = \"M\"", "Option Explicit"};
    header << "'" + QString(60, '=') << "'オラクルパッケージ呼出モジュール"
           << "'作成日時  ：2001年05月12日(土) [14:03:09]"
           << "'作成者    ：Tamsel (Generator)"
           << "'編集者    ：";
    for (int i = 0; i < 10; ++i)
        header << "*";
    header << "'" + QString(60, '=') << "";
    QTest::newRow("header, empty owner") << "M" << true << false << header;
}

void TestVbModule::moduleStart() {
    QFETCH(QString, vbName);
    QFETCH(bool, modHeader);
    QFETCH(bool, oracleConst);
    QFETCH(QStringList, start);
    VbFixture f;
    f.addTable("EMP", {{"EMPNO", "NUMBER", "4.0"}}, true);
    f.settings.VbName = vbName;
    f.settings.Owner.clear();
    f.options.ModHeader = modHeader;
    f.options.OracleConst = oracleConst;
    const QStringList module = f.module();

    const qsizetype first = module.indexOf("Public Function Call_Package() as Long");
    QCOMPARE(first, start.size());
    for (qsizetype i = 0; i < start.size(); ++i) {
        if (start[i] != "*")
            QCOMPARE(module[i], start[i]);
    }
    QCOMPARE(module[first - 1], QString());
}

void TestVbModule::procedureHeaderIsSevenLines() {
    VbFixture f;
    f.addTable("EMP", {{"EMPNO", "NUMBER", "4.0"}}, true);
    f.addTable("DEPT", {{"DEPTNO", "NUMBER", "2.0"}}, true);
    f.setArguments(1, {0});
    const QStringList with = f.module();
    f.options.VbProcHeader = false;
    const QStringList without = f.module();

    QStringList stripped = with;
    for (const QString& table : {QString("EMP"), QString("DEPT")}) {
        const qsizetype at = stripped.indexOf("'関数名:パッケージ呼出[" + table + "]") - 1;
        QCOMPARE(stripped.mid(at, 7),
                 QStringList({"'" + QString(60, '*'), "'関数名:パッケージ呼出[" + table + "]",
                              "'引数  :", "'戻り値:パッケージエラーコード",
                              "'機能  :", "'" + QString(60, '*'), ""}));
        stripped.remove(at, 7);
    }
    QCOMPARE(without, stripped);
}

void TestVbModule::fixedTextsAsTyped() {
    VbFixture f;
    f.addTable("EMP", {{"EMPNO", "NUMBER", "4.0"}}, true);
    f.addTable("DEPT", {{"DEPTNO", "NUMBER", "2.0"}}, false, true);
    f.setArguments(0, {0, 1});
    f.candidates[0].GenStrOn = true;
    f.candidates[0].GenNumOn = true;
    f.settings.Owner = "山田";
    QCOMPARE(fixed_texts::nonAsciiLines(f.module()), fixed_texts::module());
}
