#include "cli/gen_verbs.h"

#include "cli/gen_tool.h"

#include <algorithm>

namespace {

constexpr VerbNeeds kGenerating =
    VerbNeed::Settings | VerbNeed::Logon | VerbNeed::TableList | VerbNeed::Retrieval;
constexpr VerbOptions kTextOptions = VerbOption::Output | VerbOption::Check | VerbOption::Utf8;

// As ninja keeps its tools: one row a verb, read by the command line, the help and the run.
const GenVerb kVerbs[] = {
    {"package", "PROFILE.json [-o FILE | --check FILE] [--utf8] [--strict]", "PL/SQL パッケージ",
     "プロファイルのテーブルを包む PL/SQL パッケージ（仕様部と本体）を、メインウィンドウの\n"
     "実行（F5）と同じに生成します。外部に公開するテーブルが一つもなければ何も書かずに 3。\n"
     "生成コードに引用符なしで書く名前（テーブル名、列名、接頭語とテーブル名をつないだ名前、\n"
     "パッケージ名、ユーザー名）が Oracle の予約語（DATE, LEVEL, ORDER など）なら、その名前と\n"
     "最初に現れる行を警告として標準エラーに出し、出力はそのまま書きます。\n",
     VerbNeed::HeaderDate | kGenerating, kTextOptions | VerbOption::Strict, writePackage},
    {"vb", "PROFILE.json [-o FILE | --check FILE] [--utf8] [--strict]", "VB モジュール",
     "パッケージの公開プロシージャを呼ぶ Visual Basic モジュールを、メインウィンドウの VB（F6）\n"
     "と同じに生成します。外部に公開するテーブルが一つもなければ何も書かずに 3。\n"
     "モジュールが Oracle に渡す名前（パッケージ名とプロシージャ名）が Oracle の予約語なら、\n"
     "その名前と最初に現れる行を警告として標準エラーに出し、出力はそのまま書きます。\n",
     VerbNeed::HeaderDate | kGenerating, kTextOptions | VerbOption::Strict, writeVbModule},
    {"csv", "PROFILE.json [-o FILE | --check FILE] [--utf8]", "テーブル構造 CSV",
     "プロファイルのテーブル（一つは必要）のテーブル構造を、オプションメニューの\n"
     "テーブル構造出力と同じ CSV で書きます。\n",
     VerbNeed::ListedTables | kGenerating, kTextOptions, writeTableStructure},
    // The settings are read though unused, so that a wrong "ini" fails as with the others.
    {"tables", "PROFILE.json", "ユーザーのテーブル一覧",
     "ログオンしたユーザーのテーブル名を一行に一つ、UTF-8 で、データベースのテーブル一覧の\n"
     "順に書きます。プロファイルの tables は使いません。\n",
     VerbNeed::Settings | VerbNeed::Logon | VerbNeed::TableList, VerbOptions(), writeTableList},
    // The snapshot reads the columns itself, as it writes them.
    {"snapshot", "PROFILE.json -o FILE.sqlite", "データディクショナリのスナップショット",
     "プロファイルのテーブル（tables が無ければすべてのテーブル）の USER_TABLES と COL の行を、\n"
     "取得と同じ問い合わせで読んで SQLite ファイルに書きます。そのファイルをサービスに\n"
     "指定すれば、データベースなしで同じテーブル一覧と同じ生成結果が得られます。\n"
     "-o - なら標準出力へ（端末には書きません）。\n",
     VerbNeed::Logon | VerbNeed::TableList, VerbOption::Output | VerbOption::OutputRequired,
     writeSnapshot},
};

} // namespace

std::span<const GenVerb> genVerbs() {
    return kVerbs;
}

const GenVerb* findGenVerb(QStringView name) {
    const auto verb = std::find_if(std::begin(kVerbs), std::end(kVerbs), [name](const GenVerb& v) {
        return name == QLatin1String(v.name);
    });
    return verb == std::end(kVerbs) ? nullptr : verb;
}
