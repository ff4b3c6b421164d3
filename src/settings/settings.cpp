#include "settings/settings.h"

#include "settings/profile_file.h"
#include "util/app_info.h"
#include "util/my_func.h"
#include "util/report.h"

#include <QDir>

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
    explicit SettingsReader(const ProfileFile& file) : file_(file) {}

    void string(const QString& section, const QString& key, QString& field) const {
        field = file_.readString(section, key, field);
    }

    void integer(const QString& section, const QString& key, qint32& field) const {
        if (auto value = settingsInteger(file_.readString(section, key, QString())))
            field = *value;
    }

    // Values the options dialog could not have entered are read as unreadable: a stored
    // Indent of 2000000000 would have every generation allocate gigabytes.
    void smallNumber(const QString& key, qint32& field) const {
        qint32 value = field;
        integer(kParams, key, value);
        if (value >= kMinSmallNumber && value <= kMaxSmallNumber)
            field = value;
    }

    void boolean(const QString& key, bool& field) const {
        qint32 value = 1;
        integer(kParams, key, value);
        field = value == 1;
    }

private:
    const ProfileFile& file_;
};

void readAll(AppSettings& s, const ProfileFile& file) {
    const SettingsReader read(file);
    read.string(kLastStatus, QStringLiteral("Alias"), s.Alias);
    read.string(kLastStatus, QStringLiteral("UserNM"), s.UserNM);
    read.integer(kLastStatus, QStringLiteral("Height"), s.Height);
    read.integer(kLastStatus, QStringLiteral("Width"), s.Width);

    TPackParameters& p = s.GenSettings;
    read.boolean(QStringLiteral("PackHeader"), p.PackHeader);
    read.boolean(QStringLiteral("ProcHeader"), p.ProcHeader);
    read.string(kParams, QStringLiteral("Public"), p.Public);
    read.string(kParams, QStringLiteral("Custom"), p.Custom);
    read.string(kParams, QStringLiteral("Set"), p.Set);
    read.string(kParams, QStringLiteral("Clr"), p.Clr);
    read.string(kParams, QStringLiteral("INS"), p.INS);
    read.string(kParams, QStringLiteral("UPD"), p.UPD);
    read.string(kParams, QStringLiteral("PackName"), p.PackName);
    read.string(kParams, QStringLiteral("SysName"), p.SysName);
    read.string(kParams, QStringLiteral("Owner"), p.Owner);
    read.smallNumber(QStringLiteral("Indent"), p.Indent);
    read.smallNumber(QStringLiteral("RefStrLen"), p.RefStrLen);
    read.string(kParams, QStringLiteral("DefPath"), p.DefPath);
    read.string(kParams, QStringLiteral("VbName"), p.VbName);
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

QString decimal(qint32 value) {
    return QString::number(value);
}
QString flag(bool value) {
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

void writeAll(const AppSettings& s, QSize mainWindowSize, ProfileFile& file) {
    const TPackParameters& p = s.GenSettings;
    const struct {
        const QString& section;
        QString key;
        QString value;
    } entries[] = {
        // The empty key makes the stored line begin with two equals signs.
        {kAttention, QString(), QStringLiteral("=設定ﾌｧｲﾙの内容は変更しないで下さい==")},
        {kAttention, QStringLiteral("Application"), applicationTitle()},
        {kAttention, QStringLiteral("CopyRight"), copyrightText()},
        {kLastStatus, QStringLiteral("Alias"), s.Alias},
        {kLastStatus, QStringLiteral("UserNM"), s.UserNM},
        {kLastStatus, QStringLiteral("Height"), decimal(mainWindowSize.height())},
        {kLastStatus, QStringLiteral("Width"), decimal(mainWindowSize.width())},
        {kParams, QStringLiteral("PackHeader"), flag(p.PackHeader)},
        {kParams, QStringLiteral("ProcHeader"), flag(p.ProcHeader)},
        {kParams, QStringLiteral("Public"), p.Public},
        {kParams, QStringLiteral("Custom"), p.Custom},
        {kParams, QStringLiteral("Set"), p.Set},
        {kParams, QStringLiteral("Clr"), p.Clr},
        {kParams, QStringLiteral("INS"), p.INS},
        {kParams, QStringLiteral("UPD"), p.UPD},
        {kParams, QStringLiteral("PackName"), p.PackName},
        {kParams, QStringLiteral("SysName"), p.SysName},
        {kParams, QStringLiteral("Owner"), p.Owner},
        {kParams, QStringLiteral("Indent"), decimal(p.Indent)},
        {kParams, QStringLiteral("RefStrLen"), decimal(p.RefStrLen)},
        {kParams, QStringLiteral("DefPath"), p.DefPath},
        {kParams, QStringLiteral("VbName"), p.VbName},
    };
    for (const auto& entry : entries)
        file.writeString(entry.section, entry.key, entry.value);
}

} // namespace

QString settingsFilePath(const QString& applicationDir) {
    return QDir(applicationDir).filePath(QStringLiteral("Ostrel.ini"));
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

QString settingsLoadErrorText() {
    return QStringLiteral("設定読込中にｴﾗｰがありました");
}

QString settingsSaveErrorText() {
    return QStringLiteral("設定保存中にｴﾗｰがありました。設定が次回に反映されない場合があります。");
}

void LoadSettings(AppSettings& settings, const QString& iniPath, const SettingsPlatform& platform,
                  Reporter& reporter) {
    AppSettings loaded; // every value starts at its default
    try {
        readAll(loaded, ProfileFile(iniPath));
    } catch (const std::exception&) {
        // Values not read keep their defaults (not empty or 0), so the save at exit never
        // writes emptied prefixes or a zero window size over good stored settings.
        reporter.showError(settingsLoadErrorText());
    }
    applyFallbacks(loaded.GenSettings, platform);
    settings = std::move(loaded);
}

void SaveSettings(const AppSettings& settings, const QString& iniPath, QSize mainWindowSize,
                  const std::function<void()>& closeDatabase, Reporter& reporter) {
    BusyGuard busy(reporter);
    try {
        if (closeDatabase)
            closeDatabase();
        ProfileFile file(iniPath);
        writeAll(settings, mainWindowSize, file);
    } catch (const std::exception&) {
        reporter.showError(settingsSaveErrorText());
    }
}
