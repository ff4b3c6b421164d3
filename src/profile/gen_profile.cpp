#include "profile/gen_profile.h"

#include "settings/setting_rules.h"
#include "util/input_file.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <list>

GenProfileError::GenProfileError(const QString& message)
    : std::runtime_error(message.toStdString()) {}

namespace {

// Adds name to seen; false when it was there already.
bool addOnce(QSet<QString>& seen, const QString& name) {
    const qsizetype before = seen.size();
    seen.insert(name);
    return seen.size() != before;
}

// Where each name first stands in names: a profile's tables are looked up among many
// thousand, once each.
template <typename Name> QHash<QString, qsizetype> firstPositions(qsizetype count, Name name) {
    QHash<QString, qsizetype> positions;
    positions.reserve(count);
    for (qsizetype p = count - 1; p >= 0; --p)
        positions.insert(name(p), p); // the first of a repeated name is inserted last
    return positions;
}

// A name that differs from the wanted one only in case, as a hint for the message.
QString caseHint(const QString& name, const QStringList& known) {
    for (const QString& candidate : known)
        if (candidate != name && candidate.compare(name, Qt::CaseInsensitive) == 0)
            return QStringLiteral("（%1 のことですか？）").arg(shownName(candidate));
    return {};
}

// Reads one JSON object of the profile, naming every complaint by file and key path.
class ObjectReader {
public:
    ObjectReader(const QString& file, QString where, QJsonObject object)
        : file_(file), where_(std::move(where)), object_(std::move(object)) {}

    void allowOnly(const QStringList& allowed) const {
        for (const QString& key : object_.keys())
            if (!allowed.contains(key))
                fail(QStringLiteral("知らないキー \"%1\" があります%2")
                         .arg(keyPath(shownName(key)), caseHint(key, allowed)));
    }

    bool has(const QString& key) const { return object_.contains(key); }

    QString text(const QString& key) const {
        const QJsonValue value = object_.value(key);
        if (!value.isString())
            wrongType(key, QStringLiteral("文字列"));
        return value.toString();
    }

    // A text that names something: it reaches generated code or messages, where a control
    // character would split a line or steer the terminal.
    QString name(const QString& key) const {
        QString value = text(key);
        if (const std::optional<QChar> control = firstControlCharacter(value))
            fail(QStringLiteral("\"%1\" に%2（\"%3\"）")
                     .arg(keyPath(key), controlCharacterText(*control), shownName(value)));
        return value;
    }

    QString requiredName(const QString& key) const {
        if (!has(key))
            fail(QStringLiteral("\"%1\" がありません").arg(keyPath(key)));
        return name(key);
    }

    bool flag(const QString& key, bool absent) const {
        if (!has(key))
            return absent;
        const QJsonValue value = object_.value(key);
        if (!value.isBool())
            wrongType(key, QStringLiteral("true か false"));
        return value.toBool();
    }

    // An integer the window's two-character fields can hold: -9 to 99.
    qint32 smallNumber(const QString& key, qint32 absent) const {
        if (!has(key))
            return absent;
        const QJsonValue value = object_.value(key);
        const double number = value.toDouble();
        if (!value.isDouble() || !std::isfinite(number) || number != std::trunc(number))
            wrongType(key, QStringLiteral("整数"));
        if (!isSmallNumber(number))
            fail(QStringLiteral("\"%1\" は %2 から %3 までの整数で指定してください（%4）")
                     .arg(keyPath(key))
                     .arg(kMinSmallNumber)
                     .arg(kMaxSmallNumber)
                     .arg(value.toVariant().toString()));
        return static_cast<qint32>(number);
    }

    // A settings text as the options dialog would take it: checked, then trimmed.
    QString settingText(const QString& key, SettingKind kind) const {
        const QString typed = text(key);
        const SettingFault fault = checkSetting(kind, typed);
        if (fault != SettingFault::None)
            fail(QStringLiteral("\"%1\": %2（\"%3\"）")
                     .arg(keyPath(key), settingFaultText(fault, typed), shownName(typed)));
        return ::settingText(typed);
    }

    QJsonObject object(const QString& key) const {
        const QJsonValue value = object_.value(key);
        if (!value.isObject())
            wrongType(key, QStringLiteral("オブジェクト"));
        return value.toObject();
    }

    QJsonArray array(const QString& key) const {
        const QJsonValue value = object_.value(key);
        if (!value.isArray())
            wrongType(key, QStringLiteral("配列"));
        return value.toArray();
    }

    QString keyPath(const QString& key) const {
        return where_.isEmpty() ? key : where_ + QLatin1Char('.') + key;
    }

    [[noreturn]] void fail(const QString& detail) const {
        throw GenProfileError(QStringLiteral("%1: %2").arg(file_, detail));
    }

private:
    [[noreturn]] void wrongType(const QString& key, const QString& kind) const {
        fail(QStringLiteral("\"%1\" は%2で指定してください").arg(keyPath(key), kind));
    }

    const QString& file_;
    QString where_;
    QJsonObject object_;
};

QVariantMap readSettings(const ObjectReader& reader) {
    QStringList names;
    for (const ParamsKey& key : paramsKeys())
        names.append(key.name);
    reader.allowOnly(names);

    QVariantMap settings;
    for (const ParamsKey& key : paramsKeys()) {
        if (!reader.has(key.name))
            continue;
        switch (key.kind) {
        case SettingKind::Flag:
            settings.insert(key.name, reader.flag(key.name, false));
            break;
        case SettingKind::SmallNumber:
            settings.insert(key.name, reader.smallNumber(key.name, 0));
            break;
        case SettingKind::Prefix:
        case SettingKind::PackageName:
        case SettingKind::Text:
            settings.insert(key.name, reader.settingText(key.name, key.kind));
            break;
        }
    }
    return settings;
}

VbOptions readVbOptions(const ObjectReader& reader) {
    reader.allowOnly({QStringLiteral("OracleConst"), QStringLiteral("ModHeader"),
                      QStringLiteral("VbProcHeader")});
    VbOptions options;
    options.OracleConst = reader.flag(QStringLiteral("OracleConst"), true);
    options.ModHeader = reader.flag(QStringLiteral("ModHeader"), true);
    options.VbProcHeader = reader.flag(QStringLiteral("VbProcHeader"), true);
    return options;
}

ProfileTable readTable(const QString& file, const QString& where, const QJsonValue& value) {
    if (!value.isObject())
        throw GenProfileError(
            QStringLiteral("%1: \"%2\" はオブジェクトで指定してください").arg(file, where));
    const ObjectReader reader(file, where, value.toObject());
    reader.allowOnly({QStringLiteral("name"), QStringLiteral("public"), QStringLiteral("array"),
                      QStringLiteral("ins"), QStringLiteral("upd"), QStringLiteral("clr"),
                      QStringLiteral("argumentTables"), QStringLiteral("genStrOn"),
                      QStringLiteral("genStrCount"), QStringLiteral("genNumOn"),
                      QStringLiteral("genNumCount")});

    ProfileTable table;
    table.name = reader.requiredName(QStringLiteral("name"));
    if (table.name.isEmpty())
        reader.fail(QStringLiteral("\"%1\" が空です").arg(reader.keyPath(QStringLiteral("name"))));
    table.flags.Public = reader.flag(QStringLiteral("public"), false);
    table.flags.Array = reader.flag(QStringLiteral("array"), false);
    table.flags.Ins = reader.flag(QStringLiteral("ins"), false);
    table.flags.Upd = reader.flag(QStringLiteral("upd"), false);
    table.flags.Clr = reader.flag(QStringLiteral("clr"), false);
    if (reader.has(QStringLiteral("argumentTables"))) {
        const QJsonArray names = reader.array(QStringLiteral("argumentTables"));
        QSet<QString> seen;
        seen.reserve(names.size());
        for (qsizetype i = 0; i < names.size(); ++i) {
            const auto path = [&] {
                return QStringLiteral("%1[%2]")
                    .arg(reader.keyPath(QStringLiteral("argumentTables")))
                    .arg(i);
            };
            if (!names[i].isString())
                reader.fail(QStringLiteral("\"%1\" は文字列で指定してください").arg(path()));
            const QString name = names[i].toString();
            if (const std::optional<QChar> control = firstControlCharacter(name))
                reader.fail(QStringLiteral("\"%1\" に%2（\"%3\"）")
                                .arg(path(), controlCharacterText(*control), shownName(name)));
            if (!addOnce(seen, name))
                reader.fail(QStringLiteral("\"%1\" のテーブル %2 は二度目です").arg(path(), name));
            table.argumentTables.append(name);
        }
    }
    table.genStrOn = reader.flag(QStringLiteral("genStrOn"), false);
    table.genStrCount = reader.smallNumber(QStringLiteral("genStrCount"), 10);
    table.genNumOn = reader.flag(QStringLiteral("genNumOn"), false);
    table.genNumCount = reader.smallNumber(QStringLiteral("genNumCount"), 10);
    return table;
}

QList<ProfileTable> readTables(const QString& file, const ObjectReader& top) {
    QList<ProfileTable> tables;
    if (!top.has(QStringLiteral("tables")))
        return tables;
    const QJsonArray entries = top.array(QStringLiteral("tables"));
    QSet<QString> names;
    names.reserve(entries.size());
    tables.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        ProfileTable table = readTable(file, QStringLiteral("tables[%1]").arg(i), entries[i]);
        if (!addOnce(names, table.name))
            top.fail(QStringLiteral("テーブル %1 が tables に二度あります").arg(table.name));
        tables.append(std::move(table));
    }
    // Argument tables are candidates, so they must be among the listed tables.
    for (qsizetype i = 0; i < tables.size(); ++i)
        for (const QString& name : tables[i].argumentTables)
            if (!names.contains(name)) {
                QStringList listed;
                for (const ProfileTable& table : tables)
                    listed.append(table.name);
                top.fail(QStringLiteral("\"tables[%1].argumentTables\" のテーブル %2 は "
                                        "tables にありません%3")
                             .arg(i)
                             .arg(name, caseHint(name, listed)));
            }
    return tables;
}

// A key as the JSON reader compares it: its UTF-8 bytes once escapes are decoded
// ("\u0075ser" is "user"). Most keys have none and are the literal's own bytes, with no
// copy; a decoded one is kept in decoded, which outlives every view of it.
QByteArrayView keyBytes(QByteArrayView literal, bool escaped, std::list<QByteArray>& decoded) {
    if (!escaped)
        return literal.sliced(1, literal.size() - 2);
    decoded.push_back(QJsonDocument::fromJson('[' + literal.toByteArray() + ']')
                          .array()
                          .first()
                          .toString()
                          .toUtf8());
    return decoded.back();
}

// The key path ("tables[2].public") of the first key that an object of the JSON text holds
// twice, at any depth. The JSON reader keeps only the last of them, so the first would be
// dropped without a word. json is text the reader took, so it is well formed; its nesting
// depth is the reader's to bound. A profile of many thousand tables has as many small
// objects: their keys are compared in place, and only an object of many keys gets a hash.
std::optional<QString> repeatedKey(const QByteArray& json) {
    constexpr qsizetype kScanned = 16; // keys an object looks through before it hashes them
    struct Level {
        bool object;
        qsizetype firstKey;  // of the object's keys in keys
        qsizetype index = 0; // of the array element being read
        bool keyNext = true; // the next string of the object is a key
        QSet<QByteArrayView> hashed;
    };
    QList<Level> levels;
    QList<QByteArrayView> keys; // of the open objects, outer ones first; the last is current
    std::list<QByteArray> decoded;
    // Each object's current key is the last one it holds: before its child's keys, or at the
    // end for the innermost.
    const auto path = [&levels, &keys] {
        QString text;
        for (qsizetype j = 0; j < levels.size(); ++j) {
            if (!levels[j].object) {
                text += QStringLiteral("[%1]").arg(levels[j].index);
                continue;
            }
            const qsizetype k =
                j + 1 < levels.size() ? levels[j + 1].firstKey - 1 : keys.size() - 1;
            text += (text.isEmpty() ? QString() : QStringLiteral(".")) +
                    shownName(QString::fromUtf8(keys[k]));
        }
        return text;
    };
    for (qsizetype i = 0; i < json.size(); ++i) {
        if (levels.isEmpty() && json[i] != '{' && json[i] != '[')
            continue; // blanks around the document
        switch (json[i]) {
        case '{':
        case '[':
            levels.append({json[i] == '{', keys.size(), 0, true, {}});
            break;
        case '}':
        case ']':
            keys.resize(levels.last().firstKey);
            levels.removeLast();
            break;
        case ',':
            if (levels.last().object)
                levels.last().keyNext = true;
            else
                ++levels.last().index;
            break;
        case '"': {
            const qsizetype begin = i;
            bool escaped = false;
            for (++i; i < json.size() && json[i] != '"'; ++i)
                if (json[i] == '\\') {
                    escaped = true;
                    ++i;
                }
            if (i >= json.size())
                return std::nullopt;
            Level& level = levels.last();
            if (!level.object || !level.keyNext)
                break;
            level.keyNext = false;
            const QByteArrayView key =
                keyBytes(QByteArrayView(json.constData() + begin, i + 1 - begin), escaped, decoded);
            const qsizetype count = keys.size() - level.firstKey;
            bool repeated = false;
            if (count < kScanned) {
                for (qsizetype k = level.firstKey; k < keys.size() && !repeated; ++k)
                    repeated = keys[k] == key;
            } else {
                if (level.hashed.isEmpty())
                    for (qsizetype k = level.firstKey; k < keys.size(); ++k)
                        level.hashed.insert(keys[k]);
                repeated = level.hashed.contains(key);
                level.hashed.insert(key);
            }
            keys.append(key);
            if (repeated)
                return path();
            break;
        }
        default:
            break;
        }
    }
    return std::nullopt;
}

// "line 3, column 5" of a byte offset into the JSON text.
QString jsonPosition(const QByteArray& json, qsizetype offset) {
    offset = std::clamp<qsizetype>(offset, 0, json.size());
    const QByteArray before = json.left(offset);
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    return QStringLiteral("%1 行 %2 桁")
        .arg(before.count('\n') + 1)
        .arg(QString::fromUtf8(before.mid(lineStart)).size() + 1);
}

} // namespace

std::optional<QString> GenProfile::iniPath() const {
    if (!ini)
        return std::nullopt;
    return QDir(QFileInfo(path).path()).filePath(*ini);
}

void GenProfile::applySettings(TPackParameters& target) const {
    for (const ParamsKey& key : paramsKeys()) {
        const auto value = settings.constFind(key.name);
        if (value == settings.constEnd())
            continue;
        switch (key.kind) {
        case SettingKind::Flag:
            target.*key.flag = value->toBool();
            break;
        case SettingKind::SmallNumber:
            target.*key.number = value->toInt();
            break;
        case SettingKind::Prefix:
        case SettingKind::PackageName:
        case SettingKind::Text:
            target.*key.text = value->toString();
            break;
        }
    }
}

QStringList GenProfile::differingSettings(const TPackParameters& current) const {
    const QVariantMap values = settingsOf(current);
    QStringList differing;
    for (const ParamsKey& key : paramsKeys()) {
        const auto value = settings.constFind(key.name);
        if (value != settings.constEnd() && *value != values.value(key.name))
            differing.append(key.name);
    }
    return differing;
}

QVariantMap GenProfile::settingsOf(const TPackParameters& source) {
    QVariantMap values;
    for (const ParamsKey& key : paramsKeys()) {
        switch (key.kind) {
        case SettingKind::Flag:
            values.insert(key.name, source.*key.flag);
            break;
        case SettingKind::SmallNumber:
            values.insert(key.name, source.*key.number);
            break;
        case SettingKind::Prefix:
        case SettingKind::PackageName:
        case SettingKind::Text:
            values.insert(key.name, source.*key.text);
            break;
        }
    }
    return values;
}

ProfileMatch GenProfile::matchTableList(const QStringList& tableList) const {
    const QHash<QString, qsizetype> positions = firstPositions(
        tableList.size(), [&](qsizetype p) -> const QString& { return tableList[p]; });
    ProfileMatch match;
    for (const ProfileTable& table : tables) {
        const qsizetype position = positions.value(table.name, -1);
        if (position < 0)
            match.missing.append(table.name);
        else
            match.positions.append(position);
    }
    std::sort(match.positions.begin(), match.positions.end());
    return match;
}

QList<qsizetype> GenProfile::selectionIn(const QStringList& tableList) const {
    const ProfileMatch match = matchTableList(tableList);
    if (!match.missing.isEmpty()) {
        const QString& name = match.missing.first();
        throw GenProfileError(
            QStringLiteral("%1: テーブル %2 はデータベースのテーブル一覧にありません%3")
                .arg(path, name, caseHint(name, tableList)));
    }
    return match.positions;
}

void GenProfile::applyTables(TCandidateList& candidates, PlainTableFlags& flags) const {
    const QHash<QString, qsizetype> candidateIndex = firstPositions(
        candidates.size(), [&](qsizetype i) -> const QString& { return candidates[i].TableName; });
    flags.rows() = QList<TableFlagValues>(candidates.size());
    for (const ProfileTable& table : tables) {
        const qsizetype i = candidateIndex.value(table.name, -1);
        if (i < 0)
            continue;
        flags.rows()[i] = table.flags;
        QList<qsizetype> arguments;
        arguments.reserve(table.argumentTables.size());
        for (const QString& name : table.argumentTables)
            if (const qsizetype k = candidateIndex.value(name, -1); k >= 0)
                arguments.append(k);
        TTableSettings& candidate = candidates[i];
        candidate.setArgumentTables(std::move(arguments));
        candidate.GenStrOn = table.genStrOn;
        candidate.GenStrCount = table.genStrCount;
        candidate.GenNumOn = table.genNumOn;
        candidate.GenNumCount = table.genNumCount;
    }
}

GenProfile parseGenProfile(const QByteArray& json, const QString& path) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        throw GenProfileError(
            QStringLiteral("%1: JSON として読めません（%2）：%3")
                .arg(path, jsonPosition(json, error.offset), error.errorString()));
    if (!document.isObject())
        throw GenProfileError(
            QStringLiteral("%1: プロファイルは JSON のオブジェクト { ... } で書いてください")
                .arg(path));

    if (const std::optional<QString> key = repeatedKey(json))
        throw GenProfileError(QStringLiteral("%1: キー \"%2\" が二度あります").arg(path, *key));

    const ObjectReader top(path, QString(), document.object());
    top.allowOnly({QStringLiteral("service"), QStringLiteral("user"), QStringLiteral("password"),
                   QStringLiteral("ini"), QStringLiteral("settings"), QStringLiteral("vb"),
                   QStringLiteral("tables")});

    GenProfile profile;
    profile.path = path;
    profile.service = top.requiredName(QStringLiteral("service"));
    profile.user = top.requiredName(QStringLiteral("user"));
    // The logon joins user and password at a "/" and splits them at the first one: a user
    // with a password in it would have the password written into the code as the schema.
    if (userWithoutPassword(profile.user) != profile.user)
        top.fail(QStringLiteral("\"user\" に / は使えません"));
    if (top.has(QStringLiteral("password")))
        profile.password = top.text(QStringLiteral("password"));
    if (top.has(QStringLiteral("ini")))
        profile.ini = top.name(QStringLiteral("ini"));
    if (top.has(QStringLiteral("settings")))
        profile.settings = readSettings(
            ObjectReader(path, QStringLiteral("settings"), top.object(QStringLiteral("settings"))));
    if (top.has(QStringLiteral("vb")))
        profile.vb = readVbOptions(
            ObjectReader(path, QStringLiteral("vb"), top.object(QStringLiteral("vb"))));
    profile.tables = readTables(path, top);
    return profile;
}

namespace {

// Far above any profile the window writes, far below what would exhaust memory when parsed.
constexpr qint64 kLargestProfile = 64 * 1024 * 1024;

} // namespace

GenProfile readGenProfile(const QString& path) {
    QByteArray json;
    try {
        json = readInputFile(path, kLargestProfile);
    } catch (const InputFileError& error) {
        throw GenProfileError(
            QStringLiteral("%1: プロファイルを読めません：%2").arg(path, error.reason()));
    }
    return parseGenProfile(json, path);
}

GenProfile readGenProfile(int descriptor) {
    const QString name = QStringLiteral("標準入力");
    QByteArray json;
    try {
        json = readInputStream(descriptor, kLargestProfile);
    } catch (const InputFileError& error) {
        throw GenProfileError(
            QStringLiteral("%1: プロファイルを読めません：%2").arg(name, error.reason()));
    }
    return parseGenProfile(json, name);
}
