#include "plsql_fixture.h"

#include "support/test_files.h"

#include <stdexcept>

Scenario::Scenario()
    : clock(QDateTime(QDate(2001, 5, 12), QTime(14, 3, 9)),
            {"月", "火", "水", "木", "金", "土", "日"}) {
    settings.PackHeader = false;
    settings.ProcHeader = false;
}

qsizetype Scenario::addTable(const QString& name, const QList<Column>& columns,
                             TableFlagValues tableFlags) {
    TTableSettings table = TTableSettings::startRetrieval(name);
    for (const Column& column : columns)
        table.appendColumn(column.name, column.type, QStringLiteral("10"), QStringLiteral("Y"));
    candidates.append(table);
    flags.rows().append(tableFlags);
    return candidates.size() - 1;
}

qsizetype Scenario::addEmp(TableFlagValues tableFlags) {
    return addTable("EMP", {{"EMPNO", "NUMBER"}, {"ENAME", "VARCHAR2"}}, tableFlags);
}

void Scenario::setArguments(qsizetype table, const QList<qsizetype>& argumentTables) {
    candidates[table].setArgumentTables(argumentTables);
}

GeneratorInput Scenario::input() const {
    qint32 longest = 0;
    for (const TTableSettings& t : candidates)
        longest = std::max(longest, nameLength(t.TableName));
    return GeneratorInput{candidates, flags, settings, userName, longest, clock};
}

QStringList Scenario::lines(const std::function<void(PackageGenerator&, LineSink&)>& write) const {
    const GeneratorInput in = input();
    PackageGenerator generator(in);
    LineList out;
    write(generator, out);
    return out.takeLines();
}

QStringList Scenario::package() const {
    const std::optional<QStringList> lines = generatePackageLines(input());
    if (!lines)
        throw std::logic_error("no public table in the scenario");
    return *lines;
}

QStringList goldenLines(const QString& name) {
    const QString text = QString::fromUtf8(readFileBytes(testDataPath("gen/plsql/" + name)));
    QStringList lines = text.split(u'\n');
    if (lines.takeLast() != QString())
        throw std::runtime_error("golden file without a final line end: " + name.toStdString());
    return lines;
}

QString firstDifference(const QStringList& actual, const QStringList& expected) {
    const qsizetype common = std::min(actual.size(), expected.size());
    const auto shown = [](const QStringList& lines, qsizetype i) {
        return i < lines.size() ? u'«' + lines[i] + u'»' : QStringLiteral("(no line)");
    };
    for (qsizetype i = 0; i <= common; ++i) {
        if (i == common && actual.size() == expected.size())
            return {};
        if (i < common && actual[i] == expected[i])
            continue;
        return QStringLiteral("line %1 of %2 (expected %3 lines)\n   Actual:   %4\n   Expected: %5")
            .arg(i + 1)
            .arg(actual.size())
            .arg(expected.size())
            .arg(shown(actual, i), shown(expected, i));
    }
    return {};
}
