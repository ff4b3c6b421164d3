#include "gen/vb/vb_module_generator.h"

#include "gen/plsql/package_name.h"
#include "util/app_info.h"
#include "util/clock.h"

#include <algorithm>
#include <array>

namespace {

const QString kTab = QStringLiteral("\t");
const QString kTab2 = QStringLiteral("\t\t");
const QChar kDq = u'"';
const QChar kAp = u'\'';

QString rule(QChar c, int n) {
    return QString(n, c);
}

QString plus(int n) {
    return rule(u'+', n);
}

// Column pads keep "As", "=" and the values in one column within a table. The widest name
// still gets one blank, so a name can never run into the word after it.
QString pad(qint32 n) {
    return QString(std::max(n, 1), u' ');
}

QString quoted(const QString& text) {
    return kDq + text + kDq;
}

QString decimal(qint32 value) {
    return QString::number(value);
}

struct OracleTypeConstant {
    const char* name;
    int value;
    bool active; // the types a generated module binds; the rest stay as comments
};

// The type codes of the automation server, in the order the module lists them.
constexpr std::array<OracleTypeConstant, 41> kOracleTypeConstants{{
    {"VARCHAR2", 1, true},     {"NUMBER", 2, true},      {"SINT", 3, false},
    {"FLOAT", 4, false},       {"STRING", 5, false},     {"DECIMAL", 7, false},
    {"VARCHAR", 9, true},      {"DATE", 12, true},       {"REAL", 21, false},
    {"DOUBLE", 22, false},     {"UNSIGNED8", 23, false}, {"UNSIGNED16", 25, false},
    {"UNSIGNED32", 26, false}, {"SIGNED8", 27, false},   {"SIGNED16", 28, false},
    {"SIGNED32", 29, false},   {"PTR", 32, false},       {"OPAQUE", 58, false},
    {"UINT", 68, false},       {"RAW", 95, false},       {"CHAR", 96, true},
    {"CHARZ", 97, false},      {"CURSOR", 102, false},   {"ROWID", 104, false},
    {"MLSLABEL", 105, false},  {"OBJECT", 108, false},   {"REF", 110, false},
    {"CLOB", 112, false},      {"BLOB", 113, false},     {"BFILE", 114, false},
    {"CFILE", 115, false},     {"RSLT", 116, false},     {"NAMEDCOLLECTION", 122, false},
    {"COLL", 122, false},      {"SYSFIRST", 228, false}, {"SYSLAST", 235, false},
    {"OCTET", 245, false},     {"SMALLINT", 246, false}, {"VARRAY", 247, false},
    {"TABLE", 248, false},     {"OTMLAST", 320, false},
}};

// One argument table of a calling function, as the function needs it.
struct ArgumentTable {
    const TTableSettings* table;
    bool isArray;

    const QString& name() const { return table->TableName; }
    qsizetype columnCount() const {
        return std::clamp<qsizetype>(table->ColumnCount, 0, table->ColumnNames.size());
    }
    const QString& column(qsizetype j) const { return table->ColumnNames[j]; }
    QString type(qsizetype j) const { return table->ColumnTypes.value(j); }
    QString size(qsizetype j) const { return table->ColumnSizes.value(j); }
    // Pad after a column name, so that names of this table fill M + 1 bytes.
    QString columnPad(qsizetype j) const {
        return pad(table->MaxColumnNameLength - nameLength(column(j)) + 1);
    }
    // The procedure has a row-count parameter only for an array table that passes columns;
    // binding one for a table without columns would shift every later parameter.
    bool hasArrayCount() const { return isArray && columnCount() > 0; }
};

QString setMessage(const QString& stage) {
    return kTab + QStringLiteral("ppMsg = ") + quoted(stage);
}

QString sqlAppend(const QString& bindName) {
    return kTab + QStringLiteral("ppSQL = ppSQL & ") + quoted(u':' + bindName + u',');
}

void addReleaseLines(QStringList& lines) {
    lines << kTab + QStringLiteral("Do While (ppOraParam.Count > 0)")
          << kTab2 + QStringLiteral("ppOraParam.Remove(0)") << kTab + QStringLiteral("Loop")
          << kTab + QStringLiteral("Set ppOraParam = Nothing");
}

} // namespace

VbModuleGenerator::VbModuleGenerator(const GeneratorInput& input, const VbOptions& options)
    : input_(input), options_(options),
      packageName_(FormPackageName(input.settings, input.candidates, input.flags)) {}

QString VbModuleGenerator::CallingFunctionName(int publicProcedureNumber) {
    const QString base = QStringLiteral("Call_Package");
    return publicProcedureNumber == 1 ? base : base + QString::number(publicProcedureNumber);
}

std::optional<QStringList> VbModuleGenerator::GenerateLines() {
    if (firstPublicTable(input_.candidates, input_.flags) < 0)
        return std::nullopt;

    QStringList lines;
    int PublicProcedureCount = 0;
    for (qsizetype i = 0; i < input_.candidates.size(); ++i) {
        if (!input_.flags.isPublic(i))
            continue;
        ++PublicProcedureCount;
        if (PublicProcedureCount == 1)
            AddModuleStart(lines);
        lines << QString();
        if (PublicProcedureCount == 1 && options_.OracleConst)
            AddOracleConstants(lines);
        AddVbCallingFunction(i, CallingFunctionName(PublicProcedureCount), lines);
    }
    return lines;
}

void VbModuleGenerator::AddModuleStart(QStringList& lines) const {
    lines << QStringLiteral("Attribute VB_Name = ") + quoted(input_.settings.VbName)
          << QStringLiteral("Option Explicit");
    if (options_.ModHeader)
        AddModuleHeader(lines);
}

void VbModuleGenerator::AddModuleHeader(QStringList& lines) const {
    lines << kAp + rule(u'=', 60) << kAp + QStringLiteral("オラクルパッケージ呼出モジュール")
          << kAp + QStringLiteral("作成日時  ：") + headerDateTime(input_.clock)
          << kAp + QStringLiteral("作成者    ：") + applicationTitle() +
                 QStringLiteral(" (Generator)")
          << kAp + QStringLiteral("編集者    ：") + input_.settings.Owner << QString(kAp)
          << kAp + QStringLiteral("※注意点")
          << kAp + QStringLiteral("1 OraDataBaseオブジェクト名を仮に[ppOraDB]としてあります。")
          << kAp + QStringLiteral("  [ppOraDB]を実際に使用している名称に置換して下さい。")
          << kAp + QStringLiteral("2 コード内、コメントになっている部分は")
          << kAp + QStringLiteral("  必要な所だけコメントを外して使用して下さい。")
          << kAp + QStringLiteral(
                       "3 現在対応しているORATYPEはCHAR,VARCHAR,VARCHAR2,DATE,NUMBERです。")
          << kAp + QStringLiteral("  それ以外は[ORATYPE_UNKNOWN]としてあります。置換して下さい。")
          << kAp + QStringLiteral("4 [++++]で囲まれた部分はカスタマイズポイントです。")
          << kAp + QStringLiteral("5 関数内でのエラーは[12345678]を返します。※数値変更可")
          << kAp + rule(u'=', 60);
}

void VbModuleGenerator::AddOracleConstants(QStringList& lines) const {
    lines << kAp + QStringLiteral("Parameter Types")
          << QStringLiteral("Public Const ORAPARM_INPUT = 1")
          << QStringLiteral("Public Const ORAPARM_OUTPUT = 2")
          << QStringLiteral("Public Const ORAPARM_BOTH = 3") << QString()
          << kAp + QStringLiteral("Oracle Type Codes");
    for (const OracleTypeConstant& constant : kOracleTypeConstants) {
        const QString line = QStringLiteral("Public Const ORATYPE_") +
                             QLatin1String(constant.name) + QStringLiteral(" = ") +
                             QString::number(constant.value);
        lines << (constant.active ? line : kAp + line);
    }
    lines << QString();
}

QString VbModuleGenerator::GetOraTypeName(const QString& columnType) {
    struct Mapping {
        QLatin1String type;
        QLatin1String name;
        bool character;
    };
    static constexpr std::array<Mapping, 5> kMappings{{
        {QLatin1String("VARCHAR2"), QLatin1String("ORATYPE_VARCHAR2"), true},
        {QLatin1String("NUMBER"), QLatin1String("ORATYPE_NUMBER"), false},
        {QLatin1String("DATE"), QLatin1String("ORATYPE_DATE"), false},
        {QLatin1String("CHAR"), QLatin1String("ORATYPE_CHAR"), true},
        {QLatin1String("VARCHAR"), QLatin1String("ORATYPE_VARCHAR"), true},
    }};
    // Exact comparison: the dictionary writes type names in capitals without blanks, and
    // anything else is a type the module does not know how to bind.
    for (const Mapping& mapping : kMappings) {
        if (columnType == mapping.type) {
            LastTypeIsCharacter = mapping.character;
            return mapping.name;
        }
    }
    LastTypeIsCharacter = false;
    return QStringLiteral("ORATYPE_UNKNOWN");
}

void VbModuleGenerator::AddVbCallingFunction(qsizetype tableIndex,
                                             const QString& CallingFunctionName,
                                             QStringList& lines) {
    const TTableSettings& table = input_.candidates.at(tableIndex);
    const QString& T = table.TableName;
    const QString& fn = CallingFunctionName;
    const TPackParameters& settings = input_.settings;

    QList<ArgumentTable> arguments;
    for (qsizetype k = 0; k < input_.candidates.size(); ++k)
        if (table.ArgumentTables.value(k))
            arguments.append({&input_.candidates[k], input_.flags.isArray(k)});
    QList<ArgumentTable> arrays;
    std::copy_if(arguments.begin(), arguments.end(), std::back_inserter(arrays),
                 [](const ArgumentTable& argument) { return argument.isArray; });
    const bool hasArray = !arrays.isEmpty();

    lines << QStringLiteral("Public Function ") + fn + QStringLiteral("() as Long");
    if (options_.VbProcHeader) {
        lines << kAp + rule(u'*', 60) << kAp + QStringLiteral("関数名:パッケージ呼出[") + T + u']'
              << kAp + QStringLiteral("引数  :")
              << kAp + QStringLiteral("戻り値:パッケージエラーコード")
              << kAp + QStringLiteral("機能  :") << kAp + rule(u'*', 60) << QString();
    }

    // Declarations.
    lines << QStringLiteral("Dim ppOraParam As OraParameters")
          << QStringLiteral("Dim ppSQL      As String") << QStringLiteral("Dim Rtn        As Long")
          << QStringLiteral("Dim i          As Integer")
          << QStringLiteral("Dim ppMsg      As String");
    if (table.GenStrOn)
        lines << QStringLiteral("Dim ppParamStr As OraParamArray ") + kAp +
                     QStringLiteral("汎用引数(文字列)");
    if (table.GenNumOn)
        lines << QStringLiteral("Dim ppParamNum As OraParamArray ") + kAp +
                     QStringLiteral("汎用引数(数値)");
    for (const ArgumentTable& K : arrays) {
        lines << QString() << kAp + K.name() + QStringLiteral("パラメータ用")
              << QStringLiteral("Dim rc") + K.name() + QStringLiteral(" As Integer ") + kAp +
                     QStringLiteral("レコード数");
        for (qsizetype j = 0; j < K.columnCount(); ++j)
            lines << QStringLiteral("Dim pp") + K.name() + u'_' + K.column(j) + K.columnPad(j) +
                         QStringLiteral("As OraParamArray");
    }
    lines << QString() << QStringLiteral("On Error GoTo ParamSetErr")
          << kTab + fn + QStringLiteral(" = 0");

    // Record counts of the array tables: left for the caller to fill in.
    if (hasArray) {
        lines << setMessage(QStringLiteral("レコード数設定中"))
              << kTab + kAp + QStringLiteral("配列レコード数を設定") + plus(10);
        for (const ArgumentTable& K : arrays)
            lines << kTab + QStringLiteral("rc") + K.name() + QStringLiteral(" = 0");
        lines << kTab + kAp + plus(30) << QString();
    }

    // Parameters, in the order of the procedure's parameters.
    lines << setMessage(QStringLiteral("パラメータ準備中"))
          << kTab + QStringLiteral("Set ppOraParam = ppOraDB.Parameters")
          << kTab + QStringLiteral("With ppOraParam")
          << kTab2 + QStringLiteral(".Add ") + quoted(T + QStringLiteral("_ErrCode")) +
                 QStringLiteral(", 0, ORAPARM_OUTPUT, ORATYPE_NUMBER")
          << kTab2 + QStringLiteral(".Add ") + quoted(T + QStringLiteral("_ErrName")) +
                 QStringLiteral(", vbNullString, ORAPARM_OUTPUT, ORATYPE_VARCHAR2");
    if (table.GenStrOn)
        lines << kTab2 + QStringLiteral(".AddTable ") + quoted(T + QStringLiteral("_GenStr")) +
                     QStringLiteral(", ORAPARM_BOTH, ORATYPE_VARCHAR2, ") +
                     decimal(table.GenStrCount) + QStringLiteral(", ") +
                     decimal(settings.RefStrLen);
    if (table.GenNumOn)
        lines << kTab2 + QStringLiteral(".AddTable ") + quoted(T + QStringLiteral("_GenNum")) +
                     QStringLiteral(", ORAPARM_BOTH, ORATYPE_NUMBER, ") +
                     decimal(table.GenNumCount);
    for (const ArgumentTable& K : arguments) {
        lines << QString() << kTab2 + kAp + u'[' + K.name() + u']';
        if (K.hasArrayCount())
            lines << kTab2 + QStringLiteral(".Add ") +
                         quoted(K.name() + QStringLiteral("_ArrayCnt")) +
                         QStringLiteral(", 0, ORAPARM_INPUT, ORATYPE_NUMBER");
        for (qsizetype j = 0; j < K.columnCount(); ++j) {
            const QString parameter = quoted(K.name() + u'_' + K.column(j));
            const QString ora = GetOraTypeName(K.type(j));
            if (K.isArray) {
                QString line = kTab2 + QStringLiteral(".AddTable ") + parameter +
                               QStringLiteral(", ORAPARM_INPUT, ") + ora + QStringLiteral(", rc") +
                               K.name();
                if (LastTypeIsCharacter)
                    line += QStringLiteral(", ") + K.size(j);
                lines << line;
            } else {
                const QString initial = ora == QLatin1String("ORATYPE_NUMBER")
                                            ? QStringLiteral(", 0, ORAPARM_INPUT, ")
                                            : QStringLiteral(", vbNullString, ORAPARM_INPUT, ");
                lines << kTab2 + QStringLiteral(".Add ") + parameter + initial + ora;
            }
        }
    }
    lines << kTab + QStringLiteral("End With");

    // The array objects the values are filled through.
    if (hasArray) {
        lines << QString() << setMessage(QStringLiteral("配列オブジェクトセット中"));
        for (const ArgumentTable& K : arrays) {
            lines << kTab + kAp + u'[' + K.name() + u']';
            for (qsizetype j = 0; j < K.columnCount(); ++j) {
                const QString name = K.name() + u'_' + K.column(j);
                lines << kTab + QStringLiteral("Set pp") + name + K.columnPad(j) +
                             QStringLiteral("= ppOraParam(") + quoted(name) + u')';
            }
        }
    }
    lines << QString();

    // The generic arrays. Their stage message is needed only when no array object line set
    // it already.
    if (table.GenStrOn) {
        if (!hasArray)
            lines << setMessage(QStringLiteral("配列オブジェクトセット中"));
        lines << kTab + QStringLiteral("Set ppParamStr = ppOraParam(") +
                     quoted(T + QStringLiteral("_GenStr")) + u')';
    }
    if (table.GenNumOn) {
        if (!hasArray && !table.GenStrOn)
            lines << setMessage(QStringLiteral("配列オブジェクトセット中"));
        lines << kTab + QStringLiteral("Set ppParamNum = ppOraParam(") +
                     quoted(T + QStringLiteral("_GenNum")) + u')';
    }
    lines << QString();

    // The block text, binding by position.
    lines << setMessage(QStringLiteral("SQL作成中"))
          << kTab + QStringLiteral("ppSQL = ") +
                 quoted(QStringLiteral("Begin ") + packageName_ + u'.' + settings.Public + T + u'(')
          << sqlAppend(T + QStringLiteral("_ErrCode")) << sqlAppend(T + QStringLiteral("_ErrName"));
    if (table.GenStrOn)
        lines << sqlAppend(T + QStringLiteral("_GenStr"));
    if (table.GenNumOn)
        lines << sqlAppend(T + QStringLiteral("_GenNum"));
    for (const ArgumentTable& K : arguments) {
        if (K.hasArrayCount())
            lines << sqlAppend(K.name() + QStringLiteral("_ArrayCnt"));
        for (qsizetype j = 0; j < K.columnCount(); ++j)
            lines << sqlAppend(K.name() + u'_' + K.column(j));
    }
    // The last bind takes no comma: ',"' becomes '"'.
    QString& lastBind = lines.last();
    lastBind.chop(2);
    lastBind += kDq;
    lines << kTab + QStringLiteral("ppSQL = ppSQL & ") + quoted(QStringLiteral("); END;"));

    // Input values: left for the caller to fill in.
    if (!arguments.isEmpty() || table.GenStrOn || table.GenNumOn) {
        lines << QString() << kTab + kAp + QStringLiteral("データセット") + plus(38);
        if (table.GenStrOn) {
            lines << kTab + kAp + QStringLiteral("汎用文字列(") + decimal(settings.RefStrLen) +
                         QStringLiteral("桁以内)");
            for (qint32 x = 0; x < table.GenStrCount; ++x)
                lines << kTab + QStringLiteral("ppParamStr(") + decimal(x) +
                             QStringLiteral(") = vbNullString");
        }
        if (table.GenNumOn) {
            lines << kTab + kAp + QStringLiteral("汎用数値");
            for (qint32 x = 0; x < table.GenNumCount; ++x)
                lines << kTab + QStringLiteral("ppParamNum(") + decimal(x) +
                             QStringLiteral(") = 0");
        }
        for (const ArgumentTable& K : arguments) {
            lines << QString() << setMessage(K.name() + QStringLiteral("パラメータセット中"));
            const auto value = [&](qsizetype j) {
                return GetOraTypeName(K.type(j)) == QLatin1String("ORATYPE_NUMBER")
                           ? QStringLiteral("= 0")
                           : QStringLiteral("= vbNullString");
            };
            if (K.isArray) {
                if (K.hasArrayCount())
                    lines << kTab + QStringLiteral("ppOraParam(") +
                                 quoted(K.name() + QStringLiteral("_ArrayCnt")) +
                                 QStringLiteral(").Value = rc") + K.name();
                lines << kTab + QStringLiteral("For i = 0 To rc") + K.name() +
                             QStringLiteral(" - 1 Step 1");
                for (qsizetype j = 0; j < K.columnCount(); ++j)
                    lines << kTab2 + QStringLiteral("pp") + K.name() + u'_' + K.column(j) +
                                 QStringLiteral("(i)") + K.columnPad(j) + value(j);
                lines << kTab + QStringLiteral("Next i");
            } else {
                for (qsizetype j = 0; j < K.columnCount(); ++j)
                    lines << kTab + QStringLiteral("ppOraParam(") +
                                 quoted(K.name() + u'_' + K.column(j)) + QStringLiteral(").Value") +
                                 K.columnPad(j) + value(j);
            }
        }
        lines << kTab + kAp + plus(50);
    }
    lines << QString();

    // The call and its result.
    const QString errCode = QStringLiteral("ppOraParam(") + quoted(T + QStringLiteral("_ErrCode")) +
                            QStringLiteral(").Value");
    lines << setMessage(QStringLiteral("パッケージ処理中"))
          << kTab + QStringLiteral("Call ppOraDB.ExecuteSQL(ppSQL)")
          << kTab + QStringLiteral("If ") + errCode + QStringLiteral(" = 0 Then")
          << kTab2 + kAp + QStringLiteral("正常終了処理") + plus(38) << QString() << QString()
          << kTab2 + kAp + plus(50) << kTab + QStringLiteral("Else")
          << kTab2 + kAp + QStringLiteral("異常終了処理") + plus(38) << QString()
          << kTab2 + fn + QStringLiteral(" = ") + errCode
          << kTab2 + kAp + QStringLiteral("MsgBox ") +
                 quoted(QStringLiteral("パッケージエラー：")) +
                 QStringLiteral(" & vbCrLf & ppOraParam(") +
                 quoted(T + QStringLiteral("_ErrName")) +
                 QStringLiteral(").Value, vbCritical, App.Title")
          << kTab2 + kAp + plus(50) << kTab + QStringLiteral("End If") << QString();

    // Release, and the run-time error handler.
    lines << setMessage(QStringLiteral("パラメータ解放中"));
    addReleaseLines(lines);
    lines << kTab + QStringLiteral("Exit Function") << QString() << QStringLiteral("ParamSetErr:")
          << kAp + QStringLiteral("エラー処理") << kTab + QStringLiteral("On Error Resume Next")
          << kTab + fn + QStringLiteral(" = 12345678 ") + kAp + QStringLiteral("数値変更可");
    addReleaseLines(lines);
    lines << kTab + kAp + QStringLiteral("MsgBox ppMsg & ") +
                 quoted(QStringLiteral("にエラーが発生しました")) +
                 QStringLiteral(" & vbCrLf & Err.Description, vbCritical, App.Title")
          << QStringLiteral("End Function");
}

std::optional<QStringList> generateVbModuleLines(const GeneratorInput& input,
                                                 const VbOptions& options) {
    return VbModuleGenerator(input, options).GenerateLines();
}
