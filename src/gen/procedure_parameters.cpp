#include "gen/procedure_parameters.h"

ProcedureParameters::ProcedureParameters(const GeneratorInput& input, qsizetype table,
                                         const ColumnLength& columnLength)
    : table_(table) {
    const TTableSettings& T = input.candidates[table];
    const QList<qsizetype> arguments = T.argumentTablesWithin(input.candidates.size());
    qsizetype count = 4;
    for (const qsizetype k : arguments)
        count += 1 + input.candidates[k].usableColumnCount();
    parameters_.reserve(static_cast<size_t>(count));
    argumentTables_.reserve(static_cast<size_t>(arguments.size()));

    const auto fixed = [this](ParameterKind kind, qsizetype owner, const TTableSettings& of,
                              bool arrayTable, QStringView word) {
        parameters_.push_back({kind, owner, -1, arrayTable, of.TableName, word,
                               of.MaxColumnNameLength + 1 - static_cast<qint32>(word.size())});
    };
    fixed(ParameterKind::ErrCode, table, T, false, u"ErrCode");
    fixed(ParameterKind::ErrName, table, T, false, u"ErrName");
    if (T.GenStrOn)
        fixed(ParameterKind::GenStr, table, T, false, u"GenStr");
    if (T.GenNumOn)
        fixed(ParameterKind::GenNum, table, T, false, u"GenNum");
    ownCount_ = size();

    for (const qsizetype k : arguments) {
        const TTableSettings& K = input.candidates[k];
        const bool isArray = input.flags.isArray(k);
        const qsizetype columns = K.usableColumnCount();
        ArgumentTableParameters group{k, isArray, size(), 0, 0};
        if (isArray && columns > 0)
            fixed(ParameterKind::ArrayCount, k, K, true, u"ArrayCnt");
        group.firstColumn = size();
        for (qsizetype j = 0; j < columns; ++j) {
            const QString& column = K.ColumnNames[j];
            const qint32 length = columnLength ? columnLength(k, j) : nameLength(column);
            parameters_.push_back({ParameterKind::Column, k, j, isArray, K.TableName, column,
                                   K.MaxColumnNameLength + 1 - length});
        }
        group.end = size();
        argumentTables_.push_back(group);
        hasArrayTable_ = hasArrayTable_ || isArray;
    }
}

std::span<const ProcedureParameter> ProcedureParameters::own() const {
    return {parameters_.data(), static_cast<size_t>(ownCount_)};
}

std::span<const ProcedureParameter>
ProcedureParameters::of(const ArgumentTableParameters& k) const {
    return {parameters_.data() + k.first, static_cast<size_t>(k.end - k.first)};
}

std::span<const ProcedureParameter>
ProcedureParameters::columnsOf(const ArgumentTableParameters& k) const {
    return {parameters_.data() + k.firstColumn, static_cast<size_t>(k.end - k.firstColumn)};
}
