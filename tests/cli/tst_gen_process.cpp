#include "tst_gen_process.h"

#include "gen_process.h"
#include "settings/settings.h"
#include "support/test_files.h"
#include "util/sjis.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>

#include <sys/stat.h>

namespace {

QByteArray goldenProfile() {
    return readFileBytes(testDataPath("cli/golden_profile.json"));
}

// The golden profile with its table entries in another order.
QByteArray reorderedProfile(const QList<int>& order) {
    QJsonObject profile = QJsonDocument::fromJson(goldenProfile()).object();
    const QJsonArray tables = profile.value("tables").toArray();
    QJsonArray reordered;
    for (const int index : order)
        reordered.append(tables.at(index));
    profile.insert("tables", reordered);
    return QJsonDocument(profile).toJson();
}

QString demoProfile(const QString& rest) {
    return QStringLiteral(R"({"service": "DEMO", "user": "SCOTT", %1})").arg(rest);
}

// A dictionary snapshot whose COL has a NULL where the retrieval reads text.
void writeBrokenSnapshot(const QString& path) {
    const QString connection = QStringLiteral("broken-snapshot");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        for (const char* statement :
             {"CREATE TABLE USER_TABLES (TABLE_NAME TEXT)",
              "CREATE TABLE COL (TNAME TEXT, COLNO INTEGER, CNAME TEXT, COLTYPE TEXT, "
              "WIDTH INTEGER, SCALE INTEGER, PRECISION INTEGER, NULLS TEXT)",
              "INSERT INTO USER_TABLES VALUES ('BROKEN')",
              "INSERT INTO COL VALUES ('BROKEN', 1, 'ID', 'VARCHAR2', 10, NULL, NULL, NULL)"})
            QVERIFY2(query.exec(QString::fromUtf8(statement)),
                     qPrintable(query.lastError().text()));
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

QStringList lines(const QByteArray& utf8) {
    return QString::fromUtf8(utf8).split(u'\n');
}

} // namespace

void TestGenProcess::init() {
    QVERIFY(dir_.isValid());
    // Every test starts from an empty folder.
    for (const QFileInfo& entry :
         QDir(dir_.path())
             .entryInfoList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System | QDir::Hidden))
        entry.isDir() ? QDir(entry.filePath()).removeRecursively()
                      : QFile::remove(entry.filePath());
}

QString TestGenProcess::writeProfile(const QString& json, const QString& name) {
    const QString path = QDir(dir_.path()).filePath(name);
    writeFileBytes(path, json.toUtf8());
    return path;
}

void TestGenProcess::goldenOutputs_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("golden");
    QTest::newRow("package") << "package"
                             << "cli/package.sql";
    QTest::newRow("vb") << "vb"
                        << "cli/module.bas";
    QTest::newRow("csv") << "csv"
                         << "cli/structure.csv";
}

void TestGenProcess::goldenOutputs() {
    QFETCH(QString, command);
    QFETCH(QString, golden);
    const QString profile = writeProfile(QString::fromUtf8(goldenProfile()));
    const QByteArray expected = readFileBytes(testDataPath(golden));

    const QString output = QDir(dir_.path()).filePath("out.txt");
    const GenRun toFile = runGen({command, profile, "-o", output});
    QVERIFY2(toFile.exitCode == 0, qPrintable(toFile.err));
    QVERIFY(toFile.out.isEmpty());
    QVERIFY2(toFile.err.isEmpty(), qPrintable(toFile.err));
    QCOMPARE(readFileBytes(output), expected);

    const GenRun toStdout = runGen({command, profile});
    QCOMPARE(toStdout.exitCode, 0);
    QCOMPARE(toStdout.out, expected);

    // "-" both ways: the profile from standard input, the text to standard output.
    const GenRun streams = runGenWithInput({command, "-", "-o", "-"}, goldenProfile());
    QVERIFY2(streams.exitCode == 0, qPrintable(streams.err));
    QCOMPARE(streams.out, expected);
}

void TestGenProcess::profileFromStandardInput_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("fragment"); // of standard output when done, else of error
    QTest::newRow("relative ini from the working folder")
        << demoProfile(R"("ini": "conf/Ostrel.ini", "tables": [{"name": "DEPT", "public": true}])")
               .toUtf8()
        << 0 << "PROCEDURE EXT_DEPT(";
    QTest::newRow("not JSON") << QByteArray("{\"service\": ") << 2 << "標準入力: JSON";
    QTest::newRow("over 64 MiB") << QByteArray(64 * 1024 * 1024 + 1, ' ') << 2
                                 << "標準入力: プロファイルを読めません：ファイルが大きすぎます"
                                    "（64 MiB まで）";
}

void TestGenProcess::profileFromStandardInput() {
    QFETCH(QByteArray, input);
    QFETCH(int, status);
    QFETCH(QString, fragment);
    QVERIFY(QDir(dir_.path()).mkdir("conf"));
    writeFileBytes(QDir(dir_.path()).filePath("conf/Ostrel.ini"), "[Params]\r\nPublic=EXT_\r\n");
    const GenRun run = runGenWithInput({"package", "-", "--utf8"}, input, dir_.path());
    QVERIFY2(run.exitCode == status, qPrintable(QString::number(run.exitCode) + u' ' + run.err));
    const QString said = status == 0 ? QString::fromUtf8(run.out) : run.err;
    QVERIFY2(said.contains(fragment), qPrintable(said.left(300)));
}

void TestGenProcess::versionAndHelp_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("head"); // the first lines of standard output
    QTest::addColumn<QString>("last");     // a part of its last line
    QTest::newRow("--version")
        << QStringList{"--version"}
        << QStringList{"tamsel-gen (Tamsel) 1.2.0.0", "Copyright (C) 2026 The Tamsel developers",
                       "License GPL-3.0-or-later: GNU GPL version 3 or later "
                       "<https://gnu.org/licenses/gpl.html>.",
                       "This is free software: you are free to change and redistribute it.",
                       "There is NO WARRANTY, to the extent permitted by law."}
        << "There is NO WARRANTY";
    QTest::newRow("--help") << QStringList{"--help"} << QStringList{"使い方:"}
                            << "「Reporting bugs」";
    for (const char* verb : {"package", "vb", "csv", "tables", "snapshot"})
        QTest::addRow("%s --help", verb)
            << QStringList{verb, "--help"}
            << QStringList{QStringLiteral("使い方: tamsel-gen %1 PROFILE.json").arg(verb)}
            << "tamsel-gen --help";
    QTest::newRow("help wins over a refused option")
        << QStringList{"csv", "p.json", "--strict", "-h"}
        << QStringList{"使い方: tamsel-gen csv PROFILE.json"} << "tamsel-gen --help";
}

void TestGenProcess::versionAndHelp() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, head);
    QFETCH(QString, last);
    const GenRun run = runGen(arguments);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    const QStringList shown = QString::fromUtf8(run.out).split(u'\n');
    QCOMPARE(shown.last(), QString()); // ends with a line end
    for (qsizetype i = 0; i < head.size(); ++i)
        QVERIFY2(shown.value(i).startsWith(head[i]), qPrintable(shown.value(i)));
    QVERIFY2(shown.value(shown.size() - 2).contains(last),
             qPrintable(shown.value(shown.size() - 2)));
}

void TestGenProcess::candidateOrderFollowsTableList_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QList<int>>("order");
    QTest::newRow("package, reversed") << "package" << QList<int>{4, 3, 2, 1, 0};
    QTest::newRow("package, rotated") << "package" << QList<int>{2, 3, 4, 0, 1};
    QTest::newRow("vb, reversed") << "vb" << QList<int>{4, 3, 2, 1, 0};
    QTest::newRow("csv, table-list order") << "csv" << QList<int>{4, 2, 1, 3, 0};
}

void TestGenProcess::candidateOrderFollowsTableList() {
    QFETCH(QString, command);
    QFETCH(QList<int>, order);
    const GenRun golden = runGen({command, writeProfile(QString::fromUtf8(goldenProfile()))});
    QCOMPARE(golden.exitCode, 0);
    const GenRun run =
        runGen({command, writeProfile(QString::fromUtf8(reorderedProfile(order)), "other.json")});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(run.out, golden.out);
}

void TestGenProcess::utf8DiffersOnlyInEncoding_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("package") << "package";
    QTest::newRow("vb") << "vb";
    QTest::newRow("csv") << "csv";
}

void TestGenProcess::utf8DiffersOnlyInEncoding() {
    QFETCH(QString, command);
    const QString profile = writeProfile(QString::fromUtf8(goldenProfile()));
    const GenRun saved = runGen({command, profile});
    const GenRun utf8 = runGen({command, profile, "--utf8"});
    QCOMPARE(saved.exitCode, 0);
    QCOMPARE(utf8.exitCode, 0);

    QVERIFY(!utf8.out.contains('\r'));
    QVERIFY(utf8.out.endsWith('\n'));
    QVERIFY(saved.out.endsWith("\r\n"));
    QCOMPARE(saved.out.count('\n'), saved.out.count("\r\n")); // no bare LF
    QVERIFY(saved.out != utf8.out); // the double-byte names make the encodings differ

    const std::optional<QString> decoded = fromSjis(saved.out);
    QVERIFY(decoded);
    QString unixLines = *decoded;
    unixLines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QCOMPARE(unixLines, QString::fromUtf8(utf8.out));
}

void TestGenProcess::exitStatuses_data() {
    QTest::addColumn<QString>("command");
    // "@BROKEN@" stands for a broken snapshot file, "@EMPTY@" for a zero-byte file
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QStringList>("env");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("fragments"); // each must be on standard error

    const QString publicEmp = QStringLiteral(R"("tables": [{"name": "EMP", "public": true}])");
    QTest::newRow("0 done") << "package" << demoProfile(publicEmp) << QStringList{} << 0
                            << QStringList{};
    QTest::newRow("2 not JSON") << "package"
                                << "{\"service\": " << QStringList{} << 2
                                << QStringList{"profile.json", "JSON"};
    QTest::newRow("2 unknown key") << "vb" << demoProfile(R"("setting": {})") << QStringList{} << 2
                                   << QStringList{"profile.json", "\"setting\""};
    QTest::newRow("2 wrong type") << "package"
                                  << demoProfile(R"("settings": {"Indent": "4"}, )" + publicEmp)
                                  << QStringList{} << 2
                                  << QStringList{"profile.json", "settings.Indent"};
    QTest::newRow("2 unknown table")
        << "csv" << demoProfile(R"("tables": [{"name": "EMP"}, {"name": "NO_SUCH"}])")
        << QStringList{} << 2 << QStringList{"profile.json", "NO_SUCH"};
    QTest::newRow("2 table twice")
        << "package" << demoProfile(R"("tables": [{"name": "EMP"}, {"name": "EMP"}])")
        << QStringList{} << 2 << QStringList{"profile.json", "EMP"};
    QTest::newRow("2 missing ini")
        << "package" << demoProfile(R"("ini": "nowhere/Ostrel.ini", )" + publicEmp) << QStringList{}
        << 2 << QStringList{"設定読込中にｴﾗｰがありました", "Ostrel.ini"};
    QTest::newRow("2 ini is a folder")
        << "package" << demoProfile(R"("ini": ".", )" + publicEmp) << QStringList{} << 2
        << QStringList{"設定読込中にｴﾗｰがありました", "フォルダです"};
    QTest::newRow("2 bad SOURCE_DATE_EPOCH")
        << "package" << demoProfile(publicEmp) << QStringList{"SOURCE_DATE_EPOCH=tomorrow"} << 2
        << QStringList{"SOURCE_DATE_EPOCH", "tomorrow"};
    QTest::newRow("2 csv without tables") << "csv" << demoProfile(R"("tables": [])")
                                          << QStringList{} << 2 << QStringList{"\"tables\""};
    QTest::newRow("3 no public table, package")
        << "package" << demoProfile(R"("tables": [{"name": "EMP", "array": true}])")
        << QStringList{} << 3 << QStringList{"外部に公開するﾌﾟﾛｼｰｼﾞｬが最低１つ必要です"};
    QTest::newRow("3 no table, vb") << "vb" << demoProfile(R"("tables": [])") << QStringList{} << 3
                                    << QStringList{"外部に公開するﾌﾟﾛｼｰｼﾞｬが最低１つ必要です"};
    QTest::newRow("4 logon failed")
        << "package"
        << QStringLiteral(R"({"service": "NO_SUCH_SERVICE_7Q", "user": "SCOTT", %1})")
               .arg(publicEmp)
        << QStringList{} << 4 << QStringList{"ﾃﾞｰﾀﾍﾞｰｽを開けません", "NO_SUCH_SERVICE_7Q"};
    QTest::newRow("4 zero-byte file")
        << "package"
        << QStringLiteral(R"({"service": "@EMPTY@", "user": "SCOTT", %1})").arg(publicEmp)
        << QStringList{} << 4
        << QStringList{"ﾃﾞｰﾀﾍﾞｰｽを開けません", "SQLite データベースではありません"};
    QTest::newRow("5 retrieval failed")
        << "package"
        << R"({"service": "@BROKEN@", "user": "SCOTT", "tables": [{"name": "BROKEN", "public": true}]})"
        << QStringList{} << 5 << QStringList{"テーブル情報取得中にｴﾗｰが発生しました", "NULLS"};
    QTest::newRow("6 character Shift-JIS cannot hold")
        << "package" << demoProfile(R"("settings": {"SysName": "Ω≠😀"}, )" + publicEmp)
        << QStringList{} << 6 << QStringList{"出力を書き込めません", "😀", "--utf8"};
}

void TestGenProcess::exitStatuses() {
    QFETCH(QString, command);
    QFETCH(QString, profile);
    QFETCH(QStringList, env);
    QFETCH(int, status);
    QFETCH(QStringList, fragments);

    const QString broken = QDir(dir_.path()).filePath("broken.sqlite");
    writeBrokenSnapshot(broken);
    profile.replace(QStringLiteral("@BROKEN@"), broken);
    writeFileBytes(QDir(dir_.path()).filePath("empty.sqlite"), {});
    profile.replace(QStringLiteral("@EMPTY@"), QDir(dir_.path()).filePath("empty.sqlite"));
    QMap<QString, QString> variables;
    for (const QString& setting : env)
        variables.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));

    const GenRun run = runGen({command, writeProfile(profile)}, variables);
    QVERIFY2(run.exitCode == status, qPrintable(QString::number(run.exitCode) + u' ' + run.err));
    if (status == 0) {
        QVERIFY(!run.out.isEmpty());
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        return;
    }
    QVERIFY2(run.out.isEmpty(), run.out.constData()); // nothing half written
    QVERIFY2(run.err.startsWith(u"tamsel-gen: "), qPrintable(run.err));
    for (const QString& fragment : fragments)
        QVERIFY2(run.err.contains(fragment),
                 qPrintable(run.err + QStringLiteral(" / ") + fragment));
}

void TestGenProcess::unreadableInputsAreRefused_data() {
    QTest::addColumn<QString>("role"); // the profile or the --check file
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("reason");
    const QString profile = QStringLiteral("プロファイルを読めません");
    const QString check = QStringLiteral("比較するファイルを読めません");
    const std::pair<QString, QString> kinds[] = {
        {"folder", QStringLiteral("フォルダです")},
        {"fifo", QStringLiteral("名前付きパイプです")},
        {"device", QStringLiteral("デバイスです")},
        {"missing", QStringLiteral("ファイルまたはフォルダがありません")},
    };
    for (const auto& [kind, reason] : kinds) {
        QTest::addRow("profile, %s", qPrintable(kind)) << profile << kind << 2 << reason;
        QTest::addRow("--check, %s", qPrintable(kind)) << check << kind << 6 << reason;
    }
    QTest::newRow("profile over 64 MiB")
        << profile << "large" << 2 << QStringLiteral("ファイルが大きすぎます（64 MiB まで）");
}

void TestGenProcess::unreadableInputsAreRefused() {
    QFETCH(QString, role);
    QFETCH(QString, kind);
    QFETCH(int, status);
    QFETCH(QString, reason);
    const QDir dir(dir_.path());
    QString path = dir.filePath(kind);
    if (kind == "folder") {
        QVERIFY(dir.mkdir(kind));
    } else if (kind == "fifo") {
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == "device") {
        path = QStringLiteral("/dev/zero"); // endless: read, it would fill the memory
    } else if (kind == "large") {
        QFile large(path);
        QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(64 * 1024 * 1024 + 1));
    }
    const bool isProfile = role.contains(u"プロファイル");
    QStringList arguments{"package",
                          isProfile ? path : writeProfile(QString::fromUtf8(goldenProfile()))};
    if (!isProfile)
        arguments << "--check" << path;
    const GenRun run = runGen(arguments);
    QVERIFY2(run.exitCode == status, qPrintable(QString::number(run.exitCode) + u' ' + run.err));
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.contains(role) && run.err.contains(path) && run.err.contains(reason),
             qPrintable(run.err));
}

void TestGenProcess::outOfMemoryEndsWithItsStatus() {
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the address sanitizer needs an address space without limit");
#endif
    // A profile of 1.1 million tables: read, it needs more memory than each limit gives; the
    // limits let the memory run out in different places.
    QByteArray json = R"({"service": "DEMO", "user": "SCOTT", "tables": [)";
    for (int t = 0; t < 1'100'000; ++t)
        json += (t ? ", " : "") + QStringLiteral(R"({"name": "T%1"})").arg(t).toLatin1();
    json += "]}";
    const QString profile = QDir(dir_.path()).filePath("large.json");
    writeFileBytes(profile, json);
    for (const qint64 megabytes : {200, 260, 350, 500}) {
        const GenRun run = runGen({"package", profile}, {}, megabytes * 1024 * 1024);
        QVERIFY2(run.exitCode == 9, qPrintable(QString::number(megabytes) + u' ' + run.err));
        QCOMPARE(run.err, QStringLiteral("tamsel-gen: メモリが不足しています\n"));
    }
}

void TestGenProcess::missingFolderLeavesNothing() {
    const QString profile = writeProfile(QString::fromUtf8(goldenProfile()));
    const QString missing = QDir(dir_.path()).filePath("missing");
    const GenRun run = runGen({"package", profile, "-o", missing + "/package.sql"});
    QCOMPARE(run.exitCode, 6);
    QVERIFY2(run.err.contains(u"出力を書き込めません"), qPrintable(run.err));
    QVERIFY2(run.err.contains(u"フォルダが存在しません"), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QVERIFY(!QFileInfo::exists(missing));
    QCOMPARE(QDir(dir_.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{"profile.json"});
}

void TestGenProcess::failedRunKeepsExistingFile_data() {
    QTest::addColumn<QString>("profile");
    QTest::addColumn<int>("status");
    QTest::newRow("no public table") << demoProfile(R"("tables": [{"name": "EMP"}])") << 3;
    QTest::newRow("unencodable header")
        << demoProfile(R"("settings": {"Owner": "😀"}, "tables": [{"name": "EMP", "public": true}])")
        << 6;
    QTest::newRow("unknown table") << demoProfile(R"("tables": [{"name": "NOPE"}])") << 2;
}

void TestGenProcess::failedRunKeepsExistingFile() {
    QFETCH(QString, profile);
    QFETCH(int, status);
    const QString output = QDir(dir_.path()).filePath("kept.sql");
    writeFileBytes(output, "-- hand-edited\r\n");
    const GenRun run = runGen({"package", writeProfile(profile), "-o", output});
    QCOMPARE(run.exitCode, status);
    QCOMPARE(readFileBytes(output), QByteArray("-- hand-edited\r\n"));
    QCOMPARE(QDir(dir_.path()).entryList(QDir::Files).size(), 2); // no temporary file left
}

void TestGenProcess::headerDateFollowsZoneAndLocale_data() {
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("epoch");
    QTest::addColumn<QString>("header");
    QTest::newRow("Tokyo, Japanese")
        << "Asia/Tokyo"
        << "ja_JP.UTF-8" << kPinnedEpoch << "--作成日時  ：2001年05月12日(土) [14:03:09]";
    QTest::newRow("UTC, C locale")
        << "UTC"
        << "C.UTF-8" << kPinnedEpoch << "--作成日時  ：2001年05月12日(Sat) [05:03:09]";
    QTest::newRow("New York, German") << "America/New_York"
                                      << "de_DE.UTF-8"
                                      << "0"
                                      << "--作成日時  ：1969年12月31日(Mi.) [19:00:00]";
}

void TestGenProcess::headerDateFollowsZoneAndLocale() {
    QFETCH(QString, zone);
    QFETCH(QString, locale);
    QFETCH(QString, epoch);
    QFETCH(QString, header);
    const QString profile = writeProfile(QString::fromUtf8(goldenProfile()));
    const GenRun run = runGen({"package", profile, "--utf8"},
                              {{"TZ", zone}, {"LC_ALL", locale}, {"SOURCE_DATE_EPOCH", epoch}});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(lines(run.out).value(3), header);
}

void TestGenProcess::settingsComeFromIniThenProfile() {
    // An ini as the window saves it: Shift-JIS, CR LF.
    QDir(dir_.path()).mkdir("conf");
    writeFileBytes(QDir(dir_.path()).filePath("conf/Ostrel.ini"),
                   toSjis(u"[Params]\r\nPublic=EXT_\r\nIndent=3\r\nSysName=給与\r\n"
                          u"Owner=INI_OWNER\r\nProcHeader=0\r\n"));
    const QString profile = writeProfile(demoProfile(
        R"("ini": "conf/Ostrel.ini", "settings": {"Indent": 1, "Owner": "PROFILE_OWNER"},)"
        R"( "tables": [{"name": "DEPT", "public": true}])"));
    const GenRun run = runGen({"package", profile, "--utf8"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QStringList text = lines(run.out);
    QCOMPARE(text.value(2), u"--使用ｼｽﾃﾑ名：給与");          // from the ini
    QCOMPARE(text.value(5), u"--編集者    ：PROFILE_OWNER"); // the profile wins
    QVERIFY(text.contains(u" PROCEDURE EXT_DEPT("));         // ini prefix, profile indent
    QVERIFY(!run.out.contains("--関数名："));                // ProcHeader=0 from the ini
}

void TestGenProcess::settingsDefaultsWithoutIni() {
    // A settings file beside the profile is not read unless the profile names it.
    writeFileBytes(QDir(dir_.path()).filePath("Ostrel.ini"), "[Params]\r\nPublic=NOT_\r\n");
    const QString profile =
        writeProfile(demoProfile(R"("tables": [{"name": "DEPT", "public": true}])"));
    const GenRun run = runGen({"package", profile, "--utf8"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QStringList text = lines(run.out);
    QCOMPARE(text.value(5),
             QStringLiteral("--編集者    ：") + loggedOnUserName()); // the Owner fallback
    QVERIFY(text.contains(u"  PROCEDURE PUB_DEPT("));                // default prefix, Indent 2
    QVERIFY(run.out.contains("--関数名：PUB_DEPT(Generated)"));      // ProcHeader on
}

void TestGenProcess::vbMarksReachTheModule() {
    const QString all =
        writeProfile(demoProfile(R"("tables": [{"name": "DEPT", "public": true}])"), "all.json");
    const QString none = writeProfile(
        demoProfile(R"("vb": {"OracleConst": false, "ModHeader": false, "VbProcHeader": false},)"
                    R"( "tables": [{"name": "DEPT", "public": true}])"),
        "none.json");
    const GenRun withMarks = runGen({"vb", all, "--utf8"});
    const GenRun withoutMarks = runGen({"vb", none, "--utf8"});
    QCOMPARE(withMarks.exitCode, 0);
    QCOMPARE(withoutMarks.exitCode, 0);
    for (const char* piece :
         {"'オラクルパッケージ呼出モジュール", "Public Const ORAPARM_INPUT", "'関数名"}) {
        QVERIFY2(withMarks.out.contains(piece), piece);
        QVERIFY2(!withoutMarks.out.contains(piece), piece);
    }
}

void TestGenProcess::tablesListsInTableListOrder() {
    const GenRun run = runGen({"tables", writeProfile(demoProfile(R"("tables": [])"))});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(QString::fromUtf8(run.out),
             u"DEPT\nEMP\nBONUS\nSALGRADE\nORDER_LOG\n部署マスタ\n社員台帳\n");
}

void TestGenProcess::checkComparesWithTheSavedFile_data() {
    QTest::addColumn<QStringList>("options"); // the command and its options besides --check
    QTest::addColumn<QString>("golden");      // the saved file, "" for none
    QTest::addColumn<QStringList>("edits");   // pairs: a line of the golden file, its new text
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("diff");    // standard output; SAVED and PROFILE replaced
    QTest::addColumn<QString>("message"); // a part of standard error

    const QString otherDate = QStringLiteral("--作成日時  ：1999年12月31日(金) [23:59:59]");
    QTest::newRow("same package, another date")
        << QStringList{"package"} << "cli/package.sql"
        << QStringList{"--作成日時  ：2001年05月12日(土) [14:03:09]", otherDate} << 0 << ""
        << "";
    QTest::newRow("same module, another date")
        << QStringList{"vb"} << "cli/module.bas"
        << QStringList{"'作成日時  ：2001年05月12日(土) [14:03:09]",
                       "'作成日時  ：2020年01月01日(水) [00:00:00]"}
        << 0 << ""
        << "";
    QTest::newRow("a changed line")
        << QStringList{"package"} << "cli/package.sql"
        << QStringList{"--作成日時  ：2001年05月12日(土) [14:03:09]", otherDate,
                       "--編集者    ：YAMADA", "--編集者    ：SUZUKI"}
        << 7
        << "--- SAVED\n"
           "+++ tamsel-gen package PROFILE\n"
           "@@ -3,7 +3,7 @@\n"
           " --使用ｼｽﾃﾑ名：人事システム\n"
           " --作成日時  ：1999年12月31日(金) [23:59:59]\n"
           " --作成者    ：Tamsel (Generator)\n"
           "---編集者    ：SUZUKI\n"
           "+--編集者    ：YAMADA\n"
           " --**************************************************\n"
           " \n"
           " --ﾊﾟｯｹｰｼﾞ仕様定義部\n"
        << "は生成した内容と異なります";
    QTest::newRow("LF instead of CR LF")
        << QStringList{"csv"} << "cli/structure.csv" << QStringList{"\r\n", "\n"} << 7 << ""
        << "1 行目の行末がCR LFではありません";
    QTest::newRow("missing file") << QStringList{"package"} << "" << QStringList{} << 6 << ""
                                  << "比較するファイルを読めません";
}

void TestGenProcess::checkComparesWithTheSavedFile() {
    QFETCH(QStringList, options);
    QFETCH(QString, golden);
    QFETCH(QStringList, edits);
    QFETCH(int, status);
    QFETCH(QString, diff);
    QFETCH(QString, message);
    const QString profile = writeProfile(QString::fromUtf8(goldenProfile()));
    const QString saved = QDir(dir_.path()).filePath("saved.txt");
    QByteArray savedBytes;
    if (!golden.isEmpty()) {
        QString text = *fromSjis(readFileBytes(testDataPath(golden)));
        for (qsizetype e = 0; e + 1 < edits.size(); e += 2) {
            QVERIFY2(text.contains(edits[e]), qPrintable(edits[e]));
            text.replace(edits[e], edits[e + 1]);
        }
        savedBytes = toSjis(text);
        writeFileBytes(saved, savedBytes);
    }

    const GenRun run = runGen(options + QStringList{profile, "--check", saved});
    QVERIFY2(run.exitCode == status, qPrintable(QString::number(run.exitCode) + u' ' + run.err));
    diff.replace("SAVED", saved).replace("PROFILE", profile);
    QCOMPARE(QString::fromUtf8(run.out), diff);
    QVERIFY2(message.isEmpty() ? run.err.isEmpty() : run.err.contains(message),
             qPrintable(run.err));
    if (!golden.isEmpty())
        QCOMPARE(readFileBytes(saved), savedBytes); // only read
}

void TestGenProcess::reservedNamesWarnOrFail() {
    const QString profile = writeProfile(demoProfile(
        R"("settings": {"PackName": "ORDER", "PackHeader": false},
           "tables": [{"name": "EMP", "public": true}])"));
    const QString output = QDir(dir_.path()).filePath("ORDER.sql");
    const GenRun warned = runGen({"package", profile, "-o", output});
    QCOMPARE(warned.exitCode, 0);
    QVERIFY2(warned.err.endsWith(u"\n  ORDER（2 行目）\n"), qPrintable(warned.err));
    QCOMPARE(readFileBytes(output).split('\n').value(1), "CREATE OR REPLACE PACKAGE ORDER AS\r");

    QVERIFY(QFile::remove(output));
    const GenRun failed = runGen({"package", profile, "--strict", "-o", output});
    QCOMPARE(failed.exitCode, 8);
    QVERIFY2(failed.err.endsWith(u"\n  ORDER（2 行目）\n"), qPrintable(failed.err));
    QVERIFY(!QFileInfo::exists(output));
}

void TestGenProcess::snapshotTakesTheProfilesTables() {
    // Only the profile's tables, in the list's order; the golden outputs come from it alone.
    const QString snapshot = QDir(dir_.path()).filePath("part.sqlite");
    const GenRun taken =
        runGen({"snapshot", writeProfile(QString::fromUtf8(goldenProfile())), "-o", snapshot});
    QJsonObject profile = QJsonDocument::fromJson(goldenProfile()).object();
    QVERIFY2(taken.exitCode == 0 && taken.out.isEmpty() && taken.err.isEmpty(),
             qPrintable(taken.err));
    profile.insert("service", snapshot);
    const QString fromSnapshot =
        writeProfile(QString::fromUtf8(QJsonDocument(profile).toJson()), "snapshot.json");
    QCOMPARE(QString::fromUtf8(runGen({"tables", fromSnapshot}).out),
             u"DEPT\nEMP\nORDER_LOG\n部署マスタ\n社員台帳\n");
    const GenRun package = runGen({"package", fromSnapshot});
    QVERIFY2(package.exitCode == 0, qPrintable(package.err));
    QCOMPARE(package.out, readFileBytes(testDataPath("cli/package.sql")));

    // "-o -" sends the same file down a pipe.
    const GenRun piped = runGen({"snapshot", fromSnapshot, "-o", "-"});
    QVERIFY2(piped.exitCode == 0, qPrintable(piped.err));
    QCOMPARE(piped.out, readFileBytes(snapshot));
}

void TestGenProcess::snapshotFailuresLeaveNothing_data() {
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QString>("target"); // in the test's folder
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("fragment");
    const QString all = demoProfile(R"("tables": [])");
    QTest::newRow("target is a folder") << all << "folder" << 6 << "同じ名前のフォルダがあります";
    QTest::newRow("no such folder") << all << "missing/d.sqlite" << 6 << "フォルダが存在しません";
}

void TestGenProcess::snapshotFailuresLeaveNothing() {
    QFETCH(QString, profile);
    QFETCH(QString, target);
    QFETCH(int, status);
    QFETCH(QString, fragment);
    const QDir dir(dir_.path());
    dir.mkdir("folder");
    dir.mkdir("tmp");
    const QString profilePath = writeProfile(profile);
    const GenRun run = runGen({"snapshot", profilePath, "-o", dir.filePath(target)},
                              {{"TMPDIR", dir.filePath("tmp")}});
    QVERIFY2(run.exitCode == status, qPrintable(QString::number(run.exitCode) + u' ' + run.err));
    QVERIFY2(run.err.contains(fragment), qPrintable(run.err));
    QCOMPARE(dir.entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             (QStringList{"folder", "profile.json", "tmp"}));
    QVERIFY(QDir(dir.filePath("folder")).isEmpty());
    QVERIFY(QDir(dir.filePath("tmp")).isEmpty());
}

GenRun TestGenProcess::onTerminal(const QStringList& arguments, const QByteArray& typed,
                                  const QMap<QString, QString>& env, const QString& errFile) {
    const QString script = QStandardPaths::findExecutable("script");
    if (script.isEmpty())
        return {};
    // The variables are the program's own: the shell in between would complain of a locale
    // the machine lacks.
    QStringList command{QStringLiteral("env")};
    for (auto it = env.cbegin(); it != env.cend(); ++it)
        command << u'\'' + it.key() + u'=' + it.value() + u'\'';
    command << QStringLiteral(TAMSEL_GEN_PATH);
    for (const QString& argument : arguments)
        command << u'\'' + argument + u'\'';
    QProcess terminal;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("TAMSEL_PASSWORD");
    terminal.setProcessEnvironment(environment);
    // script runs the command on a pseudo-terminal: its standard input and error are one.
    // With errFile, standard error goes there and the terminal keeps LF as it comes.
    const QString shell =
        errFile.isEmpty()
            ? command.join(u' ')
            : QStringLiteral("stty -onlcr; %1 2>'%2'").arg(command.join(u' '), errFile);
    terminal.start(script, {"-qec", shell, "/dev/null"});
    terminal.write(typed);
    terminal.closeWriteChannel();
    if (!terminal.waitForFinished(60000)) {
        terminal.kill();
        terminal.waitForFinished();
    }
    return {terminal.exitCode(), terminal.readAllStandardOutput(),
            errFile.isEmpty() ? QString() : QString::fromUtf8(readFileBytes(errFile))};
}

void TestGenProcess::progressOnATerminal() {
    if (QStandardPaths::findExecutable("script").isEmpty())
        QSKIP("no script(1) to give tamsel-gen a terminal");
    const QString profile = writeProfile(
        demoProfile(R"("tables": [{"name": "DEPT", "public": true}, {"name": "EMP"}])"));
    const QString output = QDir(dir_.path()).filePath("package.sql");
    const GenRun run = onTerminal({"package", profile, "-o", output});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QString::fromUtf8(run.out),
             QStringLiteral("\rテーブル情報を取得中・・・ 0/2\x1b[K"
                            "\rテーブル情報を取得中・・・ 1/2\x1b[K"
                            "\rテーブル情報を取得中・・・ 2/2\x1b[K\r\x1b[K"));
    // With standard error a pipe nothing is shown: goldenOutputs finds it empty.
}

void TestGenProcess::passwordAskedOnlyWhereChecked_data() {
    QTest::addColumn<QString>("service"); // "@SQLITE@" stands for a SQLite file
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("status");
    QTest::newRow("demo database") << "DEMO" << false << 0;
    QTest::newRow("SQLite file") << "@SQLITE@" << false << 0;
    QTest::newRow("ODBC connection string") << "DRIVER={NO SUCH DRIVER 7Q}" << true << 4;
}

void TestGenProcess::passwordAskedOnlyWhereChecked() {
    QFETCH(QString, service);
    QFETCH(bool, asked);
    QFETCH(int, status);
    if (QStandardPaths::findExecutable("script").isEmpty())
        QSKIP("no script(1) to give tamsel-gen a terminal");
    const QString snapshot = QDir(dir_.path()).filePath("snapshot.sqlite");
    writeBrokenSnapshot(snapshot);
    service.replace("@SQLITE@", snapshot);
    const QString profile = writeProfile(
        QStringLiteral(R"({"service": "%1", "user": "SCOTT", "tables": []})").arg(service));
    // Without a prompt nothing reads the line typed; with one, it is read as the password.
    const GenRun run = onTerminal({"tables", profile}, "typed\n");
    QVERIFY2(run.exitCode == status, run.out.constData());
    QCOMPARE(run.out.contains("パスワード: "), asked);
}

void TestGenProcess::terminalShowsUtf8_data() {
    QTest::addColumn<QStringList>("arguments"); // after the command and the profile
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("shown"); // "utf8": as --utf8 writes it, "saved": the golden file
    QTest::addColumn<QString>("err");   // a part of standard error; "": nothing
    QTest::newRow("package") << QStringList{"package"} << 0 << "utf8"
                             << "Shift-JIS";
    QTest::newRow("csv") << QStringList{"csv"} << 0 << "utf8"
                         << "CR LF";
    QTest::newRow("quiet") << QStringList{"vb", "-q"} << 0 << "utf8"
                           << "";
    QTest::newRow("--utf8 asked") << QStringList{"vb", "--utf8"} << 0 << "utf8"
                                  << "";
    QTest::newRow("-o - keeps the saved form") << QStringList{"package", "-o", "-"} << 0 << "saved"
                                               << "";
    QTest::newRow("snapshot refused") << QStringList{"snapshot", "-o", "-"} << 6 << ""
                                      << "端末";
}

void TestGenProcess::terminalShowsUtf8() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, shown);
    QFETCH(QString, err);
    if (QStandardPaths::findExecutable("script").isEmpty())
        QSKIP("no script(1) to give tamsel-gen a terminal");
    const QString profile = writeProfile(QString::fromUtf8(goldenProfile()));
    const QString command = arguments.takeFirst();
    const GenRun run = onTerminal(
        QStringList{command, profile} + arguments, {},
        {{"TZ", "Asia/Tokyo"}, {"LC_ALL", "ja_JP.UTF-8"}, {"SOURCE_DATE_EPOCH", kPinnedEpoch}},
        QDir(dir_.path()).filePath("err.txt"));
    QVERIFY2(run.exitCode == status, qPrintable(run.err));
    QByteArray expected;
    if (shown == "utf8")
        expected = runGen({command, profile, "--utf8"}).out;
    else if (shown == "saved")
        expected = readFileBytes(testDataPath("cli/package.sql"));
    QCOMPARE(run.out, expected);
    if (err.isEmpty())
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    else
        QVERIFY2(run.err.count(err) == 1 && run.err.startsWith(u"tamsel-gen: "),
                 qPrintable(run.err));
}

void TestGenProcess::quietKeepsWarningsAndErrors_data() {
    QTest::addColumn<QStringList>("arguments"); // @X@ stands for the test's file X
    QTest::addColumn<bool>("onTerminal");
    QTest::addColumn<QString>("said"); // a part of standard error (the terminal); "": nothing
    QTest::newRow("progress silenced")
        << QStringList{"package", "@golden.json@", "-o", "@out.sql@", "-q"} << true << "";
    QTest::newRow("no-table notice")
        << QStringList{"tables", "@empty.json@"} << false << "テーブルが存在しません";
    QTest::newRow("no-table notice silenced")
        << QStringList{"tables", "@empty.json@", "--quiet"} << false << "";
    QTest::newRow("reserved-name warning kept")
        << QStringList{"package", "@order.json@", "-q", "-o", "@out.sql@"} << false
        << "ORDER（2 行目）";
    QTest::newRow("error kept") << QStringList{"package", "@missing.json@", "-q"} << false
                                << "プロファイルを読めません";
}

void TestGenProcess::quietKeepsWarningsAndErrors() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, onTerminal);
    QFETCH(QString, said);
    if (onTerminal && QStandardPaths::findExecutable("script").isEmpty())
        QSKIP("no script(1) to give tamsel-gen a terminal");
    const QDir dir(dir_.path());
    writeProfile(QString::fromUtf8(goldenProfile()), "golden.json");
    writeProfile(demoProfile(R"("settings": {"PackName": "ORDER", "PackHeader": false},
                                "tables": [{"name": "EMP", "public": true}])"),
                 "order.json");
    const QString empty = dir.filePath("empty.sqlite");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "empty");
        db.setDatabaseName(empty);
        QVERIFY(db.open() && QSqlQuery(db).exec("PRAGMA user_version = 1"));
        db.close();
    }
    QSqlDatabase::removeDatabase("empty");
    writeProfile(QStringLiteral(R"({"service": "%1", "user": "SCOTT"})").arg(empty), "empty.json");
    for (QString& argument : arguments)
        if (argument.startsWith(u'@'))
            argument = dir.filePath(argument.mid(1).chopped(1));

    const GenRun run = onTerminal ? this->onTerminal(arguments) : runGen(arguments);
    const QString shown = onTerminal ? QString::fromUtf8(run.out) : run.err;
    if (said.isEmpty())
        QVERIFY2(shown.isEmpty(), qPrintable(shown));
    else
        QVERIFY2(shown.contains(said), qPrintable(shown));
}
