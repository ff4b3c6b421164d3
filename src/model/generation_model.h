#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One candidate table: its columns as read from the dictionary and the argument settings
// of its public procedure. The five generation flags are not here: they live only in the
// row check boxes and reach the generators through TableFlags.
struct TTableSettings {
    QString TableName;
    qint32 ColumnCount = 0;
    QStringList ColumnNames;        // ascending column number; index j is column j everywhere
    qint32 MaxColumnNameLength = 0; // Shift-JIS bytes of the longest column name, at least 8
    // The candidate tables whose columns are input arguments of this table's public
    // procedure: their indices, ascending, each once. A short list, not one mark per
    // candidate, so a list of many thousand tables stays small.
    QList<qsizetype> ArgumentTables;
    qint32 ArgumentTableCount = 0; // entries in ArgumentTables
    bool GenStrOn = false;         // generic VARCHAR2 arguments
    qint32 GenStrCount = 0;
    bool GenNumOn = false; // generic NUMBER arguments
    qint32 GenNumCount = 0;

    // The values a table starts with when column retrieval creates it: no columns yet,
    // MaxColumnNameLength 8, no argument tables, no generic arguments, both counts 10.
    static TTableSettings startRetrieval(const QString& tableName);

    // Room for count more columns, so that the lists take no more memory than they need.
    void reserveColumns(qsizetype count);

    // Appends one column read from the dictionary, keeping ColumnCount and
    // MaxColumnNameLength in step with the arrays.
    void appendColumn(const QString& name, const QString& type, const QString& size,
                      const QString& nulls);

    // Column j's data type text as the dictionary gives it ("NUMBER"), its size
    // ("precision.scale" for type text exactly "NUMBER", else the width) and the dictionary's
    // nullability text; empty texts for an index that is no column.
    const QString& ColumnTypes(qsizetype j) const { return kind(j).type; }
    const QString& ColumnSizes(qsizetype j) const { return kind(j).size; }
    const QString& ColumnNulls(qsizetype j) const { return kind(j).nulls; }
    // The same of every column, in column order.
    QStringList ColumnTypes() const;
    QStringList ColumnSizes() const;
    QStringList ColumnNulls() const;

    // Replaces ArgumentTables with these candidate indices (sorted, repeats dropped) and
    // recounts ArgumentTableCount.
    void setArgumentTables(QList<qsizetype> tables);

    // Whether candidate k supplies input arguments.
    bool isArgumentTable(qsizetype k) const;

    // The columns a generator walks: ColumnCount, but never more than ColumnNames holds. A
    // retrieved table keeps the two in step; a hand-made one that does not must not make a
    // generator read past an array.
    qsizetype usableColumnCount() const;

    // ArgumentTables without the indices that name no table of a candidate list this long,
    // in candidate order: what every generator takes for the procedure's argument tables.
    QList<qsizetype> argumentTablesWithin(qsizetype candidateCount) const;

private:
    // A column's type, size and nullability together. A table has a handful of different
    // ones over many columns, so each is kept once and a column holds its index: a model of
    // a million columns then takes some 30 bytes a column, not a hundred.
    struct ColumnKind {
        QString type;
        QString size;
        QString nulls;
    };
    const ColumnKind& kind(qsizetype j) const;
    QStringList eachColumn(QString ColumnKind::*text) const;

    QList<ColumnKind> kinds_;
    QList<quint32> columnKinds_; // per column, an index into kinds_
};

// The smallest MaxColumnNameLength, so a column pad is always at least one blank.
inline constexpr qint32 kMinColumnNameLength = 8;

// The byte length that names are aligned by (Shift-JIS bytes).
qint32 nameLength(const QString& name);

// The creation candidate list, in table-list order. A table's index here is its index
// everywhere: the rows, every ArgumentTables, the argument dialog's list.
using TCandidateList = QList<TTableSettings>;

// The five generation flags of candidate table i, read-only. The rows panel answers from
// its check boxes at the moment a generator asks; tests and tamsel-gen from plain values.
class TableFlags {
public:
    virtual ~TableFlags() = default;
    virtual bool isPublic(qsizetype i) const = 0;
    virtual bool isArray(qsizetype i) const = 0;
    virtual bool isIns(qsizetype i) const = 0;
    virtual bool isUpd(qsizetype i) const = 0;
    virtual bool isClr(qsizetype i) const = 0;
};

// One table's flags as plain values.
struct TableFlagValues {
    bool Public = false;
    bool Array = false;
    bool Ins = false;
    bool Upd = false;
    bool Clr = false;
};

// TableFlags over plain values; an index past the end reads as all flags clear.
class PlainTableFlags : public TableFlags {
public:
    PlainTableFlags() = default;
    explicit PlainTableFlags(QList<TableFlagValues> rows) : rows_(std::move(rows)) {}

    QList<TableFlagValues>& rows() { return rows_; }
    const QList<TableFlagValues>& rows() const { return rows_; }

    bool isPublic(qsizetype i) const override { return at(i).Public; }
    bool isArray(qsizetype i) const override { return at(i).Array; }
    bool isIns(qsizetype i) const override { return at(i).Ins; }
    bool isUpd(qsizetype i) const override { return at(i).Upd; }
    bool isClr(qsizetype i) const override { return at(i).Clr; }

private:
    TableFlagValues at(qsizetype i) const { return rows_.value(i); }
    QList<TableFlagValues> rows_;
};

// The index of the first candidate whose Public flag is set, or -1.
qsizetype firstPublicTable(const TCandidateList& candidates, const TableFlags& flags);

// The candidate list and the values that go with it. The main window owns one; its rows
// panel keeps the row controls parallel to CandidateList.
struct GenerationModel {
    TCandidateList CandidateList;
    qint32 MaxTableNameLength = 0; // Shift-JIS bytes of the longest TableName
    qint32 TableCount = 0;         // tables the table-list query counted
    bool AbortRequested = false;   // set by the progress window's abort button

    // Appends a table read by column retrieval, raising MaxTableNameLength.
    void appendCandidate(TTableSettings table);

    // Empties the candidate list (the row controls are the rows panel's to free).
    void ClearCandidates();
};
