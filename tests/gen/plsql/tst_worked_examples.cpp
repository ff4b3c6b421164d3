#include "tst_worked_examples.h"

#include "plsql_fixture.h"

#include "gen/fixed_texts.h"

#include "support/test_files.h"
#include "util/text_file.h"

namespace {

// EMP (public, INS, UPD, S&C, generic strings, arguments from EMP and DEPT) and DEPT
// (array, S&C): the example shared by the package specification and the body declarations.
Scenario empAndDept() {
    Scenario s;
    const qsizetype emp = s.addEmp({.Public = true, .Ins = true, .Upd = true, .Clr = true});
    const qsizetype dept =
        s.addTable("DEPT", {{"DEPTNO", "NUMBER"}, {"DNAME"}}, {.Array = true, .Clr = true});
    s.candidates[emp].GenStrOn = true;
    s.setArguments(emp, {emp, dept});
    return s;
}

Scenario scenario(const QString& name) {
    Scenario s;
    if (name == "emp-dept")
        return empAndDept();
    if (name == "access" || name == "access-array") {
        s.settings.ProcHeader = true;
        s.addEmp({.Array = name == "access-array", .Ins = true, .Upd = true, .Clr = true});
    } else if (name == "public" || name == "public-array") {
        s.setArguments(s.addEmp({.Public = true, .Array = name == "public-array"}), {0});
    } else {
        s.addEmp({.Public = true});
    }
    return s;
}

void write(const QString& section, PackageGenerator& g, LineSink& out) {
    if (section == "public part") {
        g.AddTableTypes(out, 1);
        g.AddGenericArgumentTypes(out);
        g.AddPublicProcedureDeclarations(out);
    } else if (section == "globals") {
        g.AddBodyGlobals(out);
        g.AddItemVariables(out);
    } else if (section == "definitions") {
        g.AddFunctionDefinitions(out);
    } else if (section == "access") {
        g.AddTableAccessFunctions(out);
    } else if (section == "public") {
        g.AddPublicProcedures(out);
    } else if (section == "custom") {
        g.AddCustomizationFunctions(out);
    } else {
        QFAIL("unknown section");
    }
}

} // namespace

void TestWorkedExamples::sections_data() {
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("golden");
    QTest::newRow("table and generic types, declaration") << "emp-dept"
                                                          << "public part"
                                                          << "public_declarations.txt";
    QTest::newRow("body globals, item variables") << "emp-dept"
                                                  << "globals"
                                                  << "body_globals_and_items.txt";
    QTest::newRow("forward definitions") << "emp-dept"
                                         << "definitions"
                                         << "function_definitions.txt";
    QTest::newRow("access functions") << "access"
                                      << "access"
                                      << "access_functions.txt";
    QTest::newRow("access functions, array") << "access-array"
                                             << "access"
                                             << "access_functions_array.txt";
    QTest::newRow("public procedure") << "public"
                                      << "public"
                                      << "public_procedure.txt";
    QTest::newRow("public procedure, array") << "public-array"
                                             << "public"
                                             << "public_procedure_array.txt";
    QTest::newRow("customization skeleton") << "custom"
                                            << "custom"
                                            << "customization_function.txt";
}

void TestWorkedExamples::sections() {
    QFETCH(QString, scenario);
    QFETCH(QString, section);
    QFETCH(QString, golden);
    const QStringList actual = ::scenario(scenario).lines(
        [&](PackageGenerator& g, LineSink& out) { write(section, g, out); });
    COMPARE_LINES(actual, goldenLines(golden));
}

void TestWorkedExamples::wholePackage() {
    COMPARE_LINES(scenario("emp").package(), goldenLines("emp_package.txt"));
}

void TestWorkedExamples::fixedTextsAsTyped() {
    Scenario s = empAndDept();
    s.settings.PackHeader = true;
    s.settings.ProcHeader = true;
    s.settings.SysName = "販売管理";
    s.settings.Owner = "山田";
    COMPARE_LINES(fixed_texts::nonAsciiLines(s.package()), fixed_texts::package());
}

void TestWorkedExamples::savedFileBytes() {
    // What the save command writes: Shift-JIS, CR LF after every line, the last included.
    QCOMPARE(encodeSjisLines(scenario("emp").package()),
             readFileBytes(testDataPath("gen/plsql/emp_package.sql")));
}
