// The contract between the two generators: the module's calling function adds the package
// procedure's parameters and lists its bind variables in exactly the order, direction and
// shape of the procedure's own parameter list, because the block passes them by position.
// Both generators run on one input and their texts are read back and held side by side.

#include "gen/plsql/package_generator.h"
#include "gen/vb/vb_module_generator.h"
#include "util/clock.h"

#include <QRegularExpression>
#include <QTest>

namespace {

struct Scenario {
    TCandidateList candidates;
    PlainTableFlags flags;
    TPackParameters settings;

    qsizetype add(const QString& name, const QStringList& columns, TableFlagValues values) {
        TTableSettings table = TTableSettings::startRetrieval(name);
        for (const QString& column : columns)
            table.appendColumn(column, column.startsWith("N") ? "NUMBER" : "VARCHAR2", "20", "Y");
        candidates.append(table);
        flags.rows().append(values);
        return candidates.size() - 1;
    }
};

Scenario scenario(int number) {
    Scenario s;
    switch (number) {
    case 0: {
        const qsizetype emp = s.add("EMP", {"NEMPNO", "ENAME"}, {.Public = true});
        const qsizetype dept = s.add("DEPT", {"NDEPTNO", "DNAME", "LOC"}, {true, true});
        s.candidates[emp].setArgumentTables({emp, dept});
        s.candidates[dept].setArgumentTables({dept});
        break;
    }
    case 1: {
        const qsizetype t = s.add("T", {"NID"}, {.Public = true});
        const qsizetype nocols = s.add("NOCOLS", {}, {.Array = true});
        s.candidates[t].GenStrOn = s.candidates[t].GenNumOn = true;
        s.candidates[t].setArgumentTables({nocols, t});
        break;
    }
    case 2: {
        // Hand-made tables: a count beyond the columns held, a negative one, and indices
        // that name no candidate.
        const qsizetype h = s.add("H", {"A", "NB"}, {.Public = true, .Array = true});
        const qsizetype x = s.add("X", {"Q"}, {.Public = true, .Array = true});
        s.candidates[h].ColumnCount = 5;
        s.candidates[x].ColumnCount = -3;
        s.candidates[h].ArgumentTables = {-1, h, 9};
        s.candidates[x].ArgumentTables = {h, x, 2};
        break;
    }
    case 3: {
        s.settings.Indent = 0;
        const qsizetype t =
            s.add("社員台帳", {"N社員番号", "氏名"}, {.Public = true, .Array = true});
        s.candidates[t].setArgumentTables({t});
        s.candidates[t].GenNumOn = true;
        break;
    }
    }
    return s;
}

// One parameter as either text declares it: its name without the direction prefix, its
// direction and whether it passes a PL/SQL table.
struct Parameter {
    QString name;
    QString direction; // OUT, IN OUT or IN
    bool table;
    bool operator==(const Parameter&) const = default;
};

struct Procedure {
    QString call; // package.procedure
    QList<Parameter> parameters;
};

QString describe(const QList<Parameter>& parameters) {
    QStringList parts;
    for (const Parameter& p : parameters)
        parts.append(p.name + " " + p.direction + (p.table ? " table" : ""));
    return parts.join(", ");
}

// Every PROCEDURE of the package, declarations and bodies in the order written.
QList<Procedure> packageProcedures(const QStringList& lines) {
    static const QRegularExpression parameterLine(
        "^\\s*(ou|io|in)(\\S+)\\s+(OUT|IN OUT|IN)\\s+(\\S+?),?$");
    QString package;
    QList<Procedure> procedures;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.startsWith("CREATE OR REPLACE PACKAGE ") && package.isEmpty())
            package = line.section(' ', 4, 4);
        if (!line.startsWith("PROCEDURE "))
            continue;
        Procedure procedure{package + "." + line.mid(10).chopped(1), {}};
        for (++i; !lines[i].trimmed().startsWith(')'); ++i) {
            const QRegularExpressionMatch m = parameterLine.match(lines[i]);
            if (!m.hasMatch())
                return {};
            const QString direction = m.captured(3);
            if (m.captured(1) != (direction == "OUT" ? "ou" : direction == "IN" ? "in" : "io"))
                return {};
            procedure.parameters.append(
                {m.captured(2), direction, m.captured(4).startsWith("Array_")});
        }
        procedures.append(procedure);
    }
    return procedures;
}

// What each calling function adds to the collection and, separately, what its block binds.
void moduleCalls(const QStringList& lines, QList<Procedure>& added, QList<Procedure>& bound) {
    static const QRegularExpression addLine("^\\t\\t\\.Add(Table)? \"([^\"]+)\", (.*)$");
    static const QRegularExpression bindLine("^\\tppSQL = ppSQL & \":([^,\"]+),?\"$");
    static const QRegularExpression beginLine("^\\tppSQL = \"Begin (\\S+)\\(\"$");
    for (const QString& line : lines) {
        if (line.startsWith("Public Function ")) {
            added.append(Procedure{});
            bound.append(Procedure{});
        } else if (const auto m = beginLine.match(line); m.hasMatch()) {
            added.last().call = bound.last().call = m.captured(1);
        } else if (const auto m = addLine.match(line); m.hasMatch()) {
            const QString rest = m.captured(3);
            const QString direction = rest.contains("ORAPARM_OUTPUT")  ? "OUT"
                                      : rest.contains("ORAPARM_BOTH")  ? "IN OUT"
                                      : rest.contains("ORAPARM_INPUT") ? "IN"
                                                                       : "?";
            added.last().parameters.append({m.captured(2), direction, m.hasCaptured(1)});
        } else if (const auto m = bindLine.match(line); m.hasMatch()) {
            bound.last().parameters.append({m.captured(1), {}, false});
        }
    }
}

} // namespace

class TestProcedureParameters : public QObject {
    Q_OBJECT
private slots:
    void moduleBindsThePackagesParametersInOrder_data();
    void moduleBindsThePackagesParametersInOrder();
};

void TestProcedureParameters::moduleBindsThePackagesParametersInOrder_data() {
    QTest::addColumn<int>("scenario");
    QTest::addColumn<QList<int>>("parameterCounts");
    QTest::newRow("plain and array argument tables") << 0 << QList<int>{8, 6};
    QTest::newRow("generic arrays, an array table without columns") << 1 << QList<int>{5};
    QTest::newRow("hand-made counts and indices") << 2 << QList<int>{5, 5};
    QTest::newRow("Shift-JIS names, no indentation") << 3 << QList<int>{6};
}

void TestProcedureParameters::moduleBindsThePackagesParametersInOrder() {
    QFETCH(int, scenario);
    QFETCH(QList<int>, parameterCounts);
    const Scenario s = ::scenario(scenario);
    qint32 longest = 0;
    for (const TTableSettings& table : s.candidates)
        longest = std::max(longest, nameLength(table.TableName));
    const FixedClock clock(QDateTime(QDate(2001, 5, 12), QTime(14, 3, 9)), {});
    const GeneratorInput input{s.candidates, s.flags, s.settings, "APP", longest, clock};

    const QList<Procedure> procedures = packageProcedures(*generatePackageLines(input));
    QList<Procedure> added, bound;
    moduleCalls(*generateVbModuleLines(input, VbOptions{}), added, bound);

    // The specification declares each procedure as the body defines it.
    const qsizetype count = parameterCounts.size();
    QCOMPARE(procedures.size(), 2 * count);
    QCOMPARE(added.size(), count);
    for (qsizetype i = 0; i < count; ++i) {
        const Procedure& declared = procedures[i];
        const Procedure& defined = procedures[count + i];
        QCOMPARE(defined.call, declared.call);
        QCOMPARE(describe(defined.parameters), describe(declared.parameters));
        QCOMPARE(defined.parameters.size(), parameterCounts[i]);

        QCOMPARE(added[i].call, defined.call);
        QCOMPARE(describe(added[i].parameters), describe(defined.parameters));
        QStringList names, binds;
        for (const Parameter& p : defined.parameters)
            names.append(p.name);
        for (const Parameter& p : bound[i].parameters)
            binds.append(p.name);
        QCOMPARE(binds, names);
    }
}

QTEST_GUILESS_MAIN(TestProcedureParameters)
#include "tst_procedure_parameters.moc"
