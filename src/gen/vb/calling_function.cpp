// The Visual Basic calling function of one public table: it binds the package procedure's
// parameters through the automation library in exactly the order of the procedure's own
// parameter list, runs the procedure and hands back its error code. Written section by
// section, each of which the package procedure's parameter list shapes.

#include "gen/vb/vb_module_generator.h"
#include "gen/vb/vb_text.h"

#include <algorithm>

using namespace vbtext;

namespace {

QString setMessage(const QString& stage) {
    return kTab % u"ppMsg = " % quoted(stage);
}

QString sqlAppend(const QString& bindName) {
    return kTab % u"ppSQL = ppSQL & " % quoted(u':' % bindName % u',');
}

void addReleaseLines(LineSink& lines) {
    lines << kTab % u"Do While (ppOraParam.Count > 0)" << kTab2 % u"ppOraParam.Remove(0)"
          << kTab % u"Loop" << kTab % u"Set ppOraParam = Nothing";
}

} // namespace

qsizetype VbModuleGenerator::ArgumentTable::columnCount() const {
    return std::clamp<qsizetype>(table->ColumnCount, 0, table->ColumnNames.size());
}

QString VbModuleGenerator::ArgumentTable::columnPad(qsizetype j) const {
    return pad(table->MaxColumnNameLength - nameLength(column(j)) + 1);
}

void VbModuleGenerator::AddVbCallingFunction(qsizetype tableIndex,
                                             const QString& CallingFunctionName,
                                             LineSink& lines) const {
    CallingFunction f{input_.candidates.at(tableIndex), CallingFunctionName, {}, {}};
    for (const qsizetype k : f.table.ArgumentTables)
        if (k >= 0 && k < input_.candidates.size())
            f.arguments.append({&input_.candidates[k], input_.flags.isArray(k)});
    std::copy_if(f.arguments.begin(), f.arguments.end(), std::back_inserter(f.arrays),
                 [](const ArgumentTable& argument) { return argument.isArray; });

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
    for (const ArgumentTable& K : f.arrays) {
        lines << QString() << kAp % K.name() % u"パラメータ用"
              << u"Dim rc" % K.name() % u" As Integer " % kAp % u"レコード数";
        for (qsizetype j = 0; j < K.columnCount(); ++j)
            lines << u"Dim pp" % K.name() % u'_' % K.column(j) % K.columnPad(j) %
                         u"As OraParamArray";
    }
    lines << QString() << QStringLiteral("On Error GoTo ParamSetErr") << kTab % f.name % u" = 0";
}

// The record counts of the array tables (left for the caller to fill in), then the
// parameters in the order of the procedure's parameters.
void VbModuleGenerator::AddParameterSetup(const CallingFunction& f, LineSink& lines) const {
    const QString& T = f.table.TableName;
    if (f.hasArray()) {
        lines << setMessage(QStringLiteral("レコード数設定中"))
              << kTab % kAp % u"配列レコード数を設定" % plus(10);
        for (const ArgumentTable& K : f.arrays)
            lines << kTab % u"rc" % K.name() % u" = 0";
        lines << kTab % kAp % plus(30) << QString();
    }

    lines << setMessage(QStringLiteral("パラメータ準備中"))
          << kTab % u"Set ppOraParam = ppOraDB.Parameters" << kTab % u"With ppOraParam"
          << kTab2 % u".Add " % quoted(T % u"_ErrCode") % u", 0, ORAPARM_OUTPUT, ORATYPE_NUMBER"
          << kTab2 % u".Add " % quoted(T % u"_ErrName") %
                 u", vbNullString, ORAPARM_OUTPUT, ORATYPE_VARCHAR2";
    if (f.table.GenStrOn)
        lines << kTab2 % u".AddTable " % quoted(T % u"_GenStr") %
                     u", ORAPARM_BOTH, ORATYPE_VARCHAR2, " % decimal(f.table.GenStrCount) % u", " %
                     decimal(input_.settings.RefStrLen);
    if (f.table.GenNumOn)
        lines << kTab2 % u".AddTable " % quoted(T % u"_GenNum") %
                     u", ORAPARM_BOTH, ORATYPE_NUMBER, " % decimal(f.table.GenNumCount);
    for (const ArgumentTable& K : f.arguments) {
        lines << QString() << kTab2 % kAp % u'[' % K.name() % u']';
        if (K.hasArrayCount())
            lines << kTab2 % u".Add " % quoted(K.name() % u"_ArrayCnt") %
                         u", 0, ORAPARM_INPUT, ORATYPE_NUMBER";
        for (qsizetype j = 0; j < K.columnCount(); ++j) {
            const QString parameter = quoted(K.name() % u'_' % K.column(j));
            const OraType ora = GetOraTypeName(K.type(j));
            if (K.isArray) {
                QString line = kTab2 % u".AddTable " % parameter % u", ORAPARM_INPUT, " % ora.name %
                               u", rc" % K.name();
                if (ora.isCharacter)
                    line += u", " % K.size(j);
                lines << line;
            } else {
                const QStringView initial = ora.name == u"ORATYPE_NUMBER"
                                                ? QStringView(u", 0, ORAPARM_INPUT, ")
                                                : QStringView(u", vbNullString, ORAPARM_INPUT, ");
                lines << kTab2 % u".Add " % parameter % initial % ora.name;
            }
        }
    }
    lines << kTab % u"End With";
}

// The array objects the values are filled through, then the generic arrays. The generic
// arrays' stage message is needed only when no array object line set it already.
void VbModuleGenerator::AddArrayObjects(const CallingFunction& f, LineSink& lines) const {
    const QString& T = f.table.TableName;
    if (f.hasArray()) {
        lines << QString() << setMessage(QStringLiteral("配列オブジェクトセット中"));
        for (const ArgumentTable& K : f.arrays) {
            lines << kTab % kAp % u'[' % K.name() % u']';
            for (qsizetype j = 0; j < K.columnCount(); ++j) {
                const QString name = K.name() % u'_' % K.column(j);
                lines << kTab % u"Set pp" % name % K.columnPad(j) % u"= ppOraParam(" %
                             quoted(name) % u')';
            }
        }
    }
    lines << QString();

    if (f.table.GenStrOn) {
        if (!f.hasArray())
            lines << setMessage(QStringLiteral("配列オブジェクトセット中"));
        lines << kTab % u"Set ppParamStr = ppOraParam(" % quoted(T % u"_GenStr") % u')';
    }
    if (f.table.GenNumOn) {
        if (!f.hasArray() && !f.table.GenStrOn)
            lines << setMessage(QStringLiteral("配列オブジェクトセット中"));
        lines << kTab % u"Set ppParamNum = ppOraParam(" % quoted(T % u"_GenNum") % u')';
    }
    lines << QString();
}

// The block text, binding by position.
void VbModuleGenerator::AddSqlText(const CallingFunction& f, LineSink& lines) const {
    const QString& T = f.table.TableName;
    lines << setMessage(QStringLiteral("SQL作成中"))
          << kTab % u"ppSQL = " %
                 quoted(u"Begin " % packageName_ % u'.' % input_.settings.Public % T % u'(')
          << sqlAppend(T % u"_ErrCode") << sqlAppend(T % u"_ErrName");
    if (f.table.GenStrOn)
        lines << sqlAppend(T % u"_GenStr");
    if (f.table.GenNumOn)
        lines << sqlAppend(T % u"_GenNum");
    for (const ArgumentTable& K : f.arguments) {
        if (K.hasArrayCount())
            lines << sqlAppend(K.name() % u"_ArrayCnt");
        for (qsizetype j = 0; j < K.columnCount(); ++j)
            lines << sqlAppend(K.name() % u'_' % K.column(j));
    }
    // The last bind takes no comma: ',"' becomes '"'.
    QString& lastBind = lines.last();
    lastBind.chop(2);
    lastBind += kDq;
    lines << kTab % u"ppSQL = ppSQL & " % quoted(QStringLiteral("); END;"));
}

// The input values: left for the caller to fill in.
void VbModuleGenerator::AddDataSet(const CallingFunction& f, LineSink& lines) const {
    const TTableSettings& table = f.table;
    if (!f.arguments.isEmpty() || table.GenStrOn || table.GenNumOn) {
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
        for (const ArgumentTable& K : f.arguments) {
            lines << QString() << setMessage(K.name() % u"パラメータセット中");
            const auto value = [&](qsizetype j) {
                return GetOraTypeName(K.type(j)).name == u"ORATYPE_NUMBER"
                           ? QStringView(u"= 0")
                           : QStringView(u"= vbNullString");
            };
            if (K.isArray) {
                if (K.hasArrayCount())
                    lines << kTab % u"ppOraParam(" % quoted(K.name() % u"_ArrayCnt") %
                                 u").Value = rc" % K.name();
                lines << kTab % u"For i = 0 To rc" % K.name() % u" - 1 Step 1";
                for (qsizetype j = 0; j < K.columnCount(); ++j)
                    lines << kTab2 % u"pp" % K.name() % u'_' % K.column(j) % u"(i)" %
                                 K.columnPad(j) % value(j);
                lines << kTab % u"Next i";
            } else {
                for (qsizetype j = 0; j < K.columnCount(); ++j)
                    lines << kTab % u"ppOraParam(" % quoted(K.name() % u'_' % K.column(j)) %
                                 u").Value" % K.columnPad(j) % value(j);
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
