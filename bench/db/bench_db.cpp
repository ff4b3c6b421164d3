// Figures of the database session layer on large SQLite files:
//  1. a dictionary snapshot of 1,000 tables x 30 columns: logon, table list and every
//     column query through the session layer, against the same 1,001 queries run by the
//     sqlite3 command-line tool on the same file (target: within 2x of sqlite3);
//  2. logon on a file of 1,000 tables x 30 columns without a snapshot, which builds the
//     emulated dictionary (target: under 0.2 s).
//
// Usage: bench_db [runs]   (default 5; each figure is the median of the runs)

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
#include <functional>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kTables = 1000;
constexpr int kColumns = 30;

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

void writeSnapshot(const QString& path) {
    writeFile(path, [](QSqlQuery& query) {
        exec(query, QStringLiteral("CREATE TABLE USER_TABLES (TABLE_NAME VARCHAR2(30))"));
        exec(query,
             QStringLiteral("CREATE TABLE COL (TNAME VARCHAR2(30), COLNO NUMBER, CNAME "
                            "VARCHAR2(30), COLTYPE VARCHAR2(30), WIDTH NUMBER, SCALE NUMBER, "
                            "PRECISION NUMBER, NULLS VARCHAR2(8))"));
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

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double milliseconds(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

// Logon, table list and every column query, as the main window does for a full selection.
double retrieveAll(const QString& path) {
    QElapsedTimer timer;
    timer.start();
    Session session(SessionEnvironment{});
    auto database = session.OpenDatabase(path, QStringLiteral("BENCH/"), 0);
    QStringList names;
    readTableList(*database, [&](const QString& name) { names.append(name); });
    qsizetype columns = 0;
    for (const QString& name : names)
        columns += readTableColumns(*database, name, names.size()).ColumnCount;
    const double elapsed = milliseconds(timer);
    if (names.size() != kTables || columns != qsizetype(kTables) * kColumns)
        throw std::runtime_error("the retrieval read the wrong number of tables or columns");
    return elapsed;
}

double logOn(const QString& path) {
    QElapsedTimer timer;
    timer.start();
    Session session(SessionEnvironment{});
    auto database = session.OpenDatabase(path, QStringLiteral("BENCH/"), 0);
    return milliseconds(timer);
}

double runSqlite3(const QString& program, const QString& path, const QString& script) {
    QProcess process;
    process.setStandardInputFile(script);
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, {QStringLiteral("-readonly"), path});
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        throw std::runtime_error("sqlite3 failed: " + process.readAllStandardError().toStdString());
    return milliseconds(timer);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    try {
        QTemporaryDir dir;
        const QString snapshot = dir.filePath(QStringLiteral("snapshot.sqlite"));
        const QString tables = dir.filePath(QStringLiteral("tables.sqlite"));
        const QString script = dir.filePath(QStringLiteral("queries.sql"));
        writeSnapshot(snapshot);
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

        std::vector<double> ours, reference, logons, emulated;
        retrieveAll(snapshot); // warm the file cache for both sides
        for (int i = 0; i < runs; ++i) {
            ours.push_back(retrieveAll(snapshot));
            if (!sqlite3.isEmpty())
                reference.push_back(runSqlite3(sqlite3, snapshot, script));
            logons.push_back(logOn(tables));
            emulated.push_back(retrieveAll(tables));
        }

        std::printf("SQLite dictionary snapshot, %d tables x %d columns; median of %d runs\n",
                    kTables, kColumns, runs);
        std::printf("  session layer: logon + table list + %d column queries   %8.1f ms\n", kTables,
                    median(ours));
        if (reference.empty()) {
            std::printf("  sqlite3 not found: no reference figure\n");
        } else {
            std::printf("  sqlite3 -readonly FILE < %d queries (process included)  %8.1f ms\n",
                        kTables + 1, median(reference));
            std::printf("  ratio session layer / sqlite3: %.2f (target: at most 2)\n",
                        median(ours) / median(reference));
        }
        std::printf("SQLite file of %d tables x %d columns without snapshot\n", kTables, kColumns);
        std::printf("  logon, building the emulated dictionary                 %8.1f ms "
                    "(target: under 200 ms)\n",
                    median(logons));
        std::printf("  logon + table list + %d column queries                  %8.1f ms\n", kTables,
                    median(emulated));
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_db: %s\n", error.what());
        return 1;
    }
}
