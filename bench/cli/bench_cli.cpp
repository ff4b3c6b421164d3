// tamsel-gen package on a demo-like SQLite file of 300 tables x 40 columns, every table
// selected with every flag set, three argument tables and both generic arrays each: the
// whole process's wall time, CPU time and peak memory, next to the time the sqlite3 shell
// needs for the same dictionary queries (1 table list + 300 column queries). The same
// package checked against its saved file (--check), and a snapshot of the 300 tables.
//
// Two files are made: a plain schema (tamsel-gen builds the dictionary at logon, as for the
// demo database) and the same tables as a dictionary snapshot (USER_TABLES and COL), on
// which sqlite3 runs the very queries the tool sends.
//
// Peak memory and CPU time come from GNU time (/usr/bin/time), wall time from the launch to
// the exit. Usage: bench_cli [runs] [sqlite3 path]   (defaults: 5, sqlite3 on PATH)

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

constexpr int kTables = 300;
constexpr int kColumns = 40;
constexpr int kArgumentTables = 3;

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
    return QStringLiteral("SALES_TABLE_%1").arg(t, 3, 10, QLatin1Char('0'));
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

template <typename Fill> void makeSqliteFile(const QString& path, Fill fill) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), path);
        db.setDatabaseName(path);
        if (!db.open())
            throw std::runtime_error(db.lastError().text().toStdString());
        QSqlQuery query(db);
        exec(query, QStringLiteral("BEGIN"));
        fill(query);
        exec(query, QStringLiteral("COMMIT"));
        db.close();
    }
    QSqlDatabase::removeDatabase(path);
}

void makePlainSchema(const QString& path) {
    makeSqliteFile(path, [](QSqlQuery& query) {
        for (int t = 0; t < kTables; ++t) {
            QStringList columns;
            for (int c = 0; c < kColumns; ++c)
                columns << columnName(c) + u' ' + QString::fromLatin1(columnType(t, c).declared) +
                               (c == 0 ? QStringLiteral(" NOT NULL PRIMARY KEY") : QString());
            exec(query, QStringLiteral("CREATE TABLE %1 (%2)")
                            .arg(tableName(t), columns.join(QStringLiteral(", "))));
        }
    });
}

void makeSnapshot(const QString& path) {
    makeSqliteFile(path, [](QSqlQuery& query) {
        exec(query, QStringLiteral("CREATE TABLE USER_TABLES (TABLE_NAME TEXT NOT NULL)"));
        exec(query, QStringLiteral("CREATE TABLE COL (TNAME TEXT, COLNO INTEGER, CNAME TEXT, "
                                   "COLTYPE TEXT, WIDTH INTEGER, SCALE INTEGER, "
                                   "PRECISION INTEGER, NULLS TEXT)"));
        exec(query, QStringLiteral("CREATE INDEX COL_TABLE ON COL (TNAME, COLNO)"));
        const auto orNull = [](int value) {
            return value < 0 ? QStringLiteral("NULL") : QString::number(value);
        };
        for (int t = 0; t < kTables; ++t) {
            exec(query, QStringLiteral("INSERT INTO USER_TABLES VALUES ('%1')").arg(tableName(t)));
            for (int c = 0; c < kColumns; ++c) {
                const ColumnType& type = columnType(t, c);
                exec(query, QStringLiteral("INSERT INTO COL VALUES ('%1', %2, '%3', '%4', %5, %6, "
                                           "%7, '%8')")
                                .arg(tableName(t))
                                .arg(c + 1)
                                .arg(columnName(c), QString::fromLatin1(type.type))
                                .arg(type.width)
                                .arg(orNull(type.scale), orNull(type.precision),
                                     c == 0 ? QStringLiteral("NOT NULL") : QStringLiteral("NULL")));
            }
        }
    });
}

void writeProfile(const QString& path, const QString& service) {
    QJsonArray tables;
    for (int t = 0; t < kTables; ++t) {
        QJsonArray arguments;
        for (int k = 0; k < kArgumentTables; ++k)
            arguments.append(tableName((t + k) % kTables));
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
void writeQueries(const QString& path) {
    QString sql = QStringLiteral("SELECT TABLE_NAME FROM USER_TABLES;\n");
    for (int t = 0; t < kTables; ++t)
        sql += QStringLiteral("SELECT CNAME,COLTYPE,WIDTH,PRECISION,SCALE,NULLS FROM COL WHERE "
                              "TNAME = '%1' ORDER BY COLNO;\n")
                   .arg(tableName(t));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(sql.toUtf8()) < 0)
        throw std::runtime_error("cannot write the queries");
}

// The same reading on the plain schema: the table list and each table's columns.
void writePragmaQueries(const QString& path) {
    QString sql =
        QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid;\n");
    for (int t = 0; t < kTables; ++t)
        sql += QStringLiteral("SELECT * FROM pragma_table_xinfo('%1');\n").arg(tableName(t));
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

// One run of a program, standard input from inputPath (or /dev/null), output discarded.
Measure runOnce(const std::vector<std::string>& command, const QString& inputPath,
                const QString& timeReport) {
    std::vector<std::string> arguments;
    const bool useTime = QFile::exists(QString::fromLatin1(kGnuTime));
    if (useTime)
        arguments = {kGnuTime, "-f", "%U %S %M", "-o", timeReport.toStdString()};
    arguments.insert(arguments.end(), command.begin(), command.end());

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const QByteArray input =
        inputPath.isEmpty() ? QByteArray("/dev/null") : inputPath.toLocal8Bit();
    posix_spawn_file_actions_addopen(&actions, 0, input.constData(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
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
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(command[0] + " failed");

    Measure measure;
    measure.wallSeconds = std::chrono::duration<double>(end - start).count();
    if (useTime) {
        QFile report(timeReport);
        report.open(QIODevice::ReadOnly);
        const QList<QByteArray> fields = report.readAll().simplified().split(' ');
        if (fields.size() < 3)
            throw std::runtime_error("unexpected report from " + std::string(kGnuTime));
        measure.cpuSeconds = fields[0].toDouble() + fields[1].toDouble();
        measure.peakKiB = fields[2].toLong();
    } else {
        measure.cpuSeconds = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
                             (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        measure.peakKiB = usage.ru_maxrss; // at least this process's own size, see above
    }
    return measure;
}

// Median wall and CPU time, largest peak, over the runs.
Measure measure(int runs, const std::vector<std::string>& arguments,
                const QString& inputPath = QString()) {
    static const QTemporaryDir scratch;
    std::vector<Measure> all;
    for (int i = 0; i < runs; ++i)
        all.push_back(runOnce(arguments, inputPath, scratch.filePath("time.txt")));
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

void print(const char* what, const Measure& m) {
    std::printf("%-52s %8.3f s wall %8.3f s cpu %8.1f MiB peak\n", what, m.wallSeconds,
                m.cpuSeconds, m.peakKiB / 1024.0);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const std::string sqlite3 = argc > 2 ? argv[2] : "sqlite3";
    if (!QFile::exists(QString::fromLatin1(kGnuTime)))
        std::printf("%s is missing: peak memory includes this launcher's own size\n", kGnuTime);

    try {
        QTemporaryDir dir;
        if (!dir.isValid())
            throw std::runtime_error("no temporary folder");
        const QString plain = dir.filePath("sales.sqlite");
        const QString snapshot = dir.filePath("sales_snapshot.sqlite");
        makePlainSchema(plain);
        makeSnapshot(snapshot);
        writeProfile(dir.filePath("plain.json"), plain);
        writeProfile(dir.filePath("snapshot.json"), snapshot);
        writeQueries(dir.filePath("queries.sql"));
        writePragmaQueries(dir.filePath("pragma.sql"));

        const std::string gen = TAMSEL_GEN_PATH;
        const std::string output = dir.filePath("package.sql").toStdString();
        std::printf("tamsel-gen package: %d tables x %d columns, every flag, %d argument tables "
                    "and both generic arrays each; median of %d runs\n",
                    kTables, kColumns, kArgumentTables, runs);
        const Measure onPlain =
            measure(runs, {gen, "package", dir.filePath("plain.json").toStdString(), "-o", output});
        QFile package(QString::fromStdString(output));
        package.open(QIODevice::ReadOnly);
        const QByteArray text = package.readAll();
        std::printf("package: %lld lines, %.1f MiB (Shift-JIS, CR LF)\n",
                    static_cast<long long>(text.count('\n')), text.size() / 1048576.0);
        print("tamsel-gen package, plain schema (dictionary built)", onPlain);
        print("tamsel-gen package, dictionary snapshot",
              measure(runs,
                      {gen, "package", dir.filePath("snapshot.json").toStdString(), "-o", output}));
        print("tamsel-gen package --check, snapshot (the same file)",
              measure(runs, {gen, "package", dir.filePath("snapshot.json").toStdString(), "--check",
                             output}));
        print("tamsel-gen snapshot of the plain schema's 300 tables",
              measure(runs, {gen, "snapshot", dir.filePath("plain.json").toStdString(), "-o",
                             dir.filePath("taken.sqlite").toStdString()}));
        print("tamsel-gen tables, plain schema (logon + list)",
              measure(runs, {gen, "tables", dir.filePath("plain.json").toStdString()}));
        print("sqlite3, the 301 dictionary queries on the snapshot",
              measure(runs, {sqlite3, snapshot.toStdString()}, dir.filePath("queries.sql")));
        print("sqlite3, list + 300 pragma_table_xinfo, plain schema",
              measure(runs, {sqlite3, plain.toStdString()}, dir.filePath("pragma.sql")));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_cli: %s\n", error.what());
        return 1;
    }
    return 0;
}
