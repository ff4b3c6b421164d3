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
    if (number == 0) {
        const qsizetype emp = s.add("EMP", {"NEMPNO", "ENAME"}, {.Public = true});
        const qsizetype dept = s.add("社員台帳", {"N番号", "DNAME", "LOC"}, {true, true});
        s.candidates[emp].setArgumentTables({emp, dept});
        s.candidates[dept].setArgumentTables({dept});
        s.candidates[dept].GenNumOn = true;
    } else if (number == 1) {
        const qsizetype t = s.add("T", {"NID"}, {.Public = true});
        const qsizetype nocols = s.add("NOCOLS", {}, {.Array = true});
        s.candidates[t].GenStrOn = s.candidates[t].GenNumOn = true;
        s.candidates[t].setArgumentTables({nocols, t});
    } else {
        // Hand-made tables: a count beyond the columns held, a negative one, and indices
        // that name no candidate.
        const qsizetype h = s.add("H", {"A", "NB"}, {.Public = true, .Array = true});
        const qsizetype x = s.add("X", {"Q"}, {.Public = true, .Array = true});
        s.candidates[h].ColumnCount = 5;
        s.candidates[x].ColumnCount = -3;
        s.candidates[h].ArgumentTables = {-1, h, 9};
        s.candidates[x].ArgumentTables = {h, x, 2};
    }
    return s;
}

// Each PROCEDURE of the package, declarations then bodies: "package.procedure" followed by
// one "name direction[ table]" per parameter, the name without its direction prefix.
QList<QStringList> packageProcedures(const QStringList& lines) {
    static const QRegularExpression parameter(
        "^\\s*(ou|io|in)(\\S+)\\s+(OUT|IN OUT|IN)\\s+(\\S+)$");
    QString package;
    QList<QStringList> procedures;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.startsWith("CREATE OR REPLACE PACKAGE ") && package.isEmpty())
            package = line.section(' ', 4, 4);
        if (!line.startsWith("PROCEDURE "))
            continue;
        procedures.append({package + "." + line.mid(10).chopped(1)});
        for (++i; !lines[i].trimmed().startsWith(')'); ++i) {
            const QRegularExpressionMatch m = parameter.match(lines[i]);
            const QString direction = m.captured(3);
            const QString prefix = direction == "OUT" ? "ou" : direction == "IN" ? "in" : "io";
            procedures.last().append(
                m.captured(1) != prefix ? "bad line: " + lines[i]
                                        : m.captured(2) + " " + direction +
                                              (m.captured(4).startsWith("Array_") ? " table" : ""));
        }
    }
    return procedures;
}

// Each calling function as packageProcedures gives a procedure, from its collection's Add
// lines, and the bind variables of its block, "package.procedure" first.
void moduleCalls(const QStringList& lines, QList<QStringList>& added, QList<QStringList>& bound) {
    static const QRegularExpression addLine("^\\t\\t\\.Add(Table)? \"([^\"]+)\", (.*)$");
    static const QRegularExpression bindLine("^\\tppSQL = ppSQL & \":([^,\"]+),?\"$");
    static const QRegularExpression beginLine("^\\tppSQL = \"Begin (\\S+)\\(\"$");
    for (const QString& line : lines) {
        if (line.startsWith("Public Function ")) {
            added.append(QStringList{QString()});
            bound.append(QStringList{QString()});
        } else if (const auto m = beginLine.match(line); m.hasMatch()) {
            added.last()[0] = bound.last()[0] = m.captured(1);
        } else if (const auto m = addLine.match(line); m.hasMatch()) {
            const QString rest = m.captured(3);
            const QString direction = rest.contains("ORAPARM_OUTPUT")  ? "OUT"
                                      : rest.contains("ORAPARM_BOTH")  ? "IN OUT"
                                      : rest.contains("ORAPARM_INPUT") ? "IN"
                                                                       : "?";
            added.last().append(m.captured(2) + " " + direction +
                                (m.hasCaptured(1) ? " table" : ""));
        } else if (const auto m = bindLine.match(line); m.hasMatch()) {
            bound.last().append(m.captured(1));
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
    QTest::newRow("plain and array tables, Shift-JIS names") << 0 << QList<int>{8, 7};
    QTest::newRow("generic arrays, an array table without columns") << 1 << QList<int>{5};
    QTest::newRow("hand-made counts and indices") << 2 << QList<int>{5, 5};
}

void TestProcedureParameters::moduleBindsThePackagesParametersInOrder() {
    QFETCH(int, scenario);
    QFETCH(QList<int>, parameterCounts);
    const Scenario s = ::scenario(scenario);
    const FixedClock clock(QDateTime(QDate(2001, 5, 12), QTime(14, 3, 9)), {});
    const GeneratorInput input{s.candidates, s.flags, TPackParameters{}, "APP", 8, clock};

    const QList<QStringList> procedures = packageProcedures(*generatePackageLines(input));
    QList<QStringList> added, bound;
    moduleCalls(*generateVbModuleLines(input, VbOptions{}), added, bound);

    const qsizetype count = parameterCounts.size();
    QCOMPARE(procedures.size(), 2 * count);
    QCOMPARE(added.size(), count);
    for (qsizetype i = 0; i < count; ++i) {
        // The specification declares each procedure as the body defines it, and the module
        // adds and binds its parameters in that order.
        const QStringList& defined = procedures[count + i];
        QCOMPARE(defined, procedures[i]);
        QCOMPARE(defined.size(), 1 + parameterCounts[i]);
        QCOMPARE(added[i], defined);
        QStringList names{defined[0]};
        for (qsizetype j = 1; j < defined.size(); ++j)
            names.append(defined[j].section(' ', 0, 0));
        QCOMPARE(bound[i], names);
    }
}

QTEST_GUILESS_MAIN(TestProcedureParameters)
#include "tst_procedure_parameters.moc"
