#include "vb_fixture.h"

#include <stdexcept>

VbFixture::VbFixture()
    : clock(std::make_unique<FixedClock>(QDateTime(QDate(2001, 5, 12), QTime(14, 3, 9)),
                                         QStringList{"月", "火", "水", "木", "金", "土", "日"})) {}

qsizetype VbFixture::addTable(const QString& name, const QList<ColumnSpec>& columns, bool isPublic,
                              bool isArray) {
    TTableSettings table = TTableSettings::startRetrieval(name);
    for (const ColumnSpec& column : columns)
        table.appendColumn(column.name, column.type, column.size, "Y");
    table.GenStrOn = false;
    table.GenNumOn = false;
    candidates.append(table);
    TableFlagValues values;
    values.Public = isPublic;
    values.Array = isArray;
    flags.rows().append(values);
    return candidates.size() - 1;
}

void VbFixture::setArguments(qsizetype table, const QList<qsizetype>& argumentTables) {
    candidates[table].setArgumentTables(argumentTables);
}

GeneratorInput VbFixture::input() const {
    return GeneratorInput{candidates, flags, settings, QStringLiteral("APP"), 0, *clock};
}

QStringList VbFixture::module() const {
    const std::optional<QStringList> lines = generateVbModuleLines(input(), options);
    if (!lines)
        throw std::runtime_error("no module was generated");
    return *lines;
}

QStringList VbFixture::function(qsizetype table, const QString& name) const {
    const GeneratorInput in = input();
    VbModuleGenerator generator(in, options);
    LineList lines;
    generator.AddVbCallingFunction(table, name, lines);
    return lines.takeLines();
}

QStringList section(const QStringList& lines, const QString& first, const QString& last) {
    const qsizetype from = lines.indexOf(first);
    if (from < 0)
        return {};
    const qsizetype to = lines.indexOf(last, from);
    return lines.mid(from, to < 0 ? -1 : to - from + 1);
}

QList<QStringList> functions(const QStringList& module) {
    QList<QStringList> result;
    for (qsizetype i = 0; i < module.size(); ++i) {
        if (!module[i].startsWith("Public Function "))
            continue;
        const qsizetype end = module.indexOf("End Function", i);
        result.append(module.mid(i, end - i + 1));
    }
    return result;
}
