#include "tst_vb_calling_function.h"

#include "vb_fixture.h"

#include <QTest>

namespace {

const QString kSqlEnd = "\tppSQL = ppSQL & \"); END;\"";

QStringList sqlLines(const QStringList& function) {
    const auto begin = std::find_if(function.begin(), function.end(), [](const QString& line) {
        return line.startsWith("\tppSQL = \"Begin ");
    });
    if (begin == function.end())
        return {};
    return section(function, *begin, kSqlEnd);
}

QStringList bind(const QStringList& names) {
    QStringList lines;
    for (const QString& name : names)
        lines << "\tppSQL = ppSQL & \":" + name + ",\"";
    lines.last().replace(",\"", "\"");
    return lines;
}

} // namespace

void TestVbCallingFunction::sqlTextWorkedExample() {
    VbFixture f;
    f.addTable("EMP", {{"EMPNO", "NUMBER", "4.0"}, {"ENAME", "VARCHAR2", "10"}}, true);
    f.setArguments(0, {0});
    f.settings.PackName = "  ";

    QCOMPARE(sqlLines(f.function(0)), QStringList({
                                          "\tppSQL = \"Begin EMP_PACK.PUB_EMP(\"",
                                          "\tppSQL = ppSQL & \":EMP_ErrCode,\"",
                                          "\tppSQL = ppSQL & \":EMP_ErrName,\"",
                                          "\tppSQL = ppSQL & \":EMP_EMPNO,\"",
                                          "\tppSQL = ppSQL & \":EMP_ENAME\"",
                                          "\tppSQL = ppSQL & \"); END;\"",
                                      }));
}

void TestVbCallingFunction::sqlText_data() {
    QTest::addColumn<bool>("genStr");
    QTest::addColumn<bool>("genNum");
    QTest::addColumn<QList<qsizetype>>("arguments"); // of candidate 1, TAB
    QTest::addColumn<QString>("packName");
    QTest::addColumn<QStringList>("binds");

    // Candidates: 0 ADR (scalar, not public), 1 TAB (public), 2 ITEM (array).
    QTest::newRow("no arguments") << false << false << QList<qsizetype>{} << ""
                                  << QStringList{"TAB_ErrCode", "TAB_ErrName"};
    QTest::newRow("generic number last") << false << true << QList<qsizetype>{} << ""
                                         << QStringList{"TAB_ErrCode", "TAB_ErrName", "TAB_GenNum"};
    QTest::newRow("both generic arrays")
        << true << true << QList<qsizetype>{} << ""
        << QStringList{"TAB_ErrCode", "TAB_ErrName", "TAB_GenStr", "TAB_GenNum"};
    QTest::newRow("candidate order, row count first")
        << true << false << QList<qsizetype>{2, 0} << ""
        << QStringList{"TAB_ErrCode", "TAB_ErrName",   "TAB_GenStr",  "ADR_ZIP",
                       "ADR_CITY",    "ITEM_ArrayCnt", "ITEM_ITEMNO", "ITEM_QTY"};
    QTest::newRow("own table") << false << false << QList<qsizetype>{1} << "SALES"
                               << QStringList{"TAB_ErrCode", "TAB_ErrName", "TAB_ID"};
}

void TestVbCallingFunction::sqlText() {
    QFETCH(bool, genStr);
    QFETCH(bool, genNum);
    QFETCH(QList<qsizetype>, arguments);
    QFETCH(QString, packName);
    QFETCH(QStringList, binds);
    VbFixture f;
    f.addTable("ADR", {{"ZIP", "CHAR", "7"}, {"CITY", "VARCHAR2", "40"}}, false);
    f.addTable("TAB", {{"ID", "NUMBER", "9.0"}}, true);
    f.addTable("ITEM", {{"ITEMNO", "NUMBER", "6.0"}, {"QTY", "NUMBER", "3.0"}}, false, true);
    f.setArguments(1, arguments);
    f.candidates[1].GenStrOn = genStr;
    f.candidates[1].GenNumOn = genNum;
    f.settings.PackName = packName;
    f.settings.Public = "P_";

    const QString package = packName.isEmpty() ? "TAB_PACK" : packName;
    QCOMPARE(sqlLines(f.function(1)), QStringList{"\tppSQL = \"Begin " + package + ".P_TAB(\""} +
                                          bind(binds) + QStringList{kSqlEnd});
}

void TestVbCallingFunction::getOraTypeName_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("character");
    QTest::newRow("VARCHAR2") << "VARCHAR2"
                              << "ORATYPE_VARCHAR2" << true;
    QTest::newRow("NUMBER") << "NUMBER"
                            << "ORATYPE_NUMBER" << false;
    QTest::newRow("DATE") << "DATE"
                          << "ORATYPE_DATE" << false;
    QTest::newRow("CHAR") << "CHAR"
                          << "ORATYPE_CHAR" << true;
    QTest::newRow("VARCHAR") << "VARCHAR"
                             << "ORATYPE_VARCHAR" << true;
    QTest::newRow("lower case") << "varchar2"
                                << "ORATYPE_UNKNOWN" << false;
    QTest::newRow("trailing blank") << "VARCHAR2 "
                                    << "ORATYPE_UNKNOWN" << false;
    QTest::newRow("NCHAR") << "NCHAR"
                           << "ORATYPE_UNKNOWN" << false;
    QTest::newRow("NVARCHAR2") << "NVARCHAR2"
                               << "ORATYPE_UNKNOWN" << false;
    QTest::newRow("LONG") << "LONG"
                          << "ORATYPE_UNKNOWN" << false;
    QTest::newRow("empty") << ""
                           << "ORATYPE_UNKNOWN" << false;
}

void TestVbCallingFunction::getOraTypeName() {
    QFETCH(QString, type);
    QFETCH(QString, name);
    QFETCH(bool, character);
    const VbModuleGenerator::OraType ora = VbModuleGenerator::GetOraTypeName(type);
    QCOMPARE(ora.name, name);
    QCOMPARE(ora.isCharacter, character);
}

void TestVbCallingFunction::elementSizeFollowsEachColumnsType() {
    VbFixture f;
    f.addTable("T",
               {{"A", "VARCHAR2", "10"},
                {"B", "NUMBER", "5.0"},
                {"C", "CHAR", "2"},
                {"D", "RAW", "16"},
                {"E", "VARCHAR", "3"}},
               true, true);
    f.setArguments(0, {0});
    const QStringList function = f.function(0);
    // A NUMBER right after a VARCHAR2, and an unknown type right after a CHAR, take no size.
    QVERIFY(function.contains("\t\t.AddTable \"T_A\", ORAPARM_INPUT, ORATYPE_VARCHAR2, rcT, 10"));
    QVERIFY(function.contains("\t\t.AddTable \"T_B\", ORAPARM_INPUT, ORATYPE_NUMBER, rcT"));
    QVERIFY(function.contains("\t\t.AddTable \"T_C\", ORAPARM_INPUT, ORATYPE_CHAR, rcT, 2"));
    QVERIFY(function.contains("\t\t.AddTable \"T_D\", ORAPARM_INPUT, ORATYPE_UNKNOWN, rcT"));
    QVERIFY(function.contains("\t\t.AddTable \"T_E\", ORAPARM_INPUT, ORATYPE_VARCHAR, rcT, 3"));
}

void TestVbCallingFunction::columnLines_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("size");
    QTest::addColumn<bool>("isArray");
    QTest::addColumn<QString>("parameter"); // the .Add/.AddTable line, without the two tabs
    QTest::addColumn<QString>("value");     // what the data set section assigns

    QTest::newRow("VARCHAR2 array")
        << "VARCHAR2"
        << "20" << true << ".AddTable \"K_COL\", ORAPARM_INPUT, ORATYPE_VARCHAR2, rcK, 20"
        << "= vbNullString";
    QTest::newRow("CHAR array") << "CHAR"
                                << "1" << true
                                << ".AddTable \"K_COL\", ORAPARM_INPUT, ORATYPE_CHAR, rcK, 1"
                                << "= vbNullString";
    QTest::newRow("VARCHAR array")
        << "VARCHAR"
        << "255" << true << ".AddTable \"K_COL\", ORAPARM_INPUT, ORATYPE_VARCHAR, rcK, 255"
        << "= vbNullString";
    QTest::newRow("NUMBER array") << "NUMBER"
                                  << "10.2" << true
                                  << ".AddTable \"K_COL\", ORAPARM_INPUT, ORATYPE_NUMBER, rcK"
                                  << "= 0";
    QTest::newRow("DATE array") << "DATE"
                                << "7" << true
                                << ".AddTable \"K_COL\", ORAPARM_INPUT, ORATYPE_DATE, rcK"
                                << "= vbNullString";
    QTest::newRow("LONG array") << "LONG"
                                << "0" << true
                                << ".AddTable \"K_COL\", ORAPARM_INPUT, ORATYPE_UNKNOWN, rcK"
                                << "= vbNullString";
    QTest::newRow("VARCHAR2 scalar")
        << "VARCHAR2"
        << "20" << false << ".Add \"K_COL\", vbNullString, ORAPARM_INPUT, ORATYPE_VARCHAR2"
        << "= vbNullString";
    QTest::newRow("NUMBER scalar")
        << "NUMBER"
        << "10.2" << false << ".Add \"K_COL\", 0, ORAPARM_INPUT, ORATYPE_NUMBER"
        << "= 0";
    QTest::newRow("DATE scalar") << "DATE"
                                 << "7" << false
                                 << ".Add \"K_COL\", vbNullString, ORAPARM_INPUT, ORATYPE_DATE"
                                 << "= vbNullString";
    QTest::newRow("RAW scalar") << "RAW"
                                << "16" << false
                                << ".Add \"K_COL\", vbNullString, ORAPARM_INPUT, ORATYPE_UNKNOWN"
                                << "= vbNullString";
}

void TestVbCallingFunction::columnLines() {
    QFETCH(QString, type);
    QFETCH(QString, size);
    QFETCH(bool, isArray);
    QFETCH(QString, parameter);
    QFETCH(QString, value);
    VbFixture f;
    f.addTable("T", {{"ID", "NUMBER", "4.0"}}, true);
    f.addTable("K", {{"COL", type, size}}, false, isArray);
    f.setArguments(0, {1});
    const QStringList function = f.function(0);

    const qsizetype at = function.indexOf("\t\t'[K]");
    QVERIFY(at > 0);
    QCOMPARE(function[at + (isArray ? 2 : 1)], "\t\t" + parameter);
    // COL is 3 bytes against M = 8: six blanks before the "=".
    const QString valueLine =
        isArray ? "\t\tppK_COL(i)      " + value : "\tppOraParam(\"K_COL\").Value      " + value;
    QVERIFY2(function.contains(valueLine), qPrintable(valueLine));
}

void TestVbCallingFunction::alignmentCountsShiftJisBytes() {
    VbFixture f;
    // "ＩＤ" is 2 characters but 4 bytes; M is the 11 bytes of LONG_NAME_X.
    f.addTable("K", {{"ＩＤ", "NUMBER", "4.0"}, {"LONG_NAME_X", "VARCHAR2", "20"}}, true, true);
    f.setArguments(0, {0});
    const QStringList function = f.function(0);
    for (const QString& line : {
             QString("Dim ppK_ＩＤ        As OraParamArray"),
             QString("Dim ppK_LONG_NAME_X As OraParamArray"),
             QString("\tSet ppK_ＩＤ        = ppOraParam(\"K_ＩＤ\")"),
             QString("\t\tppK_ＩＤ(i)        = 0"),
             QString("\t\tppK_LONG_NAME_X(i) = vbNullString"),
         })
        QVERIFY2(function.contains(line), qPrintable(line));
}

void TestVbCallingFunction::hasArrayIsDecidedPerFunction() {
    VbFixture f;
    f.addTable("ITEM", {{"ITEMNO", "NUMBER", "6.0"}}, true, true);
    f.addTable("ADR", {{"ZIP", "CHAR", "7"}}, true, false);
    f.setArguments(0, {0});
    f.setArguments(1, {1});
    const QList<QStringList> found = functions(f.module());
    QCOMPARE(found.size(), 2);

    QVERIFY(found[0].contains("\tppMsg = \"レコード数設定中\""));
    QVERIFY(found[0].contains("\trcITEM = 0"));
    QCOMPARE(found[0].count("\tppMsg = \"配列オブジェクトセット中\""), 1);
    QVERIFY(found[0].contains("\tSet ppITEM_ITEMNO   = ppOraParam(\"ITEM_ITEMNO\")"));

    // The second function's only argument table is scalar: no record counts, no array
    // objects, no row count parameter, whatever the first function had.
    for (const QString& line : found[1]) {
        QVERIFY2(!line.contains("レコード数") && !line.contains("配列オブジェクト") &&
                     !line.contains("ArrayCnt") && !line.startsWith("Dim rc"),
                 qPrintable(line));
    }
    QVERIFY(found[1].contains("\tppOraParam(\"ADR_ZIP\").Value      = vbNullString"));
}

void TestVbCallingFunction::genericStageMessage_data() {
    QTest::addColumn<bool>("hasArray");
    QTest::addColumn<bool>("genStr");
    QTest::addColumn<bool>("genNum");
    // The lines from "End With" to the SQL stage message.
    QTest::addColumn<QStringList>("lines");

    const QString stage = "\tppMsg = \"配列オブジェクトセット中\"";
    const QString setStr = "\tSet ppParamStr = ppOraParam(\"T_GenStr\")";
    const QString setNum = "\tSet ppParamNum = ppOraParam(\"T_GenNum\")";
    const QStringList arrayBlock{"", stage, "\t'[T]", "\tSet ppT_ID       = ppOraParam(\"T_ID\")"};
    const QString end = "\tEnd With";
    const QString sql = "\tppMsg = \"SQL作成中\"";

    QTest::newRow("none") << false << false << false << QStringList{end, "", "", sql};
    QTest::newRow("strings") << false << true << false
                             << QStringList{end, "", stage, setStr, "", sql};
    QTest::newRow("numbers") << false << false << true
                             << QStringList{end, "", stage, setNum, "", sql};
    QTest::newRow("both") << false << true << true
                          << QStringList{end, "", stage, setStr, setNum, "", sql};
    QTest::newRow("array and both")
        << true << true << true
        << QStringList{end} + arrayBlock + QStringList{"", setStr, setNum, "", sql};
    QTest::newRow("array and numbers")
        << true << false << true
        << QStringList{end} + arrayBlock + QStringList{"", setNum, "", sql};
}

void TestVbCallingFunction::genericStageMessage() {
    QFETCH(bool, hasArray);
    QFETCH(bool, genStr);
    QFETCH(bool, genNum);
    QFETCH(QStringList, lines);
    VbFixture f;
    f.addTable("T", {{"ID", "NUMBER", "4.0"}}, true, hasArray);
    if (hasArray)
        f.setArguments(0, {0});
    f.candidates[0].GenStrOn = genStr;
    f.candidates[0].GenNumOn = genNum;
    QCOMPARE(section(f.function(0), lines.first(), lines.last()), lines);
}

void TestVbCallingFunction::genericCounts_data() {
    QTest::addColumn<qint32>("strCount");
    QTest::addColumn<qint32>("numCount");
    QTest::addColumn<qint32>("refStrLen");
    QTest::addColumn<QStringList>("addLines");
    QTest::addColumn<QStringList>("dataSet"); // from the section's heading to its closing rule

    const QString open = "\t'データセット" + QString(38, '+');
    const QString close = "\t'" + QString(50, '+');
    QTest::newRow("none to fill")
        << 0 << 0 << 30
        << QStringList{"\t\t.AddTable \"T_GenStr\", ORAPARM_BOTH, ORATYPE_VARCHAR2, 0, 30",
                       "\t\t.AddTable \"T_GenNum\", ORAPARM_BOTH, ORATYPE_NUMBER, 0"}
        << QStringList{open, "\t'汎用文字列(30桁以内)", "\t'汎用数値", close};
    QTest::newRow("negative")
        << -2 << -1 << -5
        << QStringList{"\t\t.AddTable \"T_GenStr\", ORAPARM_BOTH, ORATYPE_VARCHAR2, -2, -5",
                       "\t\t.AddTable \"T_GenNum\", ORAPARM_BOTH, ORATYPE_NUMBER, -1"}
        << QStringList{open, "\t'汎用文字列(-5桁以内)", "\t'汎用数値", close};
    QTest::newRow("some")
        << 3 << 1 << 100
        << QStringList{"\t\t.AddTable \"T_GenStr\", ORAPARM_BOTH, ORATYPE_VARCHAR2, 3, 100",
                       "\t\t.AddTable \"T_GenNum\", ORAPARM_BOTH, ORATYPE_NUMBER, 1"}
        << QStringList{open,
                       "\t'汎用文字列(100桁以内)",
                       "\tppParamStr(0) = vbNullString",
                       "\tppParamStr(1) = vbNullString",
                       "\tppParamStr(2) = vbNullString",
                       "\t'汎用数値",
                       "\tppParamNum(0) = 0",
                       close};
}

void TestVbCallingFunction::genericCounts() {
    QFETCH(qint32, strCount);
    QFETCH(qint32, numCount);
    QFETCH(qint32, refStrLen);
    QFETCH(QStringList, addLines);
    QFETCH(QStringList, dataSet);
    VbFixture f;
    f.addTable("T", {{"ID", "NUMBER", "4.0"}}, true);
    f.candidates[0].GenStrOn = true;
    f.candidates[0].GenStrCount = strCount;
    f.candidates[0].GenNumOn = true;
    f.candidates[0].GenNumCount = numCount;
    f.settings.RefStrLen = refStrLen;
    const QStringList function = f.function(0);

    QCOMPARE(section(function, addLines.first(), addLines.last()), addLines);
    QCOMPARE(section(function, dataSet.first(), dataSet.last()), dataSet);
}

void TestVbCallingFunction::noArgumentsWritesNoDataSetSection() {
    VbFixture f;
    f.addTable("T", {{"ID", "NUMBER", "4.0"}}, true);
    f.addTable("K", {{"ID", "NUMBER", "4.0"}}, false, true);
    f.options.VbProcHeader = false;
    const QStringList function = f.function(0);

    QCOMPARE(function.mid(0, 9), QStringList({
                                     "Public Function Call_Package() as Long",
                                     "Dim ppOraParam As OraParameters",
                                     "Dim ppSQL      As String",
                                     "Dim Rtn        As Long",
                                     "Dim i          As Integer",
                                     "Dim ppMsg      As String",
                                     "",
                                     "On Error GoTo ParamSetErr",
                                     "\tCall_Package = 0",
                                 }));
    QCOMPARE(function[9], "\tppMsg = \"パラメータ準備中\"");
    const qsizetype end = function.indexOf(kSqlEnd);
    QCOMPARE(function.mid(end - 2, 5), QStringList({
                                           "\tppSQL = ppSQL & \":T_ErrCode,\"",
                                           "\tppSQL = ppSQL & \":T_ErrName\"",
                                           kSqlEnd,
                                           "",
                                           "\tppMsg = \"パッケージ処理中\"",
                                       }));
    QCOMPARE(function.count("\t'" + QString(50, '+')), 0);
}

void TestVbCallingFunction::arrayTableWithoutColumnsBindsNoRowCount() {
    VbFixture f;
    f.addTable("T", {{"ID", "NUMBER", "4.0"}}, true);
    f.addTable("NOCOLS", {}, false, true);
    f.setArguments(0, {1, 0});
    const QStringList function = f.function(0);

    // The procedure takes no row count for a table that passes no columns, so neither
    // parameter, bind nor value may appear, or every later bind would be off by one.
    for (const QString& line : function)
        QVERIFY2(!line.contains("NOCOLS_ArrayCnt"), qPrintable(line));
    QCOMPARE(sqlLines(function).mid(3, 2), QStringList({"\tppSQL = ppSQL & \":T_ID\"", kSqlEnd}));
    QVERIFY(function.contains("\t\t'[NOCOLS]"));
}
