// Figures of the database session layer on large SQLite files of N tables x 30 columns:
//  1. a dictionary snapshot whose COL has an index on (TNAME, COLNO): logon, table list and
//     every column query through the session layer, against the same N + 1 queries run by
//     the sqlite3 command-line tool on the same file (target: within 2x of sqlite3);
//  2. the same snapshot without that index (each column query alone would scan all of COL):
//     the same reading, and sqlite3 running the same queries on it (target: within 2x of
//     the indexed snapshot);
//  3. logon on a file without a snapshot, which builds the emulated dictionary (target:
//     under 0.2 s at 1,000 tables).
// Each figure is wall time and CPU time (user + system, of this process or of the sqlite3
// process), the machine being shared.
//
// Usage: bench_db [runs] [tables]   (defaults 5 and 1000; each figure is the median of the
// runs)

#include "db/dictionary.h"
#include "db/session.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <stdexcept>
#include <vector>

#include <sys/resource.h>

namespace {

int kTables = 1000; // set once from the command line
constexpr int kColumns = 30;
// sqlite3 on the snapshot without an index takes minutes beyond this many tables.
constexpr int kMaxScannedTables = 5000;

QString tableName(int t) {
    return QStringLiteral("TABLE_%1").arg(t, 4, 10, QLatin1Char('0'));
}

QString columnName(int c) {
    return QStringLiteral("COLUMN_NAME_%1").arg(c, 2, 10, QLatin1Char('0'));
}

// Declared type, and its snapshot row values: COLTYPE, WIDTH, SCALE, PRECISION.
struct ColumnType {
    const char* declared;
    const char* snapshotValues;
};
const ColumnType kTypes[] = {
    {"VARCHAR2(40)", "'VARCHAR2', 40, NULL, NULL"},
    {"NUMBER(10,2)", "'NUMBER', 22, 2, 10"},
    {"DATE", "'DATE', 7, NULL, NULL"},
    {"NUMBER", "'NUMBER', 22, NULL, NULL"},
    {"CHAR(1)", "'CHAR', 1, NULL, NULL"},
};

void writeFile(const QString& path, const std::function<void(QSqlQuery&)>& fill) {
    const QString name = QStringLiteral("bench-writer");
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(path);
        if (!database.open())
            throw std::runtime_error(database.lastError().text().toStdString());
        QSqlQuery query(database);
        const auto run = [&](const QString& sql) {
            if (!query.exec(sql))
                throw std::runtime_error(
                    (sql + QStringLiteral(": ") + query.lastError().text()).toStdString());
        };
        run(QStringLiteral("BEGIN"));
        fill(query);
        run(QStringLiteral("COMMIT"));
        query.finish();
    }
    QSqlDatabase::removeDatabase(name);
}

void exec(QSqlQuery& query, const QString& sql) {
    if (!query.exec(sql))
        throw std::runtime_error(
            (sql + QStringLiteral(": ") + query.lastError().text()).toStdString());
}

void writeSnapshot(const QString& path, bool indexed) {
    writeFile(path, [indexed](QSqlQuery& query) {
        exec(query, QStringLiteral("CREATE TABLE USER_TABLES (TABLE_NAME VARCHAR2(30))"));
        exec(query,
             QStringLiteral("CREATE TABLE COL (TNAME VARCHAR2(30), COLNO NUMBER, CNAME "
                            "VARCHAR2(30), COLTYPE VARCHAR2(30), WIDTH NUMBER, SCALE NUMBER, "
                            "PRECISION NUMBER, NULLS VARCHAR2(8))"));
        if (indexed)
            exec(query, QStringLiteral("CREATE INDEX COL_BY_TABLE ON COL (TNAME, COLNO)"));
        for (int t = 1; t <= kTables; ++t) {
            exec(query, QStringLiteral("INSERT INTO USER_TABLES VALUES ('%1')").arg(tableName(t)));
            for (int c = 1; c <= kColumns; ++c)
                exec(query,
                     QStringLiteral("INSERT INTO COL VALUES ('%1', %2, '%3', %4, '%5')")
                         .arg(tableName(t))
                         .arg(c)
                         .arg(columnName(c),
                              QLatin1StringView(kTypes[(t + c) % std::size(kTypes)].snapshotValues),
                              c == 1 ? QStringLiteral("NOT NULL") : QStringLiteral("NULL")));
        }
    });
}

void writeTables(const QString& path) {
    writeFile(path, [](QSqlQuery& query) {
        for (int t = 1; t <= kTables; ++t) {
            QStringList columns;
            for (int c = 1; c <= kColumns; ++c)
                columns.append(columnName(c) + u' ' +
                               QLatin1StringView(kTypes[(t + c) % std::size(kTypes)].declared) +
                               (c == 1 ? QStringLiteral(" NOT NULL PRIMARY KEY") : QString()));
            exec(query, QStringLiteral("CREATE TABLE %1 (%2)")
                            .arg(tableName(t), columns.join(QStringLiteral(", "))));
        }
    });
}

// Wall time and CPU time (user + system) of one run, in milliseconds.
struct Figure {
    double wall = 0;
    double cpu = 0;
};

// The medians of the runs, each taken on its own.
Figure median(const std::vector<Figure>& figures) {
    const auto middle = [&](double Figure::*field) {
        std::vector<double> values;
        for (const Figure& figure : figures)
            values.push_back(figure.*field);
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    return {middle(&Figure::wall), middle(&Figure::cpu)};
}

double processCpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Times a step of this process.
template <typename Step> Figure timed(Step&& step) {
    QElapsedTimer timer;
    const double cpu = processCpuMilliseconds();
    timer.start();
    step();
    return {double(timer.nsecsElapsed()) / 1e6, processCpuMilliseconds() - cpu};
}

// Logon, table list and every column query, as the main window does for a full selection.
Figure retrieveAll(const QString& path) {
    return timed([&] {
        Session session(SessionEnvironment{});
        auto database = session.OpenDatabase(path, QStringLiteral("BENCH/"), 0);
        QStringList names;
        readTableList(*database, [&](const QString& name) { names.append(name); });
        qsizetype columns = 0;
        for (const QString& name : names)
            columns += readTableColumns(*database, name).ColumnCount;
        if (names.size() != kTables || columns != qsizetype(kTables) * kColumns)
            throw std::runtime_error("the retrieval read the wrong number of tables or columns");
    });
}

Figure logOn(const QString& path) {
    return timed([&] {
        Session session(SessionEnvironment{});
        auto database = session.OpenDatabase(path, QStringLiteral("BENCH/"), 0);
    });
}

// The CPU time of the finished children so far (those waited for), in milliseconds.
double childrenCpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return (double(usage.ru_utime.tv_sec) + double(usage.ru_stime.tv_sec)) * 1e3 +
           (double(usage.ru_utime.tv_usec) + double(usage.ru_stime.tv_usec)) / 1e3;
}

Figure runSqlite3(const QString& program, const QString& path, const QString& script) {
    QProcess process;
    process.setStandardInputFile(script);
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    const double cpu = childrenCpuMilliseconds();
    timer.start();
    process.start(program, {QStringLiteral("-readonly"), path});
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        throw std::runtime_error("sqlite3 failed: " + process.readAllStandardError().toStdString());
    return {double(timer.nsecsElapsed()) / 1e6, childrenCpuMilliseconds() - cpu};
}

void print(const QString& what, const Figure& figure) {
    std::printf("  %-58s %9.1f ms wall %9.1f ms cpu\n", qPrintable(what), figure.wall, figure.cpu);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    kTables = argc > 2 ? std::max(1, atoi(argv[2])) : 1000;
    try {
        QTemporaryDir dir;
        const QString snapshot = dir.filePath(QStringLiteral("snapshot.sqlite"));
        const QString unindexed = dir.filePath(QStringLiteral("unindexed.sqlite"));
        const QString tables = dir.filePath(QStringLiteral("tables.sqlite"));
        const QString script = dir.filePath(QStringLiteral("queries.sql"));
        writeSnapshot(snapshot, true);
        writeSnapshot(unindexed, false);
        writeTables(tables);
        {
            QFile file(script);
            if (!file.open(QIODevice::WriteOnly))
                throw std::runtime_error("cannot write the sqlite3 script");
            file.write((tableListQuery() + QStringLiteral(";\n")).toUtf8());
            for (int t = 1; t <= kTables; ++t)
                file.write((columnQuery(tableName(t)) + QStringLiteral(";\n")).toUtf8());
        }
        const QString sqlite3 = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));

        std::vector<Figure> ours, reference, bare, bareReference, logons, emulated;
        retrieveAll(snapshot); // warm the file cache for both sides
        for (int i = 0; i < runs; ++i) {
            ours.push_back(retrieveAll(snapshot));
            bare.push_back(retrieveAll(unindexed));
            if (!sqlite3.isEmpty()) {
                reference.push_back(runSqlite3(sqlite3, snapshot, script));
                if (kTables <= kMaxScannedTables)
                    bareReference.push_back(runSqlite3(sqlite3, unindexed, script));
            }
            logons.push_back(logOn(tables));
            emulated.push_back(retrieveAll(tables));
        }

        const QString queries = QStringLiteral("%1 column queries").arg(kTables);
        std::printf("SQLite dictionary snapshot, %d tables x %d columns; median of %d runs\n",
                    kTables, kColumns, runs);
        print("COL indexed: logon + table list + " + queries, median(ours));
        print("COL without index: logon + table list + " + queries, median(bare));
        if (reference.empty()) {
            std::printf("  sqlite3 not found: no reference figure\n");
        } else {
            print(QStringLiteral("sqlite3 -readonly, COL indexed, %1 queries").arg(kTables + 1),
                  median(reference));
            print(
                QStringLiteral("sqlite3 -readonly, COL without index, %1 queries").arg(kTables + 1),
                median(bareReference));
            std::printf("  CPU ratio session layer / sqlite3, COL indexed: %.2f (target: at most "
                        "2)\n",
                        median(ours).cpu / median(reference).cpu);
        }
        std::printf("  CPU ratio COL without index / COL indexed: %.2f (target: at most 2)\n",
                    median(bare).cpu / median(ours).cpu);
        std::printf("SQLite file of %d tables x %d columns without snapshot\n", kTables, kColumns);
        print("logon, building the emulated dictionary (target: 200 ms)", median(logons));
        print("logon + table list + " + queries, median(emulated));
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_db: %s\n", error.what());
        return 1;
    }
}
