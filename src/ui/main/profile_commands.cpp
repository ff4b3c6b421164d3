#include "ui/main/profile_commands.h"

#include "gen/plsql/package_name.h"
#include "model/generation_model.h"
#include "profile/gen_profile.h"
#include "profile/profile_writer.h"
#include "settings/setting_rules.h"
#include "settings/settings.h"
#include "ui/main/main_window_layout.h"
#include "ui/main/table_rows.h"
#include "ui/messages.h"
#include "ui/seams.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>

#include <algorithm>

VbOptions checkedVbOptions(const MainWindowControls& ui) {
    return {ui.MNU_OracleConst->isChecked(), ui.MNU_ModHeader->isChecked(),
            ui.MNU_VbProcHeader->isChecked()};
}

ProfileCommands::ProfileCommands(AppSettings& settings, MainWindowControls& ui,
                                 GenerationModel& model, TableRows& rows,
                                 std::function<void()> select, QObject* parent)
    : QObject(parent), settings_(settings), ui_(ui), model_(model), rows_(rows),
      select_(std::move(select)) {
    setObjectName(QStringLiteral("ProfileCommands"));
    ShowRecentProfiles();
}

QString ProfileCommands::filter() {
    return QStringLiteral("プロファイル (*.json)|*.json");
}

QString ProfileCommands::otherLogonText(const QString& profileService, const QString& profileUser,
                                        const QString& service, const QString& user) {
    return QStringLiteral("このプロファイルは別のサービスまたはユーザーのものです。"
                          "テーブル名が異なる場合があります。\n") +
           QStringLiteral("プロファイル：") + profileService + QStringLiteral(" / ") + profileUser +
           QStringLiteral("\n現在のログオン：") + service + QStringLiteral(" / ") + user;
}

QString ProfileCommands::missingTablesText(const QStringList& tables) {
    // A message box grows with its lines: beyond these it would outgrow the screen.
    constexpr qsizetype kNamed = 20;
    QString text =
        QStringLiteral("次のテーブルはテーブル一覧にないため、設定を読み込みませんでした：\n") +
        tables.first(std::min(kNamed, tables.size())).join(u'\n');
    if (tables.size() > kNamed)
        text += QStringLiteral("\nほか %1 テーブル").arg(tables.size() - kNamed);
    return text;
}

QString ProfileCommands::takeSettingsQuestion(const QStringList& keys,
                                              const TPackParameters& current,
                                              const TPackParameters& profile) {
    // A value is shown as the settings file holds it (a flag as 1 or 0), cut where a long
    // one would widen the box past the screen.
    const auto shown = [](const ParamsKey& key, const TPackParameters& settings) {
        const QString text = key.flag     ? QString::number(settings.*key.flag ? 1 : 0)
                             : key.number ? QString::number(settings.*key.number)
                                          : settings.*key.text;
        return QStringLiteral("「%1」").arg(shownName(text, 40));
    };
    QString text = QStringLiteral("プロファイルの設定が現在の設定と異なります：");
    for (const ParamsKey& key : paramsKeys())
        if (keys.contains(key.name))
            text += QStringLiteral("\n%1：現在%2 → プロファイル%3")
                        .arg(key.name, shown(key, current), shown(key, profile));
    return text + QStringLiteral("\n\nプロファイルの設定を使いますか？");
}

void ProfileCommands::MNU_SaveProfileClick(QWidget* parent) {
    if (model_.CandidateList.isEmpty())
        return;
    // Taken before the dialog: what is saved is what the window showed when asked.
    const GenProfile profile =
        selectionProfile(settings_.Alias, settings_.UserNM, settings_.GenSettings,
                         checkedVbOptions(ui_), model_.CandidateList, rows_);

    // A profile describes a package: the first one is proposed under the package's name.
    QString name = saved_.name;
    if (name.isEmpty())
        name = FormPackageName(settings_.GenSettings, model_.CandidateList, rows_).trimmed();
    if (name.isEmpty())
        name = model_.CandidateList.first().TableName;
    SDLG_Profile.InitialDir = saved_.initialFolder(settings_.GenSettings.DefPath);
    SDLG_Profile.FileName = name;
    SDLG_Profile.DefaultExt = QStringLiteral(".json");
    SDLG_Profile.Filter = filter();
    SDLG_Profile.OverwritePrompt = true;
    SDLG_Profile.CreatePrompt = true;
    if (!SDLG_Profile.Execute(parent))
        return;
    BusyGuard busy(messages());
    // A failure to write goes to the general error display; an existing file keeps its
    // content.
    try {
        saveGenProfile(SDLG_Profile.FileName, profile);
        saved_.remember(SDLG_Profile.FileName, settings_.GenSettings.DefPath);
        rememberProfile(SDLG_Profile.FileName);
    } catch (const GenProfileError& error) {
        messages().showTitled(MessageIcon::Warning, MessageButtons::Ok, error.message());
    }
}

void ProfileCommands::MNU_OpenProfileClick(QWidget* parent) {
    if (const std::optional<QString> path =
            chooseOpenFile(parent, settings_.GenSettings.DefPath, filter()))
        OpenProfile(*path);
}

void ProfileCommands::OpenProfile(const QString& path) {
    GenProfile profile;
    try {
        profile = readGenProfile(path);
    } catch (const GenProfileError& error) {
        messages().showTitled(MessageIcon::Warning, MessageButtons::Ok, error.message());
        return;
    }
    rememberProfile(path);
    if (!profileMatchesLogon(profile, settings_.Alias, settings_.UserNM))
        messages().showTitled(
            MessageIcon::Warning, MessageButtons::Ok,
            otherLogonText(profile.service, profile.user, settings_.Alias, settings_.UserNM));

    QStringList tableList;
    for (int p = 0; p < ui_.LST_Tables->count(); ++p)
        tableList.append(ui_.LST_Tables->item(p)->text());
    const ProfileMatch match = profile.matchTableList(tableList);
    ui_.LST_Tables->clearSelection();
    for (const qsizetype p : match.positions)
        ui_.LST_Tables->item(static_cast<int>(p))->setSelected(true);
    if (!match.positions.isEmpty()) {
        ui_.LST_Tables->scrollToItem(ui_.LST_Tables->item(static_cast<int>(match.positions[0])));
        select_();
        if (rows_.isEmpty())
            return; // aborted or failed; the retrieval has said so
        applyRows(profile);
    }
    if (!match.missing.isEmpty())
        messages().showTitled(MessageIcon::Warning, MessageButtons::Ok,
                              missingTablesText(match.missing));

    const QStringList differing = profile.differingSettings(settings_.GenSettings);
    if (!differing.isEmpty() &&
        messages().showTitled(
            MessageIcon::Information, MessageButtons::YesNo,
            takeSettingsQuestion(differing, settings_.GenSettings, profile.settings.values)) ==
            MessageAnswer::Yes) {
        profile.applySettings(settings_.GenSettings);
        ui_.MNU_PackHeader->setChecked(settings_.GenSettings.PackHeader);
        ui_.MNU_ProcHeader->setChecked(settings_.GenSettings.ProcHeader);
    }
    ui_.MNU_OracleConst->setChecked(profile.vb.OracleConst);
    ui_.MNU_ModHeader->setChecked(profile.vb.ModHeader);
    ui_.MNU_VbProcHeader->setChecked(profile.vb.VbProcHeader);
}

void ProfileCommands::OpenRecentProfile(qsizetype index) {
    if (index < 0 || index >= settings_.RecentProfiles.size())
        return;
    const QString path = settings_.RecentProfiles[index];
    OpenProfile(path);
    // Moved or deleted since: the message named it, and the list lets it go.
    if (!QFileInfo::exists(path)) {
        settings_.RecentProfiles.removeAll(path);
        ShowRecentProfiles();
    }
}

void ProfileCommands::rememberProfile(const QString& path) {
    settings_.RecentProfiles =
        withRecentProfile(settings_.RecentProfiles, QFileInfo(path).absoluteFilePath());
    ShowRecentProfiles();
}

void ProfileCommands::ShowRecentProfiles() {
    const QString home = QDir::homePath() + QLatin1Char('/');
    for (std::size_t k = 0; k < ui_.MNU_RecentProfiles.size(); ++k) {
        QAction* item = ui_.MNU_RecentProfiles[k];
        const auto index = static_cast<qsizetype>(k);
        const bool shown = index < settings_.RecentProfiles.size();
        item->setVisible(shown);
        if (!shown)
            continue;
        QString path = settings_.RecentProfiles[index];
        if (path.startsWith(home))
            path = QLatin1Char('~') + path.mid(home.size() - 1);
        // An ampersand of the path is shown, not taken for the access key.
        path.replace(QLatin1Char('&'), QLatin1String("&&"));
        item->setText(QStringLiteral("&%1 ").arg(k + 1) + path);
    }
}

void ProfileCommands::applyRows(const GenProfile& profile) {
    // Argument tables the list does not hold are not candidates, so they drop out here.
    PlainTableFlags flags;
    profile.applyTables(model_.CandidateList, flags);
    for (qsizetype i = 0; i < rows_.size(); ++i)
        rows_.setFlags(i, flags.rows()[i]);
}
