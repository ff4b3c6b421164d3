#include "gen/plsql/package_generator.h"

#include "gen/plsql/package_name.h"
#include "gen/plsql/plsql_text.h"
#include "gen/procedure_parameters.h"
#include "util/app_info.h"

#include <algorithm>

namespace {

constexpr qsizetype kCommentRuleLength = 50;

} // namespace

PackageGenerator::PackageGenerator(const GeneratorInput& input)
    : input_(input), IndentText(std::max(input.settings.Indent, 0), QLatin1Char(' ')),
      CommentRule(kCommentRuleLength, QLatin1Char('*')) {
    tables_.reserve(input.candidates.size());
    for (const TTableSettings& table : input.candidates) {
        TableText text;
        text.lowerName = lowerAscii(table.TableName);
        text.nameLength = nameLength(table.TableName);
        text.columnCount = table.usableColumnCount();
        text.columnLengths.reserve(text.columnCount);
        text.itemNames.reserve(text.columnCount);
        for (qsizetype j = 0; j < text.columnCount; ++j) {
            const QString& column = table.ColumnNames[j];
            text.columnLengths.append(nameLength(column));
            text.itemNames.append(text.lowerName % u'_' % lowerAscii(column));
        }
        tables_.push_back(std::move(text));
    }
}

void PackageGenerator::GeneratePackage(LineSink& OutputLines) {
    PackageName = FormPackageName(input_.settings, input_.candidates, input_.flags);
    const QString& Ind = IndentText;
    const QString& P = PackageName;
    const QString blank;

    // Package specification: what callers outside the package see.
    if (input_.settings.PackHeader)
        AddPackageHeader(OutputLines);
    OutputLines.append(QStringLiteral("--ﾊﾟｯｹｰｼﾞ仕様定義部"));
    OutputLines.append(u"CREATE OR REPLACE PACKAGE " % P % u" AS");
    OutputLines.append(blank);
    bool firstArrayTable = true;
    for (qsizetype i = 0; i < input_.candidates.size(); ++i) {
        if (!input_.flags.isArray(i))
            continue;
        if (firstArrayTable)
            OutputLines.append(Ind % u"--PL/SQLﾃｰﾌﾞﾙ定義(Generated)");
        firstArrayTable = false;
        AddTableTypes(OutputLines, i);
    }
    AddGenericArgumentTypes(OutputLines);
    OutputLines.append(Ind % u"--追加 PL/SQLﾃｰﾌﾞﾙ(Manual)");
    OutputLines.append(blank);
    OutputLines.append(blank);
    AddPublicProcedureDeclarations(OutputLines);
    OutputLines.append(Ind % u"--外部に公開するｸﾞﾛｰﾊﾞﾙ変数(Manual)");
    OutputLines.append(blank);
    OutputLines.append(blank);
    OutputLines.append(u"END " % P % u';');
    OutputLines.append(QStringLiteral("/"));
    OutputLines.append(QStringLiteral("SHOW ERRORS"));
    OutputLines.append(blank);

    // Body declarations; the header block is not repeated before the body.
    OutputLines.append(u"--" % CommentRule);
    OutputLines.append(blank);
    OutputLines.append(QStringLiteral("--ﾊﾟｯｹｰｼﾞﾎﾞﾃﾞｨ部"));
    OutputLines.append(u"CREATE OR REPLACE PACKAGE BODY " % P % u" AS");
    OutputLines.append(blank);
    OutputLines.append(Ind % u"--<<ﾊﾟｯｹｰｼﾞ内部のｸﾞﾛｰﾊﾞﾙ変数>>");
    AddBodyGlobals(OutputLines);
    AddItemVariables(OutputLines);
    OutputLines.append(Ind % u"--追加ｸﾞﾛｰﾊﾞﾙ変数(Manual)");
    OutputLines.append(blank);
    OutputLines.append(blank);
    AddFunctionDefinitions(OutputLines);

    // Body routines.
    OutputLines.append(QStringLiteral("--内部関数ﾎﾞﾃﾞｨ"));
    AddTableAccessFunctions(OutputLines);
    AddPublicProcedures(OutputLines);
    AddCustomizationFunctions(OutputLines);
    OutputLines.append(u"END " % P % u';');
    OutputLines.append(QStringLiteral("/"));
    OutputLines.append(QStringLiteral("SHOW ERRORS"));
    OutputLines.append(QStringLiteral("COMMIT;"));
}

QString packageDateLabel() {
    return QStringLiteral("--作成日時  ：");
}

void PackageGenerator::AddPackageHeader(LineSink& OutputLines) const {
    const TPackParameters& s = input_.settings;
    OutputLines.append(u"--" % CommentRule);
    OutputLines.append(QStringLiteral("--ORACLE PL/SQL PACKAGE"));
    OutputLines.append(u"--使用ｼｽﾃﾑ名：" % s.SysName);
    OutputLines.append(packageDateLabel() % headerDateTime(input_.clock));
    OutputLines.append(u"--作成者    ：" % applicationTitle() % u" (Generator)");
    OutputLines.append(u"--編集者    ：" % s.Owner);
    OutputLines.append(u"--" % CommentRule);
    OutputLines.append(QString());
}

void PackageGenerator::AddRoutineHeader(LineSink& OutputLines, const QString& tableName,
                                        RoutineKind kind) const {
    const TPackParameters& s = input_.settings;
    const QString& T = tableName;
    OutputLines.append(u"--" % CommentRule);
    switch (kind) {
    case RoutineKind::Insert:
        OutputLines.append(u"--関数名：" % s.INS % T % u"(Generated)");
        OutputLines.append(u"--説明  ：" % T % u"にデータを挿入します");
        break;
    case RoutineKind::Update:
        OutputLines.append(u"--関数名：" % s.UPD % T % u"(Generated)");
        OutputLines.append(u"--説明  ：" % T % u"のデータを更新します");
        break;
    case RoutineKind::Clear:
        OutputLines.append(u"--関数名：" % s.Clr % T % u"(Generated)");
        OutputLines.append(u"--説明  ：" % T % u"ｶｰｿﾙ用の変数にNULL(数値項目は0)をセット");
        break;
    case RoutineKind::Set:
        OutputLines.append(u"--関数名：" % s.Set % T % u"(Generated)");
        OutputLines.append(u"--説明  ：" % T % u"ｶｰｿﾙ用の変数に指定ﾚｺｰﾄﾞの値をセット");
        break;
    case RoutineKind::PublicProcedure:
        OutputLines.append(u"--関数名：" % s.Public % T % u"(Generated)");
        OutputLines.append(QStringLiteral("--説明  ：外部から呼び出す関数"));
        OutputLines.append(u"--      ：ｶｽﾀﾏｲｽﾞ対象関数[" % s.Custom % T % u"]をコール");
        break;
    case RoutineKind::Customization:
        OutputLines.append(u"--関数名：" % s.Custom % T % u"(Manual)");
        OutputLines.append(QStringLiteral("--説明  ：ｶｽﾀﾏｲｽﾞ対象関数"));
        OutputLines.append(u"--      ：" % s.Public % T % u"から呼び出し");
        break;
    }
    OutputLines.append(QStringLiteral("--戻り値：0=正常　0以外=エラー"));
    OutputLines.append(u"--" % CommentRule);
    OutputLines.append(QString());
}

void PackageGenerator::AddParameterLines(LineSink& OutputLines,
                                         const ProcedureParameters& parameters,
                                         QStringView lead) const {
    // The mode word starts in one column: "   OUT ", "IN OUT " and "IN     " are all seven
    // characters wide.
    for (const ProcedureParameter& p : parameters.all()) {
        const QStringView X = p.tableName;
        const Blanks pad{p.pad};
        switch (p.kind) {
        case ParameterKind::ErrCode:
            OutputLines.append(lead % u"ou" % X % u'_' % p.word % pad % u"   OUT INTEGER,");
            break;
        case ParameterKind::ErrName:
            OutputLines.append(lead % u"ou" % X % u'_' % p.word % pad % u"   OUT VARCHAR2,");
            break;
        case ParameterKind::GenStr:
            OutputLines.append(lead % u"io" % X % u'_' % p.word % pad % u"IN OUT Array_GenStr,");
            break;
        case ParameterKind::GenNum:
            OutputLines.append(lead % u"io" % X % u'_' % p.word % pad % u"IN OUT Array_GenNum,");
            break;
        case ParameterKind::ArrayCount:
            OutputLines.append(lead % u"in" % X % u'_' % p.word % pad % u"IN     INTEGER,");
            break;
        case ParameterKind::Column:
            if (p.arrayTable)
                OutputLines.append(lead % u"in" % X % u'_' % p.word % pad % u"IN     Array_" % X %
                                   u'_' % p.word % u',');
            else
                OutputLines.append(lead % u"in" % X % u'_' % p.word % pad % u"IN     " %
                                   input_.userName % u'.' % X % u'.' % p.word % u"%TYPE,");
            break;
        }
    }
    dropLastCharacter(OutputLines);
}

ProcedureParameters PackageGenerator::procedureParameters(qsizetype t) const {
    return ProcedureParameters(
        input_, t, [this](qsizetype k, qsizetype j) { return tables_[k].columnLengths[j]; });
}

qint32 PackageGenerator::columnPad(qsizetype t, qsizetype column) const {
    return input_.candidates[t].MaxColumnNameLength - tables_[t].columnLengths[column] + 1;
}

qint32 PackageGenerator::tablePad(qsizetype t) const {
    return input_.maxTableNameLength - tables_[t].nameLength + 1;
}

bool generatePackage(const GeneratorInput& input, LineSink& out) {
    if (firstPublicTable(input.candidates, input.flags) < 0)
        return false;
    PackageGenerator(input).GeneratePackage(out);
    return true;
}

std::optional<QStringList> generatePackageLines(const GeneratorInput& input) {
    LineList lines;
    if (!generatePackage(input, lines))
        return std::nullopt;
    return lines.takeLines();
}
