#pragma once

#include "gen/generator_input.h"
#include "gen/plsql/package_generator.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTest>

#include <functional>

// A candidate list with its flags and settings, built the way column retrieval builds one.
// Settings start at their defaults except both header options, which start off.
struct Scenario {
    struct Column {
        QString name;
        QString type = QStringLiteral("VARCHAR2");
    };

    TCandidateList candidates;
    PlainTableFlags flags;
    TPackParameters settings;
    QString userName = QStringLiteral("APP");
    FixedClock clock;

    Scenario();

    // Appends a table.
    qsizetype addTable(const QString& name, const QList<Column>& columns,
                       TableFlagValues tableFlags = {});
    // EMPNO NUMBER, ENAME VARCHAR2.
    qsizetype addEmp(TableFlagValues tableFlags = {});
    void setArguments(qsizetype table, const QList<qsizetype>& argumentTables);

    // The input, with MaxTableNameLength as column retrieval sets it.
    GeneratorInput input() const;

    // Runs one or more section writers of one generator on an empty list.
    QStringList lines(const std::function<void(PackageGenerator&, LineSink&)>& write) const;
    // The whole package; fails the test when no table is public.
    QStringList package() const;
};

// The lines of a golden file under tests/data/gen/plsql (UTF-8, LF after every line).
QStringList goldenLines(const QString& name);

// Empty when equal; otherwise where the lists first differ, with both lines.
QString firstDifference(const QStringList& actual, const QStringList& expected);

#define COMPARE_LINES(actual, expected)                                                            \
    do {                                                                                           \
        const QString difference_ = firstDifference((actual), (expected));                         \
        QVERIFY2(difference_.isEmpty(), qPrintable(difference_));                                  \
    } while (false)
