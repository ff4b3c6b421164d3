#pragma once

#include "db/db_error.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <vector>

// The values a query gives back, named after the automation interface the program was
// designed against: a result set read whole and the field values of its current row.

// One value of a result as the program reads it: its text, or NULL. A value is turned into
// text once, as it is read, and every reader shares that text.
struct FieldValue {
    QString text;
    bool null = true;
};

// A value as text: a number in plain decimal (10 -> "10", 1600.5 -> "1600.5"), a string
// unchanged; NULL (also a typed null) stays NULL.
FieldValue fieldValue(const QVariant& value);

// A floating-point number as text: the shortest digits that read back as the same number,
// never an exponent ("1600.5", "100000000000000000000"), and no "-0".
QString decimalText(double number);

// One column value of the dynaset's current row.
class Field {
public:
    explicit Field(const QVariant& value) : value_(fieldValue(value)) {}
    // name: the column, for the message when the value is NULL.
    Field(const QVariant& value, QString name)
        : value_(fieldValue(value)), name_(std::move(name)) {}
    Field(FieldValue value, QString name) : value_(std::move(value)), name_(std::move(name)) {}
    bool IsNull() const { return value_.null; }
    // The value as text. A NULL has no text: DbError.
    QString Value() const;

private:
    FieldValue value_;
    QString name_;
};

// A result set, read whole when created, so RecordCount is exact. Starts on its first row.
class Dynaset {
public:
    Dynaset(QStringList fieldNames, std::vector<std::vector<QVariant>> rows);
    // values: the rows one after the other, fieldNames.size() values each.
    static std::unique_ptr<Dynaset> fromValues(QStringList fieldNames,
                                               std::vector<FieldValue> values);
    qint32 RecordCount() const;
    // The current row's value of the named column (matched without regard to case).
    // DbError for an unknown name or when the rows are exhausted.
    Field Fields(const QString& name) const;
    void MoveNext();

    // For a reader that takes the same fields from every row: where Fields finds the named
    // column (DbError for an unknown name, as Fields), and the current row's value there,
    // as Fields gives it but without a copy.
    qsizetype fieldIndex(const QString& name) const;
    const FieldValue& value(qsizetype field) const;
    // The text of value(field); DbError when it is NULL, as Field::Value.
    const QString& text(qsizetype field) const;

private:
    struct Flat {};
    Dynaset(Flat, QStringList fieldNames, std::vector<FieldValue> values);

    QStringList fieldNames_;
    std::vector<FieldValue> values_; // row after row: one allocation for the whole result
    qsizetype rowCount_ = 0;
    qsizetype current_ = 0;
};
