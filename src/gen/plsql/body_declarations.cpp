// The declarative part of the package body: shared variables, item variables and the
// forward definitions of the body's functions.

#include "gen/plsql/package_generator.h"
#include "gen/plsql/plsql_text.h"

void PackageGenerator::AddBodyGlobals(LineSink& OutputLines) const {
    const QString& Ind = IndentText;
    const QString& U = input_.userName;
    const qsizetype count = input_.candidates.size();

    // Every table has its cursor record, whatever its flags: the access functions and the
    // developer's code use it.
    OutputLines.append(Ind % u"--ｶｰｿﾙ用ﾚｺｰﾄﾞ変数(Generated)");
    for (qsizetype t = 0; t < count; ++t) {
        const QString& T = input_.candidates[t].TableName;
        OutputLines.append(Ind % u"DB_" % T % Blanks{tablePad(t)} % U % u'.' % T % u"%ROWTYPE;");
    }
    OutputLines.append(QString());

    bool wrote = false;
    for (qsizetype t = 0; t < count; ++t) {
        if (!input_.flags.isArray(t))
            continue;
        if (!wrote)
            OutputLines.append(Ind % u"--配列のﾚｺｰﾄﾞ数(Generated)");
        wrote = true;
        OutputLines.append(Ind % tables_[t].lowerName % u"_RecCnt" % Blanks{tablePad(t)} %
                           u"INTEGER;");
    }
    if (wrote)
        OutputLines.append(QString());

    wrote = false;
    for (qsizetype t = 0; t < count; ++t) {
        const TTableSettings& table = input_.candidates[t];
        if (!table.GenStrOn && !table.GenNumOn)
            continue;
        if (!wrote)
            OutputLines.append(Ind % u"--汎用引数用(Generated)");
        wrote = true;
        if (table.GenStrOn)
            OutputLines.append(Ind % tables_[t].lowerName % u"_GenStr" % Blanks{tablePad(t)} %
                               u"Array_GenStr;");
        if (table.GenNumOn)
            OutputLines.append(Ind % tables_[t].lowerName % u"_GenNum" % Blanks{tablePad(t)} %
                               u"Array_GenNum;");
    }
    if (wrote)
        OutputLines.append(QString());

    OutputLines.append(Ind % u"--自動生成(Generated)");
    OutputLines.append(Ind % u"pp_ErrCode   NUMBER;");
    OutputLines.append(Ind % u"pp_ErrName   VARCHAR2(255);");
    OutputLines.append(Ind % u"pp_OK        CONSTANT INTEGER := 0;");
    OutputLines.append(QString());
}

void PackageGenerator::AddItemVariables(LineSink& OutputLines) const {
    const QString& Ind = IndentText;
    const QString& U = input_.userName;
    OutputLines.append(Ind % u"--ﾃｰﾌﾞﾙ項目変数(Generated)");
    for (qsizetype t = 0; t < input_.candidates.size(); ++t) {
        const TTableSettings& table = input_.candidates[t];
        const TableText& text = tables_[t];
        const QString& T = table.TableName;
        const bool isArray = input_.flags.isArray(t);
        OutputLines.append(Ind % u"--[" % T % u']');
        for (qsizetype j = 0; j < text.columnCount; ++j) {
            const QString& Col = table.ColumnNames[j];
            const Blanks pad{columnPad(t, j)};
            if (isArray)
                OutputLines.append(Ind % text.itemNames[j] % pad % u"Array_" % T % u'_' % Col %
                                   u';');
            else
                OutputLines.append(Ind % text.itemNames[j] % pad % U % u'.' % T % u'.' % Col %
                                   u"%TYPE;");
        }
        OutputLines.append(QString());
    }
}

void PackageGenerator::AddFunctionDefinitions(LineSink& OutputLines) const {
    const TPackParameters& s = input_.settings;
    const QString& Ind = IndentText;
    const qsizetype count = input_.candidates.size();

    // The pad follows the table name only, not the prefix, so with prefixes of different
    // lengths "RETURN NUMBER;" does not line up; that is the layout users know.
    bool wrote = false;
    const auto heading = [&] {
        if (!wrote)
            OutputLines.append(Ind % u"--自動生成関数定義(Generated)");
        wrote = true;
    };
    for (qsizetype t = 0; t < count; ++t) {
        const QString& T = input_.candidates[t].TableName;
        const Blanks pad{tablePad(t)};
        if (input_.flags.isIns(t)) {
            heading();
            OutputLines.append(Ind % u"FUNCTION " % s.INS % T % pad % u"RETURN NUMBER;");
        }
        if (input_.flags.isUpd(t)) {
            heading();
            OutputLines.append(Ind % u"FUNCTION " % s.UPD % T % u"(id IN  ROWID)" % pad %
                               u"RETURN NUMBER;");
        }
        if (input_.flags.isClr(t)) {
            heading();
            OutputLines.append(Ind % u"FUNCTION " % s.Clr % T % pad % u"RETURN NUMBER;");
            if (input_.flags.isArray(t))
                OutputLines.append(Ind % u"FUNCTION " % s.Set % T % u"(i IN INTEGER)" % pad %
                                   u"RETURN NUMBER;");
            else
                OutputLines.append(Ind % u"FUNCTION " % s.Set % T % pad % u"RETURN NUMBER;");
        }
    }
    if (wrote)
        OutputLines.append(QString());

    wrote = false;
    for (qsizetype t = 0; t < count; ++t) {
        if (!input_.flags.isPublic(t))
            continue;
        if (!wrote)
            OutputLines.append(Ind % u"--ｶｽﾀﾏｲｽﾞ対象関数定義(Generated)");
        wrote = true;
        OutputLines.append(Ind % u"FUNCTION " % s.Custom % input_.candidates[t].TableName %
                           Blanks{tablePad(t)} % u"RETURN NUMBER;");
    }
    if (wrote)
        OutputLines.append(QString());
}
