// Fuzz target of the profile format (profile/gen_profile, profile/profile_writer). Any
// bytes either make a profile or a GenProfileError whose message names the file and holds
// no control character; nothing else escapes. A profile that was accepted keeps every
// promise the tool builds on: no "/" in the user, no control character in any name or
// setting text, numbers the options dialog could enter, table names not empty and given
// once, argument tables among them, and its selection and flags apply to a table list that
// holds its tables. Written out as the window saves it, it reads
// back as the same profile (but for the password, which is never written).
#include "fuzz_check.h"
#include "profile/gen_profile.h"
#include "profile/profile_writer.h"
#include "settings/setting_rules.h"

#include <QSet>

#include <algorithm>
#include <cstdint>

namespace {

const QString kPath = QStringLiteral("fuzz/profile.json");

bool isName(const QString& text) {
    return !firstControlCharacter(text);
}

bool isSmallNumber(qint32 number) {
    return number >= kMinSmallNumber && number <= kMaxSmallNumber;
}

void checkSettings(const GenProfile& profile) {
    TPackParameters settings;
    profile.applySettings(settings);
    for (const QString* text : {&settings.Public, &settings.Custom, &settings.Set, &settings.Clr,
                                &settings.INS, &settings.UPD, &settings.PackName, &settings.SysName,
                                &settings.Owner, &settings.DefPath, &settings.VbName})
        FUZZ_CHECK(isName(*text), escaped(*text));
    FUZZ_CHECK(isSmallNumber(settings.Indent), QString::number(settings.Indent));
    FUZZ_CHECK(isSmallNumber(settings.RefStrLen), QString::number(settings.RefStrLen));
}

void checkTables(const GenProfile& profile) {
    QStringList names;
    for (const ProfileTable& table : profile.tables) {
        FUZZ_CHECK(!names.contains(table.name) && !table.name.isEmpty() && isName(table.name),
                   escaped(table.name));
        names.append(table.name);
        FUZZ_CHECK(isSmallNumber(table.genStrCount) && isSmallNumber(table.genNumCount),
                   escaped(table.name));
        FUZZ_CHECK(QSet<QString>(table.argumentTables.begin(), table.argumentTables.end()).size() ==
                       table.argumentTables.size(),
                   escaped(table.name));
    }
    for (const ProfileTable& table : profile.tables)
        for (const QString& argument : table.argumentTables)
            FUZZ_CHECK(names.contains(argument), escaped(argument));

    // A table list holding the tables in the opposite order: the selection comes back in
    // the list's order, every table once.
    QStringList tableList = names;
    std::reverse(tableList.begin(), tableList.end());
    tableList.append(QStringLiteral("NOT_SELECTED"));
    const QList<qsizetype> selection = profile.selectionIn(tableList);
    FUZZ_CHECK(selection.size() == names.size(), QString::number(selection.size()));
    for (qsizetype i = 0; i < selection.size(); ++i)
        FUZZ_CHECK(selection[i] == i, QString::number(selection[i]));

    // A list without the last table refuses the selection.
    if (!names.isEmpty()) {
        bool refused = false;
        try {
            profile.selectionIn(names.first(names.size() - 1));
        } catch (const GenProfileError&) {
            refused = true;
        }
        FUZZ_CHECK(refused, escaped(names.last()));
    }

    TCandidateList candidates;
    for (const QString& name : tableList.first(names.size()))
        candidates.append(TTableSettings::startRetrieval(name));
    PlainTableFlags flags;
    profile.applyTables(candidates, flags);
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        const ProfileTable& table = profile.tables[names.size() - 1 - i];
        const TTableSettings& candidate = candidates[i];
        FUZZ_CHECK(flags.isPublic(i) == table.flags.Public &&
                       flags.isArray(i) == table.flags.Array && flags.isIns(i) == table.flags.Ins &&
                       flags.isUpd(i) == table.flags.Upd && flags.isClr(i) == table.flags.Clr,
                   escaped(table.name));
        FUZZ_CHECK(candidate.ArgumentTableCount == table.argumentTables.size(),
                   escaped(table.name));
        for (const QString& argument : table.argumentTables)
            FUZZ_CHECK(candidate.isArgumentTable(tableList.indexOf(argument)), escaped(argument));
        FUZZ_CHECK(
            candidate.GenStrOn == table.genStrOn && candidate.GenStrCount == table.genStrCount &&
                candidate.GenNumOn == table.genNumOn && candidate.GenNumCount == table.genNumCount,
            escaped(table.name));
    }
}

bool sameTable(const ProfileTable& a, const ProfileTable& b) {
    return a.name == b.name && a.flags.Public == b.flags.Public && a.flags.Array == b.flags.Array &&
           a.flags.Ins == b.flags.Ins && a.flags.Upd == b.flags.Upd && a.flags.Clr == b.flags.Clr &&
           a.argumentTables == b.argumentTables && a.genStrOn == b.genStrOn &&
           a.genStrCount == b.genStrCount && a.genNumOn == b.genNumOn &&
           a.genNumCount == b.genNumCount;
}

void checkWrittenProfile(const GenProfile& profile) {
    const QByteArray json = profileJson(profile);
    GenProfile again;
    try {
        again = parseGenProfile(json, kPath);
    } catch (const GenProfileError& error) {
        fuzzFail("the written profile reads back", __FILE__, __LINE__,
                 error.message() + QLatin1Char('\n') + QString::fromUtf8(json));
    }
    FUZZ_CHECK(profileJson(again) == json, QString::fromUtf8(json));
    FUZZ_CHECK(again.user == profile.user, escaped(again.user));
    FUZZ_CHECK(again.ini == profile.ini, escaped(again.ini.value_or(QString())));
    FUZZ_CHECK(again.settings.keys == profile.settings.keys &&
                   again.differingSettings(profile.settings.values).isEmpty(),
               QString::fromUtf8(json));
    FUZZ_CHECK(again.vb.OracleConst == profile.vb.OracleConst &&
                   again.vb.ModHeader == profile.vb.ModHeader &&
                   again.vb.VbProcHeader == profile.vb.VbProcHeader,
               QString::fromUtf8(json));
    FUZZ_CHECK(again.tables.size() == profile.tables.size(), QString::fromUtf8(json));
    for (qsizetype i = 0; i < profile.tables.size(); ++i)
        FUZZ_CHECK(sameTable(again.tables[i], profile.tables[i]),
                   escaped(profile.tables[i].name) + QStringLiteral(" -> ") +
                       escaped(again.tables[i].name));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray json(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    GenProfile profile;
    try {
        profile = parseGenProfile(json, kPath);
    } catch (const GenProfileError& error) {
        const QString message = error.message();
        FUZZ_CHECK(message.startsWith(kPath + QStringLiteral(": ")) &&
                       message.size() > kPath.size() + 2,
                   message);
        FUZZ_CHECK(isName(message), escaped(message));
        return 0;
    }
    FUZZ_CHECK(profile.path == kPath, profile.path);
    FUZZ_CHECK(!profile.user.contains(QLatin1Char('/')), escaped(profile.user));
    FUZZ_CHECK(isName(profile.user) && isName(profile.service) && isName(profile.ini.value_or("")),
               escaped(profile.user + profile.service));
    checkSettings(profile);
    checkTables(profile);
    checkWrittenProfile(profile);
    if (profile.ini)
        FUZZ_CHECK(profile.iniPath().has_value(), escaped(*profile.ini));
    return 0;
}
