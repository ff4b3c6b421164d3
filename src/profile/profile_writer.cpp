#include "profile/profile_writer.h"

#include "util/safe_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>
#include <QVariant>

namespace {

// An ODBC connection string given as the service may carry the password: its PWD and
// PASSWORD attributes (any case; a value in braces, where "}}" stands for "}", taken whole)
// are left out. Any other service text stays as it is.
// TODO(merge): the core's shared service-without-password function replaces this one.
QString withoutPassword(const QString& service) {
    if (!service.contains(u'='))
        return service;
    QStringList kept;
    qsizetype begin = 0;
    while (begin <= service.size()) {
        qsizetype end = begin;
        const qsizetype equals = service.indexOf(u'=', begin);
        const qsizetype semicolon = service.indexOf(u';', begin);
        if (equals >= 0 && (semicolon < 0 || equals < semicolon)) {
            end = equals + 1;
            while (end < service.size() && service[end] == u' ')
                ++end;
            if (end < service.size() && service[end] == u'{') {
                for (++end; end < service.size(); ++end) {
                    if (service[end] != u'}')
                        continue;
                    if (end + 1 < service.size() && service[end + 1] == u'}')
                        ++end;
                    else
                        break;
                }
            }
        }
        end = service.indexOf(u';', end);
        if (end < 0)
            end = service.size();
        const QString attribute = service.mid(begin, end - begin);
        const QString name = attribute.section(u'=', 0, 0).trimmed();
        if (!attribute.contains(u'=') || (name.compare(u"PWD", Qt::CaseInsensitive) != 0 &&
                                          name.compare(u"PASSWORD", Qt::CaseInsensitive) != 0))
            kept.append(attribute);
        begin = end + 1;
    }
    return kept.join(u';');
}

// A JSON string literal, escaped as the JSON reader expects; other characters stay UTF-8.
QByteArray jsonText(const QString& text) {
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2); // without the array's brackets
}

QByteArray jsonFlag(bool value) {
    return value ? QByteArrayLiteral("true") : QByteArrayLiteral("false");
}

QByteArray jsonValue(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
        return jsonFlag(value.toBool());
    case QMetaType::Int:
        return QByteArray::number(value.toInt());
    default:
        return jsonText(value.toString());
    }
}

// "key": value
QByteArray member(const char* key, const QByteArray& value) {
    return '"' + QByteArray(key) + "\": " + value;
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
    profile.settings.remove(QStringLiteral("DefPath"));
    profile.vb = vb;
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        const TTableSettings& candidate = candidates[i];
        ProfileTable table;
        table.name = candidate.TableName;
        table.flags = {flags.isPublic(i), flags.isArray(i), flags.isIns(i), flags.isUpd(i),
                       flags.isClr(i)};
        for (qsizetype k = 0; k < candidate.ArgumentTables.size() && k < candidates.size(); ++k)
            if (candidate.ArgumentTables[k])
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
    QList<QByteArray> top{member("service", jsonText(withoutPassword(profile.service))),
                          member("user", jsonText(profile.user))};
    if (profile.ini)
        top.append(member("ini", jsonText(*profile.ini)));

    QList<QByteArray> settings;
    for (const QString& key : profileSettingKeys())
        if (const auto value = profile.settings.constFind(key); value != profile.settings.cend())
            settings.append("    " + member(key.toLatin1().constData(), jsonValue(*value)));
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
    return profile.user == user &&
           withoutPassword(profile.service)
                   .compare(withoutPassword(service), Qt::CaseInsensitive) == 0;
}

void saveGenProfile(const QString& path, const GenProfile& profile) {
    writeFileSafely(path, profileJson(profile));
}
