// The Visual Basic calling function of one public table: it binds the package procedure's
// parameters through the automation library in exactly the order of the procedure's own
// parameter list (gen/procedure_parameters), runs the procedure and hands back its error
// code. Written section by section, each of which that parameter list shapes.

#include "gen/procedure_parameters.h"
#include "gen/vb/vb_module_generator.h"
#include "gen/vb/vb_text.h"

using namespace vbtext;

namespace {

QString setMessage(const QString& stage) {
    return kTab % u"ppMsg = " % quoted(stage);
}

// The parameter's name in the collection and, after a colon, its bind variable.
QString bindName(const ProcedureParameter& p) {
    return p.tableName % u'_' % p.word;
}

QString sqlAppend(const QString& bindName) {
    return kTab % u"ppSQL = ppSQL & " % quoted(u':' % bindName % u',');
}

void addReleaseLines(LineSink& lines) {
    lines << kTab % u"Do While (ppOraParam.Count > 0)" << kTab2 % u"ppOraParam.Remove(0)"
          << kTab % u"Loop" << kTab % u"Set ppOraParam = Nothing";
}

} // namespace

void VbModuleGenerator::AddVbCallingFunction(qsizetype tableIndex,
                                             const QString& CallingFunctionName,
                                             LineSink& lines) const {
    const ProcedureParameters parameters(input_, tableIndex);
    const CallingFunction f{input_.candidates.at(tableIndex), CallingFunctionName, parameters};
    AddFunctionStart(f, lines);
    AddDeclarations(f, lines);
    AddParameterSetup(f, lines);
    AddArrayObjects(f, lines);
    AddSqlText(f, lines);
    AddDataSet(f, lines);
    AddResult(f, lines);
}

void VbModuleGenerator::AddFunctionStart(const CallingFunction& f, LineSink& lines) const {
    lines << u"Public Function " % f.name % u"() as Long";
    if (options_.VbProcHeader)
        lines << kAp % rule(u'*', 60) << kAp % u"関数名:パッケージ呼出[" % f.table.TableName % u']'
              << kAp % u"引数  :" << kAp % u"戻り値:パッケージエラーコード" << kAp % u"機能  :"
              << kAp % rule(u'*', 60) << QString();
}

void VbModuleGenerator::AddDeclarations(const CallingFunction& f, LineSink& lines) const {
    lines << QStringLiteral("Dim ppOraParam As OraParameters")
          << QStringLiteral("Dim ppSQL      As String") << QStringLiteral("Dim Rtn        As Long")
          << QStringLiteral("Dim i          As Integer")
          << QStringLiteral("Dim ppMsg      As String");
    if (f.table.GenStrOn)
        lines << u"Dim ppParamStr As OraParamArray " % kAp % u"汎用引数(文字列)";
    if (f.table.GenNumOn)
        lines << u"Dim ppParamNum As OraParamArray " % kAp % u"汎用引数(数値)";
    for (const ArgumentTableParameters& K : f.parameters.argumentTables()) {
        if (!K.isArray)
            continue;
        const QString& name = input_.candidates[K.table].TableName;
        lines << QString() << kAp % name % u"パラメータ用"
              << u"Dim rc" % name % u" As Integer " % kAp % u"レコード数";
        for (const ProcedureParameter& p : f.parameters.columnsOf(K))
            lines << u"Dim pp" % bindName(p) % pad(p.pad) % u"As OraParamArray";
    }
    lines << QString() << QStringLiteral("On Error GoTo ParamSetErr") << kTab % f.name % u" = 0";
}

// The record counts of the array tables (left for the caller to fill in), then the
// parameters in the order of the procedure's parameters.
void VbModuleGenerator::AddParameterSetup(const CallingFunction& f, LineSink& lines) const {
    if (f.parameters.hasArrayTable()) {
        lines << setMessage(QStringLiteral("レコード数設定中"))
              << kTab % kAp % u"配列レコード数を設定" % plus(10);
        for (const ArgumentTableParameters& K : f.parameters.argumentTables())
            if (K.isArray)
                lines << kTab % u"rc" % input_.candidates[K.table].TableName % u" = 0";
        lines << kTab % kAp % plus(30) << QString();
    }

    const auto add = [&](const ProcedureParameter& p) -> QString {
        const QString parameter = quoted(bindName(p));
        switch (p.kind) {
        case ParameterKind::ErrCode:
            return kTab2 % u".Add " % parameter % u", 0, ORAPARM_OUTPUT, ORATYPE_NUMBER";
        case ParameterKind::ErrName:
            return kTab2 % u".Add " % parameter %
                   u", vbNullString, ORAPARM_OUTPUT, ORATYPE_VARCHAR2";
        case ParameterKind::GenStr:
            return kTab2 % u".AddTable " % parameter % u", ORAPARM_BOTH, ORATYPE_VARCHAR2, " %
                   decimal(f.table.GenStrCount) % u", " % decimal(input_.settings.RefStrLen);
        case ParameterKind::GenNum:
            return kTab2 % u".AddTable " % parameter % u", ORAPARM_BOTH, ORATYPE_NUMBER, " %
                   decimal(f.table.GenNumCount);
        case ParameterKind::ArrayCount:
            return kTab2 % u".Add " % parameter % u", 0, ORAPARM_INPUT, ORATYPE_NUMBER";
        case ParameterKind::Column:
            break;
        }
        const TTableSettings& K = input_.candidates[p.table];
        const OraType ora = GetOraTypeName(K.ColumnTypes(p.column));
        if (p.arrayTable) {
            QString line = kTab2 % u".AddTable " % parameter % u", ORAPARM_INPUT, " % ora.name %
                           u", rc" % p.tableName;
            if (ora.isCharacter)
                line += u", " % K.ColumnSizes(p.column);
            return line;
        }
        const QStringView initial = ora.name == u"ORATYPE_NUMBER"
                                        ? QStringView(u", 0, ORAPARM_INPUT, ")
                                        : QStringView(u", vbNullString, ORAPARM_INPUT, ");
        return kTab2 % u".Add " % parameter % initial % ora.name;
    };
    lines << setMessage(QStringLiteral("パラメータ準備中"))
          << kTab % u"Set ppOraParam = ppOraDB.Parameters" << kTab % u"With ppOraParam";
    for (const ProcedureParameter& p : f.parameters.own())
        lines << add(p);
    for (const ArgumentTableParameters& K : f.parameters.argumentTables()) {
        lines << QString() << kTab2 % kAp % u'[' % input_.candidates[K.table].TableName % u']';
        for (const ProcedureParameter& p : f.parameters.of(K))
            lines << add(p);
    }
    lines << kTab % u"End With";
}

// The array objects the values are filled through, then the generic arrays. The generic
// arrays' stage message is needed only when no array object line set it already.
void VbModuleGenerator::AddArrayObjects(const CallingFunction& f, LineSink& lines) const {
    const QString& T = f.table.TableName;
    const bool hasArray = f.parameters.hasArrayTable();
    if (hasArray) {
        lines << QString() << setMessage(QStringLiteral("配列オブジェクトセット中"));
        for (const ArgumentTableParameters& K : f.parameters.argumentTables()) {
            if (!K.isArray)
                continue;
            lines << kTab % kAp % u'[' % input_.candidates[K.table].TableName % u']';
            for (const ProcedureParameter& p : f.parameters.columnsOf(K)) {
                const QString name = bindName(p);
                lines << kTab % u"Set pp" % name % pad(p.pad) % u"= ppOraParam(" % quoted(name) %
                             u')';
            }
        }
    }
    lines << QString();

    if (f.table.GenStrOn) {
        if (!hasArray)
            lines << setMessage(QStringLiteral("配列オブジェクトセット中"));
        lines << kTab % u"Set ppParamStr = ppOraParam(" % quoted(T % u"_GenStr") % u')';
    }
    if (f.table.GenNumOn) {
        if (!hasArray && !f.table.GenStrOn)
            lines << setMessage(QStringLiteral("配列オブジェクトセット中"));
        lines << kTab % u"Set ppParamNum = ppOraParam(" % quoted(T % u"_GenNum") % u')';
    }
    lines << QString();
}

// The block text, binding every parameter by position.
void VbModuleGenerator::AddSqlText(const CallingFunction& f, LineSink& lines) const {
    lines << setMessage(QStringLiteral("SQL作成中"))
          << kTab % u"ppSQL = " %
                 quoted(u"Begin " % packageName_ % u'.' % input_.settings.Public %
                        f.table.TableName % u'(');
    for (const ProcedureParameter& p : f.parameters.all())
        lines << sqlAppend(bindName(p));
    // The last bind takes no comma: ',"' becomes '"'.
    QString& lastBind = lines.last();
    lastBind.chop(2);
    lastBind += kDq;
    lines << kTab % u"ppSQL = ppSQL & " % quoted(QStringLiteral("); END;"));
}

// The input values: left for the caller to fill in.
void VbModuleGenerator::AddDataSet(const CallingFunction& f, LineSink& lines) const {
    const TTableSettings& table = f.table;
    const std::vector<ArgumentTableParameters>& arguments = f.parameters.argumentTables();
    if (!arguments.empty() || table.GenStrOn || table.GenNumOn) {
        lines << QString() << kTab % kAp % u"データセット" % plus(38);
        if (table.GenStrOn) {
            lines << kTab % kAp % u"汎用文字列(" % decimal(input_.settings.RefStrLen) % u"桁以内)";
            for (qint32 x = 0; x < table.GenStrCount; ++x)
                lines << kTab % u"ppParamStr(" % decimal(x) % u") = vbNullString";
        }
        if (table.GenNumOn) {
            lines << kTab % kAp % u"汎用数値";
            for (qint32 x = 0; x < table.GenNumCount; ++x)
                lines << kTab % u"ppParamNum(" % decimal(x) % u") = 0";
        }
        const auto value = [&](const ProcedureParameter& p) {
            const QString& type = input_.candidates[p.table].ColumnTypes(p.column);
            return GetOraTypeName(type).name == u"ORATYPE_NUMBER" ? QStringView(u"= 0")
                                                                  : QStringView(u"= vbNullString");
        };
        for (const ArgumentTableParameters& K : arguments) {
            const QString& name = input_.candidates[K.table].TableName;
            lines << QString() << setMessage(name % u"パラメータセット中");
            if (K.isArray) {
                if (K.hasArrayCount())
                    lines << kTab % u"ppOraParam(" % quoted(bindName(f.parameters.of(K).front())) %
                                 u").Value = rc" % name;
                lines << kTab % u"For i = 0 To rc" % name % u" - 1 Step 1";
                for (const ProcedureParameter& p : f.parameters.columnsOf(K))
                    lines << kTab2 % u"pp" % bindName(p) % u"(i)" % pad(p.pad) % value(p);
                lines << kTab % u"Next i";
            } else {
                for (const ProcedureParameter& p : f.parameters.columnsOf(K))
                    lines << kTab % u"ppOraParam(" % quoted(bindName(p)) % u").Value" % pad(p.pad) %
                                 value(p);
            }
        }
        lines << kTab % kAp % plus(50);
    }
    lines << QString();
}

// The call and its result, then the release and the run-time error handler.
void VbModuleGenerator::AddResult(const CallingFunction& f, LineSink& lines) const {
    const QString& T = f.table.TableName;
    const QString errCode = u"ppOraParam(" % quoted(T % u"_ErrCode") % u").Value";
    lines << setMessage(QStringLiteral("パッケージ処理中"))
          << kTab % u"Call ppOraDB.ExecuteSQL(ppSQL)" << kTab % u"If " % errCode % u" = 0 Then"
          << kTab2 % kAp % u"正常終了処理" % plus(38) << QString() << QString()
          << kTab2 % kAp % plus(50) << kTab % u"Else" << kTab2 % kAp % u"異常終了処理" % plus(38)
          << QString() << kTab2 % f.name % u" = " % errCode
          << kTab2 % kAp % u"MsgBox " % quoted(QStringLiteral("パッケージエラー：")) %
                 u" & vbCrLf & ppOraParam(" % quoted(T % u"_ErrName") %
                 u").Value, vbCritical, App.Title"
          << kTab2 % kAp % plus(50) << kTab % u"End If" << QString();

    lines << setMessage(QStringLiteral("パラメータ解放中"));
    addReleaseLines(lines);
    lines << kTab % u"Exit Function" << QString() << QStringLiteral("ParamSetErr:")
          << kAp % u"エラー処理" << kTab % u"On Error Resume Next"
          << kTab % f.name % u" = 12345678 " % kAp % u"数値変更可";
    addReleaseLines(lines);
    lines << kTab % kAp % u"MsgBox ppMsg & " % quoted(QStringLiteral("にエラーが発生しました")) %
                 u" & vbCrLf & Err.Description, vbCritical, App.Title"
          << QStringLiteral("End Function");
}
