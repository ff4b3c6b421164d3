#include "gen/vb/vb_module_generator.h"

#include "gen/plsql/package_name.h"
#include "gen/vb/vb_text.h"
#include "util/app_info.h"
#include "util/clock.h"

#include <algorithm>
#include <array>

using namespace vbtext;

namespace {

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

} // namespace

VbModuleGenerator::VbModuleGenerator(const GeneratorInput& input, const VbOptions& options)
    : input_(input), options_(options),
      packageName_(FormPackageName(input.settings, input.candidates, input.flags)) {}

QString VbModuleGenerator::CallingFunctionName(int publicProcedureNumber) {
    const QString base = QStringLiteral("Call_Package");
    return publicProcedureNumber == 1 ? base : base % QString::number(publicProcedureNumber);
}

bool VbModuleGenerator::GenerateLines(LineSink& lines) {
    if (firstPublicTable(input_.candidates, input_.flags) < 0)
        return false;

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
    return true;
}

void VbModuleGenerator::AddModuleStart(LineSink& lines) const {
    lines << u"Attribute VB_Name = " % quoted(input_.settings.VbName)
          << QStringLiteral("Option Explicit");
    if (options_.ModHeader)
        AddModuleHeader(lines);
}

QString moduleDateLabel() {
    return kAp % u"作成日時  ：";
}

void VbModuleGenerator::AddModuleHeader(LineSink& lines) const {
    lines << kAp % rule(u'=', 60) << kAp % u"オラクルパッケージ呼出モジュール"
          << moduleDateLabel() % headerDateTime(input_.clock)
          << kAp % u"作成者    ：" % applicationTitle() % u" (Generator)"
          << kAp % u"編集者    ：" % input_.settings.Owner << QString(kAp) << kAp % u"※注意点"
          << kAp % u"1 OraDataBaseオブジェクト名を仮に[ppOraDB]としてあります。"
          << kAp % u"  [ppOraDB]を実際に使用している名称に置換して下さい。"
          << kAp % u"2 コード内、コメントになっている部分は"
          << kAp % u"  必要な所だけコメントを外して使用して下さい。"
          << kAp % u"3 現在対応しているORATYPEはCHAR,VARCHAR,VARCHAR2,DATE,NUMBERです。"
          << kAp % u"  それ以外は[ORATYPE_UNKNOWN]としてあります。置換して下さい。"
          << kAp % u"4 [++++]で囲まれた部分はカスタマイズポイントです。"
          << kAp % u"5 関数内でのエラーは[12345678]を返します。※数値変更可" << kAp % rule(u'=', 60);
}

void VbModuleGenerator::AddOracleConstants(LineSink& lines) const {
    lines << kAp % u"Parameter Types" << QStringLiteral("Public Const ORAPARM_INPUT = 1")
          << QStringLiteral("Public Const ORAPARM_OUTPUT = 2")
          << QStringLiteral("Public Const ORAPARM_BOTH = 3") << QString()
          << kAp % u"Oracle Type Codes";
    for (const OracleTypeConstant& constant : kOracleTypeConstants) {
        const QString line = u"Public Const ORATYPE_" % QLatin1String(constant.name) % u" = " %
                             QString::number(constant.value);
        lines << (constant.active ? line : kAp % line);
    }
    lines << QString();
}

VbModuleGenerator::OraType VbModuleGenerator::GetOraTypeName(const QString& columnType) {
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
    for (const Mapping& mapping : kMappings)
        if (columnType == mapping.type)
            return {mapping.name, mapping.character};
    return {QStringLiteral("ORATYPE_UNKNOWN"), false};
}

bool generateVbModule(const GeneratorInput& input, const VbOptions& options, LineSink& out) {
    return VbModuleGenerator(input, options).GenerateLines(out);
}

std::optional<QStringList> generateVbModuleLines(const GeneratorInput& input,
                                                 const VbOptions& options) {
    LineList lines;
    if (!generateVbModule(input, options, lines))
        return std::nullopt;
    return lines.takeLines();
}
