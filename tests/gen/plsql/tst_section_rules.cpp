#include "tst_section_rules.h"

#include "plsql_fixture.h"

namespace {

// The lines between first and the line equal to end, each without its first `strip`
// characters.
QStringList between(const QStringList& lines, const QString& first, const QString& end,
                    qsizetype strip) {
    QStringList found;
    for (qsizetype i = lines.indexOf(first) + 1; i > 0 && i < lines.size() && lines[i] != end; ++i)
        found.append(lines[i].mid(strip));
    return found;
}

const QStringList kAccessTail{"  return(pp_OK);",
                              "EXCEPTION",
                              "  when others then",
                              "    pp_ErrName := SQLERRM;",
                              "    return(SQLCODE);",
                              "END;",
                              ""};

} // namespace

void TestSectionRules::parameterList_data() {
    QTest::addColumn<bool>("genStr");
    QTest::addColumn<bool>("genNum");
    QTest::addColumn<QList<qsizetype>>("arguments"); // 0 A (array), 1 EMP, 2 C, 3 NOCOL (array)
    QTest::addColumn<QStringList>("parameters");
    const QString errCode = "ouEMP_ErrCode     OUT INTEGER,";
    QTest::newRow("error outputs only") << false << false << QList<qsizetype>{}
                                        << QStringList{errCode, "ouEMP_ErrName     OUT VARCHAR2"};
    QTest::newRow("generic strings last") << true << false << QList<qsizetype>{}
                                          << QStringList{errCode, "ouEMP_ErrName     OUT VARCHAR2,",
                                                         "ioEMP_GenStr   IN OUT Array_GenStr"};
    QTest::newRow("generic numbers last")
        << true << true << QList<qsizetype>{}
        << QStringList{errCode, "ouEMP_ErrName     OUT VARCHAR2,",
                       "ioEMP_GenStr   IN OUT Array_GenStr,", "ioEMP_GenNum   IN OUT Array_GenNum"};
    QTest::newRow("a column last") << false << true << QList<qsizetype>{1}
                                   << QStringList{errCode, "ouEMP_ErrName     OUT VARCHAR2,",
                                                  "ioEMP_GenNum   IN OUT Array_GenNum,",
                                                  "inEMP_EMPNO    IN     APP.EMP.EMPNO%TYPE,",
                                                  "inEMP_ENAME    IN     APP.EMP.ENAME%TYPE"};
    QTest::newRow("array table without columns adds nothing")
        << false << false << QList<qsizetype>{3}
        << QStringList{errCode, "ouEMP_ErrName     OUT VARCHAR2"};
    QTest::newRow("candidate order, own table in the middle")
        << false << false << QList<qsizetype>{2, 1, 0}
        << QStringList{errCode,
                       "ouEMP_ErrName     OUT VARCHAR2,",
                       "inA_ArrayCnt IN     INTEGER,",
                       "inA_X        IN     Array_A_X,",
                       "inEMP_EMPNO    IN     APP.EMP.EMPNO%TYPE,",
                       "inEMP_ENAME    IN     APP.EMP.ENAME%TYPE,",
                       "inC_Y        IN     APP.C.Y%TYPE"};
}

void TestSectionRules::parameterList() {
    QFETCH(bool, genStr);
    QFETCH(bool, genNum);
    QFETCH(QList<qsizetype>, arguments);
    QFETCH(QStringList, parameters);
    Scenario s;
    s.addTable("A", {{"X"}}, {.Array = true});
    const qsizetype emp = s.addEmp({.Public = true});
    s.addTable("C", {{"Y"}});
    s.addTable("NOCOL", {}, {.Array = true});
    s.candidates[emp].GenStrOn = genStr;
    s.candidates[emp].GenNumOn = genNum;
    s.setArguments(emp, arguments);
    const QStringList lines = s.package();
    // The package specification and the body carry the same list; callers bind it by position.
    COMPARE_LINES(between(lines, "  PROCEDURE PUB_EMP(", "    );", 4), parameters);
    COMPARE_LINES(between(lines, "PROCEDURE PUB_EMP(", "  ) IS", 2), parameters);
}

void TestSectionRules::genericTypesLookAtEveryTable_data() {
    QTest::addColumn<bool>("deptGenStr"); // DEPT is not public
    QTest::addColumn<bool>("empGenNum");
    QTest::addColumn<int>("refStrLen");
    QTest::addColumn<QStringList>("expected");
    const QString heading = "  --汎用引数用ﾃｰﾌﾞﾙ定義(Generated)";
    const QString number = "  TYPE Array_GenNum IS TABLE OF NUMBER       INDEX BY BINARY_INTEGER;";
    QTest::newRow("none") << false << false << 30 << QStringList{};
    QTest::newRow("strings on a table that is not public")
        << true << false << 30
        << QStringList{heading,
                       "  TYPE Array_GenStr IS TABLE OF VARCHAR2(30) INDEX BY BINARY_INTEGER;", ""};
    QTest::newRow("numbers only") << false << true << 30 << QStringList{heading, number, ""};
    QTest::newRow("both, one digit")
        << true << true << 5
        << QStringList{heading,
                       "  TYPE Array_GenStr IS TABLE OF VARCHAR2(5) INDEX BY BINARY_INTEGER;",
                       number, ""};
    QTest::newRow("three digits")
        << true << false << 100
        << QStringList{heading,
                       "  TYPE Array_GenStr IS TABLE OF VARCHAR2(100) INDEX BY BINARY_INTEGER;",
                       ""};
}

void TestSectionRules::genericTypesLookAtEveryTable() {
    QFETCH(bool, deptGenStr);
    QFETCH(bool, empGenNum);
    QFETCH(int, refStrLen);
    QFETCH(QStringList, expected);
    Scenario s;
    s.addEmp({.Public = true});
    s.addTable("DEPT", {{"DEPTNO"}});
    s.candidates[1].GenStrOn = deptGenStr;
    s.candidates[0].GenNumOn = empGenNum;
    s.settings.RefStrLen = refStrLen;
    COMPARE_LINES(
        s.lines([](PackageGenerator& g, LineSink& out) { g.AddGenericArgumentTypes(out); }),
        expected);
}

void TestSectionRules::clearValue_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("line");
    QTest::newRow("NUMBER") << "NUMBER"
                            << "  DB_T.ID       := 0;";
    QTest::newRow("lower case") << "number"
                                << "  DB_T.ID       := NULL;";
    QTest::newRow("trailing blank") << "NUMBER "
                                    << "  DB_T.ID       := NULL;";
    QTest::newRow("other numeric type") << "FLOAT"
                                        << "  DB_T.ID       := NULL;";
    QTest::newRow("text") << "VARCHAR2"
                          << "  DB_T.ID       := NULL;";
}

void TestSectionRules::clearValue() {
    QFETCH(QString, type);
    QFETCH(QString, line);
    Scenario s;
    s.addTable("T", {{"ID", type}}, {.Clr = true});
    const QStringList lines =
        s.lines([](PackageGenerator& g, LineSink& out) { g.AddTableAccessFunctions(out); });
    QCOMPARE(lines.mid(0, 3), QStringList({"FUNCTION CLR_T RETURN NUMBER IS", "BEGIN", line}));
}

void TestSectionRules::accessFunctionsOfTableWithoutColumns() {
    Scenario s;
    s.addTable("NOCOL", {}, {.Ins = true, .Upd = true, .Clr = true});
    const QStringList expected =
        QStringList{"FUNCTION INS_NOCOL RETURN NUMBER IS", "BEGIN",
                    "  INSERT INTO APP.NOCOL VALUES (", "  );"} +
        kAccessTail +
        QStringList{"FUNCTION UPD_NOCOL(id IN ROWID) RETURN NUMBER IS", "BEGIN",
                    "  UPDATE APP.NOCOL SET", "    WHERE ROWID = id;"} +
        kAccessTail + QStringList{"FUNCTION CLR_NOCOL RETURN NUMBER IS", "BEGIN"} + kAccessTail +
        QStringList{"FUNCTION SET_NOCOL RETURN NUMBER IS", "BEGIN"} + kAccessTail;
    COMPARE_LINES(
        s.lines([](PackageGenerator& g, LineSink& out) { g.AddTableAccessFunctions(out); }),
        expected);
}

void TestSectionRules::prefixesJoinedAsStored() {
    Scenario s;
    s.settings.ProcHeader = true;
    s.settings.INS = "I";
    s.settings.UPD = "U";
    s.settings.Clr = "C";
    s.settings.Set = "S";
    s.settings.Public = "P";
    s.settings.Custom = "M";
    s.addEmp({.Public = true, .Ins = true, .Upd = true, .Clr = true});
    const QStringList lines = s.package();
    for (const char* expected : {
             "  PROCEDURE PEMP(",
             "  FUNCTION IEMP RETURN NUMBER;",
             "  FUNCTION UEMP(id IN  ROWID) RETURN NUMBER;",
             "  FUNCTION CEMP RETURN NUMBER;",
             "  FUNCTION SEMP RETURN NUMBER;",
             "  FUNCTION MEMP RETURN NUMBER;",
             "--関数名：IEMP(Generated)",
             "FUNCTION IEMP RETURN NUMBER IS",
             "FUNCTION UEMP(id IN ROWID) RETURN NUMBER IS",
             "FUNCTION CEMP RETURN NUMBER IS",
             "FUNCTION SEMP RETURN NUMBER IS",
             "--      ：ｶｽﾀﾏｲｽﾞ対象関数[MEMP]をコール",
             "PROCEDURE PEMP(",
             "  pp_ErrCode := MEMP;",
             "--      ：PEMPから呼び出し",
             "FUNCTION MEMP RETURN NUMBER IS",
             "  --pp_ErrCode := IEMP; --(呼び出す関数名)",
         })
        QVERIFY2(lines.contains(QString::fromUtf8(expected)), expected);
}

void TestSectionRules::doubleByteNames() {
    // Pads count Shift-JIS bytes (two per kanji or full-width letter, one per half-width
    // katakana); only A-Z is lower-cased.
    Scenario s;
    s.addEmp({.Ins = true});
    s.addTable("Shain社員", {{"社員番号"}, {"Ｎａｍｅ"}, {"ｶﾅ"}, {"Kubun"}}, {.Clr = true});
    const QStringList declarations = s.lines([](PackageGenerator& g, LineSink& out) {
        g.AddBodyGlobals(out);
        g.AddItemVariables(out);
    });
    COMPARE_LINES(declarations.mid(1, 2), QStringList({"  DB_EMP       APP.EMP%ROWTYPE;",
                                                       "  DB_Shain社員 APP.Shain社員%ROWTYPE;"}));
    COMPARE_LINES(
        declarations.mid(declarations.indexOf("  --[Shain社員]"), 5),
        QStringList({"  --[Shain社員]", "  shain社員_社員番号 APP.Shain社員.社員番号%TYPE;",
                     "  shain社員_Ｎａｍｅ APP.Shain社員.Ｎａｍｅ%TYPE;",
                     "  shain社員_ｶﾅ       APP.Shain社員.ｶﾅ%TYPE;",
                     "  shain社員_kubun    APP.Shain社員.Kubun%TYPE;"}));
    const QStringList definitions =
        s.lines([](PackageGenerator& g, LineSink& out) { g.AddFunctionDefinitions(out); });
    QCOMPARE(definitions.mid(1, 3), QStringList({"  FUNCTION INS_EMP       RETURN NUMBER;",
                                                 "  FUNCTION CLR_Shain社員 RETURN NUMBER;",
                                                 "  FUNCTION SET_Shain社員 RETURN NUMBER;"}));
}

void TestSectionRules::tablePadFollowsLongestName_data() {
    QTest::addColumn<QString>("otherTable");
    QTest::addColumn<QString>("cursorRecord");
    QTest::addColumn<QString>("definition");
    QTest::newRow("alone") << ""
                           << "  DB_EMP APP.EMP%ROWTYPE;"
                           << "  FUNCTION MAIN_EMP RETURN NUMBER;";
    QTest::newRow("a shorter name joins") << "AB"
                                          << "  DB_EMP APP.EMP%ROWTYPE;"
                                          << "  FUNCTION MAIN_EMP RETURN NUMBER;";
    QTest::newRow("a longer name joins") << "DEPARTMENTS"
                                         << "  DB_EMP         APP.EMP%ROWTYPE;"
                                         << "  FUNCTION MAIN_EMP         RETURN NUMBER;";
}

void TestSectionRules::tablePadFollowsLongestName() {
    QFETCH(QString, otherTable);
    QFETCH(QString, cursorRecord);
    QFETCH(QString, definition);
    Scenario s;
    s.addEmp({.Public = true});
    if (!otherTable.isEmpty())
        s.addTable(otherTable, {{"ID"}});
    const QStringList lines = s.package();
    QVERIFY2(lines.contains(cursorRecord), qPrintable(cursorRecord));
    QVERIFY2(lines.contains(definition), qPrintable(definition));
}

void TestSectionRules::bodyWithoutArrayOrAccessFlags() {
    Scenario s;
    s.addEmp({.Public = true});
    s.addTable("DEPT", {{"DEPTNO"}});
    s.addTable("BONUS", {});
    s.candidates[0].GenStrOn = true;
    s.candidates[0].GenNumOn = true;
    s.candidates[1].GenNumOn = true;
    const QStringList expected{
        "  --ｶｰｿﾙ用ﾚｺｰﾄﾞ変数(Generated)",
        "  DB_EMP   APP.EMP%ROWTYPE;",
        "  DB_DEPT  APP.DEPT%ROWTYPE;",
        "  DB_BONUS APP.BONUS%ROWTYPE;",
        "",
        "  --汎用引数用(Generated)",
        "  emp_GenStr   Array_GenStr;",
        "  emp_GenNum   Array_GenNum;",
        "  dept_GenNum  Array_GenNum;",
        "",
        "  --自動生成(Generated)",
        "  pp_ErrCode   NUMBER;",
        "  pp_ErrName   VARCHAR2(255);",
        "  pp_OK        CONSTANT INTEGER := 0;",
        "",
        "  --ﾃｰﾌﾞﾙ項目変数(Generated)",
        "  --[EMP]",
        "  emp_empno    APP.EMP.EMPNO%TYPE;",
        "  emp_ename    APP.EMP.ENAME%TYPE;",
        "",
        "  --[DEPT]",
        "  dept_deptno   APP.DEPT.DEPTNO%TYPE;",
        "",
        "  --[BONUS]",
        "",
        "  --ｶｽﾀﾏｲｽﾞ対象関数定義(Generated)",
        "  FUNCTION MAIN_EMP   RETURN NUMBER;",
        "",
    };
    COMPARE_LINES(s.lines([](PackageGenerator& g, LineSink& out) {
        g.AddBodyGlobals(out);
        g.AddItemVariables(out);
        g.AddFunctionDefinitions(out);
    }),
                  expected);
}

void TestSectionRules::genericArraysCopiedInAndBack() {
    Scenario s;
    s.addEmp({.Public = true});
    s.candidates[0].GenStrOn = true;
    s.candidates[0].GenNumOn = true;
    const QStringList lines =
        s.lines([](PackageGenerator& g, LineSink& out) { g.AddPublicProcedures(out); });
    const QStringList expected{
        "BEGIN",
        "  --引数をｸﾞﾛｰﾊﾞﾙ変数にセット",
        "  for I in ioEMP_GenStr.FIRST..ioEMP_GenStr.LAST loop",
        "    EMP_GenStr(I) := ioEMP_GenStr(I);",
        "  end loop;",
        "  for I in ioEMP_GenNum.FIRST..ioEMP_GenNum.LAST loop",
        "    EMP_GenNum(I) := ioEMP_GenNum(I);",
        "  end loop;",
        "",
        "  --カスタマイズ対象サブ呼出",
        "  pp_ErrCode := MAIN_EMP;",
        "  if pp_ErrCode = pp_OK then",
        "    COMMIT;",
        "  else",
        "    ROLLBACK;",
        "  end if;",
        "  ouEMP_ErrCode := pp_ErrCode;",
        "  ouEMP_ErrName := pp_ErrName;",
        "  for I in ioEMP_GenStr.FIRST..ioEMP_GenStr.LAST loop",
        "    ioEMP_GenStr(I) := EMP_GenStr(I);",
        "  end loop;",
        "  for I in ioEMP_GenNum.FIRST..ioEMP_GenNum.LAST loop",
        "    ioEMP_GenNum(I) := EMP_GenNum(I);",
        "  end loop;",
        "",
        "EXCEPTION",
    };
    COMPARE_LINES(lines.mid(lines.indexOf("BEGIN"), expected.size()), expected);
}

void TestSectionRules::arrayArgumentTables() {
    // A table without columns keeps its row count and its (empty) loop; the row counts
    // align on the longest name of the whole list.
    Scenario s;
    const qsizetype emp = s.addEmp({.Public = true});
    const qsizetype nocol = s.addTable("NOCOL", {}, {.Array = true});
    const qsizetype dept = s.addTable("DEPT", {{"DEPTNO"}}, {.Array = true});
    s.addTable("LONGEST_NAME", {{"ID"}});
    s.setArguments(emp, {dept, nocol});
    const QStringList lines =
        s.lines([](PackageGenerator& g, LineSink& out) { g.AddPublicProcedures(out); });
    const QStringList expected{
        "BEGIN",
        "  --引数をｸﾞﾛｰﾊﾞﾙ変数にセット",
        "  nocol_RecCnt        := inNOCOL_ArrayCnt;",
        "  dept_RecCnt         := inDEPT_ArrayCnt;",
        "",
        "  --[NOCOL]",
        "  for I in 1..nocol_RecCnt loop",
        "  end loop;",
        "",
        "  --[DEPT]",
        "  for I in 1..dept_RecCnt loop",
        "    dept_deptno(I)   := inDEPT_DEPTNO(I);",
        "  end loop;",
        "",
        "  --カスタマイズ対象サブ呼出",
    };
    COMPARE_LINES(lines.mid(lines.indexOf("BEGIN"), expected.size()), expected);
}

void TestSectionRules::customizationSkeletons() {
    // Only public tables, in candidate order; the example call names the insert function
    // by the INS prefix whether or not it is generated; Indent 0 leaves no indentation.
    Scenario s;
    s.settings.Indent = 0;
    s.settings.INS = "NEW_";
    s.addTable("A", {{"X"}});
    s.addTable("B", {{"X"}}, {.Public = true});
    s.addTable("C", {{"X"}}, {.Public = true});
    const auto skeleton = [](const QString& t) {
        return QStringList{"FUNCTION MAIN_" + t + " RETURN NUMBER IS",
                           "--ここにﾌﾟﾗｲﾍﾞｰﾄ変数やｶｰｿﾙを宣言します",
                           "pp_MyErr  EXCEPTION;  --関数呼出時のｴﾗｰ",
                           "",
                           "--関数呼出のｽｹﾙﾄﾝ",
                           "--pp_ErrCode := NEW_" + t + "; --(呼び出す関数名)",
                           "--if pp_ErrCode <> pp_OK then",
                           "--raise pp_MyErr;",
                           "--end if;",
                           "",
                           "BEGIN",
                           "--ここに処理を書きます",
                           "",
                           "",
                           "",
                           "return(pp_OK);",
                           "EXCEPTION",
                           "when pp_MyErr then",
                           "return(pp_ErrCode);",
                           "when others then",
                           "pp_ErrName := SQLERRM;",
                           "return(SQLCODE);",
                           "END;",
                           ""};
    };
    COMPARE_LINES(
        s.lines([](PackageGenerator& g, LineSink& out) { g.AddCustomizationFunctions(out); }),
        skeleton("B") + skeleton("C"));
}
