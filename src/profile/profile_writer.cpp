#include "profile/profile_writer.h"

#include "settings/setting_rules.h"
#include "util/safe_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>

namespace {

// A JSON string literal, escaped as the JSON reader expects; other characters stay UTF-8.
QByteArray jsonText(const QString& text) {
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2); // without the array's brackets
}

QByteArray jsonFlag(bool value) {
    return value ? QByteArrayLiteral("true") : QByteArrayLiteral("false");
}

QByteArray jsonValue(const ParamsKey& key, const TPackParameters& settings) {
    switch (key.kind) {
    case SettingKind::Flag:
        return jsonFlag(settings.*key.flag);
    case SettingKind::SmallNumber:
        return QByteArray::number(settings.*key.number);
    case SettingKind::Prefix:
    case SettingKind::PackageName:
    case SettingKind::Text:
        break;
    }
    return jsonText(settings.*key.text);
}

// "key": value
QByteArray member(QByteArrayView key, const QByteArray& value) {
    return '"' + key.toByteArray() + "\": " + value;
}

QByteArray tableLine(const ProfileTable& table) {
    QList<QByteArray> arguments;
    for (const QString& name : table.argumentTables)
        arguments.append(jsonText(name));
    const QList<QByteArray> members{
        member("name", jsonText(table.name)),
        member("public", jsonFlag(table.flags.Public)),
        member("array", jsonFlag(table.flags.Array)),
        member("ins", jsonFlag(table.flags.Ins)),
        member("upd", jsonFlag(table.flags.Upd)),
        member("clr", jsonFlag(table.flags.Clr)),
        member("argumentTables", '[' + arguments.join(", ") + ']'),
        member("genStrOn", jsonFlag(table.genStrOn)),
        member("genStrCount", QByteArray::number(table.genStrCount)),
        member("genNumOn", jsonFlag(table.genNumOn)),
        member("genNumCount", QByteArray::number(table.genNumCount)),
    };
    return '{' + members.join(", ") + '}';
}

} // namespace

GenProfile selectionProfile(const QString& service, const QString& user,
                            const TPackParameters& settings, const VbOptions& vb,
                            const TCandidateList& candidates, const TableFlags& flags) {
    GenProfile profile;
    profile.service = service;
    profile.user = user;
    profile.settings = GenProfile::settingsOf(settings);
    // Where the save dialogs start changes no generated text.
    profile.settings.keys.removeOne(QStringLiteral("DefPath"));
    profile.vb = vb;
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        const TTableSettings& candidate = candidates[i];
        ProfileTable table;
        table.name = candidate.TableName;
        table.flags = {flags.isPublic(i), flags.isArray(i), flags.isIns(i), flags.isUpd(i),
                       flags.isClr(i)};
        for (const qsizetype k : candidate.ArgumentTables)
            if (k >= 0 && k < candidates.size())
                table.argumentTables.append(candidates[k].TableName);
        table.genStrOn = candidate.GenStrOn;
        table.genStrCount = candidate.GenStrCount;
        table.genNumOn = candidate.GenNumOn;
        table.genNumCount = candidate.GenNumCount;
        profile.tables.append(std::move(table));
    }
    return profile;
}

QByteArray profileJson(const GenProfile& profile) {
    QList<QByteArray> top{member("service", jsonText(serviceWithoutPassword(profile.service))),
                          member("user", jsonText(userWithoutPassword(profile.user)))};
    if (profile.ini)
        top.append(member("ini", jsonText(*profile.ini)));

    QList<QByteArray> settings;
    for (const ParamsKey& key : paramsKeys())
        if (profile.settings.sets(key.name))
            settings.append("    " + member(QByteArrayView(key.name.data(), key.name.size()),
                                            jsonValue(key, profile.settings.values)));
    top.append(member("settings", settings.isEmpty() ? QByteArrayLiteral("{}")
                                                     : "{\n" + settings.join(",\n") + "\n  }"));

    top.append(member(
        "vb", '{' +
                  QList<QByteArray>{member("OracleConst", jsonFlag(profile.vb.OracleConst)),
                                    member("ModHeader", jsonFlag(profile.vb.ModHeader)),
                                    member("VbProcHeader", jsonFlag(profile.vb.VbProcHeader))}
                      .join(", ") +
                  '}'));

    QList<QByteArray> tables;
    for (const ProfileTable& table : profile.tables)
        tables.append("    " + tableLine(table));
    top.append(member("tables", tables.isEmpty() ? QByteArrayLiteral("[]")
                                                 : "[\n" + tables.join(",\n") + "\n  ]"));

    QByteArray json = "{\n";
    for (qsizetype i = 0; i < top.size(); ++i)
        json += "  " + top[i] + (i + 1 < top.size() ? ",\n" : "\n");
    return json + "}\n";
}

bool profileMatchesLogon(const GenProfile& profile, const QString& service, const QString& user) {
    return profile.user == userWithoutPassword(user) &&
           serviceWithoutPassword(profile.service)
                   .compare(serviceWithoutPassword(service), Qt::CaseInsensitive) == 0;
}

void saveGenProfile(const QString& path, const GenProfile& profile) {
    const QByteArray json = profileJson(profile);
    parseGenProfile(json, path); // what cannot be read back is not written
    writeFileSafely(path, json);
}
