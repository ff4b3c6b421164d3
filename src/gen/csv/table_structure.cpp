#include "gen/csv/table_structure.h"

#include "util/text_file.h"

#include <algorithm>

QString csvField(const QString& value) {
    const bool needsQuotes = std::any_of(value.begin(), value.end(), [](QChar c) {
        return c == u',' || c == u'"' || c == u'\r' || c == u'\n';
    });
    if (!needsQuotes)
        return value;
    QString escaped = value;
    escaped.replace(u'"', QStringLiteral("\"\""));
    return u'"' + escaped + u'"';
}

QStringList tableStructureLines(const TCandidateList& candidates) {
    LineList lines;
    tableStructureLines(candidates, lines);
    return lines.takeLines();
}

void tableStructureLines(const TCandidateList& candidates, LineSink& lines) {
    for (const TTableSettings& table : candidates) {
        // The bracket line is a record of one field; a table name with a comma stays whole.
        lines << QString()
              << csvField(QStringLiteral("[ ") + table.TableName + QStringLiteral(" ]"))
              << QString() << QStringLiteral("項目名,データ型,項目幅,NULL許可,備考");
        const qsizetype columns = table.usableColumnCount();
        for (qsizetype j = 0; j < columns; ++j) {
            lines << csvField(table.ColumnNames[j]) + u',' + csvField(table.ColumnTypes(j)) + u',' +
                         csvField(table.ColumnSizes(j)) + u',' + csvField(table.ColumnNulls(j));
        }
    }
}

void writeTableStructure(const QString& path, const TCandidateList& candidates, TextFormat format) {
    writeTextFile(path, format,
                  [&candidates](LineSink& out) { tableStructureLines(candidates, out); });
}
