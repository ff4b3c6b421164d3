#pragma once

#include "gen/vb/vb_module_generator.h"
#include "ui/save_dialog.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class TableRows;
struct AppSettings;
struct GenerationModel;
struct GenProfile;
struct MainWindowControls;

// The module menu's three marks, as the module generator and a profile take them.
VbOptions checkedVbOptions(const MainWindowControls& ui);

// The main window's two profile commands: the candidate list saved as a tamsel-gen
// profile, and a profile opened into the window. A profile is one description of a package
// for the window and tamsel-gen alike.
class ProfileCommands : public QObject {
    Q_OBJECT
public:
    // select: the window's select command, which retrieves the tables selected in the table
    // list under the progress window.
    ProfileCommands(AppSettings& settings, MainWindowControls& ui, GenerationModel& model,
                    TableRows& rows, std::function<void()> select, QObject* parent = nullptr);

    // The logon's service (never a password) and user, the settings that change the
    // generated text, the module marks and every candidate with its flags and arguments,
    // written as UTF-8 JSON to a file chosen in the save dialog. The dialog proposes the
    // profile last saved in this run, or the package's name in the default folder.
    void MNU_SaveProfileClick(QWidget* parent);

    // A profile chosen in the open dialog, opened with OpenProfile.
    void MNU_OpenProfileClick(QWidget* parent);

    // The profile of the recent list's item (0 the latest), opened with OpenProfile; one
    // that is no longer there leaves the list after the message.
    void OpenRecentProfile(qsizetype index);

    // The recent list's items show the settings' RecentProfiles: "&1 " and the path, the
    // home folder as "~".
    void ShowRecentProfiles();

    // Selects the profile's tables in the table list and retrieves them as the select
    // command does, then sets each row's flags and arguments from the profile. Warns once
    // about a profile of another logon and once about tables the list does not hold; asks
    // once whether to take the profile's differing settings; takes its module marks. A
    // profile that cannot be read is reported as tamsel-gen reports it and changes nothing;
    // an aborted or failed retrieval ends the opening. A profile read goes to the top of the
    // recent list, as does one saved.
    void OpenProfile(const QString& path);

    static QString filter(); // "プロファイル (*.json)|*.json"
    static QString otherLogonText(const QString& profileService, const QString& profileUser,
                                  const QString& service, const QString& user);
    static QString missingTablesText(const QStringList& tables); // the first 20, and a count
    // Each differing key on a line of its own, with the current value and the profile's
    // (keys in the settings file's order).
    static QString takeSettingsQuestion(const QStringList& keys, const TPackParameters& current,
                                        const TPackParameters& profile);

private:
    void applyRows(const GenProfile& profile);
    void rememberProfile(const QString& path);

    AppSettings& settings_;
    MainWindowControls& ui_;
    GenerationModel& model_;
    TableRows& rows_;
    std::function<void()> select_;
    SaveDialog SDLG_Profile;
    SaveLocation saved_; // where a profile was last saved in this run
};
