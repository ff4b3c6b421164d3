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
    ColumnNames.reserve(ColumnNames.size() + count);
    columnKinds_.reserve(columnKinds_.size() + count);
}

namespace {

// Texts read from a dictionary are mostly one text shared: the same characters at the same
// place need no comparing.
bool sameText(const QString& a, const QString& b) {
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}

} // namespace

void TTableSettings::appendColumn(const QString& name, const QString& type, const QString& size,
                                  const QString& nulls) {
    // The kinds seen last are looked at, a bounded number of them, so that a table of very
    // many different kinds costs no more than keeping each column's own.
    constexpr qsizetype kKindsLookedAt = 32;
    qsizetype found = -1;
    for (qsizetype k = kinds_.size() - 1; k >= 0 && k >= kinds_.size() - kKindsLookedAt; --k) {
        const ColumnKind& known = kinds_[k];
        if (sameText(known.type, type) && sameText(known.size, size) &&
            sameText(known.nulls, nulls)) {
            found = k;
            break;
        }
    }
    if (found < 0) {
        found = kinds_.size();
        kinds_.append(ColumnKind{type, size, nulls});
    }
    ColumnNames.append(name);
    columnKinds_.append(static_cast<quint32>(found));
    ColumnCount = static_cast<qint32>(ColumnNames.size());
    MaxColumnNameLength = std::max(MaxColumnNameLength, nameLength(name));
}

const TTableSettings::ColumnKind& TTableSettings::kind(qsizetype j) const {
    static const ColumnKind none;
    if (j < 0 || j >= columnKinds_.size())
        return none;
    return kinds_[columnKinds_[j]];
}

QStringList TTableSettings::eachColumn(QString ColumnKind::*text) const {
    QStringList texts;
    texts.reserve(columnKinds_.size());
    for (const quint32 k : columnKinds_)
        texts.append(kinds_[k].*text);
    return texts;
}

QStringList TTableSettings::ColumnTypes() const {
    return eachColumn(&ColumnKind::type);
}

QStringList TTableSettings::ColumnSizes() const {
    return eachColumn(&ColumnKind::size);
}

QStringList TTableSettings::ColumnNulls() const {
    return eachColumn(&ColumnKind::nulls);
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
