#pragma once

// The parameters of one table's public procedure, in the procedure's order. The package
// declares the procedure with them and the module's calling function adds them to its
// parameter collection and binds them by position, so both render this one list: a
// parameter changed on one side only would shift every later bind at run time.

#include "gen/generator_input.h"

#include <QStringView>

#include <functional>
#include <span>
#include <vector>

enum class ParameterKind {
    ErrCode,    // T's error code, passed out
    ErrName,    // T's error text, passed out
    GenStr,     // T's generic text array, passed in and out
    GenNum,     // T's generic number array, passed in and out
    ArrayCount, // the rows passed for an array argument table K
    Column,     // one column of an argument table K
};

// One parameter. Its name is a prefix for the direction ("ou", "io" or "in"), the table
// name, "_" and the word; the module's parameter and bind variable drop the prefix.
struct ProcedureParameter {
    ParameterKind kind;
    qsizetype table;  // candidate index of T, or of K for ArrayCount and Column
    qsizetype column; // K's column for Column, else -1
    bool arrayTable;  // K has the Array flag (ArrayCount, and Column of such a K)
    QStringView tableName;
    QStringView word; // "ErrCode", "ErrName", "GenStr", "GenNum", "ArrayCnt" or the column
    // Blanks after the word so that every name of the table fills M + 1 Shift-JIS bytes
    // after its "_", M being the table's MaxColumnNameLength. A hand-made table may make it
    // zero or less; each renderer says what it writes then.
    qint32 pad;
};

// One argument table of the procedure and where its parameters stand in the list.
struct ArgumentTableParameters {
    qsizetype table; // candidate index of K
    bool isArray;    // K's Array flag
    qsizetype first; // its row count, when it has one, then its columns: [first, end)
    qsizetype firstColumn;
    qsizetype end;

    // Only an array table that passes columns has a row count.
    bool hasArrayCount() const { return firstColumn > first; }
};

class ProcedureParameters {
public:
    // Shift-JIS bytes of candidate k's column j, for the pads. A generator that holds them
    // already passes them in: the list is made for every public table, once per side.
    using ColumnLength = std::function<qint32(qsizetype k, qsizetype j)>;

    // The parameters of candidate table's public procedure: error code and name, the
    // generic arrays T asks for, then for each argument table in candidate order its row
    // count (an array table with columns) and its columns in column order. Without
    // columnLength, the column names are measured here.
    ProcedureParameters(const GeneratorInput& input, qsizetype table,
                        const ColumnLength& columnLength = {});

    qsizetype table() const { return table_; }

    // Every parameter, in the procedure's order.
    const std::vector<ProcedureParameter>& all() const { return parameters_; }

    // The argument tables, in candidate order, tables without columns included.
    const std::vector<ArgumentTableParameters>& argumentTables() const { return argumentTables_; }
    bool hasArrayTable() const { return hasArrayTable_; }

    // The parameters T passes for itself (error code, error name, generic arrays).
    std::span<const ProcedureParameter> own() const;
    // An argument table's parameters, its row count included, and its columns alone.
    std::span<const ProcedureParameter> of(const ArgumentTableParameters& k) const;
    std::span<const ProcedureParameter> columnsOf(const ArgumentTableParameters& k) const;

private:
    qsizetype size() const { return static_cast<qsizetype>(parameters_.size()); }

    qsizetype table_;
    std::vector<ProcedureParameter> parameters_;
    std::vector<ArgumentTableParameters> argumentTables_;
    qsizetype ownCount_ = 0;
    bool hasArrayTable_ = false;
};
