// The public procedures: what callers outside the package run. Each copies its arguments
// into the body's variables, calls the table's customization function, commits or rolls
// back on its result and hands back the error state. The parameters are the ones the VB
// calling functions bind by position (gen/procedure_parameters).

#include "gen/plsql/package_generator.h"
#include "gen/plsql/plsql_text.h"
#include "gen/procedure_parameters.h"

void PackageGenerator::AddPublicProcedures(LineSink& OutputLines) const {
    for (qsizetype t = 0; t < input_.candidates.size(); ++t)
        if (input_.flags.isPublic(t))
            AddPublicProcedure(OutputLines, t);
}

void PackageGenerator::AddPublicProcedure(LineSink& OutputLines, qsizetype t) const {
    const TPackParameters& s = input_.settings;
    const QString& IND = IndentText;
    const QString IND2 = IND + IND;
    const TTableSettings& table = input_.candidates[t];
    const QString& T = table.TableName;
    const QString G_S = u"io" % T % u"_GenStr";
    const QString G_N = u"io" % T % u"_GenNum";
    const ProcedureParameters parameters = procedureParameters(t);

    if (s.ProcHeader)
        AddRoutineHeader(OutputLines, T, RoutineKind::PublicProcedure);
    OutputLines.append(u"PROCEDURE " % s.Public % T % u'(');
    AddParameterLines(OutputLines, parameters, IND);
    OutputLines.append(IND % u") IS");
    OutputLines.append(QString());
    OutputLines.append(QStringLiteral("BEGIN"));

    AddArgumentCopyIn(OutputLines, t, parameters);

    OutputLines.append(IND % u"--カスタマイズ対象サブ呼出");
    OutputLines.append(IND % u"pp_ErrCode := " % s.Custom % T % u';');
    OutputLines.append(IND % u"if pp_ErrCode = pp_OK then");
    OutputLines.append(IND2 % u"COMMIT;");
    OutputLines.append(IND % u"else");
    OutputLines.append(IND2 % u"ROLLBACK;");
    OutputLines.append(IND % u"end if;");
    OutputLines.append(IND % u"ou" % T % u"_ErrCode := pp_ErrCode;");
    OutputLines.append(IND % u"ou" % T % u"_ErrName := pp_ErrName;");

    // Copy-back: the customization function may have changed the generic arrays.
    if (table.GenStrOn) {
        OutputLines.append(IND % u"for I in " % G_S % u".FIRST.." % G_S % u".LAST loop");
        OutputLines.append(IND2 % G_S % u"(I) := " % T % u"_GenStr(I);");
        OutputLines.append(IND % u"end loop;");
    }
    if (table.GenNumOn) {
        OutputLines.append(IND % u"for I in " % G_N % u".FIRST.." % G_N % u".LAST loop");
        OutputLines.append(IND2 % G_N % u"(I) := " % T % u"_GenNum(I);");
        OutputLines.append(IND % u"end loop;");
    }

    OutputLines.append(QString());
    OutputLines.append(QStringLiteral("EXCEPTION"));
    OutputLines.append(IND % u"when others then");
    OutputLines.append(IND2 % u"ou" % T % u"_ErrCode := SQLCODE;");
    OutputLines.append(IND2 % u"ou" % T % u"_ErrName := SQLERRM;");
    OutputLines.append(IND2 % u"ROLLBACK;");
    OutputLines.append(QStringLiteral("END;"));
    OutputLines.append(QString());
}

// The arguments copied into the package's globals: the generic arrays, the row counts, then
// each argument table's columns.
void PackageGenerator::AddArgumentCopyIn(LineSink& OutputLines, qsizetype t,
                                         const ProcedureParameters& parameters) const {
    const QString& IND = IndentText;
    const QString IND2 = IND + IND;
    const TTableSettings& table = input_.candidates[t];
    const QString& T = table.TableName;
    const QString G_S = u"io" % T % u"_GenStr";
    const QString G_N = u"io" % T % u"_GenNum";
    // Copy-in of the generic arrays and the row counts, introduced once when there is
    // any; the per-table blocks below have their own headings.
    bool introduced = false;
    const auto introduce = [&] {
        if (!introduced)
            OutputLines.append(IND % u"--引数をｸﾞﾛｰﾊﾞﾙ変数にセット");
        introduced = true;
    };
    if (table.GenStrOn) {
        introduce();
        OutputLines.append(IND % u"for I in " % G_S % u".FIRST.." % G_S % u".LAST loop");
        OutputLines.append(IND2 % T % u"_GenStr(I) := " % G_S % u"(I);");
        OutputLines.append(IND % u"end loop;");
    }
    if (table.GenNumOn) {
        introduce();
        OutputLines.append(IND % u"for I in " % G_N % u".FIRST.." % G_N % u".LAST loop");
        OutputLines.append(IND2 % T % u"_GenNum(I) := " % G_N % u"(I);");
        OutputLines.append(IND % u"end loop;");
    }
    for (const ArgumentTableParameters& argument : parameters.argumentTables()) {
        if (!argument.isArray)
            continue;
        introduce();
        // Aligned on the longest name of the whole candidate list, so the ":=" line up.
        // Written for an array table without columns too, which has no row count
        // parameter: a table without columns makes no valid package anyway.
        const qsizetype k = argument.table;
        OutputLines.append(IND % tables_[k].lowerName % u"_RecCnt" % Blanks{tablePad(k)} %
                           u":= in" % input_.candidates[k].TableName % u"_ArrayCnt;");
    }
    if (introduced)
        OutputLines.append(QString());

    for (const ArgumentTableParameters& argument : parameters.argumentTables()) {
        const TableText& text = tables_[argument.table];
        OutputLines.append(IND % u"--[" % input_.candidates[argument.table].TableName % u']');
        if (argument.isArray) {
            OutputLines.append(IND % u"for I in 1.." % text.lowerName % u"_RecCnt loop");
            for (const ProcedureParameter& p : parameters.columnsOf(argument))
                OutputLines.append(IND2 % text.itemNames[p.column] % u"(I)" % Blanks{p.pad} %
                                   u":= in" % p.tableName % u'_' % p.word % u"(I);");
            OutputLines.append(IND % u"end loop;");
        } else {
            for (const ProcedureParameter& p : parameters.columnsOf(argument))
                OutputLines.append(IND % text.itemNames[p.column] % Blanks{p.pad} % u":= in" %
                                   p.tableName % u'_' % p.word % u';');
        }
        OutputLines.append(QString());
    }
}
