#include "cli/command_line.h"

UsageError::UsageError(const QString& message) : std::runtime_error(message.toStdString()) {}

namespace {

bool isGenerating(GenCommand command) {
    return command == GenCommand::Package || command == GenCommand::Vb ||
           command == GenCommand::Csv;
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    if (arguments.isEmpty())
        throw UsageError(
            QStringLiteral("コマンドがありません（tamsel-gen --help で使い方を表示）"));

    const QString& first = arguments.front();
    CommandLine line;
    if (first == u"--help" || first == u"-h") {
        line.command = GenCommand::Help;
    } else if (first == u"--version") {
        line.command = GenCommand::Version;
    } else if (first == u"package") {
        line.command = GenCommand::Package;
    } else if (first == u"vb") {
        line.command = GenCommand::Vb;
    } else if (first == u"csv") {
        line.command = GenCommand::Csv;
    } else if (first == u"tables") {
        line.command = GenCommand::Tables;
    } else if (first == u"snapshot") {
        line.command = GenCommand::Snapshot;
    } else {
        throw UsageError(
            QStringLiteral("知らないコマンド %1（package, vb, csv, tables, snapshot のどれか）")
                .arg(first));
    }
    if (line.command == GenCommand::Help || line.command == GenCommand::Version) {
        if (arguments.size() > 1)
            throw UsageError(
                QStringLiteral("%1 の後に余分な引数 %2 があります").arg(first, arguments[1]));
        return line;
    }

    bool optionsEnded = false;
    // An option with a file: "-o FILE", "--output FILE" or "--output=FILE".
    const auto fileOf = [&](qsizetype& i, const QString& option) {
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
    };
    const bool takesOutput = isGenerating(line.command) || line.command == GenCommand::Snapshot;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool isOption =
            !optionsEnded && argument.startsWith(QLatin1Char('-')) && argument != u"-";
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
        } else if (argument == u"--utf8" && isGenerating(line.command)) {
            line.utf8 = true;
        } else if (argument == u"--strict" &&
                   (line.command == GenCommand::Package || line.command == GenCommand::Vb)) {
            line.strict = true;
        } else if ((argument == u"-o" || argument == u"--output" ||
                    argument.startsWith(QLatin1String("--output="))) &&
                   takesOutput) {
            if (!line.outputPath.isEmpty())
                throw UsageError(QStringLiteral("-o は一度だけ指定できます"));
            line.outputPath = fileOf(i, argument == u"-o" ? argument : QStringLiteral("--output"));
        } else if ((argument == u"--check" || argument.startsWith(QLatin1String("--check="))) &&
                   isGenerating(line.command)) {
            if (!line.checkPath.isEmpty())
                throw UsageError(QStringLiteral("--check は一度だけ指定できます"));
            line.checkPath = fileOf(i, QStringLiteral("--check"));
        } else {
            throw UsageError(QStringLiteral("%1 コマンドに %2 は使えません").arg(first, argument));
        }
    }
    if (line.profilePath.isEmpty())
        throw UsageError(QStringLiteral("プロファイル（PROFILE.json）がありません"));
    if (!line.outputPath.isEmpty() && !line.checkPath.isEmpty())
        throw UsageError(QStringLiteral("-o と --check は一緒に使えません"));
    if (line.command == GenCommand::Snapshot && line.outputPath.isEmpty())
        throw UsageError(QStringLiteral("snapshot には -o FILE.sqlite が必要です"));
    return line;
}

QString helpText() {
    return QStringLiteral(
        "使い方:\n"
        "  tamsel-gen package  PROFILE.json [-o FILE | --check FILE] [--utf8] [--strict]\n"
        "                                                   PL/SQL パッケージ\n"
        "  tamsel-gen vb       PROFILE.json [-o FILE | --check FILE] [--utf8] [--strict]\n"
        "                                                   VB モジュール\n"
        "  tamsel-gen csv      PROFILE.json [-o FILE | --check FILE] [--utf8]   テーブル構造 CSV\n"
        "  tamsel-gen tables   PROFILE.json            ユーザーのテーブル一覧\n"
        "  tamsel-gen snapshot PROFILE.json -o FILE.sqlite   "
        "データディクショナリのスナップショット\n"
        "  tamsel-gen --help | --version\n"
        "\n"
        "ウィンドウを開かずに Tamsel と同じ生成を行います。ログオン、テーブルの選択、\n"
        "テーブルごとのフラグと引数設定はプロファイル（UTF-8 の JSON）に書きます。\n"
        "メインウィンドウのファイルメニューの「作成候補をプロファイルに保存」で今の選択と\n"
        "設定をプロファイルにでき（パスワードは書きません）、「プロファイルを開く」で\n"
        "ウィンドウに読み込めます。\n"
        "\n"
        "出力:\n"
        "  標準では保存ファイルと同じ形式（Shift-JIS、各行の後に CR LF）で標準出力へ。\n"
        "  -o FILE, --output FILE  FILE に書く（一時ファイルから置き換えるので、失敗しても\n"
        "                          元のファイルはそのまま）\n"
        "  --utf8                  UTF-8、改行 LF で書く（端末や diff 向け）\n"
        "  --check FILE            書かずに、保存してある FILE（上の形式）と比べる。作成日時の\n"
        "                          ヘッダー行だけは比べない。同じなら何も出さずに 0、違えば\n"
        "                          FILE から生成結果への unified diff（UTF-8）を標準出力に出して "
        "7\n"
        "  --strict                下の警告を失敗にする（何も書かずに 8）\n"
        "  package と vb は、生成コードに引用符なしで書く名前（テーブル名、列名、接頭語と\n"
        "  テーブル名をつないだ名前、パッケージ名、ユーザー名）が Oracle の予約語（DATE,\n"
        "  LEVEL, ORDER など）なら、その名前と最初に現れる行を警告として標準エラーに出し、\n"
        "  出力はそのまま書きます。\n"
        "  tables は一行に一つのテーブル名を UTF-8 で、テーブル一覧の順に書きます。\n"
        "  snapshot はプロファイルのテーブル（tables が無ければすべてのテーブル）の\n"
        "  USER_TABLES と COL の行を、取得と同じ問い合わせで読んで SQLite ファイルに書きます。\n"
        "  そのファイルをサービスに指定すれば、データベースなしで同じテーブル一覧と同じ\n"
        "  生成結果が得られます。\n"
        "  標準エラーが端末なら、テーブル情報の取得中は進み具合（読んだ数/全体）を一行で表示。\n"
        "\n"
        "プロファイル:\n"
        "  {\n"
        "    \"service\": \"DEMO\",          サービス（DEMO、SQLite ファイル、ODBC データソース）\n"
        "    \"user\": \"SCOTT\",            ユーザー。書いたとおりに生成コードのスキーマ名になる\n"
        "                                （ウィンドウのように大文字にはしない）\n"
        "    \"password\": \"...\",          省略可。無ければ環境変数 TAMSEL_PASSWORD、それも\n"
        "                                無く標準入力が端末なら、表示せずに尋ねる（ODBC の\n"
        "                                サービスだけ。DEMO と SQLite ファイルは尋ねない）\n"
        "    \"ini\": \"Ostrel.ini\",        省略可。設定をこのファイルから読む（相対パスは\n"
        "                                プロファイルのフォルダから）。無ければ設定の既定値\n"
        "    \"settings\": { \"Public\": \"PUB_\", \"Indent\": 4, \"PackHeader\": false },\n"
        "                                設定ファイル [Params] のキー名で、ini や既定値を上書き\n"
        "    \"vb\": { \"OracleConst\": true, \"ModHeader\": true, \"VbProcHeader\": true },\n"
        "                                VB モジュールのメニューの三つのチェック（既定 true）\n"
        "    \"tables\": [                 選択するテーブル。候補の順はプロファイルの順ではなく\n"
        "                                データベースのテーブル一覧の順\n"
        "      { \"name\": \"EMP\", \"public\": true, \"array\": false, \"ins\": true, \"upd\": "
        "true,\n"
        "        \"clr\": true, \"argumentTables\": [\"EMP\", \"DEPT\"],\n"
        "        \"genStrOn\": true, \"genStrCount\": 3, \"genNumOn\": false, \"genNumCount\": 10 "
        "},\n"
        "      { \"name\": \"DEPT\", \"array\": true }\n"
        "    ]\n"
        "  }\n"
        "  フラグの省略は false、作成数の省略は 10。argumentTables は tables にあるテーブル名。\n"
        "  Indent, RefStrLen, 作成数は -9 から 99。同じテーブルを二度書くことはできません。\n"
        "  settings の文字列はオプション画面と同じく前後の空白を除いて使い、接頭語（Public,\n"
        "  Custom, Set, Clr, INS, UPD）は必須で英字から、PackName は空か英字から始めます。\n"
        "\n"
        "ヘッダーの作成日時: 現在の時刻、環境変数 SOURCE_DATE_EPOCH（1970-01-01 UTC からの秒）が\n"
        "あればその時刻（再現できる出力）。どちらもローカル時刻（TZ）で、曜日はロケール\n"
        "（LC_ALL / LC_TIME / LANG）の短い名前。\n"
        "\n"
        "終了コード:\n"
        "  0  完了\n"
        "  2  コマンド行かプロファイルの誤り（読めない、通常のファイルでない、64 MiB を超える、\n"
        "     JSON でない、知らないキーやテーブル、型や範囲の誤り）、設定ファイルを読めない\n"
        "  3  外部に公開するテーブルがない\n"
        "  4  ログオンできない\n"
        "  5  テーブル情報を取得できない\n"
        "  6  出力を書けない（生成の失敗、Shift-JIS にできない文字、書き込みの失敗、出力先の\n"
        "     フォルダが無い、出力先がフォルダ）、--check の FILE を読めない（通常のファイル\n"
        "     でない場合も）\n"
        "  7  --check の FILE が生成結果と異なる\n"
        "  8  --strict: Oracle の予約語の名前がある（何も書かず、--check なら比べない）\n"
        "  9  メモリが不足した（出力先のファイルはそのまま）\n"
        "メッセージは標準エラーに出ます。\n");
}
