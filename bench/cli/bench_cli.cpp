// tamsel-gen package at scale: for each table count, a dictionary snapshot (USER_TABLES and
// COL, COL indexed on (TNAME, COLNO)) of that many tables x 40 columns, every table selected
// with every flag set, three argument tables and both generic arrays each. Per count:
//
//  - package: the whole process's wall time, CPU time (user + sys), peak memory, the size
//    of the output and its rate per CPU second, and peak memory per output byte;
//  - retrieval: tamsel-gen on a profile listing every table with no flag (it stops after
//    reading the columns, with status 3), side by side with the sqlite3 shell running the
//    very queries the tool sends (`sqlite3 -readonly FILE '.read queries.sql'`);
//  - with --unindexed, the same two runs of tamsel-gen on a copy of the snapshot whose COL
//    has no index;
//  - with --plain, tamsel-gen package and tables on a plain schema of the same tables
//    (tamsel-gen builds the dictionary at logon, as for the demo database);
//  - with --check-and-snapshot, tamsel-gen package --check against the file just written,
//    against a copy with two lines changed far apart and against one with every indented
//    line changed, and (with --plain) tamsel-gen snapshot of the plain schema.
//
// Peak memory comes from GNU time (/usr/bin/time), CPU time from the process's usage as its
// parent reaped it (in microseconds), wall time from the launch to the exit; every figure is the
// median over the runs (peak memory: the largest). Several
// --gen binaries (an old build and a new one) are measured in alternating runs, so that the
// load of a shared machine falls on both alike.
//
// Usage: bench_cli --help. --keep leaves each count's files in FOLDER/N (profiles, snapshots,
// queries), for profiling a run by hand.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

constexpr int kColumns = 40;
constexpr int kArgumentTables = 3;
constexpr int kExitNoPublicTable = 3; // tamsel-gen's status after a retrieval with no flag
constexpr int kExitDifferent = 7;     // tamsel-gen --check's status for a file that differs

struct ColumnType {
    const char* declared; // in CREATE TABLE
    const char* type;     // COLTYPE
    int width;
    int precision; // -1: NULL
    int scale;     // -1: NULL
};

const ColumnType kTypes[] = {
    {"NUMBER(10,2)", "NUMBER", 22, 10, 2}, {"VARCHAR2(40)", "VARCHAR2", 40, -1, -1},
    {"DATE", "DATE", 7, -1, -1},           {"CHAR(1)", "CHAR", 1, -1, -1},
    {"NUMBER(8)", "NUMBER", 22, 8, 0},     {"VARCHAR2(200)", "VARCHAR2", 200, -1, -1},
};

QString tableName(int t) {
    return QStringLiteral("SALES_TABLE_%1").arg(t, 5, 10, QLatin1Char('0'));
}
QString columnName(int c) {
    return QStringLiteral("COLUMN_NAME_%1").arg(c, 2, 10, QLatin1Char('0'));
}
const ColumnType& columnType(int t, int c) {
    return kTypes[(t + c) % std::size(kTypes)];
}

void exec(QSqlQuery& query, const QString& sql) {
    if (!query.exec(sql))
        throw std::runtime_error(query.lastError().text().toStdString());
}

void exec(QSqlQuery& query) {
    if (!query.exec())
        throw std::runtime_error(query.lastError().text().toStdString());
}

template <typename Fill> void makeSqliteFile(const QString& path, Fill fill) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), path);
        db.setDatabaseName(path);
        if (!db.open())
            throw std::runtime_error(db.lastError().text().toStdString());
        QSqlQuery query(db);
        exec(query, QStringLiteral("BEGIN"));
        fill(db, query);
        exec(query, QStringLiteral("COMMIT"));
        db.close();
    }
    QSqlDatabase::removeDatabase(path);
}

void makePlainSchema(const QString& path, int tables) {
    makeSqliteFile(path, [tables](QSqlDatabase&, QSqlQuery& query) {
        for (int t = 0; t < tables; ++t) {
            QStringList columns;
            for (int c = 0; c < kColumns; ++c)
                columns << columnName(c) + u' ' + QString::fromLatin1(columnType(t, c).declared) +
                               (c == 0 ? QStringLiteral(" NOT NULL PRIMARY KEY") : QString());
            exec(query, QStringLiteral("CREATE TABLE %1 (%2)")
                            .arg(tableName(t), columns.join(QStringLiteral(", "))));
        }
    });
}

void makeSnapshot(const QString& path, int tables, bool indexed) {
    makeSqliteFile(path, [tables, indexed](QSqlDatabase& db, QSqlQuery& query) {
        exec(query, QStringLiteral("CREATE TABLE USER_TABLES (TABLE_NAME TEXT NOT NULL)"));
        exec(query, QStringLiteral("CREATE TABLE COL (TNAME TEXT, COLNO INTEGER, CNAME TEXT, "
                                   "COLTYPE TEXT, WIDTH INTEGER, SCALE INTEGER, "
                                   "PRECISION INTEGER, NULLS TEXT)"));
        if (indexed)
            exec(query, QStringLiteral("CREATE INDEX COL_TABLE ON COL (TNAME, COLNO)"));
        QSqlQuery table(db);
        table.prepare(QStringLiteral("INSERT INTO USER_TABLES VALUES (?)"));
        QSqlQuery column(db);
        column.prepare(QStringLiteral("INSERT INTO COL VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
        const auto orNull = [](int value) {
            return value < 0 ? QVariant() : QVariant(value);
        };
        for (int t = 0; t < tables; ++t) {
            const QString name = tableName(t);
            table.bindValue(0, name);
            exec(table);
            for (int c = 0; c < kColumns; ++c) {
                const ColumnType& type = columnType(t, c);
                const QVariant values[] = {name,
                                           c + 1,
                                           columnName(c),
                                           QString::fromLatin1(type.type),
                                           type.width,
                                           orNull(type.scale),
                                           orNull(type.precision),
                                           c == 0 ? QStringLiteral("NOT NULL")
                                                  : QStringLiteral("NULL")};
                for (int v = 0; v < 8; ++v)
                    column.bindValue(v, values[v]);
                exec(column);
            }
        }
    });
}

// Every table; with flags, each one public with every flag and its argument settings.
void writeProfile(const QString& path, const QString& service, int count, bool flags) {
    QJsonArray tables;
    for (int t = 0; t < count; ++t) {
        if (!flags) {
            tables.append(QJsonObject{{"name", tableName(t)}});
            continue;
        }
        QJsonArray arguments;
        for (int k = 0; k < kArgumentTables; ++k)
            arguments.append(tableName((t + k) % count));
        tables.append(QJsonObject{{"name", tableName(t)},
                                  {"public", true},
                                  {"array", true},
                                  {"ins", true},
                                  {"upd", true},
                                  {"clr", true},
                                  {"argumentTables", arguments},
                                  {"genStrOn", true},
                                  {"genNumOn", true}});
    }
    const QJsonObject profile{
        {"service", service},
        {"user", "APP"},
        {"settings", QJsonObject{{"Owner", "bench"}, {"SysName", "販売管理"}}},
        {"tables", tables}};
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(profile).toJson()) < 0)
        throw std::runtime_error("cannot write the profile");
}

// The dictionary queries, word for word as the tool sends them.
void writeQueries(const QString& path, int tables) {
    QString sql = QStringLiteral("SELECT TABLE_NAME FROM USER_TABLES;\n");
    for (int t = 0; t < tables; ++t)
        sql += QStringLiteral("SELECT CNAME,COLTYPE,WIDTH,PRECISION,SCALE,NULLS FROM COL WHERE "
                              "TNAME = '%1' ORDER BY COLNO;\n")
                   .arg(tableName(t));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(sql.toUtf8()) < 0)
        throw std::runtime_error("cannot write the queries");
}

struct Measure {
    double wallSeconds = 0;
    double cpuSeconds = 0;
    long peakKiB = 0;
};

// Where the peak memory comes from. Linux keeps a process's high-water mark across exec,
// so a child spawned straight from this (Qt-linked) process would report at least this
// process's size; GNU time forks from a small process and reports the child's own peak.
const char* const kGnuTime = "/usr/bin/time";

// One run of a program with standard input from /dev/null and its output discarded; it
// must end with the expected status.
Measure runOnce(const std::vector<std::string>& command, int expectedStatus,
                const QString& timeReport) {
    std::vector<std::string> arguments;
    const bool useTime = QFile::exists(QString::fromLatin1(kGnuTime));
    if (useTime)
        arguments = {kGnuTime, "-f", "%U %S %M", "-o", timeReport.toStdString()};
    arguments.insert(arguments.end(), command.begin(), command.end());

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + arguments[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != expectedStatus)
        throw std::runtime_error(command[0] + " ended with status " +
                                 std::to_string(WEXITSTATUS(status)) + ", not " +
                                 std::to_string(expectedStatus));

    Measure measure;
    measure.wallSeconds = std::chrono::duration<double>(end - start).count();
    // In microseconds, where GNU time reports hundredths: the usage of a child reaped by
    // wait4 counts the children it reaped, so through GNU time it is the program's (and the
    // millisecond or so of GNU time's own).
    measure.cpuSeconds = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
                         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    if (useTime) {
        QFile report(timeReport);
        report.open(QIODevice::ReadOnly);
        // GNU time starts its report with a line of its own for a nonzero status.
        const QList<QByteArray> lines = report.readAll().trimmed().split('\n');
        const QList<QByteArray> fields = lines.last().simplified().split(' ');
        if (fields.size() < 3)
            throw std::runtime_error("unexpected report from " + std::string(kGnuTime));
        measure.peakKiB = fields[2].toLong();
    } else {
        measure.peakKiB = usage.ru_maxrss; // at least this process's own size, see above
    }
    return measure;
}

// Median wall and CPU time, largest peak.
Measure summary(const std::vector<Measure>& all) {
    const auto median = [&](auto field) {
        std::vector<double> values;
        for (const Measure& m : all)
            values.push_back(m.*field);
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    Measure result;
    result.wallSeconds = median(&Measure::wallSeconds);
    result.cpuSeconds = median(&Measure::cpuSeconds);
    for (const Measure& m : all)
        result.peakKiB = std::max(result.peakKiB, m.peakKiB);
    return result;
}

using Command = std::vector<std::string>;

// Runs each command `runs` times, the commands taking turns, and returns their summaries.
// Each command must end with its expected status (0 where none is given).
std::vector<Measure> measureAlternately(int runs, const std::vector<Command>& commands,
                                        const std::vector<int>& expectedStatuses = {}) {
    static const QTemporaryDir scratch;
    std::vector<std::vector<Measure>> all(commands.size());
    for (int i = 0; i < runs; ++i)
        for (size_t c = 0; c < commands.size(); ++c)
            all[c].push_back(runOnce(commands[c],
                                     c < expectedStatuses.size() ? expectedStatuses[c] : 0,
                                     scratch.filePath(QStringLiteral("time.txt"))));
    std::vector<Measure> result;
    for (const std::vector<Measure>& measures : all)
        result.push_back(summary(measures));
    return result;
}

void print(const std::string& what, const Measure& m, qint64 outputBytes = -1) {
    std::printf("  %-44s %8.3f s wall %8.3f s cpu %8.1f MiB peak", what.c_str(), m.wallSeconds,
                m.cpuSeconds, m.peakKiB / 1024.0);
    if (outputBytes > 0)
        std::printf("  %6.1f MB/s cpu  %4.2f B peak/B out", outputBytes / 1e6 / m.cpuSeconds,
                    m.peakKiB * 1024.0 / outputBytes);
    std::printf("\n");
}

const char* const kUsage =
    "usage: bench_cli [--runs N] [--tables N[,N...]] [--gen PATH]... [--sqlite3 PATH]\n"
    "                 [--unindexed] [--plain] [--check-and-snapshot] [--keep FOLDER]\n"
    "Per table count (default 1000,5000,20000; 40 columns each): tamsel-gen package on a\n"
    "snapshot, and the retrieval alone beside the sqlite3 shell running the same queries\n"
    "(whole processes, taking turns). Median wall and CPU time of --runs runs (default 3),\n"
    "largest peak memory, and the retrieval's memory per column read: its peak over the\n"
    "columns, and what the peak grew by for each column over a retrieval of one table.\n"
    "Several --gen binaries are measured in alternating runs. --keep leaves each count's\n"
    "files in FOLDER/N.\n";

struct Options {
    int runs = 3;
    std::vector<int> tableCounts{1000, 5000, 20000};
    std::vector<std::string> gens;
    std::string sqlite3 = "sqlite3";
    bool unindexed = false;
    bool plain = false;
    bool checkAndSnapshot = false;
    QString keep; // a folder to keep the files in, for profiling the runs by hand
};

Options parse(const QStringList& arguments) {
    Options options;
    for (qsizetype a = 1; a < arguments.size(); ++a) {
        const QString& argument = arguments[a];
        const auto value = [&]() -> QString {
            if (a + 1 >= arguments.size())
                throw std::runtime_error(argument.toStdString() + " needs a value");
            return arguments[++a];
        };
        if (argument == QLatin1String("--help")) {
            std::printf("%s", kUsage);
            std::exit(0);
        } else if (argument == QLatin1String("--runs")) {
            options.runs = std::max(1, value().toInt());
        } else if (argument == QLatin1String("--tables")) {
            options.tableCounts.clear();
            for (const QString& count : value().split(u',')) {
                bool ok = false;
                const int n = count.toInt(&ok);
                if (!ok || n < kArgumentTables)
                    throw std::runtime_error("bad table count " + count.toStdString());
                options.tableCounts.push_back(n);
            }
        } else if (argument == QLatin1String("--gen")) {
            options.gens.push_back(QFileInfo(value()).absoluteFilePath().toStdString());
        } else if (argument == QLatin1String("--sqlite3")) {
            options.sqlite3 = value().toStdString();
        } else if (argument == QLatin1String("--unindexed")) {
            options.unindexed = true;
        } else if (argument == QLatin1String("--plain")) {
            options.plain = true;
        } else if (argument == QLatin1String("--check-and-snapshot")) {
            options.checkAndSnapshot = true;
        } else if (argument == QLatin1String("--keep")) {
            options.keep = QFileInfo(value()).absoluteFilePath();
        } else {
            throw std::runtime_error("unknown argument " + argument.toStdString() +
                                     " (bench_cli --help)");
        }
    }
    if (options.gens.empty())
        options.gens.push_back(TAMSEL_GEN_PATH);
    return options;
}

// The commands of each binary with the same arguments.
std::vector<Command> forEachGen(const Options& options, const Command& arguments) {
    std::vector<Command> commands;
    for (const std::string& gen : options.gens) {
        Command command{gen};
        command.insert(command.end(), arguments.begin(), arguments.end());
        commands.push_back(command);
    }
    return commands;
}

std::string label(const Options& options, size_t g, const std::string& what) {
    if (options.gens.size() == 1)
        return what;
    return what + " [" + std::to_string(g + 1) + "]";
}

// From the saved package: a copy with a line in the middle and one near the end changed,
// and one with every indentation a blank wider (Shift-JIS never has a blank inside a
// double-byte character, so the text stays valid).
void writeVariants(const std::string& package, const QString& twoChanged,
                   const QString& reindented) {
    QFile saved(QString::fromStdString(package));
    if (!saved.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + package);
    QByteArray text = saved.readAll();
    QList<QByteArray> lines = text.split('\n');
    for (const qsizetype at : {lines.size() / 2, lines.size() - 20})
        lines[at].insert(0, "-- edited ");
    QFile changed(twoChanged);
    QFile wider(reindented);
    if (!changed.open(QIODevice::WriteOnly) || changed.write(lines.join('\n')) < 0 ||
        !wider.open(QIODevice::WriteOnly) || wider.write(text.replace("  ", "   ")) < 0)
        throw std::runtime_error("cannot write the changed packages");
}

qint64 fileSize(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).size();
}

void benchTableCount(const Options& options, int tables) {
    QTemporaryDir temporary;
    if (!temporary.isValid())
        throw std::runtime_error("no temporary folder");
    const QDir dir(options.keep.isEmpty() ? temporary.path()
                                          : options.keep + QStringLiteral("/%1").arg(tables));
    if (!dir.mkpath(QStringLiteral(".")))
        throw std::runtime_error("cannot make " + dir.path().toStdString());
    for (const QString& old : dir.entryList(QDir::Files))
        QFile::remove(dir.filePath(old));
    const auto path = [&dir](const char* name) {
        return dir.filePath(QLatin1String(name));
    };
    makeSnapshot(path("snapshot.sqlite"), tables, true);
    writeProfile(path("package.json"), path("snapshot.sqlite"), tables, true);
    writeProfile(path("retrieval.json"), path("snapshot.sqlite"), tables, false);
    writeQueries(path("queries.sql"), tables);
    const std::string output = path("package.sql").toStdString();

    std::printf("%d tables x %d columns, every flag, %d argument tables and both generic arrays "
                "each; median of %d runs\n",
                tables, kColumns, kArgumentTables, options.runs);
    const std::vector<Measure> package = measureAlternately(
        options.runs,
        forEachGen(options, {"package", path("package.json").toStdString(), "-o", output}));
    const qint64 outputBytes = fileSize(output);
    std::printf("  package: %.1f MB (Shift-JIS, CR LF)\n", outputBytes / 1e6);
    for (size_t g = 0; g < package.size(); ++g)
        print(label(options, g, "tamsel-gen package, indexed snapshot"), package[g], outputBytes);
    if (options.checkAndSnapshot) {
        const std::vector<Measure> check = measureAlternately(
            options.runs, forEachGen(options, {"package", path("package.json").toStdString(),
                                               "--check", output}));
        for (size_t g = 0; g < check.size(); ++g)
            print(label(options, g, "tamsel-gen --check, the same file"), check[g]);
        // Files that differ (status 7, the diff discarded): two lines changed far apart, so
        // the lines between are searched; every indented line changed, so nothing is
        // matched and the diff holds every line twice.
        writeVariants(output, path("two_changed.sql"), path("reindented.sql"));
        for (const auto& [file, what] :
             {std::pair{"two_changed.sql", "--check, two lines changed"},
              std::pair{"reindented.sql", "--check, every indent changed"}}) {
            const std::vector<Measure> differing = measureAlternately(
                options.runs,
                forEachGen(options, {"package", path("package.json").toStdString(), "--check",
                                     path(file).toStdString()}),
                std::vector<int>(options.gens.size(), kExitDifferent));
            for (size_t g = 0; g < differing.size(); ++g)
                print(label(options, g, std::string("tamsel-gen ") + what), differing[g]);
        }
    }

    // The sqlite3 shell takes its turn among the tool's runs, and so does a retrieval of one
    // table of the same file, what the process takes before it holds any columns.
    writeProfile(path("one_table.json"), path("snapshot.sqlite"), 1, false);
    std::vector<Command> retrieval =
        forEachGen(options, {"package", path("retrieval.json").toStdString(), "-o", output});
    const size_t sqlite = retrieval.size();
    retrieval.push_back({options.sqlite3, "-readonly", path("snapshot.sqlite").toStdString(),
                         ".read " + path("queries.sql").toStdString()});
    for (const Command& oneTable :
         forEachGen(options, {"package", path("one_table.json").toStdString(), "-o", output}))
        retrieval.push_back(oneTable);
    std::vector<int> statuses(retrieval.size(), kExitNoPublicTable);
    statuses[sqlite] = 0;
    const std::vector<Measure> read = measureAlternately(options.runs, retrieval, statuses);
    const Measure& shell = read[sqlite];
    const double columns = double(tables) * kColumns;
    for (size_t g = 0; g < sqlite; ++g) {
        print(label(options, g, "tamsel-gen retrieval only (status 3)"), read[g]);
        std::printf("  %-44s %8.2f x wall %7.2f x cpu\n", "  against sqlite3",
                    read[g].wallSeconds / shell.wallSeconds, read[g].cpuSeconds / shell.cpuSeconds);
        // Memory per column: the whole process's peak over the columns it holds (start-up,
        // libraries and all), and what the peak grew by for each column over the retrieval
        // of one table.
        const Measure& one = read[sqlite + 1 + g];
        std::printf("  %-44s %8.1f B peak per column read, %.1f B per column over %.1f MiB\n", "",
                    read[g].peakKiB * 1024.0 / columns,
                    (read[g].peakKiB - one.peakKiB) * 1024.0 / (columns - kColumns),
                    one.peakKiB / 1024.0);
    }
    print("sqlite3 -readonly, the same " + std::to_string(tables + 1) + " queries", shell);

    if (options.unindexed) {
        makeSnapshot(path("unindexed.sqlite"), tables, false);
        writeProfile(path("unindexed.json"), path("unindexed.sqlite"), tables, true);
        writeProfile(path("unindexed_retrieval.json"), path("unindexed.sqlite"), tables, false);
        const std::vector<Measure> unindexedPackage = measureAlternately(
            options.runs,
            forEachGen(options, {"package", path("unindexed.json").toStdString(), "-o", output}));
        for (size_t g = 0; g < unindexedPackage.size(); ++g)
            print(label(options, g, "tamsel-gen package, snapshot without index"),
                  unindexedPackage[g], fileSize(output));
        const std::vector<Measure> unindexedRead = measureAlternately(
            options.runs,
            forEachGen(options,
                       {"package", path("unindexed_retrieval.json").toStdString(), "-o", output}),
            std::vector<int>(options.gens.size(), kExitNoPublicTable));
        for (size_t g = 0; g < unindexedRead.size(); ++g)
            print(label(options, g, "tamsel-gen retrieval only, without index"), unindexedRead[g]);
    }

    if (options.plain) {
        makePlainSchema(path("plain.sqlite"), tables);
        writeProfile(path("plain.json"), path("plain.sqlite"), tables, true);
        const std::vector<Measure> onPlain = measureAlternately(
            options.runs,
            forEachGen(options, {"package", path("plain.json").toStdString(), "-o", output}));
        for (size_t g = 0; g < onPlain.size(); ++g)
            print(label(options, g, "tamsel-gen package, plain schema"), onPlain[g],
                  fileSize(output));
        const std::vector<Measure> list = measureAlternately(
            options.runs, forEachGen(options, {"tables", path("plain.json").toStdString()}));
        for (size_t g = 0; g < list.size(); ++g)
            print(label(options, g, "tamsel-gen tables, plain schema"), list[g]);
        if (options.checkAndSnapshot) {
            const std::vector<Measure> snapshot = measureAlternately(
                options.runs, forEachGen(options, {"snapshot", path("plain.json").toStdString(),
                                                   "-o", path("taken.sqlite").toStdString()}));
            for (size_t g = 0; g < snapshot.size(); ++g)
                print(label(options, g, "tamsel-gen snapshot of the plain schema"), snapshot[g]);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        const Options options = parse(QCoreApplication::arguments());
        if (!QFile::exists(QString::fromLatin1(kGnuTime)))
            std::printf("%s is missing: peak memory includes this launcher's own size\n", kGnuTime);
        for (size_t g = 0; g < options.gens.size() && options.gens.size() > 1; ++g)
            std::printf("[%zu] %s\n", g + 1, options.gens[g].c_str());
        for (int tables : options.tableCounts) {
            benchTableCount(options, tables);
            std::fflush(stdout);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_cli: %s\n", error.what());
        return 1;
    }
    return 0;
}
