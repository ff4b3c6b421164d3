#include "settings/settings.h"

#include "settings/profile_file.h"
#include "settings/setting_rules.h"
#include "util/app_info.h"
#include "util/install_paths.h"
#include "util/integer_text.h"
#include "util/report.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace {

const QString kAttention = QStringLiteral("Attention");
const QString kLastStatus = QStringLiteral("LastStatus");
const QString kParams = QStringLiteral("Params");

// The settings store's integer text: "0x"/"0X" and more is hexadecimal; otherwise the
// program's integer rule.
std::optional<qint32> settingsInteger(const QString& text) {
    if (text.size() > 2 &&
        (text.startsWith(QLatin1String("0x")) || text.startsWith(QLatin1String("0X")))) {
        const QStringView digits = QStringView(text).sliced(2);
        if (digits.isEmpty() || digits.front() == QLatin1Char('+') ||
            digits.front() == QLatin1Char('-') || digits.front() == QLatin1Char(' '))
            return std::nullopt;
        return parseInteger(QString(QLatin1Char('$') + digits.toString()));
    }
    return parseInteger(text);
}

class SettingsReader {
public:
    explicit SettingsReader(const ProfileText& file) : file_(file) {}

    void string(const QString& section, const QString& key, QString& field) const {
        field = file_.readString(section, key, field);
    }

    void integer(const QString& section, const QString& key, qint32& field) const {
        if (auto value = settingsInteger(file_.readString(section, key, QString())))
            field = *value;
    }

    // A value the options dialog could not have entered is read as unreadable: a stored
    // Indent of 2000000000 would have every generation allocate gigabytes, a prefix "1X_"
    // makes names no database takes. An empty prefix stays empty.
    void param(const ParamsKey& key, TPackParameters& p) const {
        switch (key.kind) {
        case SettingKind::Flag: {
            qint32 value = 1;
            integer(kParams, key.name, value);
            p.*key.flag = value == 1;
            break;
        }
        case SettingKind::SmallNumber: {
            qint32 value = p.*key.number;
            integer(kParams, key.name, value);
            if (isSmallNumber(value))
                p.*key.number = value;
            break;
        }
        case SettingKind::Prefix:
        case SettingKind::PackageName:
        case SettingKind::Text: {
            const QString value = file_.readString(kParams, key.name, p.*key.text);
            const SettingFault fault = checkSetting(key.kind, value);
            if (fault == SettingFault::None || fault == SettingFault::PrefixMissing)
                p.*key.text = value;
            break;
        }
        }
    }

private:
    const ProfileText& file_;
};

void readAll(AppSettings& s, const ProfileText& file) {
    const SettingsReader read(file);
    read.string(kLastStatus, QStringLiteral("Alias"), s.Alias);
    s.Alias = serviceWithoutPassword(s.Alias);
    read.string(kLastStatus, QStringLiteral("UserNM"), s.UserNM);
    s.UserNM = userWithoutPassword(s.UserNM);
    if (firstControlCharacter(s.UserNM))
        s.UserNM.clear(); // unreadable, as it would be the schema of generated code
    read.integer(kLastStatus, QStringLiteral("Height"), s.Height);
    read.integer(kLastStatus, QStringLiteral("Width"), s.Width);
    for (const ParamsKey& key : paramsKeys())
        read.param(key, s.GenSettings);
}

// The executable's folder without a trailing separator; a root keeps its separator.
QString folderWithoutTrailingSeparator(const QString& folder) {
    QString path = QDir::toNativeSeparators(QDir::cleanPath(folder));
    while (path.size() > 1 && path.endsWith(QDir::separator()))
        path.chop(1);
    return path;
}

void applyFallbacks(TPackParameters& p, const SettingsPlatform& platform) {
    if (p.Owner.isEmpty() && platform.userName)
        p.Owner = platform.userName();
    if (p.DefPath.isEmpty())
        p.DefPath = folderWithoutTrailingSeparator(platform.applicationDir);
}

QString paramText(const ParamsKey& key, const TPackParameters& p) {
    switch (key.kind) {
    case SettingKind::Flag:
        return p.*key.flag ? QStringLiteral("1") : QStringLiteral("0");
    case SettingKind::SmallNumber:
        return QString::number(p.*key.number);
    case SettingKind::Prefix:
    case SettingKind::PackageName:
    case SettingKind::Text:
        break;
    }
    return p.*key.text;
}

struct Entry {
    QString section;
    QString key;
    QString value;
};

QList<Entry> entries(const AppSettings& s, QSize mainWindowSize) {
    QList<Entry> list = {
        // The empty key makes the stored line begin with two equals signs.
        {kAttention, QString(), QStringLiteral("=設定ﾌｧｲﾙの内容は変更しないで下さい==")},
        {kAttention, QStringLiteral("Application"), applicationTitle()},
        {kAttention, QStringLiteral("CopyRight"), copyrightText()},
        {kLastStatus, QStringLiteral("Alias"), serviceWithoutPassword(s.Alias)},
        {kLastStatus, QStringLiteral("UserNM"), userWithoutPassword(s.UserNM)},
        {kLastStatus, QStringLiteral("Height"), QString::number(mainWindowSize.height())},
        {kLastStatus, QStringLiteral("Width"), QString::number(mainWindowSize.width())},
    };
    for (const ParamsKey& key : paramsKeys())
        list.append({kParams, key.name, paramText(key, s.GenSettings)});
    return list;
}

// A key whose value the file cannot hold keeps its stored value; the others are set all the
// same. unchanged gathers the keys left unchanged, each with the character to blame where
// there is one. Any other failure is the file's, and nothing of it is written.
void setAll(const AppSettings& s, QSize mainWindowSize, ProfileText& file, QStringList& unchanged) {
    for (const Entry& entry : entries(s, mainWindowSize)) {
        try {
            file.writeString(entry.section, entry.key, entry.value);
        } catch (const UnstorableValueError& error) {
            unchanged.append(error.character().isEmpty()
                                 ? entry.key
                                 : QStringLiteral("%1「%2」").arg(entry.key, error.character()));
        }
    }
}

QString withReason(QString text, const QString& reason) {
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    return text;
}

} // namespace

QString settingsFilePath(const QString& applicationDir) {
    return QDir(applicationDir).filePath(QStringLiteral("Ostrel.ini"));
}

SettingsLocation settingsLocation(const QString& executableFolder, const QString& configFolder,
                                  const QString& homeFolder,
                                  const std::function<bool(const QString&)>& writable) {
    const QString beside = settingsFilePath(executableFolder);
    const bool besideExists = QFileInfo::exists(beside);
    if (!isInstalledLayout(executableFolder) &&
        (writable(executableFolder) || (besideExists && writable(beside))))
        return {beside, beside, executableFolder};
    const QString user = settingsFilePath(QDir(configFolder).filePath(QStringLiteral("tamsel")));
    const QString read = !QFileInfo::exists(user) && besideExists ? beside : user;
    return {read, user, homeFolder};
}

SettingsLocation settingsLocation(const QString& executableFolder) {
    return settingsLocation(
        executableFolder, QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
        QDir::homePath(),
        [](const QString& path) { return access(QFile::encodeName(path).constData(), W_OK) == 0; });
}

QString loggedOnUserName() {
    constexpr size_t kBufferBytes = 128; // the room the settings store gives the name
    long bufferSize = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(bufferSize > 0 ? static_cast<size_t>(bufferSize) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        !found->pw_name)
        return {};
    const QByteArray name(found->pw_name);
    if (static_cast<size_t>(name.size()) + 1 > kBufferBytes)
        return {};
    return QString::fromLocal8Bit(name);
}

QString settingsLoadErrorText(const QString& reason) {
    return withReason(QStringLiteral("設定読込中にｴﾗｰがありました"), reason);
}

QString settingsSaveErrorText(const QString& reason, const QStringList& unchangedKeys) {
    QString text = withReason(
        QStringLiteral("設定保存中にｴﾗｰがありました。設定が次回に反映されない場合があります。"),
        reason);
    if (!unchangedKeys.isEmpty())
        text += QStringLiteral("\n次の設定は保存できない文字を含むため、前回の値のままです：") +
                unchangedKeys.join(QStringLiteral("、"));
    return text;
}

AppSettings settingsFromFile(const ProfileText& file, const SettingsPlatform& platform) {
    AppSettings settings; // every value starts at its default
    readAll(settings, file);
    applyFallbacks(settings.GenSettings, platform);
    return settings;
}

void LoadSettings(AppSettings& settings, const QString& iniPath, const SettingsPlatform& platform,
                  Reporter& reporter) {
    ProfileText file;
    try {
        file = ProfileFile(iniPath).read();
    } catch (const ProfileError& error) {
        // Every value then keeps its default (not empty or 0), so the save at exit never
        // writes emptied prefixes or a zero window size over good stored settings.
        reporter.showError(settingsLoadErrorText(error.message()));
    } catch (const std::exception&) {
        reporter.showError(settingsLoadErrorText());
    }
    settings = settingsFromFile(file, platform);
}

void SaveSettings(const AppSettings& settings, const QString& iniPath, QSize mainWindowSize,
                  const std::function<void()>& closeDatabase, Reporter& reporter) {
    BusyGuard busy(reporter);
    QStringList unchanged;
    bool failed = false;
    QString reason;
    try {
        if (closeDatabase)
            closeDatabase();
        // One reading and one replacement: either every key that can be stored is in the
        // file, or, whatever stops the write (a full disk), nothing has changed.
        const ProfileFile file(iniPath);
        ProfileText text = file.read();
        setAll(settings, mainWindowSize, text, unchanged);
        file.write(text);
    } catch (const ProfileError& error) {
        failed = true;
        reason = error.message();
    } catch (const std::exception&) {
        failed = true;
    }
    if (failed || !unchanged.isEmpty())
        reporter.showError(settingsSaveErrorText(reason, unchanged));
}
