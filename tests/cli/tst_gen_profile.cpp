#include "tst_gen_profile.h"

#include "profile/gen_profile.h"
#include "profile/profile_writer.h"
#include "settings/setting_rules.h"

#include <QTest>

namespace {

const QString kFile = QStringLiteral("/work/team/profile.json");

GenProfile parse(const QString& json) {
    return parseGenProfile(json.toUtf8(), kFile);
}

// A profile with service and user, the rest given.
QString withLogon(const QString& rest) {
    return QStringLiteral(R"({"service": "DEMO", "user": "SCOTT"%1})")
        .arg(rest.isEmpty() ? QString() : QStringLiteral(", ") + rest);
}

TTableSettings candidate(const QString& name) {
    return TTableSettings::startRetrieval(name);
}

} // namespace

void TestGenProfile::rejects_data() {
    QTest::addColumn<QString>("json");
    QTest::addColumn<QStringList>("fragments"); // each must be in the message

    QTest::newRow("not JSON") << R"({"service": "DEMO",)" << QStringList{"JSON", "1 行"};
    QTest::newRow("error position")
        << "{\n  \"service\": \"DEMO\"\n  \"user\": \"S\"\n}" << QStringList{"3 行"};
    QTest::newRow("not an object") << R"(["DEMO"])" << QStringList{"オブジェクト"};
    QTest::newRow("no service") << R"({"user": "SCOTT"})" << QStringList{"\"service\""};
    QTest::newRow("no user") << R"({"service": "DEMO"})" << QStringList{"\"user\""};
    QTest::newRow("unknown key, case hint")
        << R"({"Service": "DEMO", "user": "S"})" << QStringList{"\"Service\"", "service"};
    QTest::newRow("service not text")
        << R"({"service": 1, "user": "S"})" << QStringList{"\"service\"", "文字列"};
    QTest::newRow("user with slash")
        << R"({"service": "DEMO", "user": "A/B"})" << QStringList{"\"user\"", "/"};
    QTest::newRow("settings not object")
        << withLogon(R"("settings": [])") << QStringList{"\"settings\"", "オブジェクト"};
    QTest::newRow("unknown settings key")
        << withLogon(R"("settings": {"Indnet": 4})") << QStringList{"settings.Indnet"};
    QTest::newRow("LastStatus key is not a setting")
        << withLogon(R"("settings": {"UserNM": "X"})") << QStringList{"settings.UserNM"};
    QTest::newRow("flag as number") << withLogon(R"("settings": {"PackHeader": 1})")
                                    << QStringList{"settings.PackHeader", "true か false"};
    QTest::newRow("number as text")
        << withLogon(R"("settings": {"Indent": "4"})") << QStringList{"settings.Indent", "整数"};
    QTest::newRow("fraction") << withLogon(R"("settings": {"Indent": 4.5})")
                              << QStringList{"settings.Indent", "整数"};
    QTest::newRow("Indent 100") << withLogon(R"("settings": {"Indent": 100})")
                                << QStringList{"settings.Indent", "-9 から 99", "100"};
    QTest::newRow("RefStrLen -10") << withLogon(R"("settings": {"RefStrLen": -10})")
                                   << QStringList{"settings.RefStrLen", "-10"};
    QTest::newRow("prefix with line break") << withLogon(R"("settings": {"Public": "P\nQ"})")
                                            << QStringList{"settings.Public", "U+000A"};
    QTest::newRow("prefix beginning with a digit")
        << withLogon(R"("settings": {"Custom": "1X_"})")
        << QStringList{"settings.Custom", "名称の先頭は英字を指定してください"};
    QTest::newRow("package name beginning with a blank")
        << withLogon(R"("settings": {"PackName": " HR_PACK "})")
        << QStringList{"settings.PackName", "名称の先頭は英字を指定してください"};
    QTest::newRow("prefix of blanks") << withLogon(R"("settings": {"Public": " "})")
                                      << QStringList{"settings.Public", "接頭語は必須です"};
    QTest::newRow("unknown vb key")
        << withLogon(R"("vb": {"ModuleHeader": false})") << QStringList{"vb.ModuleHeader"};
    QTest::newRow("vb mark not flag")
        << withLogon(R"("vb": {"ModHeader": "no"})") << QStringList{"vb.ModHeader"};
    QTest::newRow("tables not array")
        << withLogon(R"("tables": {"name": "EMP"})") << QStringList{"\"tables\"", "配列"};
    QTest::newRow("table not object")
        << withLogon(R"("tables": ["EMP"])") << QStringList{"tables[0]"};
    QTest::newRow("table without name")
        << withLogon(R"("tables": [{"public": true}])") << QStringList{"tables[0].name"};
    QTest::newRow("table key case hint")
        << withLogon(R"("tables": [{"name": "EMP", "Public": true}])")
        << QStringList{"tables[0].Public", "public"};
    QTest::newRow("genStrCount 100")
        << withLogon(R"("tables": [{"name": "EMP"}, {"name": "DEPT", "genStrCount": 100}])")
        << QStringList{"tables[1].genStrCount"};
    QTest::newRow("genNumCount -10")
        << withLogon(R"("tables": [{"name": "EMP", "genNumCount": -10}])")
        << QStringList{"tables[0].genNumCount"};
    QTest::newRow("table twice") << withLogon(R"("tables": [{"name": "EMP"}, {"name": "EMP"}])")
                                 << QStringList{"EMP", "二度"};
    QTest::newRow("argument table not listed")
        << withLogon(R"("tables": [{"name": "EMP", "argumentTables": ["Dept"]},)"
                     R"( {"name": "DEPT"}])")
        << QStringList{"tables[0].argumentTables", "Dept", "DEPT のことですか"};
    QTest::newRow("argument table not text")
        << withLogon(R"("tables": [{"name": "EMP", "argumentTables": [1]}])")
        << QStringList{"tables[0].argumentTables[0]"};
    QString many; // more keys than an object looks through one by one
    for (int k = 0; k < 40; ++k)
        many += QStringLiteral("\"k%1\": 0, ").arg(k);
    const QStringList twice{"\"user\"", "tables[1].public", "x[0].y.k3"};
    QTest::newRow("key twice, once escaped")
        << R"({"service": "D", "user": "S", "\u0075ser": "T"})" << twice.first(1);
    QTest::newRow("key twice in a table")
        << withLogon(R"("tables": [{"name": "A"}, {"name": "B", "public": true, "public": false}])")
        << twice.sliced(1, 1);
    QTest::newRow("key twice among many")
        << withLogon("\"x\": [{\"y\": {" + many + "\"k3\": 1}}]") << twice.sliced(2);
    QTest::newRow("line break in the user")
        << R"({"service": "D", "user": "SCOTT\nEVIL"})"
        << QStringList{"\"user\"", "U+000A", "SCOTT[U+000A]EVIL"};
    QTest::newRow("NUL and escape in Owner")
        << withLogon(R"("settings": {"Owner": "A\u0000\u001bB"})")
        << QStringList{"settings.Owner", "U+0000", "A[U+0000][U+001B]B"};
    QTest::newRow("escape in a table name") << withLogon(R"("tables": [{"name": "E\u001b[2J"}])")
                                            << QStringList{"tables[0].name", "U+001B"};
    QTest::newRow("empty table name")
        << withLogon(R"("tables": [{"name": ""}])") << QStringList{"tables[0].name", "空"};
    QTest::newRow("unknown key with an escape sequence")
        << withLogon(R"("\u001b[31m": 1)") << QStringList{"[U+001B][31m"};
    QTest::newRow("argument table twice")
        << withLogon(R"("tables": [{"name": "EMP", "argumentTables": ["EMP", "EMP"]}])")
        << QStringList{"tables[0].argumentTables[1]", "EMP"};
}

void TestGenProfile::rejects() {
    QFETCH(QString, json);
    QFETCH(QStringList, fragments);
    try {
        parse(json);
        QFAIL("the profile was accepted");
    } catch (const GenProfileError& error) {
        const QString message = error.message();
        QVERIFY2(message.startsWith(kFile + u':') && !firstControlCharacter(message),
                 qPrintable(message));
        for (const QString& fragment : fragments)
            QVERIFY2(message.contains(fragment),
                     qPrintable(message + QStringLiteral(" / ") + fragment));
    }
}

void TestGenProfile::readsEveryKey() {
    const GenProfile profile = parse(QStringLiteral(R"({
        "service": "ORCL", "user": "scott", "password": "tiger", "ini": "conf/Ostrel.ini",
        "settings": {"PackHeader": false, "ProcHeader": false, "Public": "EXT_",
                     "Custom": "CUS_", "Set": "S_", "Clr": "C_", "INS": "I_", "UPD": "U_",
                     "PackName": "PKG", "SysName": "人事", "Owner": "", "Indent": -2,
                     "RefStrLen": 12, "DefPath": "/tmp", "VbName": "MOD_X"},
        "vb": {"OracleConst": false, "ModHeader": false, "VbProcHeader": false},
        "tables": [{"name": "EMP", "public": true, "array": true, "ins": true, "upd": true,
                    "clr": true, "argumentTables": ["EMP"], "genStrOn": true,
                    "genStrCount": 3, "genNumOn": true, "genNumCount": -1}]})"));
    QCOMPARE(profile.path, kFile);
    QCOMPARE(profile.service, u"ORCL");
    QCOMPARE(profile.user, u"scott"); // as written, not upper-cased
    QCOMPARE(profile.password, std::optional<QString>(QStringLiteral("tiger")));
    QCOMPARE(profile.ini, std::optional<QString>(QStringLiteral("conf/Ostrel.ini")));

    TPackParameters settings;
    profile.applySettings(settings);
    QCOMPARE(settings.PackHeader, false);
    QCOMPARE(settings.ProcHeader, false);
    QCOMPARE(
        QStringList({settings.Public, settings.Custom, settings.Set, settings.Clr, settings.INS,
                     settings.UPD, settings.PackName, settings.SysName, settings.Owner,
                     settings.DefPath, settings.VbName}),
        QStringList({"EXT_", "CUS_", "S_", "C_", "I_", "U_", "PKG", "人事", "", "/tmp", "MOD_X"}));
    QCOMPARE(settings.Indent, -2);
    QCOMPARE(settings.RefStrLen, 12);

    QCOMPARE(profile.vb.OracleConst, false);
    QCOMPARE(profile.vb.ModHeader, false);
    QCOMPARE(profile.vb.VbProcHeader, false);

    QCOMPARE(profile.tables.size(), 1);
    const ProfileTable& table = profile.tables[0];
    QVERIFY(table.flags.Public && table.flags.Array && table.flags.Ins && table.flags.Upd &&
            table.flags.Clr);
    QCOMPARE(table.argumentTables, QStringList{"EMP"});
    QCOMPARE(table.genStrOn, true);
    QCOMPARE(table.genStrCount, 3);
    QCOMPARE(table.genNumOn, true);
    QCOMPARE(table.genNumCount, -1);
}

void TestGenProfile::fillsDefaults() {
    const GenProfile profile =
        parse(withLogon(R"("vb": {"ModHeader": false}, "tables": [{"name": "DEPT"}])"));
    QVERIFY(!profile.password);
    QVERIFY(!profile.ini);
    QVERIFY(profile.settings.isEmpty());
    QCOMPARE(profile.vb.OracleConst, true);
    QCOMPARE(profile.vb.ModHeader, false);
    QCOMPARE(profile.vb.VbProcHeader, true);
    const ProfileTable& table = profile.tables[0];
    QVERIFY(!table.flags.Public && !table.flags.Array && !table.flags.Ins && !table.flags.Upd &&
            !table.flags.Clr);
    QVERIFY(table.argumentTables.isEmpty());
    QCOMPARE(table.genStrOn, false);
    QCOMPARE(table.genStrCount, 10);
    QCOMPARE(table.genNumOn, false);
    QCOMPARE(table.genNumCount, 10);

    QVERIFY(parse(withLogon({})).tables.isEmpty());
}

void TestGenProfile::acceptsTheWindowsRange() {
    const GenProfile profile =
        parse(withLogon(R"("settings": {"Indent": -9, "RefStrLen": 99, "PackName": "HR_PACK ",)"
                        R"( "Set": "\tS_", "SysName": " 人事 "},)"
                        R"( "tables": [{"name": "EMP", "genStrCount": 99, "genNumCount": -9}])"));
    TPackParameters settings;
    profile.applySettings(settings);
    QCOMPARE(settings.Indent, -9);
    QCOMPARE(settings.RefStrLen, 99);
    QCOMPARE(QStringList({settings.PackName, settings.Set, settings.SysName}),
             QStringList({"HR_PACK", "S_", "人事"})); // trimmed, as the window stores them
    QCOMPARE(profile.tables[0].genStrCount, 99);
    QCOMPARE(profile.tables[0].genNumCount, -9);
}

void TestGenProfile::settingsOverrideOnlyPresentKeys() {
    TPackParameters loaded;
    loaded.Public = QStringLiteral("FROM_INI_");
    loaded.Owner = QStringLiteral("owner-from-ini");
    loaded.Indent = 3;
    parse(withLogon(R"("settings": {"Indent": 0, "Custom": "X_"})")).applySettings(loaded);
    QCOMPARE(loaded.Public, u"FROM_INI_");
    QCOMPARE(loaded.Owner, u"owner-from-ini");
    QCOMPARE(loaded.Custom, u"X_");
    QCOMPARE(loaded.Indent, 0);
}

void TestGenProfile::selectionFollowsTableList() {
    const GenProfile profile =
        parse(withLogon(R"("tables": [{"name": "社員台帳"}, {"name": "EMP"}, {"name": "DEPT"}])"));
    const QStringList tableList{"DEPT", "BONUS", "EMP", "SALGRADE", "社員台帳"};
    QCOMPARE(profile.selectionIn(tableList), QList<qsizetype>({0, 2, 4}));
}

void TestGenProfile::unknownTableIsNamed() {
    const GenProfile profile = parse(withLogon(R"("tables": [{"name": "DEPT"}, {"name": "emp"}])"));
    try {
        profile.selectionIn({"DEPT", "EMP"});
        QFAIL("an unknown table was selected");
    } catch (const GenProfileError& error) {
        const QString message = error.message();
        QVERIFY2(message.startsWith(kFile + u':'), qPrintable(message));
        QVERIFY2(message.contains(u"テーブル emp "), qPrintable(message));
        QVERIFY2(message.contains(u"EMP のことですか"), qPrintable(message));
    }
}

void TestGenProfile::tablesGetFlagsAndArgumentsByCandidateIndex() {
    // Profile order EMP, BONUS, DEPT; candidate order DEPT, EMP, BONUS.
    const GenProfile profile = parse(withLogon(R"("tables": [
        {"name": "EMP", "public": true, "upd": true, "argumentTables": ["BONUS", "DEPT"],
         "genStrOn": true, "genStrCount": 3},
        {"name": "BONUS", "array": true, "genNumOn": true, "genNumCount": 0},
        {"name": "DEPT", "clr": true, "ins": true, "argumentTables": ["DEPT"]}])"));
    TCandidateList candidates{candidate("DEPT"), candidate("EMP"), candidate("BONUS")};
    PlainTableFlags flags;
    profile.applyTables(candidates, flags);

    QCOMPARE(flags.rows().size(), 3);
    QVERIFY(flags.isIns(0) && flags.isClr(0) && !flags.isPublic(0) && !flags.isArray(0) &&
            !flags.isUpd(0));
    QVERIFY(flags.isPublic(1) && flags.isUpd(1) && !flags.isArray(1) && !flags.isIns(1) &&
            !flags.isClr(1));
    QVERIFY(flags.isArray(2) && !flags.isPublic(2));

    QCOMPARE(candidates[0].ArgumentTables, QList<qsizetype>{0});
    QCOMPARE(candidates[0].ArgumentTableCount, 1);
    QCOMPARE(candidates[1].ArgumentTables, QList<qsizetype>({0, 2}));
    QCOMPARE(candidates[1].ArgumentTableCount, 2);
    QCOMPARE(candidates[1].GenStrOn, true);
    QCOMPARE(candidates[1].GenStrCount, 3);
    QCOMPARE(candidates[1].GenNumCount, 10);
    QVERIFY(candidates[2].ArgumentTables.isEmpty());
    QCOMPARE(candidates[2].GenNumOn, true);
    QCOMPARE(candidates[2].GenNumCount, 0);
}

void TestGenProfile::iniIsTakenFromTheProfilesFolder() {
    QCOMPARE(parse(withLogon(R"("ini": "conf/Ostrel.ini")")).iniPath(),
             std::optional<QString>(QStringLiteral("/work/team/conf/Ostrel.ini")));
    QCOMPARE(parse(withLogon(R"("ini": "/etc/tamsel/Ostrel.ini")")).iniPath(),
             std::optional<QString>(QStringLiteral("/etc/tamsel/Ostrel.ini")));
    QVERIFY(!parse(withLogon({})).iniPath());
}

void TestGenProfile::writtenSelectionReadsBack() {
    // What the window's round trip does not reach: quotes and backslashes, the ends of the
    // count range, flags past the given rows, the folder of the save dialogs left out.
    TCandidateList candidates{candidate("社員台帳"), candidate("EMP")};
    candidates[0].setArgumentTables({1});
    candidates[0].GenStrCount = -9;
    candidates[1].GenNumCount = 99;
    TPackParameters settings;
    settings.SysName = QStringLiteral("\"給与\" \\ 人事");
    settings.DefPath = QStringLiteral("/home/yamada");
    const GenProfile read = parse(QString::fromUtf8(
        profileJson(selectionProfile("DEMO", "SCOTT", settings, VbOptions{false, true, false},
                                     candidates, PlainTableFlags({{true, false, true}})))));
    QCOMPARE(read.settings.values.SysName, settings.SysName);
    QVERIFY(!read.settings.sets(QLatin1StringView("DefPath")));
    QCOMPARE(read.settings.keys.size(), 14);
    QVERIFY(!read.vb.OracleConst && read.vb.ModHeader && !read.vb.VbProcHeader);
    QCOMPARE(read.tables[0].argumentTables, QStringList{"EMP"});
    QCOMPARE(read.tables[0].genStrCount, -9);
    QCOMPARE(read.tables[1].genNumCount, 99);
    QVERIFY(read.tables[0].flags.Public && read.tables[0].flags.Ins &&
            !read.tables[1].flags.Public);
}

void TestGenProfile::passwordIsNeverWritten() {
    // Not the "password" key, not a password inside the connection string given as the
    // service or after a "/" in the user (the settings store's rules).
    GenProfile profile = parse(withLogon(QString()));
    profile.service = QStringLiteral("Driver={PG};Pwd = {a;b}}c};Server=h");
    profile.user = QStringLiteral("SCOTT/tiger");
    profile.password = QStringLiteral("tiger");
    const QByteArray json = profileJson(profile);
    QCOMPARE(parse(QString::fromUtf8(json)).service, QStringLiteral("Driver={PG};Server=h"));
    QCOMPARE(parse(QString::fromUtf8(json)).user, QStringLiteral("SCOTT"));
    QVERIFY2(!json.contains("tiger") && !json.contains("a;b"), json.constData());
}
