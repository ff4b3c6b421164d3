// The skeletons of the customization functions, where the developer writes the business
// logic that a public procedure runs.

#include "gen/plsql/package_generator.h"
#include "gen/plsql/plsql_text.h"

void PackageGenerator::AddCustomizationFunctions(LineSink& OutputLines) const {
    const TPackParameters& s = input_.settings;
    const QString& IND = IndentText;
    const QString blank;
    for (qsizetype t = 0; t < input_.candidates.size(); ++t) {
        if (!input_.flags.isPublic(t))
            continue;
        const QString& T = input_.candidates[t].TableName;
        if (s.ProcHeader)
            AddRoutineHeader(OutputLines, T, RoutineKind::Customization);
        OutputLines.append(u"FUNCTION " % s.Custom % T % u" RETURN NUMBER IS");
        OutputLines.append(IND % u"--ここにﾌﾟﾗｲﾍﾞｰﾄ変数やｶｰｿﾙを宣言します");
        OutputLines.append(IND % u"pp_MyErr  EXCEPTION;  --関数呼出時のｴﾗｰ");
        OutputLines.append(blank);
        // A commented-out call: removing the leading dashes gives working code, with the
        // raise one step deeper than its "if".
        OutputLines.append(IND % u"--関数呼出のｽｹﾙﾄﾝ");
        OutputLines.append(IND % u"--pp_ErrCode := " % s.INS % T % u"; --(呼び出す関数名)");
        OutputLines.append(IND % u"--if pp_ErrCode <> pp_OK then");
        OutputLines.append(IND % u"--" % IND % u"raise pp_MyErr;");
        OutputLines.append(IND % u"--end if;");
        OutputLines.append(blank);
        OutputLines.append(QStringLiteral("BEGIN"));
        OutputLines.append(IND % u"--ここに処理を書きます");
        OutputLines.append(blank);
        OutputLines.append(blank);
        OutputLines.append(blank);
        OutputLines.append(IND % u"return(pp_OK);");
        OutputLines.append(QStringLiteral("EXCEPTION"));
        OutputLines.append(IND % u"when pp_MyErr then");
        OutputLines.append(IND % IND % u"return(pp_ErrCode);");
        OutputLines.append(IND % u"when others then");
        OutputLines.append(IND % IND % u"pp_ErrName := SQLERRM;");
        OutputLines.append(IND % IND % u"return(SQLCODE);");
        OutputLines.append(QStringLiteral("END;"));
        OutputLines.append(blank);
    }
}
