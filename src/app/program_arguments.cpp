#include "app/program_arguments.h"

#include "util/app_info.h"

#include <QLatin1StringView>

#include <algorithm>
#include <iterator>

ProgramArgumentError::ProgramArgumentError(const QString& message)
    : std::runtime_error(message.toStdString()) {}

namespace {

// The options Qt's application object takes for itself (QCoreApplication, QGuiApplication,
// QApplication and the X11 platform), which it removes from the command line once it
// exists. Qt reads each with one dash or two.
struct QtOption {
    QLatin1StringView name; // without its dashes
    bool takesValue;
};

constexpr QtOption kQtOptions[] = {
    {QLatin1StringView("platform"), true},        {QLatin1StringView("platformpluginpath"), true},
    {QLatin1StringView("platformtheme"), true},   {QLatin1StringView("plugin"), true},
    {QLatin1StringView("qwindowgeometry"), true}, {QLatin1StringView("qwindowtitle"), true},
    {QLatin1StringView("qwindowicon"), true},     {QLatin1StringView("geometry"), true},
    {QLatin1StringView("title"), true},           {QLatin1StringView("icon"), true},
    {QLatin1StringView("display"), true},         {QLatin1StringView("name"), true},
    {QLatin1StringView("visual"), true},          {QLatin1StringView("session"), true},
    {QLatin1StringView("style"), true},           {QLatin1StringView("stylesheet"), true},
    {QLatin1StringView("qmljsdebugger"), true},   {QLatin1StringView("reverse"), false},
    {QLatin1StringView("widgetcount"), false},    {QLatin1StringView("nograb"), false},
    {QLatin1StringView("dograb"), false},         {QLatin1StringView("sync"), false},
    {QLatin1StringView("testability"), false},
};

// The option's name without its one or two dashes and without an "=value".
QStringView optionName(const QString& argument) {
    QStringView name(argument);
    name = name.sliced(name.startsWith(u"--") ? 2 : 1);
    const qsizetype equals = name.indexOf(u'=');
    return equals < 0 ? name : name.first(equals);
}

const QtOption* qtOption(const QString& argument) {
    const QStringView name = optionName(argument);
    const auto found = std::find_if(std::begin(kQtOptions), std::end(kQtOptions),
                                    [&](const QtOption& option) { return option.name == name; });
    return found == std::end(kQtOptions) ? nullptr : found;
}

QString helpHint() {
    return QStringLiteral("（tamsel --help で使い方を表示）");
}

} // namespace

ProgramArguments parseProgramArguments(const QStringList& arguments) {
    ProgramArguments parsed;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool isOption =
            !optionsEnded && argument.startsWith(QLatin1Char('-')) && argument != u"-";
        if (!isOption) {
            // The window reads its profile again after the logon, which standard input
            // cannot give twice; tamsel-gen takes "-".
            if (argument == u"-")
                throw ProgramArgumentError(QStringLiteral(
                    "標準入力のプロファイルは開けません（tamsel-gen では使えます）"));
            if (argument.isEmpty())
                throw ProgramArgumentError(QStringLiteral("プロファイルのパスが空です"));
            if (!parsed.profilePath.isEmpty())
                throw ProgramArgumentError(
                    QStringLiteral("プロファイルは一つだけです：%1").arg(argument));
            parsed.profilePath = argument;
        } else if (argument == u"--") {
            optionsEnded = true;
        } else if (argument == u"--help" || argument == u"-h") {
            parsed.action = ProgramAction::Help;
        } else if (argument == u"--version") {
            // --help wins, as with the GNU tools.
            if (parsed.action != ProgramAction::Help)
                parsed.action = ProgramAction::Version;
        } else if (const QtOption* option = qtOption(argument)) {
            if (option->takesValue && !argument.contains(u'=')) {
                if (i + 1 >= arguments.size())
                    throw ProgramArgumentError(
                        QStringLiteral("%1 の後に値がありません").arg(argument) + helpHint());
                ++i; // Qt's, and the application object reads it
            }
        } else {
            throw ProgramArgumentError(QStringLiteral("知らないオプション %1").arg(argument) +
                                       helpHint());
        }
    }
    return parsed;
}

QString programHelpText(const QString& readme) {
    const QString bugs = readme.isEmpty()
                             ? QStringLiteral("README の「Reporting bugs」を見てください。\n")
                             : QStringLiteral("README の「Reporting bugs」を見てください"
                                              "（%1）。\n")
                                   .arg(readme);
    return QStringLiteral(
               "使い方: tamsel [PROFILE.json] [Qt のオプション]\n"
               "        tamsel --help | --version\n"
               "\n"
               "テーブルから Oracle の PL/SQL パッケージ、VB モジュール、テーブル構造 CSV を作る\n"
               "ウィンドウを開きます。まずログイン画面が出ます（サービス DEMO "
               "で見本のデータベース）。\n"
               "\n"
               "  PROFILE.json    ログイン画面にプロファイルのサービスとユーザーを入れて開き、\n"
               "                  ログインの後でそのプロファイルを開く（ファイル → "
               "プロファイルを開く\n"
               "                  と同じ）\n"
               "  -h, --help      この使い方を表示して終了\n"
               "  --version       バージョンを表示して終了\n"
               "  --              これより後はオプションでなくプロファイル\n"
               "\n"
               "Qt のオプション（-platform NAME、-style NAME、-display HOST:N、-reverse など）は\n"
               "そのまま使えます。\n"
               "\n"
               "ウィンドウを開かずに同じものを作るには tamsel-gen を使います（tamsel-gen "
               "--help）。\n"
               "終了コード: 0 正常、2 コマンド行の誤り。\n"
               "\n"
               "不具合の報告: ") +
           bugs;
}

QString programVersionText() {
    return QStringLiteral("tamsel (%1) %2\n%3\n%4")
        .arg(applicationTitle(), GetFileVersionText(), copyrightText(), licenceText());
}
