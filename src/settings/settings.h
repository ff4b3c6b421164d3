#pragma once

#include "settings/pack_parameters.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

class ProfileText;
class Reporter;

// Everything the settings file keeps: the generation settings and section LastStatus.
// Read and written directly; only LoadSettings and SaveSettings touch the file.
struct AppSettings {
    TPackParameters GenSettings;
    QString Alias;  // service of the last successful logon
    QString UserNM; // user of the last successful logon; after a logon, the current user
    qint32 Height = 480;
    qint32 Width = 640;
    // Section RecentProfiles: the profiles last opened or saved, the latest first, as
    // absolute paths; at most kRecentProfiles.
    QStringList RecentProfiles;
    // The main window's ファイル → UTF-8で保存: the preview and the table structure are saved
    // as UTF-8 with LF instead of Shift-JIS with CR LF. Key SaveUtf8 of LastStatus, stored
    // 1 or 0; true only when the stored integer is exactly 1.
    bool SaveUtf8 = false;
};

inline constexpr qsizetype kRecentProfiles = 4;

// The list with path first, a copy of it further down gone, cut to kRecentProfiles.
QStringList withRecentProfile(QStringList recent, const QString& path);

// "Ostrel.ini" in the given folder (the executable's).
QString settingsFilePath(const QString& applicationDir);

// Where the settings file is read and written, and the folder DefPath falls back to.
// Beside the executable when its folder is writable, or when the file there is (a copy
// run from a read-only folder keeps its own file), unless the program is installed
// (isInstalledLayout). Otherwise the user's file <configFolder>/tamsel/Ostrel.ini, made at
// the first save; until it exists, a file beside the executable that the user cannot write
// (an administrator's preset) is read instead. DefPath falls back to the home folder
// wherever the program runs: files saved into a build tree would go with the next clean
// build, and an installed program's folder is not the user's.
struct SettingsLocation {
    QString readPath;
    QString writePath;
    QString defaultFolder;
};
// writable: whether the user may write a folder or file (tests replace it).
SettingsLocation settingsLocation(const QString& executableFolder, const QString& configFolder,
                                  const QString& homeFolder,
                                  const std::function<bool(const QString&)>& writable);
// The same for the running user: $XDG_CONFIG_HOME (or ~/.config) and the home folder.
SettingsLocation settingsLocation(const QString& executableFolder);

// The logged-on user's name, or empty when the platform cannot tell or it does not fit
// the 128-byte buffer the settings store allows.
QString loggedOnUserName();

// Where LoadSettings' fallbacks come from; tests replace both.
struct SettingsPlatform {
    QString applicationDir;                               // DefPath fallback
    std::function<QString()> userName = loggedOnUserName; // Owner fallback
};

// Every value from the settings file's text, with the defaults for missing or unreadable
// values and the Owner and DefPath fallbacks. A value the settings rule refuses
// (setting_rules.h) is unreadable, except an empty prefix; a stored service loses any
// password. Lines of the file that do not decode are passed over.
AppSettings settingsFromFile(const ProfileText& file, const SettingsPlatform& platform);

// Reads the file once and takes settingsFromFile of it; a missing file gives every default.
// Never fails outward: a file that cannot be read, or is no settings file (not a regular
// file, over ProfileFile::kMaxFileBytes), gets the message "設定読込中にｴﾗｰがありました" with
// the reason, and every value keeps its default.
void LoadSettings(AppSettings& settings, const QString& iniPath, const SettingsPlatform& platform,
                  Reporter& reporter);

// Writes every value in the file's order, taking the main window's outer size from
// mainWindowSize (SaveUtf8 only when it is on or the file holds it already, so a file that
// never had it keeps its bytes); the service loses any password (serviceWithoutPassword). The file
// is read once and replaced once, whole: a file that cannot be read or written (a full disk) is
// left exactly as it was, and the save message gives the reason. A value the file cannot hold (a
// character Shift-JIS has not) leaves its key as stored while the other keys are written, and
// the save message names it. closeDatabase, when set, runs first (the logon window closing
// its database); an error there writes nothing and gives the save message.
void SaveSettings(const AppSettings& settings, const QString& iniPath, QSize mainWindowSize,
                  const std::function<void()>& closeDatabase, Reporter& reporter);

// The two messages, for callers that report on their own; a reason, when given, goes on a
// line of its own.
QString settingsLoadErrorText(const QString& reason = {});
// The save message; with keys, a last line names the keys left as they were stored.
QString settingsSaveErrorText(const QString& reason = {}, const QStringList& unchangedKeys = {});
