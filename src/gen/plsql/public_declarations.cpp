// The generated parts of the package specification: PL/SQL table types of array tables,
// the generic argument types and the public procedure declarations.

#include "gen/plsql/package_generator.h"
#include "gen/plsql/plsql_text.h"
#include "gen/procedure_parameters.h"

#include <algorithm>

void PackageGenerator::AddTableTypes(LineSink& OutputLines, qsizetype tableIndex) const {
    const TTableSettings& table = input_.candidates[tableIndex];
    const QString& Ind = IndentText;
    const QString& T = table.TableName;
    OutputLines.append(Ind % u"--[" % T % u']');
    // One pad after the type name and again after the %TYPE reference, so "IS TABLE OF"
    // and "INDEX BY" each start in one column.
    for (qsizetype j = 0; j < tables_[tableIndex].columnCount; ++j) {
        const QString& Col = table.ColumnNames[j];
        const Blanks pad{columnPad(tableIndex, j)};
        OutputLines.append(Ind % u"TYPE Array_" % T % u'_' % Col % pad % u"IS TABLE OF " %
                           input_.userName % u'.' % T % u'.' % Col % u"%TYPE" % pad %
                           u"INDEX BY BINARY_INTEGER;");
    }
    OutputLines.append(QString());
}

void PackageGenerator::AddGenericArgumentTypes(LineSink& OutputLines) const {
    // The types are declared when any candidate uses them, public or not: the body's
    // generic variables (declared for every table) need them.
    const TCandidateList& candidates = input_.candidates;
    const bool needString = std::any_of(candidates.begin(), candidates.end(),
                                        [](const TTableSettings& t) { return t.GenStrOn; });
    const bool needNumber = std::any_of(candidates.begin(), candidates.end(),
                                        [](const TTableSettings& t) { return t.GenNumOn; });
    if (!needString && !needNumber)
        return;
    const QString& Ind = IndentText;
    OutputLines.append(Ind % u"--汎用引数用ﾃｰﾌﾞﾙ定義(Generated)");
    if (needString)
        OutputLines.append(Ind % u"TYPE Array_GenStr IS TABLE OF VARCHAR2(" %
                           QString::number(input_.settings.RefStrLen) %
                           u") INDEX BY BINARY_INTEGER;");
    if (needNumber)
        OutputLines.append(Ind %
                           u"TYPE Array_GenNum IS TABLE OF NUMBER       INDEX BY BINARY_INTEGER;");
    OutputLines.append(QString());
}

void PackageGenerator::AddPublicProcedureDeclarations(LineSink& OutputLines) const {
    const QString& Ind = IndentText;
    const QString lead = Ind + Ind;
    bool first = true;
    for (qsizetype t = 0; t < input_.candidates.size(); ++t) {
        if (!input_.flags.isPublic(t))
            continue;
        if (first)
            OutputLines.append(Ind % u"--外部に公開するﾌﾟﾛｼｰｼﾞｬの宣言(Generated)");
        first = false;
        OutputLines.append(Ind % u"PROCEDURE " % input_.settings.Public %
                           input_.candidates[t].TableName % u'(');
        AddParameterLines(OutputLines, procedureParameters(t), lead);
        OutputLines.append(lead % u");");
        OutputLines.append(QString());
    }
}
