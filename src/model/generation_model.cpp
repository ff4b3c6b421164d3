#include "model/generation_model.h"

#include "util/sjis.h"

#include <algorithm>

qint32 nameLength(const QString& name) {
    return static_cast<qint32>(sjisLength(name));
}

TTableSettings TTableSettings::startRetrieval(const QString& tableName) {
    TTableSettings table;
    table.TableName = tableName;
    table.MaxColumnNameLength = kMinColumnNameLength;
    table.GenStrCount = 10;
    table.GenNumCount = 10;
    return table;
}

void TTableSettings::reserveColumns(qsizetype count) {
    for (QStringList* list : {&ColumnNames, &ColumnTypes, &ColumnSizes, &ColumnNulls})
        list->reserve(list->size() + count);
}

void TTableSettings::appendColumn(const QString& name, const QString& type, const QString& size,
                                  const QString& nulls) {
    ColumnNames.append(name);
    ColumnTypes.append(type);
    ColumnSizes.append(size);
    ColumnNulls.append(nulls);
    ColumnCount = static_cast<qint32>(ColumnNames.size());
    MaxColumnNameLength = std::max(MaxColumnNameLength, nameLength(name));
}

void TTableSettings::setArgumentTables(QList<qsizetype> tables) {
    std::sort(tables.begin(), tables.end());
    tables.erase(std::unique(tables.begin(), tables.end()), tables.end());
    ArgumentTables = std::move(tables);
    ArgumentTableCount = static_cast<qint32>(ArgumentTables.size());
}

bool TTableSettings::isArgumentTable(qsizetype k) const {
    return std::binary_search(ArgumentTables.cbegin(), ArgumentTables.cend(), k);
}

qsizetype TTableSettings::usableColumnCount() const {
    return std::clamp<qsizetype>(ColumnCount, 0, ColumnNames.size());
}

QList<qsizetype> TTableSettings::argumentTablesWithin(qsizetype candidateCount) const {
    QList<qsizetype> indices = ArgumentTables;
    indices.removeIf([&](qsizetype k) { return k < 0 || k >= candidateCount; });
    return indices;
}

qsizetype firstPublicTable(const TCandidateList& candidates, const TableFlags& flags) {
    for (qsizetype i = 0; i < candidates.size(); ++i)
        if (flags.isPublic(i))
            return i;
    return -1;
}

void GenerationModel::appendCandidate(TTableSettings table) {
    MaxTableNameLength = std::max(MaxTableNameLength, nameLength(table.TableName));
    CandidateList.append(std::move(table));
}

void GenerationModel::ClearCandidates() {
    CandidateList.clear();
    MaxTableNameLength = 0;
}
