#include "cli/command_line.h"

#include "util/app_info.h"
#include "util/my_func.h"

UsageError::UsageError(const QString& message) : std::runtime_error(message.toStdString()) {}

namespace {

bool isHelp(QStringView argument) {
    return argument == u"--help" || argument == u"-h";
}

bool isQuiet(QStringView argument) {
    return argument == u"--quiet" || argument == u"-q";
}

// The options of the help, in its order; 0 in place of a verb option: every verb takes it.
struct OptionHelp {
    VerbOptions option;
    const char* text; // the option, padded to the column of its explanation, and that
};
const OptionHelp kOptionHelp[] = {
    {VerbOption::Output,
     "  -o FILE, --output FILE  FILE に書く（一時ファイルから置き換えるので、失敗しても\n"
     "                          元のファイルはそのまま）。FILE が - なら標準出力へ\n"},
    {VerbOption::Check,
     "  --check FILE            書かずに、保存してある FILE（保存ファイルの形式）と比べる。\n"
     "                          作成日時のヘッダー行だけは比べない。同じなら何も出さずに 0、\n"
     "                          違えば FILE から生成結果への unified diff（UTF-8）を標準出力\n"
     "                          に出して 7\n"},
    {VerbOption::Utf8,
     "  --utf8                  UTF-8、改行 LF で書く（diff 向け）。-o の無いときの端末への\n"
     "                          表示は、これが無くてもこの形式\n"},
    {VerbOption::Strict,
     "  --strict                Oracle の予約語の警告を失敗にする（何も書かずに 8）\n"},
    {{}, "  -q, --quiet             進み具合とお知らせを出さない（警告とエラーは出す）\n"},
    {{}, "  -h, --help              この説明を出す\n"},
};

QString optionsHelp(VerbOptions taken) {
    QString text;
    for (const OptionHelp& option : kOptionHelp)
        if (!option.option || taken.testAnyFlags(option.option))
            text += QString::fromUtf8(option.text);
    return text;
}

QString standardInputHelp() {
    return QStringLiteral("PROFILE.json が - なら標準入力から読みます（64 MiB まで。相対パスの\n"
                          "\"ini\" は作業フォルダから）。\n");
}

// "知らないコマンド"'s list: "package, vb, csv, tables, snapshot".
QString verbNames() {
    QStringList names;
    for (const GenVerb& verb : genVerbs())
        names << verb.nameText();
    return names.join(QStringLiteral(", "));
}

// An option with a file: "-o FILE", "--output FILE" or "--output=FILE".
QString fileOf(const QStringList& arguments, qsizetype& i, const QString& option) {
    const QString& argument = arguments[i];
    QString file;
    if (argument.startsWith(option + u'=')) {
        file = argument.mid(option.size() + 1);
    } else {
        if (i + 1 >= arguments.size())
            throw UsageError(QStringLiteral("%1 の後にファイル名がありません").arg(argument));
        file = arguments[++i];
    }
    if (file.isEmpty())
        throw UsageError(QStringLiteral("%1 のファイル名が空です").arg(option));
    return file;
}

void readVerbArguments(const QStringList& arguments, CommandLine& line) {
    const GenVerb& verb = *line.verb;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool isOption =
            !optionsEnded && argument.startsWith(QLatin1Char('-')) && argument != kStandardStream;
        if (!isOption) {
            if (!line.profilePath.isEmpty())
                throw UsageError(QStringLiteral("プロファイルは一つだけです：%1").arg(argument));
            if (argument.isEmpty())
                throw UsageError(QStringLiteral("プロファイルのパスが空です"));
            line.profilePath = argument;
            continue;
        }
        if (argument == u"--") {
            optionsEnded = true;
        } else if (isQuiet(argument)) {
            line.quiet = true;
        } else if (argument == u"--utf8" && verb.takes(VerbOption::Utf8)) {
            line.utf8 = true;
        } else if (argument == u"--strict" && verb.takes(VerbOption::Strict)) {
            line.strict = true;
        } else if ((argument == u"-o" || argument == u"--output" ||
                    argument.startsWith(QLatin1String("--output="))) &&
                   verb.takes(VerbOption::Output)) {
            if (!line.outputPath.isEmpty())
                throw UsageError(QStringLiteral("-o は一度だけ指定できます"));
            line.outputPath =
                fileOf(arguments, i, argument == u"-o" ? argument : QStringLiteral("--output"));
        } else if ((argument == u"--check" || argument.startsWith(QLatin1String("--check="))) &&
                   verb.takes(VerbOption::Check)) {
            if (!line.checkPath.isEmpty())
                throw UsageError(QStringLiteral("--check は一度だけ指定できます"));
            line.checkPath = fileOf(arguments, i, QStringLiteral("--check"));
        } else {
            throw UsageError(
                QStringLiteral("%1 コマンドに %2 は使えません").arg(verb.nameText(), argument));
        }
    }
    if (line.profilePath.isEmpty())
        throw UsageError(QStringLiteral("プロファイル（PROFILE.json）がありません"));
    if (!line.outputPath.isEmpty() && !line.checkPath.isEmpty())
        throw UsageError(QStringLiteral("-o と --check は一緒に使えません"));
    if (verb.takes(VerbOption::OutputRequired) && line.outputPath.isEmpty())
        throw UsageError(QStringLiteral("%1 には -o FILE が必要です").arg(verb.nameText()));
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    if (arguments.isEmpty())
        throw UsageError(
            QStringLiteral("コマンドがありません（tamsel-gen --help で使い方を表示）"));

    const QString& first = arguments.front();
    CommandLine line;
    if (isHelp(first)) {
        line.help = true;
    } else if (first == u"--version") {
        line.version = true;
    } else if (!(line.verb = findGenVerb(first))) {
        throw UsageError(
            QStringLiteral("知らないコマンド %1（%2 のどれか）").arg(first, verbNames()));
    }
    if (!line.verb) {
        if (arguments.size() > 1)
            throw UsageError(
                QStringLiteral("%1 の後に余分な引数 %2 があります").arg(first, arguments[1]));
        return line;
    }
    // "package --help" asks for help however the rest of the line is written.
    for (qsizetype i = 1; i < arguments.size() && arguments[i] != u"--"; ++i) {
        if (isHelp(arguments[i])) {
            line.help = true;
            return line;
        }
    }
    readVerbArguments(arguments, line);
    return line;
}

QString verbHelpText(const GenVerb& verb) {
    return QStringLiteral("使い方: tamsel-gen %1 %2\n\n%3\nオプション:\n%4\n%5"
                          "プロファイルのキーと終了コードは tamsel-gen --help にあります。\n")
        .arg(verb.nameText(), QString::fromUtf8(verb.arguments), QString::fromUtf8(verb.details),
             optionsHelp(verb.options), standardInputHelp());
}

QString versionText() {
    return QStringLiteral("tamsel-gen (%1) %2\n%3\n%4")
        .arg(applicationTitle(), GetFileVersionText(), copyrightText(), licenceText());
}

QString helpText(const QString& readme) {
    // The verbs' lines: the summary beside the usage where it fits, else under it.
    constexpr qsizetype kSummaryColumn = 51;
    QString usage;
    const auto addUsage = [&usage](const QString& line, const QString& summary) {
        usage += line;
        if (line.size() + 2 > kSummaryColumn)
            usage += u'\n' + QString(kSummaryColumn, u' ');
        else
            usage += QString(kSummaryColumn - line.size(), u' ');
        usage += summary + u'\n';
    };
    for (const GenVerb& verb : genVerbs())
        addUsage(QStringLiteral("  tamsel-gen %1 %2")
                     .arg(verb.nameText().leftJustified(8), QString::fromUtf8(verb.arguments)),
                 QString::fromUtf8(verb.summary));
    addUsage(QStringLiteral("  tamsel-gen COMMAND --help"), QStringLiteral("コマンドの説明"));
    usage += QStringLiteral("  tamsel-gen --help | --version\n");

    VerbOptions everyOption;
    for (const GenVerb& verb : genVerbs())
        everyOption |= verb.options;
    const QString bugs = readme.isEmpty()
                             ? QStringLiteral("README の「Reporting bugs」を見てください。\n")
                             : QStringLiteral("README の「Reporting bugs」を見てください"
                                              "（%1）。\n")
                                   .arg(readme);

    return QStringLiteral("使い方:\n") + usage +
           QStringLiteral(
               "\n"
               "ウィンドウを開かずに Tamsel と同じ生成を行います。ログオン、テーブルの選択、\n"
               "テーブルごとのフラグと引数設定はプロファイル（UTF-8 の JSON）に書きます。\n"
               "メインウィンドウのファイルメニューの「作成候補をプロファイルに保存」で今の選択と\n"
               "設定をプロファイルにでき（パスワードは書きません）、「プロファイルを開く」で\n"
               "ウィンドウに読み込めます。\n"
               "\n"
               "出力:\n"
               "  標準では保存ファイルと同じ形式（Shift-JIS、各行の後に CR LF）で標準出力へ。\n"
               "  ただし標準出力が端末で -o も --utf8 もなければ、端末に合わせて UTF-8、改行 LF\n"
               "  で表示し、そのことを標準エラーで一度知らせます（パイプとファイルには保存\n"
               "  ファイルの形式）。\n") +
           optionsHelp(everyOption) +
           QStringLiteral(
               "  "
               "標準エラーが端末なら、テーブル情報の取得中は進み具合（読んだ数/"
               "全体）を一行で表示。\n"
               "  各コマンドの説明と使えるオプションは tamsel-gen COMMAND --help にあります。\n"
               "\n") +
           standardInputHelp() +
           QStringLiteral(
               "\n"
               "プロファイル:\n"
               "  {\n"
               "    \"service\": \"DEMO\",          サービス（DEMO、SQLite ファイル、ODBC "
               "データソース）\n"
               "    \"user\": \"SCOTT\",            "
               "ユーザー。書いたとおりに生成コードのスキーマ名になる\n"
               "                                （ウィンドウのように大文字にはしない）\n"
               "    \"password\": \"...\",          省略可。無ければ環境変数 "
               "TAMSEL_PASSWORD、それも\n"
               "                                無く標準入力が端末なら、表示せずに尋ねる（ODBC の\n"
               "                                サービスだけ。DEMO と SQLite ファイルは尋ねない）\n"
               "    \"ini\": \"Ostrel.ini\",        "
               "省略可。設定をこのファイルから読む（相対パスは\n"
               "                                "
               "プロファイルのフォルダから）。無ければ設定の既定値\n"
               "    \"settings\": { \"Public\": \"PUB_\", \"Indent\": 4, \"PackHeader\": false },\n"
               "                                設定ファイル [Params] のキー名で、ini "
               "や既定値を上書き\n"
               "    \"vb\": { \"OracleConst\": true, \"ModHeader\": true, \"VbProcHeader\": true "
               "},\n"
               "                                VB モジュールのメニューの三つのチェック（既定 "
               "true）\n"
               "    \"tables\": [                 "
               "選択するテーブル。候補の順はプロファイルの順ではなく\n"
               "                                データベースのテーブル一覧の順\n"
               "      { \"name\": \"EMP\", \"public\": true, \"array\": false, \"ins\": true, "
               "\"upd\": "
               "true,\n"
               "        \"clr\": true, \"argumentTables\": [\"EMP\", \"DEPT\"],\n"
               "        \"genStrOn\": true, \"genStrCount\": 3, \"genNumOn\": false, "
               "\"genNumCount\": 10 "
               "},\n"
               "      { \"name\": \"DEPT\", \"array\": true }\n"
               "    ]\n"
               "  }\n"
               "  フラグの省略は false、作成数の省略は 10。argumentTables は tables "
               "にあるテーブル名。\n"
               "  Indent, RefStrLen, 作成数は -9 から "
               "99。同じテーブルを二度書くことはできません。\n"
               "  settings "
               "の文字列はオプション画面と同じく前後の空白を除いて使い、接頭語（Public,\n"
               "  Custom, Set, Clr, INS, UPD）は必須で英字から、PackName は空か英字から始めます。\n"
               "\n"
               "ヘッダーの作成日時: 現在の時刻、環境変数 SOURCE_DATE_EPOCH（1970-01-01 UTC "
               "からの秒）が\n"
               "あればその時刻（再現できる出力）。どちらもローカル時刻（TZ）で、曜日はロケール\n"
               "（LC_ALL / LC_TIME / LANG）の短い名前。\n"
               "\n"
               "終了コード:\n"
               "  0  完了\n"
               "  2  コマンド行かプロファイルの誤り（読めない、通常のファイルでない、64 MiB "
               "を超える、\n"
               "     JSON "
               "でない、知らないキーやテーブル、型や範囲の誤り）、設定ファイルを読めない\n"
               "  3  外部に公開するテーブルがない\n"
               "  4  ログオンできない\n"
               "  5  テーブル情報を取得できない\n"
               "  6  出力を書けない（生成の失敗、Shift-JIS "
               "にできない文字、書き込みの失敗、出力先の\n"
               "     フォルダが無い、出力先がフォルダ）、--check の FILE "
               "を読めない（通常のファイル\n"
               "     でない場合も）\n"
               "  7  --check の FILE が生成結果と異なる\n"
               "  8  --strict: Oracle の予約語の名前がある（何も書かず、--check なら比べない）\n"
               "  9  メモリが不足した（出力先のファイルはそのまま）\n"
               "メッセージは標準エラーに出ます。\n"
               "\n"
               "不具合の報告: ") +
           bugs;
}
